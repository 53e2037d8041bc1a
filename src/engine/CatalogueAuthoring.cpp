#include "engine/CatalogueAuthoring.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "catalogue/CapLimits.h"
#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "catalogue/NumberText.h"
#include "engine/DesignRules.h"
#include "engine/ModelCoefficients.h"
#include "engine/DesignOverrides.h"
#include "ui/Headless.h"

namespace quenta::authoring {

namespace {

// ---- What the selection lists offer ---------------------------------------

// Cases offered per series: every case with geometry, except case 7 of the
// leaded stacks (no lead table covers it); the chip sizes and the styles
// only at their own codes.
std::vector<int> CasesOf(int series) {
  std::vector<int> cases;
  if (ChipSizeSeries(series)) return {series + 86};
  if (series == 23 || series == 25) return {109, 110, 112};
  if (series == 24) return {1};
  for (int n = 1; n <= 99; ++n) {
    if ((series == 1 || series == 2 || series == 12) && n == 7) continue;
    if (HasCaseGeometry(series, n, 1)) cases.push_back(n);
  }
  return cases;
}

// Every voltage the voltage list can show for a series, case and
// dielectric, whatever way the user came there.
std::vector<int> VoltagesOf(int series, int caseIndex, int dielectric) {
  const std::vector<int> low = {2, 3, 4, 7};
  const std::vector<int> all = {2, 3, 4, 7, 9, 11, 13, 14, 15};
  switch (series) {
    case 1:
    case 2:
      return {1, 2, 3, 4, 7};  // 25 V in MIL-PRF-49470 entry
    case 3:
      return {9, 11, 13, 14, 15};
    case 4:
      return IsOneOf(caseIndex, {41, 51, 61, 76, 91}) ? all : low;
    case 5:
      // The cases of the short list switch to it; the others keep the
      // series' long list.
      return IsOneOf(caseIndex, {41, 51, 61, 76, 91}) ? all : low;
    case 6:
      return caseIndex == 21 || caseIndex == 22 ? std::vector<int>{1, 2, 3} : low;
    case 7:
    case 12:
      return {1, 2, 3, 4, 7};
    case 8:
      return {8, 9, 10, 11, 12, 13, 14, 15};
    case 9:
      return {1, 2, 3};
    case 10:
    case 11:
      return low;
    case 13:
      return {2, 3, 4, 7, 9, 10, 11, 13};
    case 14:
      return {8, 9};
    case 15:
    case 16:
      return {8, 9, 10, 11};
    case 17:
      return dielectric == 1 ? std::vector<int>{8, 9, 10, 11, 12, 13, 14}
                             : std::vector<int>{8, 9, 10, 11, 12, 13};
    case 18:
    case 19:
      return dielectric == 1 ? std::vector<int>{8, 9, 10, 11, 12, 13, 14}
                             : std::vector<int>{8, 9, 10, 11, 12, 13};
    case 20:
    case 21:
      return dielectric == 1 ? std::vector<int>{8, 9, 10, 11, 12, 13, 14, 15}
                             : std::vector<int>{8, 9, 10, 11, 12, 13};
    case 22:
      return {8, 9, 10, 11, 12, 13, 14, 15};
    case 23:
    case 25:
      return caseIndex == 110 ? std::vector<int>{2, 3} : std::vector<int>{1, 2, 3};
    case 24:
      return {1, 2, 3};
    default:
      return {};
  }
}

// The dielectrics the dielectric list offers at a voltage for a series.
std::vector<int> DielectricsOf(int series, int voltage) {
  if (voltage == 1) {
    if (series == 12) return {1, 2};
    if (series == 1 || series == 7) return {1, 2, 3};
    if (IsOneOf(series, {6, 9, 23, 24, 25})) return {2};
    return {};
  }
  if (voltage >= 2 && voltage <= 7) {
    if (IsOneOf(series, {6, 9, 10, 11, 23, 24, 25})) return {2};
    if (IsOneOf(series, {3, 4, 5, 12})) return {1, 2};
    if (series == 1) return {1, 2, 3, 4};
    return {1, 2, 3};
  }
  if (voltage >= 8 && voltage <= 15) {
    if (series == 3 || series == 8) return {1, 2, 4};
    return {1, 2};
  }
  return {};
}

// ---- Design-rule rows -------------------------------------------------------

// Values for the design-rule file, by dielectric and voltage, borrowed
// from the case-independent rows of the built-in rules (series 4 to 6,
// 12 and 13; for Z5U and N1500 the rows of series 7 and 8). The cascade
// counts stay within what the cases they reach have geometry for: series
// 3 cases 4 and 5 and series 8 cases 1 to 4 have none for 3 or 6.
struct Borrowed {
  int dielectric;
  int voltage;
  design_rules::Cell cell;
};
constexpr Borrowed kBorrowed[] = {
    // C0G: series 4 to 6 (3000 V from series 13).
    {1, 1, {1.2, 1, 5, 1}},  {1, 2, {1.4, 1, 5, 1}},  {1, 3, {1.6, 1, 5, 1}},
    {1, 4, {1.8, 1, 6, 1}},  {1, 7, {1.6, 2, 6, 1}},  {1, 8, {1.6, 2, 6, 1}},
    {1, 9, {1.6, 2, 6, 1}},  {1, 10, {1.8, 2, 6, 1}}, {1, 11, {1.4, 2, 6, 2}},
    {1, 12, {1.8, 2, 6, 2}}, {1, 13, {2, 2, 6, 4}},   {1, 14, {1.4, 2, 7, 4}},
    {1, 15, {1.8, 2, 8, 4}},
    // X7R: series 12 up to 500 V, then series 13 and series 4 to 6 (4000
    // and 5000 V with four cascades).
    {2, 1, {1.5, 1, 3, 1}},  {2, 2, {1.8, 1, 3, 1}},  {2, 3, {1.8, 1, 3, 1}},
    {2, 4, {1.8, 2, 6, 1}},  {2, 7, {1.8, 3, 9, 1}},  {2, 8, {1.8, 3, 8, 1}},
    {2, 9, {1.8, 2, 6, 2}},  {2, 10, {2.4, 2, 6, 2}}, {2, 11, {1.8, 2, 6, 4}},
    {2, 12, {2, 2, 6, 4}},   {2, 13, {1.8, 3, 6, 4}}, {2, 14, {2.4, 2, 6, 4}},
    {2, 15, {2, 3, 8, 4}},
    // Z5U: series 7, cases 1, 3 and 4.
    {3, 1, {1.4, 1, 3, 1}},  {3, 2, {1.8, 1, 3, 1}},  {3, 3, {2.4, 1, 3, 1}},
    {3, 4, {1.4, 2, 6, 1}},  {3, 7, {2.4, 2, 6, 1}},
    // N1500: series 1 up to 500 V, series 8 cases 13 to 15 above.
    {4, 2, {1.5, 1, 5, 1}},  {4, 3, {1.7, 1, 5, 1}},  {4, 4, {2, 1, 6, 1}},
    {4, 7, {1.7, 2, 6, 1}},  {4, 8, {1.3, 2, 6, 1}},  {4, 9, {1.5, 2, 6, 1}},
    {4, 10, {1.3, 2, 6, 2}}, {4, 11, {1.6, 2, 6, 2}}, {4, 12, {2, 2, 6, 2}},
    {4, 13, {1.8, 3, 9, 2}}, {4, 14, {1.8, 2, 6, 4}}, {4, 15, {2, 2, 6, 4}},
};

const design_rules::Cell* BorrowedCell(int dielectric, int voltage) {
  for (const Borrowed& b : kBorrowed) {
    if (b.dielectric == dielectric && b.voltage == voltage) return &b.cell;
  }
  return nullptr;
}

// Thrown by the message-box hook of a trial: any dialog ends the trial.
struct DialogRaised {
  std::string title;
};

std::string CapacitanceField(double uf) { return uf < 0 ? "-1" : FormatGeneral(uf); }

// The case family's commercial limit (µF) where the main window shows the
// Commercial box for the combination (KD and KF, X7R, 50 V), else 0.
int CommercialLimitOf(const Combination& c) {
  if ((c.series != 1 && c.series != 2) || c.dielectric != 2 || c.voltage != 2) return 0;
  return StyleCapLimitFor(c.caseIndex);
}

std::string CombinationName(const Combination& c) {
  return "series " + std::to_string(c.series) + " case " + std::to_string(c.caseIndex) +
         " dielectric " + std::to_string(c.dielectric) + " voltage " + std::to_string(c.voltage);
}

// The surroundings of trial designs: services whose every message box
// ends the trial. Nested scopes share the
// outermost one, so that a whole catalogue derivation sets them up once.
class TrialScope {
 public:
  TrialScope() {
    if (depth_++ > 0) return;
    services_.emplace();
    services_->onMessageBox = [](const ui::MessageBoxRequest& request) -> ui::MsgResult {
      throw DialogRaised{request.title};
    };
    scope_.emplace(*services_);
  }
  ~TrialScope() {
    if (--depth_ > 0) return;
    scope_.reset();
    services_.reset();
  }
  TrialScope(const TrialScope&) = delete;
  TrialScope& operator=(const TrialScope&) = delete;

 private:
  static inline int depth_ = 0;
  static inline std::optional<ui::HeadlessServices> services_;
  static inline std::optional<ui::ScopedServices> scope_;
};

}  // namespace

std::vector<Reachable> ReachableCombinations() {
  std::vector<Reachable> out;
  for (int series = 1; series <= 25; ++series) {
    for (int caseIndex : CasesOf(series)) {
      std::set<std::pair<int, int>> seen;  // (dielectric, voltage)
      for (int dielectric = 1; dielectric <= 4; ++dielectric) {
        for (int voltage : VoltagesOf(series, caseIndex, dielectric)) {
          const std::vector<int> offered = DielectricsOf(series, voltage);
          if (std::find(offered.begin(), offered.end(), dielectric) == offered.end()) continue;
          if (!seen.insert({dielectric, voltage}).second) continue;
          const std::optional<design_rules::Cell> cell =
              design_rules::FindRuleCell(series, caseIndex, voltage, dielectric, false, false);
          const bool dashed = cell && cell->t == 0 && cell->m == 0 && cell->covers == 0 &&
                              cell->cascades == 0;
          out.push_back({{series, caseIndex, dielectric, voltage}, dashed});
        }
      }
    }
  }
  return out;
}

void SetDielectricConstants(int dielectric) {
  gChip.ThicknessScale = 0.68;
  gChip.LengthWidthScale = dielectric == 1 ? 0.82 : 0.83;
  switch (dielectric) {
    case 1: gChip.DielectricK = 17; break;
    case 2: gChip.DielectricK = 475; break;
    case 3: gChip.DielectricK = 2050; break;
    default: gChip.DielectricK = 36; break;
  }
}

std::string ListedText(double uf) {
  if (uf >= 1) return FormatGeneral(uf) + " \u00B5F";
  if (uf >= 0.001) return FormatGeneral(uf * 1000) + " nF";
  return FormatGeneral(uf * 1000000) + " pF";
}

namespace {

// Selects the combination in maker entry, with the Commercial box ticked
// or not and the capacitance picked from the list showing listedText.
void SelectCombination(const Combination& combination, bool commercial,
                       const std::string& listedText) {
  gSelection.Mil123Entry = false;
  gSelection.ManualCapEntry = false;
  gSelection.CommercialTicked = commercial;
  gSelection.ListedCapText = listedText;
  gSelection.SeriesIndex = static_cast<int16_t>(combination.series);
  gSelection.CaseIndex = static_cast<int16_t>(combination.caseIndex);
  gSelection.DielectricIndex = static_cast<int16_t>(combination.dielectric);
  gSelection.VoltageIndex = static_cast<int16_t>(combination.voltage);
  gSelection.CommercialFlag = commercial ? 1 : 0;
}

}  // namespace

namespace {

// Designs what the selection holds now, any dialog ending the trial.
Trial DesignSelected() {
  TrialScope scope;
  Trial trial;
  try {
    trial.outcome = CalcChipDesign();
  } catch (const DialogRaised& raised) {
    trial.dialog = true;
    trial.dialogTitle = raised.title;
  }
  trial.chips = gChip.Chips;
  trial.effectives = gChip.Effectives;
  trial.minEffectives = gChip.MinEffectives;
  trial.allowedChips = gCaseGeometry.MaxThickCheck == 1 ? 1 : gCaseGeometry.MaxThickCheck;
  return trial;
}

}  // namespace

Trial TryDesign(const Combination& combination, double capacitanceUf, bool commercial,
                const std::string& listedText) {
  SelectCombination(combination, commercial, listedText);
  gSelection.Capacitance = capacitanceUf / 1000000.0;
  SetDielectricConstants(combination.dielectric);
  return DesignSelected();
}

Trial TryMil123Design(const Combination& combination, double capacitanceUf) {
  SelectCombination(combination, false, "");
  gSelection.Mil123Entry = true;
  gSelection.Capacitance = capacitanceUf / 1000000.0;
  SetDielectricConstants(combination.dielectric);
  // The decoding of a part number scales every chip alike.
  gChip.LengthWidthScale = 0.83;
  return DesignSelected();
}

std::string Trial::Fault() const {
  if (dialog) return "\"" + dialogTitle + "\"";
  switch (outcome) {
    case ChipDesignOutcome::Designed:
      break;
    case ChipDesignOutcome::CapacitanceTooSmall:
      return "less than one layer";
    case ChipDesignOutcome::InvalidCombination:
      return "no construction";
    case ChipDesignOutcome::TooFewEffectives:
      return "too few effectives";
  }
  if (effectives < minEffectives) return "too few effectives";
  if (chips > allowedChips)
    return std::to_string(chips) + " chips where the case holds " + std::to_string(allowedChips);
  return "";
}

namespace {

// The values of a preferred series, mantissas 10 to 99, from 0.1 pF up.
std::vector<double> PreferredValues(std::initializer_list<const char*> mantissas) {
  std::vector<double> v;
  for (int exponent = -8; exponent <= 2; ++exponent) {
    for (const char* m : mantissas) {
      const std::string text = std::string(m) + "e" + std::to_string(exponent);
      v.push_back(std::strtod(text.c_str(), nullptr));
    }
  }
  return v;
}

// Where the pick-list offers +/-5%, it draws on the E24 series.
bool OffersFivePercent(int dielectric) { return dielectric == 1 || dielectric == 4; }

}  // namespace

const std::vector<double>& E12Values() {
  static const std::vector<double> values =
      PreferredValues({"10", "12", "15", "18", "22", "27", "33", "39", "47", "56", "68", "82"});
  return values;
}

const std::vector<double>& E24Values() {
  static const std::vector<double> values =
      PreferredValues({"10", "11", "12", "13", "15", "16", "18", "20", "22", "24", "27", "30",
                       "33", "36", "39", "43", "47", "51", "56", "62", "68", "75", "82", "91"});
  return values;
}

std::vector<double> OfferedValues(const Combination& combination, double minUf, double maxUf) {
  const bool fivePercent = OffersFivePercent(combination.dielectric);
  std::vector<double> values = {minUf, maxUf};
  constexpr double kHalfPicofarad = 5e-7;
  if (fivePercent && minUf <= kHalfPicofarad && kHalfPicofarad < maxUf)
    values.push_back(kHalfPicofarad);
  for (double value : fivePercent ? E24Values() : E12Values())
    if (value > minUf && value < maxUf) values.push_back(value);
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
  return values;
}

std::vector<std::string> OfferedValueProblems(const std::vector<CapLimit>& limits) {
  TrialScope trials;
  std::vector<std::string> problems;
  for (const CapLimit& l : limits) {
    const Combination& c = l.combination;
    if (l.maxUf <= 0 || c.series >= 23) continue;
    std::string faults;
    auto tryValues = [&](double minUf, double maxUf, bool commercial) {
      // As the list takes them; limits that are no positive numbers offer
      // nothing ("No Capacitance").
      minUf = std::min(minUf, maxUf);
      if (!(minUf > 0) || !std::isfinite(maxUf)) return;
      for (double value : OfferedValues(c, minUf, maxUf)) {
        const std::string fault = TryDesign(c, value, commercial).Fault();
        if (fault.empty()) continue;
        faults += faults.empty() ? ": " : ", ";
        faults += ListedText(value) + (commercial ? " (Commercial)" : "") + " " + fault;
      }
    };
    tryValues(l.minUf, l.maxUf, false);
    // With the Commercial box ticked the list runs up to the case family's
    // commercial limit.
    if (const int family = CommercialLimitOf(c); family > 0) tryValues(l.minUf, family, true);
    if (!faults.empty()) problems.push_back(CombinationName(c) + faults);
  }
  return problems;
}

std::vector<FixedValue> FixedList(int series, int caseIndex, int voltage) {
  if (series == 23 || series == 25) {
    if (caseIndex == 109 && voltage == 1)
      return {{68, "68 \u00B5F"}, {100, "100 \u00B5F"}, {220, "220 \u00B5F"}};
    if (caseIndex == 109 && voltage == 2)
      return {{27, "27 \u00B5F"}, {47, "47 \u00B5F"}, {100, "100 \u00B5F"}};
    if (caseIndex == 109 && voltage == 3)
      return {{14, "14 \u00B5F"}, {22, "22 \u00B5F"}, {47, "47 \u00B5F"}};
    if (caseIndex == 110 && voltage == 2)
      return {{18, "18 \u00B5F"}, {27, "27 \u00B5F"}, {50, "50 \u00B5F"}};
    if (caseIndex == 110 && voltage == 3)
      return {{8.2, "8.2 \u00B5F"}, {12, "12 \u00B5F"}, {22, "22 \u00B5F"}};
    if (caseIndex == 112 && voltage == 1) return {{82, "82 \u00B5F"}};
    if (caseIndex == 112 && voltage == 2) return {{18, "18 \u00B5F"}, {39, "39 \u00B5F"}};
    if (caseIndex == 112 && voltage == 3) return {{8.2, "8.2 \u00B5F"}};
    return {};
  }
  if (series == 24) {
    std::vector<FixedValue> list = {{2.2, "2.2 \u00B5F"}, {3.3, "3.3 \u00B5F"},
                                    {4.7, "4.7 \u00B5F"}, {6.8, "6.8 \u00B5F"},
                                    {10, "10 \u00B5F"},   {15, "15 \u00B5F"},
                                    {22, "22 \u00B5F"}};
    if (voltage == 1) return list;
    if (voltage == 2) return {list.begin(), list.begin() + 5};
    if (voltage == 3) return {list.begin(), list.begin() + 3};
  }
  return {};
}

std::vector<CapLimit> LimitsInForce() {
  std::vector<CapLimit> limits;
  for (int series = 0; series <= 25; ++series)
    for (int caseIndex = 0; caseIndex <= 125; ++caseIndex)
      for (int dielectric = 0; dielectric <= 5; ++dielectric)
        for (int voltage = 0; voltage <= 18; ++voltage) {
          const double maxUf = gCapLimits.MaxCapTable(series, caseIndex, dielectric, voltage);
          if (maxUf == -1) continue;
          limits.push_back({{series, caseIndex, dielectric, voltage},
                            gCapLimits.MinCapTable(series, caseIndex, dielectric, voltage),
                            maxUf});
        }
  return limits;
}

Catalogue BuildCatalogue() {
  TrialScope trials;
  Catalogue cat;
  const std::vector<Reachable> reachable = ReachableCombinations();
  auto problem = [&cat](const std::string& text) { cat.problems.push_back(text); };

  // 1. The design-rule rows: every (dielectric, voltage) where the built-in
  // rules and the special designs leave a value unset for a reachable
  // combination, for both states of the commercial flag.
  std::set<std::pair<int, int>> needed;
  {
    for (const Reachable& r : reachable) {
      const Combination& c = r.combination;
      for (int commercial = 0; commercial <= 1; ++commercial) {
        SelectCombination(c, commercial != 0, "");
        gChip.DielThickness = -1;
        gChip.Mult = gChip.Covers = gChip.Cascades = -1;
        SetDesignRules();
        gCaseGeometry.EffArea = 1;
        ApplySpecialDesignTable(1.0f);
        if (gChip.DielThickness < 0 || gChip.Mult < 0 || gChip.Covers < 0 || gChip.Cascades < 0)
          needed.insert({c.dielectric, c.voltage});
      }
    }
    gSelection.CommercialTicked = false;
  }
  gDesignRules.DesignRule1.Fill(-1);
  gDesignRules.DesignRule2.Fill(-1);
  gDesignRules.DesignRule3.Fill(-1);
  gDesignRules.DesignRule4.Fill(-1);
  for (const auto& [dielectric, voltage] : needed) {
    const design_rules::Cell* cell = BorrowedCell(dielectric, voltage);
    if (!cell) {
      problem("no design-rule values for dielectric " + std::to_string(dielectric) +
              " at voltage " + std::to_string(voltage));
      continue;
    }
    for (int commercial = 0; commercial <= 1; ++commercial) {
      const DesignRuleRow row{dielectric, voltage,   commercial,   cell->t,
                              double(cell->m), double(cell->covers), double(cell->cascades)};
      cat.designRules.push_back(row);
      gDesignRules.DesignRule1(commercial, dielectric, voltage) = static_cast<float>(row.t);
      gDesignRules.DesignRule2(commercial, dielectric, voltage) = static_cast<float>(row.m);
      gDesignRules.DesignRule3(commercial, dielectric, voltage) = static_cast<float>(row.covers);
      gDesignRules.DesignRule4(commercial, dielectric, voltage) = static_cast<float>(row.cascades);
    }
  }

  // Every cascade count a reachable combination gets before the special
  // designs must have geometry for its case.
  for (const Reachable& r : reachable) {
    const Combination& c = r.combination;
    for (int commercial = 0; commercial <= 1; ++commercial) {
      gSelection.SeriesIndex = static_cast<int16_t>(c.series);
      gSelection.CaseIndex = static_cast<int16_t>(c.caseIndex);
      gSelection.DielectricIndex = static_cast<int16_t>(c.dielectric);
      gSelection.VoltageIndex = static_cast<int16_t>(c.voltage);
      gSelection.CommercialFlag = static_cast<int16_t>(commercial);
      gChip.Cascades = static_cast<int>(gDesignRules.DesignRule4(commercial, c.dielectric, c.voltage));
      SetDesignRules();
      if (!HasCaseGeometry(c.series, c.caseIndex, gChip.Cascades))
        problem(CombinationName(c) + ": no geometry for " + std::to_string(gChip.Cascades) +
                " cascades");
    }
  }

  // 2. The capacitance limits: the largest standard value that designs
  // without a dialog within the stack, and the smallest that does so on
  // one chip with every value the pick-list offers between the two
  // designing so too.
  for (const Reachable& r : reachable) {
    const Combination& c = r.combination;
    CapLimit limit{c};
    if (!r.dashed) {
      const bool listText = c.series >= 23;
      // Where the Commercial box is shown, the smallest value must design
      // with the box ticked too (the pick-list then runs from it to the
      // family's commercial limit).
      const bool commercialToo = CommercialLimitOf(c) > 0;
      // The limits are E12 values; the values between them that the list
      // may offer besides (E24) are tried too.
      const std::vector<double>& values =
          !listText && OffersFivePercent(c.dielectric) ? E24Values() : E12Values();
      struct Try {
        double value;
        bool e12;
        Trial trial;
      };
      std::vector<Try> tries;
      int overfull = 0;  // E12 values in a row that need more chips than a stack holds
      for (double value : values) {
        const std::string text = listText ? ListedText(value) : "";
        const Trial t = TryDesign(c, value, false, text);
        const bool e12 = std::binary_search(E12Values().begin(), E12Values().end(), value);
        if (e12) {
          // Larger values only need more chips still.
          overfull = t.outcome != ChipDesignOutcome::CapacitanceTooSmall && !t.dialog &&
                             t.chips > t.allowedChips
                         ? overfull + 1
                         : 0;
          if (overfull == 4) break;
        }
        tries.push_back({value, e12, t});
      }
      double lowest = -1, highest = -1;
      std::size_t top = tries.size();
      while (top > 0 && !(tries[top - 1].e12 && tries[top - 1].trial.Passes())) --top;
      if (top > 0) {
        highest = tries[top - 1].value;
        // The run of values that pass down from the maximum; the fixed
        // lists of series 23 to 25 offer no values in between.
        std::size_t bottom = top - 1;
        if (listText) bottom = 0;
        else
          while (bottom > 0 && tries[bottom - 1].trial.Passes()) --bottom;
        for (std::size_t i = bottom; i < top && lowest < 0; ++i) {
          const Try& t = tries[i];
          if (!t.e12 || !t.trial.Passes() || t.trial.chips != 1) continue;
          const std::string text = listText ? ListedText(t.value) : "";
          const Trial tc = commercialToo ? TryDesign(c, t.value, true, text) : t.trial;
          if (tc.Passes() && tc.chips == 1) lowest = t.value;
        }
      }
      // The fixed lists of series 23 to 25 are offered as they stand: the
      // maximum covers every fixed value that designs without a dialog.
      for (const FixedValue& v : FixedList(c.series, c.caseIndex, c.voltage)) {
        if (TryDesign(c, v.uf, false, v.text).DesignsQuietly()) highest = std::max(highest, v.uf);
      }
      if (lowest > 0 && highest >= lowest) {
        limit.minUf = lowest;
        limit.maxUf = highest;
      }
    }
    cat.limits.push_back(limit);
  }

  // 3. The case positions: for every series the rank of each offered case
  // among that series' offered cases.
  for (auto& row : cat.caseLookup) row.fill(-1);
  for (int series = 1; series <= 22; ++series) {
    std::set<int> offered;
    for (const CapLimit& l : cat.limits)
      if (l.combination.series == series && l.maxUf > 0) offered.insert(l.combination.caseIndex);
    int rank = 0;
    for (int caseIndex : offered) cat.caseLookup[static_cast<std::size_t>(caseIndex)][static_cast<std::size_t>(series)] = static_cast<int16_t>(rank++);
    if (series <= 13 && offered.empty()) problem("series " + std::to_string(series) + " offers no case");
  }

  // 4. The constraints the rest of the program relies on.
  auto limitOf = [&cat](const Combination& c) -> const CapLimit* {
    for (const CapLimit& l : cat.limits)
      if (l.combination == c) return &l;
    return nullptr;
  };
  // The MIL-PRF-49470 parts: series 1, cases 01 to 06 and 91 to 96, 25 to
  // 500 V, C0G and X7R.
  for (int caseIndex : {1, 2, 3, 4, 5, 6, 91, 92, 93, 94, 95, 96}) {
    for (int dielectric : {1, 2}) {
      for (int voltage : {1, 2, 3, 4, 7}) {
        const CapLimit* l = limitOf({1, caseIndex, dielectric, voltage});
        if (!l || l->maxUf <= 0)
          problem("MIL-PRF-49470 part not offered: " +
                  CombinationName({1, caseIndex, dielectric, voltage}));
      }
    }
  }
  // Every value the pick-list offers designs without a dialog.
  for (const std::string& text : OfferedValueProblems(cat.limits)) problem(text);
  // The fixed lists of series 23 to 25 fit their limits and design.
  for (const CapLimit& l : cat.limits) {
    const Combination& c = l.combination;
    for (const FixedValue& v : FixedList(c.series, c.caseIndex, c.voltage)) {
      if (l.maxUf <= 0 || v.uf > l.maxUf || v.uf < l.minUf)
        problem(CombinationName(c) + ": fixed value " + v.text + " outside the limits");
      else if (!TryDesign(c, v.uf, false, v.text).DesignsQuietly())
        problem(CombinationName(c) + ": fixed value " + v.text + " does not design");
    }
  }
  // The commercial limits design with the Commercial box ticked.
  for (const CapLimit& l : cat.limits) {
    const Combination& c = l.combination;
    const int family = CommercialLimitOf(c);
    if (family == 0) continue;
    if (l.maxUf <= 0 || !TryDesign(c, family, true).Passes())
      problem(CombinationName(c) + ": commercial limit " + std::to_string(family) +
              " uF does not design");
  }
  return cat;
}

std::string Catalogue::DesignRuleFile() const {
  std::string out;
  for (const DesignRuleRow& r : designRules) {
    const std::string fields[] = {std::to_string(r.dielectric), std::to_string(r.voltage),
                                  std::to_string(r.commercial), FormatGeneral(r.t),
                                  FormatGeneral(r.m),          FormatGeneral(r.covers),
                                  FormatGeneral(r.cascades)};
    for (const std::string& field : fields) {
      if (&field != fields) out += ',';
      out += field;
    }
    out += '\n';
  }
  return out;
}

namespace {

std::string CapLimitFile(const std::vector<CapLimit>& limits, bool maximum) {
  // One record per series, case and dielectric with any offered voltage.
  std::map<std::tuple<int, int, int>, std::map<int, double>> records;
  for (const CapLimit& l : limits) {
    if (l.maxUf <= 0) continue;
    const Combination& c = l.combination;
    records[{c.series, c.caseIndex, c.dielectric}][c.voltage] = maximum ? l.maxUf : l.minUf;
  }
  static const int kVoltages[16] = {1, 2, 3, 4, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
  std::string out;
  int number = 0;
  for (const auto& [key, values] : records) {
    const auto& [series, caseIndex, dielectric] = key;
    out += std::to_string(++number);
    for (int field : {series, caseIndex, dielectric}) {
      out += ',';
      out += std::to_string(field);
    }
    for (int voltage : kVoltages) {
      const auto it = values.find(voltage);
      out += ',';
      out += CapacitanceField(it == values.end() ? -1 : it->second);
    }
    out += "\n";
  }
  return out;
}

}  // namespace

std::string Catalogue::MaxCapFile() const { return CapLimitFile(limits, true); }

std::string Catalogue::MinCapFile() const { return CapLimitFile(limits, false); }

std::string Catalogue::CaseLookupFile() const {
  std::string out;
  for (std::size_t caseIndex = 1; caseIndex <= 125; ++caseIndex) {
    for (std::size_t series = 1; series <= 22; ++series) {
      if (series > 1) out += ",";
      out += std::to_string(caseLookup[caseIndex][series]);
    }
    out += "\n";
  }
  return out;
}

}  // namespace quenta::authoring
