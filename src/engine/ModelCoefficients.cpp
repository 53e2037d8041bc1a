#include "engine/ModelCoefficients.h"

#include <optional>

#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "engine/CaseList.h"
#include "ui/Services.h"

#ifndef QUENTA_SUPPORT_ADDRESS
#define QUENTA_SUPPORT_ADDRESS "the maker's support"
#endif

namespace quenta {

namespace geometry {

namespace {

constexpr AreaCell kDash{};
constexpr AreaCell kOther{kAsOther};

// Table 2: series 1, 2 and 12. The cascade count does not change the
// geometry. Case 7 has no 57 or 97 twin.
struct PlainRow {
  std::string_view cases;
  double length;
  double width;
  double area;
};
constexpr PlainRow kLeadedStackRows[] = {
    {"1, 51, 91", 0.5, 2.25, 1.071},      {"2, 52, 92", 0.935, 1.825, 1.54},
    {"3, 53, 93", 0.5, 1.26, 0.528},      {"4, 54, 94", 0.44, 0.48, 0.1596},
    {"5, 55, 95", 0.27, 0.305, 0.06095},  {"6, 56, 96", 1.475, 2.45, 3.41},
    {"7", 0.365, 0.76, 0.234},
};

// Table 3: series 3, by cascade count 1, 2, 4 and 6; no other counts.
constexpr int kSeries3Counts[] = {1, 2, 4, 6};
struct Series3Row {
  int caseIndex;
  double length;
  double width;
  std::array<AreaCell, 4> areas;
};
constexpr Series3Row kSeries3Rows[] = {
    {1, 2.5, 0.5, {{{1.073}, {0.2651}, {0.0646}, {0.0279}}}},
    {2, 1.825, 0.935, {{{1.529}, {0.3658}, {0.092073}, {0.04097}}}},
    {3, 1.26, 0.5, {{{0.519}, {0.1345}, {0.0314}, {0.01247}}}},
    {4, 0.48, 0.44, {{{0.156}, {0.03903}, {0.00935}, kDash}}},
    {5, 0.305, 0.27, {{{0.0609}, {0.0139}, {0.00282}, kDash}}},
    {6, 2.48, 1.475, {{{2.923}, {0.6841}, {0.1952}, {0.0868}}}},
};

// Table 4: series 4 and 5, cases in blocks of four. Series 5 always takes
// the one-cascade area; series 4 takes the cascade columns.
constexpr int kBlockCounts[] = {1, 2, 3, 4, 6, 8};
struct BlockRow {
  int firstCase;
  int lastCase;
  double length;
  double width;
  float termBandSeries5;
  float termBandSeries4OneCascade;
  float termBandSeries4;
  std::array<AreaCell, 6> areas;
  AreaCell otherCounts;
};
constexpr BlockRow kBlockRows[] = {
    {41, 44, 0.36, 0.39, 0.025f, 0.025f, 0.03f,
     {{{0.1054}, {0.022}, {0.00642}, {0.00424}, {0.00191}, kDash}}, kDash},
    {51, 54, 0.44, 0.48, 0.03f, 0.03f, 0.03f,
     {{{0.1596}, {0.03333, 0, 0, 0.131}, {0.01195}, {0.00707}, {0.00339}, {0.00171}}}, kDash},
    {61, 64, 0.663, 0.602, 0.04f, 0.03f, 0.03f,
     {{{0.30433}, {0.07317}, {0.02891}, {0.01409, 0, 0, 0.122}, {0.00669}, {0.00313}}}, kDash},
    {71, 74, 0.704, 0.96, 0.03f, 0.03f, 0.03f,
     {{{0.5796}, {0.5796}, {0.5796}, {0.5796}, {0.5796}, {0.5796}}}, {0.5796}},
    {76, 79, 0.964, 0.723, 0.04f, 0.03f, 0.03f,
     {{{0.56841}, {0.14017}, {0.05781}, {0.03045}, {0.01374, 0.96, 0.724, 0.125}, {0.00677, 0, 0.724}}},
     kDash},
    {81, 84, 0.48, 1.704, 0.04f, 0.04f, 0.04f,
     {{{0.6576}, {0.6576}, {0.6576}, {0.6576}, {0.6576}, {0.6576}}}, {0.6576}},
    {86, 89, 0.72, 1.705, 0.03f, 0.03f, 0.03f,
     {{{1.0857}, {1.0857}, {1.0857}, {1.0857}, {1.0857}, {1.0857}}}, {1.0857}},
    {91, 94, 0.96, 1.824, 0.03f, 0.03f, 0.03f,
     {{{1.5876}, {0.37017}, {0.1572}, {0.07925}, {0.04037}, {0.0191}}}, kDash},
};

// Table 5: series 6, 7, 9, 10 and 11. The cascade count does not change
// the geometry.
struct SeriesRow {
  std::string_view series;
  std::string_view cases;
  double length;
  double width;
  double area;
};
constexpr SeriesRow kSeriesRows[] = {
    {"6", "21, 22", 0.22, 0.308, 0.0505},    {"6", "31, 32", 0.277, 0.308, 0.06352},
    {"6", "41, 42", 0.36, 0.3, 0.072},       {"6", "51, 52", 0.44, 0.31, 0.09446},
    {"6", "61, 62", 0.663, 0.602, 0.30433},  {"7, 9", "1", 0.145, 0.17, 0.0123},
    {"7, 9", "3", 0.266, 0.3, 0.0587},       {"7, 9", "4", 0.365, 0.37, 0.113},
    {"7, 9", "5", 0.43, 0.48, 0.156},        {"7, 9", "6", 0.9, 0.6, 0.462},
    {"7", "7, 8", 1.13, 0.6, 0.578},         {"7", "9", 0.64, 0.56, 0.29},
    {"7", "10", 0.9, 0.75, 0.6055},          {"10, 11", "3", 0.5, 1.26, 0.528},
    {"10, 11", "4", 2.5, 0.5, 0.0646},       {"10, 11", "5", 0.27, 0.305, 0.06095},
};

// Table 6: series 8 (cases 1 to 17) and series 13 (cases 1 to 4, the same
// bodies as series 8 cases 13 to 16), by cascade count 1, 2, 4 and 6.
constexpr int kRadialCounts[] = {1, 2, 4, 6};
struct RadialRow {
  int series8Case;
  int series13Case;  // 0: none
  double length;
  double width;
  std::array<AreaCell, 4> areas;
  AreaCell otherCounts;
};
constexpr RadialRow kRadialRows[] = {
    {1, 0, 0.146, 0.1, {{{0.0055}, {0.0012}, {0.00026}, kDash}}, kDash},
    {2, 0, 0.214, 0.17, {{{0.0226}, {0.005}, {0.00083}, kDash}}, kDash},
    {3, 0, 0.275, 0.2, {{{0.0376}, {0.0083}, {0.00175}, {0.00059}}}, kDash},
    {4, 0, 0.304, 0.1, {{{0.01524}, {0.0034}, {0.00067}, {0.0002}}}, kDash},
    {5, 0, 0.396, 0.32, {{{0.0934}, {0.0216}, {0.0046}, {0.0017}}}, kDash},
    {6, 0, 0.426, 0.17, {{{0.0451}, {0.0106}, {0.0022}, {0.00086}}}, kDash},
    {7, 0, 0.52, 0.44, {{{0.1748}, {0.0408}, {0.0087}, {0.0034}}}, kDash},
    {8, 0, 0.64, 0.56, {{{0.29}, {0.0687}, {0.0153}, {0.0062}}}, kDash},
    {9, 0, 0.762, 0.71, {{{0.456}, {0.109}, {0.0248}, {0.0099}}}, kDash},
    {10, 0, 1.036, 0.44, {{{0.371}, {0.0898}, {0.021}, {0.0088}}}, kDash},
    {11, 0, 1.28, 0.56, {{{0.61}, {0.1487}, {0.0353}, {0.0149}}}, kDash},
    {12, 0, 1.524, 0.71, {{{0.951}, {0.233}, {0.0558}, {0.0237}}}, kDash},
    {13, 1, 0.266, 0.3, {{{0.0588}, {0.0135}, {0.0028}, {0.00095}}}, {0.00285}},
    {14, 2, 0.365, 0.39, {{{0.1134}, {0.0262}, kOther, {0.0022}}}, {0.0058}},
    {15, 3, 0.435, 0.48, {{{0.156}, {0.0391}, {0.00933}, {0.0032}}}, {0.00321}},
    {16, 4, 0.9, 0.6, {{{0.4617}, {0.1116}, {0.0259}, kOther}}, {0.0106}},
    {17, 0, 0.925, 0.76,
     {{{0.6055}, {0.150875, 0, 0.762}, {0.0355, 0, 0.764}, {0.0138, 0, 0.764}}},
     {0.014792, 0, 0.766}},
};

// Table 7: the single-chip series 14 to 22, any case, by cascade count 1,
// 2, 4 and 6.
constexpr int kChipCounts[] = {1, 2, 4, 6};
struct ChipRow {
  int series;
  double length;
  double width;
  std::array<AreaCell, 4> areas;
  AreaCell otherCounts;
};
constexpr ChipRow kChipRows[] = {
    {14, 0.096, 0.06, {{{0.00135}, {0.0003}, kOther, kOther}}, {0.00135}},
    {15, 0.145, 0.073, {{{0.00468}, {0.0009, 0, 0.074}, kOther, kOther}}, {0.00019, 0, 0.074}},
    {16, 0.145, 0.115, {{{0.0093}, {0.00175, 0, 0.116}, {0.0003, 0, 0.116}, kOther}},
     {0.00037, 0, 0.116}},
    {17, 0.214, 0.096, {{{0.0096}, {0.00215}, kOther, kOther}}, {0.00037}},
    {18, 0.205, 0.15, {{{0.01815}, {0.0039, 0, 0.152}, kOther, kOther}}, {0.00077, 0, 0.152}},
    {19, 0.215, 0.3, {{{0.0455}, {0.01, 0, 0.302}, kOther, kOther}}, {0.0018, 0, 0.304}},
    {20, 0.248, 0.23, {{{0.04551}, {0.0106, 0.276, 0.265}, {0.0022, 0, 0.265}, kOther}},
     {0.00204, 0, 0.265}},
    {21, 0.27, 0.305, {{{0.06095}, {0.0135, 0.268}, {0.0028, 0.269}, kOther}},
     {0.00282, 0.269}},
    {22, 0.44, 0.48,
     {{{0.1596}, {0.03903, 0, 0.482}, {0.00875, 0, 0.479}, {0.00259, 0, 0.486, 0, 0.03f}}},
     {0.00935, 0, 0.479}},
};

// Table 8: series 23, 24 and 25. The cascade count does not change the
// geometry.
struct StyleRow {
  std::string_view series;
  std::string_view cases;
  double length;
  double width;
  double area;
  double maxThickness;
};
constexpr StyleRow kStyleRows[] = {
    {"23, 25", "109", 0.248, 0.265, 0.059, 0.1},
    {"23, 25", "110", 0.15, 0.205, 0.02, 0.1},
    {"23, 25", "112", 0.1, 0.125, 0.01, 0.09},
    {"24", "any", 0.248, 0.265, 0.059, 0.11},
};

// The area cell of a row for a cascade count.
template <std::size_t N>
AreaCell CellFor(const int (&counts)[N], const std::array<AreaCell, N>& areas,
                 const AreaCell& otherCounts, int cascades) {
  for (std::size_t i = 0; i < N; ++i) {
    if (counts[i] == cascades) return areas[i].area == kAsOther ? otherCounts : areas[i];
  }
  return otherCounts;
}

}  // namespace

}  // namespace geometry

namespace {

using geometry::AreaCell;

struct Geometry {
  double length = 0;
  double width = 0;
  float termBand = 0.02f;
  int maxThickCheck = 1;
  double maxThickness = 0.11;
  double minThickness = 0.01;
  double area = 0;
  bool leadFlag = false;
};

// The case digit of the leaded stacks: the last decimal digit of the case,
// with 6 to 9 counted as 1 to 4.
int CaseDigit(int caseIndex) {
  int digit = caseIndex % 10;
  if (digit < 0) digit = -digit;
  return digit >= 6 ? digit - 5 : digit;
}

void TakeCell(Geometry& g, const AreaCell& cell) {
  g.area = cell.area;
  if (cell.length != 0) g.length = cell.length;
  if (cell.width != 0) g.width = cell.width;
  if (cell.maxThickness != 0) g.maxThickness = cell.maxThickness;
  if (cell.termBand != 0) g.termBand = cell.termBand;
}

// A row whose geometry does not change with the cascade count.
template <class Row>
void TakeRow(Geometry& g, const Row& row) {
  g.length = row.length;
  g.width = row.width;
  g.area = row.area;
}

// A row's body and its area cell for the cascade count.
template <class Row, std::size_t N>
void TakeRow(Geometry& g, const Row& row, const int (&counts)[N], const AreaCell& otherCounts,
             int cascades) {
  g.length = row.length;
  g.width = row.width;
  TakeCell(g, geometry::CellFor(counts, row.areas, otherCounts, cascades));
}

// The first row of a table laid out by series list and case list, or null.
template <class Row, std::size_t N>
const Row* ListedRow(const Row (&rows)[N], int series, int caseIndex) {
  for (const Row& row : rows) {
    if (CaseListContains(row.series, series) && CaseListContains(row.cases, caseIndex))
      return &row;
  }
  return nullptr;
}

Geometry Compute(int series, int caseIndex, int dielectric, int cascadesIn) {
  using namespace geometry;
  const int cascades = cascadesIn <= 1 ? 1 : cascadesIn;
  Geometry g;

  // Table 1: the series constants.
  switch (series) {
    case 1:
    case 2:
    case 12:
      g.maxThickCheck = 5;
      g.maxThickness = dielectric == 4 ? 0.11 : 0.13;
      if (IsOneOf(caseIndex, {4, 5, 54, 55, 94, 95})) g.maxThickness = 0.11;
      g.minThickness = 0.04;
      g.leadFlag = cascades > 1;
      break;
    case 3:
      g.maxThickCheck = 5;
      g.maxThickness = 0.13;
      g.minThickness = 0.04;
      break;
    case 4:
    case 5:
      g.maxThickCheck = CaseDigit(caseIndex);
      g.maxThickness = 0.13;
      g.minThickness = 0.04;
      g.leadFlag = series == 5;
      break;
    case 6:
      g.maxThickCheck = caseIndex % 10;
      g.maxThickness = 0.13;
      g.minThickness = 0.04;
      if (caseIndex >= 21 && caseIndex <= 52) g.termBand = 0.025f;
      if (caseIndex == 61 || caseIndex == 62) g.termBand = 0.03f;
      break;
    case 7:
      g.maxThickCheck = caseIndex == 8 ? 2 : 1;
      g.maxThickness = caseIndex == 1 ? 0.125 : 0.121;
      g.minThickness = 0.03;
      break;
    case 8:
    case 13:
      g.maxThickness = 0.125;
      g.minThickness = 0.03;
      break;
    case 9:
      g.maxThickness = caseIndex == 1 ? 0.125 : 0.12;
      g.minThickness = 0.03;
      break;
    case 10:
    case 11:
      g.maxThickCheck = 5;
      g.maxThickness = 0.11;
      g.minThickness = 0.04;
      break;
    case 14:
    case 15:
      g.maxThickness = 0.06;
      g.termBand = 0.015f;
      break;
    case 16:
      g.maxThickness = 0.067;
      g.termBand = 0.015f;
      break;
    case 17:
      g.maxThickness = 0.08;
      break;
    case 18:
    case 19:
    case 20:
    case 21:
      g.maxThickness = 0.1;
      break;
    case 22:
      g.maxThickness = 0.12;  // TermBand 0.03 for 6 cascades: table 7
      break;
    case 23:
    case 25:
      g.maxThickCheck = 10;
      g.maxThickness = 0.1;  // 0.09 for case 112: table 8
      g.minThickness = 0.05;
      g.termBand = 0.01f;
      break;
    case 24:
      g.maxThickness = 0.11;
      g.termBand = 0.01f;
      break;
    default:
      break;
  }

  // Tables 2 to 8: the geometry by case and cascade count.
  switch (series) {
    case 1:
    case 2:
    case 12:
      for (const PlainRow& row : kLeadedStackRows) {
        if (CaseListContains(row.cases, caseIndex)) {
          TakeRow(g, row);
          break;
        }
      }
      break;
    case 3:
      for (const Series3Row& row : kSeries3Rows) {
        if (row.caseIndex == caseIndex) {
          TakeRow(g, row, kSeries3Counts, AreaCell{}, cascades);
          break;
        }
      }
      break;
    case 4:
    case 5:
      for (const BlockRow& row : kBlockRows) {
        if (caseIndex < row.firstCase || caseIndex > row.lastCase) continue;
        if (series == 5) {
          g.length = row.length;
          g.width = row.width;
          g.termBand = row.termBandSeries5;
          TakeCell(g, row.areas[0]);
        } else {
          g.termBand = cascades == 1 ? row.termBandSeries4OneCascade : row.termBandSeries4;
          TakeRow(g, row, kBlockCounts, row.otherCounts, cascades);
        }
        break;
      }
      break;
    case 6:
    case 7:
    case 9:
    case 10:
    case 11:
      if (const SeriesRow* row = ListedRow(kSeriesRows, series, caseIndex)) TakeRow(g, *row);
      break;
    case 8:
    case 13:
      for (const RadialRow& row : kRadialRows) {
        const int rowCase = series == 8 ? row.series8Case : row.series13Case;
        if (rowCase == 0 || rowCase != caseIndex) continue;
        TakeRow(g, row, kRadialCounts, row.otherCounts, cascades);
        break;
      }
      break;
    case 23:
    case 24:
    case 25:
      if (const StyleRow* row = ListedRow(kStyleRows, series, caseIndex)) {
        TakeRow(g, *row);
        g.maxThickness = row->maxThickness;
      }
      break;
    default:
      for (const ChipRow& row : kChipRows) {
        if (row.series != series) continue;
        TakeRow(g, row, kChipCounts, row.otherCounts, cascades);
        break;
      }
      break;
  }
  // A count the row does not cover leaves the row's values unset.
  if (g.area == 0) {
    g.length = 0;
    g.width = 0;
  }
  return g;
}

bool Covered(const Geometry& g) { return g.length != 0 && g.width != 0 && g.area != 0; }

}  // namespace

std::string UnrecoverableErrorText(int series, int caseIndex, int cascades) {
  const std::string crlf = "\r\n";
  return "An error in program logic led to one of 3 critical variables having a value of zero." +
         crlf + "Program cannot continue." + crlf +
         "Please email the following info to " QUENTA_SUPPORT_ADDRESS + crlf +
         "Type = " + std::to_string(series) + crlf + "Case = " + std::to_string(caseIndex) + crlf +
         "Cascade = " + std::to_string(cascades);
}

bool HasCaseGeometry(int series, int caseIndex, int cascades) {
  return Covered(Compute(series, caseIndex, 0, cascades));
}

void SetModelCoefficients() {
  const Geometry g = Compute(gSelection.SeriesIndex, gSelection.CaseIndex,
                             gSelection.DielectricIndex, gChip.Cascades);
  gCaseGeometry.CaseLength = g.length;
  gCaseGeometry.CaseWidth = g.width;
  gCaseGeometry.TermBand = g.termBand;
  gCaseGeometry.MaxThickCheck = static_cast<int16_t>(g.maxThickCheck);
  gCaseGeometry.MaxThickness = g.maxThickness;
  gCaseGeometry.MinThickness = g.minThickness;
  gCaseGeometry.EffArea = g.area;
  // Worked out afresh for every design, so that a part gives the same
  // results whatever was designed before it.
  gResults.LeadFlag = g.leadFlag ? 1 : 0;

  if (!Covered(g)) {
    ui::msgBox(UnrecoverableErrorText(gSelection.SeriesIndex, gSelection.CaseIndex, gChip.Cascades),
               ui::MsgButtons::Ok, "Unrecoverable Error", ui::MsgIcon::None);
    ui::endProgram();
  }
}

}  // namespace quenta
