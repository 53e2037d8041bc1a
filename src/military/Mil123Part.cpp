#include "military/Mil123Part.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/DesignState.h"
#include "catalogue/TextChars.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Results.h"

namespace quenta {

Mil123State gMil123;

namespace {

using Codes = std::vector<std::string>;

Codes Join(std::initializer_list<Codes> parts) {
  Codes all;
  for (const Codes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// Runs of codes that several lists share: 1 pF to 9.1 pF, 300 pF to 1 nF
// and 5.6 nF to 100 nF.
const Codes kBelow10pF = {"1R0", "1R1", "1R2", "1R3", "1R5", "1R6", "1R8", "2R0",
                          "2R2", "2R4", "2R7", "3R0", "3R3", "3R6", "3R9", "4R3",
                          "4R7", "5R1", "5R6", "6R2", "6R8", "7R5", "8R2", "9R1"};
const Codes k300to1000pF = {"301", "331", "361", "391", "431", "471", "511",
                            "561", "621", "681", "751", "821", "911", "102"};
const Codes k5n6to100n = {"562", "682", "822", "103", "123", "153", "183", "223",
                          "273", "333", "393", "473", "563", "683", "823", "104"};

struct CodeList {
  const char* slash;
  const char* characteristic;
  Codes codes;
};

const std::vector<CodeList>& CodeLists() {
  static const std::vector<CodeList> lists = {
      {"A10", "BP",
       Join({kBelow10pF,
             {"100", "110", "120", "130", "150", "160", "180", "200", "220", "240", "270", "300",
              "330", "360", "390", "430", "470", "510", "560", "620", "680", "750", "820", "910",
              "101", "111", "121", "131", "151", "161", "181", "201", "221", "241", "271", "301",
              "331", "361", "391", "471", "511", "561", "621", "681"}})},
      {"A10", "BX",
       {"331", "391", "471", "561", "681", "821", "102", "122", "152", "182", "222", "272",
        "332", "392", "472", "562", "682", "822", "103", "123", "153", "183"}},
      {"A11", "BP",
       Join({k300to1000pF,
             {"112", "122", "132", "152", "162", "182", "202", "222", "242", "272", "302",
              "332"}})},
      {"A11", "BX", k5n6to100n},
      {"A12", "BP", k300to1000pF},
      {"A12", "BX", k5n6to100n},
      {"A13", "BP",
       {"112", "122", "132", "152", "162", "182", "202", "222", "242", "272", "302", "332",
        "362", "392", "432", "472", "512", "562", "622", "682", "752", "822", "912", "103"}},
      {"A13", "BX", {"124", "154", "184", "224", "274", "334", "394", "474", "105"}},
      {"A21", "BP",
       Join({kBelow10pF,
             {"100", "110", "120", "130", "150", "160", "180", "200", "240", "270", "330", "360",
              "390", "430", "470", "510", "560", "620", "680", "750", "820", "910", "101", "111",
              "121", "131", "151", "161", "181", "201", "221", "241", "271"},
             k300to1000pF,
             {"112", "122", "132", "152", "162", "182", "202", "222"}})},
      {"A21", "BX",
       {"472", "562", "682", "822", "103", "123", "153", "183", "223", "273", "333", "393"}},
      {"A22", "BP",
       {"122", "152", "182", "222", "242", "272", "302", "332", "362", "392", "432", "472",
        "512", "562", "622", "682", "752", "822", "912", "103"}},
      {"A22", "BX", {"273", "333", "393", "473", "563", "823", "104", "124", "154", "184"}},
      {"A23", "BP",
       {"392", "472", "512", "562", "622", "682", "752", "822", "912", "103", "113", "123",
        "133", "153", "163", "183", "203", "223"}},
      {"A23", "BX",
       {"563", "683", "823", "104", "124", "154", "184", "224", "274", "334", "394", "474"}},
  };
  return lists;
}

// The tolerance letters and the voltage band of the codes at positions
// first to last (from 1) of a list.
struct ToleranceRow {
  const char* slash;
  const char* characteristic;
  int first;
  int last;
  const char* tol[3];
  const char* band;
};

constexpr ToleranceRow kToleranceRows[] = {
    {"A10", "BP", 1, 24, {"C", "D", "N"}, "BOTH"},
    {"A10", "BP", 25, 34, {"C", "J", "K"}, "BOTH"},
    {"A10", "BP", 35, 64, {"F", "J", "K"}, "BOTH"},
    {"A10", "BP", 65, 68, {"F", "J", "K"}, "LOW"},
    {"A10", "BX", 1, 15, {"K", "N", "N"}, "BOTH"},
    {"A10", "BX", 16, 22, {"K", "N", "K"}, "LOW"},
    {"A11", "BP", 1, 22, {"F", "J", "K"}, "BOTH"},
    {"A11", "BP", 23, 26, {"F", "J", "K"}, "LOW"},
    {"A11", "BX", 1, 9, {"K", "M", "N"}, "BOTH"},
    {"A11", "BX", 10, 16, {"K", "M", "N"}, "LOW"},
    {"A12", "BP", 1, 14, {"F", "J", "K"}, "BOTH"},
    {"A12", "BX", 1, 10, {"K", "N", "N"}, "BOTH"},
    {"A12", "BX", 11, 16, {"K", "N", "N"}, "LOW"},
    {"A13", "BP", 1, 24, {"F", "J", "K"}, "LOW"},
    {"A13", "BX", 1, 9, {"F", "J", "K"}, "LOW"},
    {"A21", "BP", 1, 10, {"B", "C", "N"}, "HIGH"},
    {"A21", "BP", 11, 24, {"B", "C", "D"}, "HIGH"},
    {"A21", "BP", 25, 71, {"F", "J", "K"}, "HIGH"},
    {"A21", "BP", 72, 79, {"F", "J", "K"}, "LOW"},
    {"A21", "BX", 1, 7, {"K", "M", "N"}, "HIGH"},
    {"A21", "BX", 8, 12, {"K", "M", "N"}, "LOW"},
    {"A22", "BP", 1, 12, {"F", "J", "K"}, "HIGH"},
    {"A22", "BP", 13, 20, {"F", "J", "K"}, "LOW"},
    {"A22", "BX", 1, 5, {"K", "M", "N"}, "HIGH"},
    {"A22", "BX", 6, 10, {"K", "M", "N"}, "LOW"},
    {"A23", "BP", 1, 10, {"F", "J", "K"}, "HIGH"},
    {"A23", "BP", 11, 18, {"F", "J", "K"}, "LOW"},
    {"A23", "BX", 1, 6, {"K", "M", "N"}, "HIGH"},
    {"A23", "BX", 7, 12, {"K", "M", "N"}, "LOW"},
};

// The row of the code at a position (from 1) of a list; none outside it.
const ToleranceRow* FindToleranceRow(std::string_view slash, std::string_view characteristic,
                                     int position) {
  for (const ToleranceRow& row : kToleranceRows)
    if (slash == row.slash && characteristic == row.characteristic && position >= row.first &&
        position <= row.last)
      return &row;
  return nullptr;
}

// The filler of the tolerance letters: it stands for no letter and never
// matches the tolerance box.
constexpr const char* kNoLetter = "N";

// The terminations the termination list offers.
constexpr const char* kTerminations[] = {"G", "M", "S", "Z"};

struct Characteristic {
  const char* text;
  int16_t dielectric;
  double dielectricK;
  const char* makerLetter;
  const char* reportText;
};
constexpr Characteristic kCharacteristics[] = {{"BP", 1, 17, "A", "C0G"},
                                               {"BX", 2, 475, "C", "X7R"}};

struct VoltageLetter {
  const char* letter;
  double curveVoltMax;
  const char* makerDigit;
  const char* reportText;
};
constexpr VoltageLetter kVoltageLetters[] = {{"B", 50, "5", "50"}, {"C", 100, "1", "100"}};

// Both voltage letters design with the rules of the 600 V row.
constexpr int16_t kDesignVoltageIndex = 8;

const Mil123Slash* FindSlash(const std::string& text) {
  for (const Mil123Slash& s : Mil123Slashes())
    if (text == s.slash) return &s;
  return nullptr;
}

const Characteristic* FindCharacteristic(const std::string& text) {
  for (const Characteristic& c : kCharacteristics)
    if (text == c.text) return &c;
  return nullptr;
}

const VoltageLetter* FindVoltage(const std::string& text) {
  for (const VoltageLetter& v : kVoltageLetters)
    if (text == v.letter) return &v;
  return nullptr;
}

bool KnownTermination(const std::string& text) {
  for (const char* t : kTerminations)
    if (text == t) return true;
  return false;
}

// Ends the decoding of a part that does not exist: the label shows, and
// nothing of the last part stays on the panel, its PIN included.
void Invalid(MainForm& f) {
  f.Label4.setVisible(true);
  f.T_Mil_Prf.setText("");
  ClearResults();
}

}  // namespace

const std::vector<Mil123Slash>& Mil123Slashes() {
  static const std::vector<Mil123Slash> slashes = {
      {"A10", 14, 100, "0805"}, {"A11", 16, 102, "1210"}, {"A12", 17, 103, "1808"},
      {"A13", 21, 107, "2225"}, {"A21", 15, 101, "1206"}, {"A22", 18, 104, "1812"},
      {"A23", 19, 105, "1825"}};
  return slashes;
}

const std::vector<std::string>& Mil123Codes(const std::string& slash,
                                            const std::string& characteristic) {
  static const std::vector<std::string> none;
  for (const CodeList& list : CodeLists())
    if (slash == list.slash && characteristic == list.characteristic) return list.codes;
  return none;
}

std::string Mil123CapacitanceText(const std::string& code) {
  if (code.size() != 3) return "";
  const char c1 = code[0], c2 = code[1], c3 = code[2];
  const std::string digits = code.substr(0, 2);
  if (c2 == 'R') return std::string{c1, '.', c3} + " pF";
  switch (c3) {
    case '0': return digits + " pF";
    case '1': return digits + "0 pF";
    case '2':
      if (c2 == '0') return std::string(1, c1) + " nF";
      return std::string{c1, '.', c2} + " nF";
    case '3': return digits + " nF";
    case '4': return digits + "0 nF";
    case '5': return std::string(1, c1) + " uF";
    default: return "";
  }
}

void HandleMil123Part() {
  MainForm& f = F_QuentaMainForm();
  DesignSelection& sel = gSelection;
  Mil123State& m = gMil123;
  sel.PartNumberText.clear();
  m.Mil123CapCodes.clear();
  m.Mil123CapCode.clear();
  m.Mil123TolBand.clear();

  // The temperature limits and scales of every MIL-PRF-123 chip.
  gChip.ThicknessScale = 0.68;
  gChip.LengthWidthScale = 0.83;
  SetOrdinaryTempLimits(20);

  // Every text must name an entry of its list: a typed text that matches
  // none would leave the part half of an earlier one.
  // The slash sheet is the first three characters of its list text.
  const std::string sheetText = f.Combo1.text();
  const Mil123Slash* slash = FindSlash(sheetText.substr(0, ui::CharOffset(sheetText, 3)));
  const Characteristic* characteristic = FindCharacteristic(f.Combo2.text());
  if (!slash || !characteristic || !FindVoltage(f.CB_Type_V.text()) ||
      !KnownTermination(f.CB_Type_L.text())) {
    Invalid(f);
    return;
  }

  sel.SeriesIndex = slash->series;
  sel.CaseIndex = slash->caseIndex;
  sel.DielectricIndex = characteristic->dielectric;
  gChip.DielectricK = characteristic->dielectricK;
  if (characteristic->dielectric == 1) gResults.DielBPFlag = 1;
  else gResults.DielBXFlag = 1;
  f.LineFreqText.setVisible(characteristic->dielectric == 2);

  m.Mil123CapCodes = Mil123Codes(slash->slash, characteristic->text);
  if (std::string(slash->slash) == "A10" && characteristic->dielectric == 1) gChip.Cascades = 2;

  // A lower-case "r" typed as the decimal point of a small value.
  const std::string typed = f.T_Cap_c.text();
  if (CharCount(typed) >= 2 && typed[1] == 'r')
    f.T_Cap_c.setText(typed.substr(0, 1) + "R" + RightChars(typed, 1));

  const std::string code = f.T_Cap_c.text();
  const Codes& codes = m.Mil123CapCodes;
  const auto found = std::find(codes.begin(), codes.end(), code);
  const ToleranceRow* row =
      found == codes.end()
          ? nullptr
          : FindToleranceRow(slash->slash, characteristic->text,
                             static_cast<int>(found - codes.begin()) + 1);
  if (!row) {
    Invalid(f);
    return;
  }
  m.Mil123CapCode = code;
  m.Mil123Tol1 = row->tol[0];
  m.Mil123Tol2 = row->tol[1];
  m.Mil123Tol3 = row->tol[2];
  m.Mil123TolBand = row->band;

  // The voltage letter the code exists in; the corrected letter is the one
  // this run designs with.
  if (f.CB_Type_V.text() == "C" && m.Mil123TolBand == "LOW") f.CB_Type_V.setText("B");
  if (f.CB_Type_V.text() == "B" && m.Mil123TolBand == "HIGH") f.CB_Type_V.setText("C");
  const VoltageLetter& voltage = *FindVoltage(f.CB_Type_V.text());
  sel.VoltageIndex = kDesignVoltageIndex;
  gCurve.CurveVoltMax = voltage.curveVoltMax;
  sel.VoltageText = "600";
  f.Label4.setVisible(false);

  // The tolerance letter: the chosen one when the code allows it, else the
  // code's first.
  const std::string chosen = f.CB_Type_T.text();
  if (chosen != kNoLetter &&
      (chosen == m.Mil123Tol1 || chosen == m.Mil123Tol2 || chosen == m.Mil123Tol3)) {
    m.Mil123Tol = chosen;
  } else {
    m.Mil123Tol = m.Mil123Tol1;
    f.CB_Type_T.setText(m.Mil123Tol1);
  }

  sel.PartNumberText = std::string(slash->size) + voltage.makerDigit +
                       characteristic->makerLetter + m.Mil123CapCode + m.Mil123Tol;
  f.T_Mil_Prf.setText("M123" + std::string(slash->slash) + characteristic->text +
                      voltage.letter + m.Mil123CapCode + m.Mil123Tol + f.CB_Type_L.text());
  sel.CapacitanceText = Mil123CapacitanceText(m.Mil123CapCode);
  m.ReportVoltage = voltage.reportText;
  m.ReportDielectric = characteristic->reportText;
  f.Command6.setVisible(true);
}

}  // namespace quenta
