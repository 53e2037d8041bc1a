#include "mainwindow/SelectionCascade.h"

#include <initializer_list>
#include <string>
#include <vector>

#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "mainwindow/CapacitanceList.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Results.h"
#include "mainwindow/UiState.h"

namespace quenta {

namespace {

using Texts = std::vector<std::string>;

// The item code of the selected entry; false when nothing is selected.
bool selectedCode(const ui::DropDownList& list, int16_t& code) {
  if (list.listIndex() < 0) return false;
  code = list.itemData(list.listIndex());
  return true;
}

// A choice of the cascade puts another part in place of the one
// calculated: its results go, and so does the series picture that stood
// beside them (Calculate shows the new part's).
void clearResultsOfChoice(MainForm& f) {
  ClearResults();
  ui::setVisible({&f.Picture2, &f.Picture3}, false);
}

void resetDesignFlags() {
  gChip.FewEffectivesAccepted = 0;
  gChip.NonStandardDesign = 0;
}

// Refills the voltage list with its codes, without selecting anything.
void fillVoltages(const Texts& volts) {
  ui::DropDownList& list = F_QuentaMainForm().CB_Volt;
  list.clear();
  for (const std::string& v : volts) list.addItem(v, static_cast<int16_t>(VoltageCode(v)));
}

// Selects the first voltage, which runs the voltage handler.
void selectFirstVoltage() {
  ui::DropDownList& list = F_QuentaMainForm().CB_Volt;
  if (list.listCount() > 0) list.setText(list.list(0));
}

const Texts kVolts50to500 = {"50", "100", "200", "500"};
const Texts kVolts25to500 = {"25", "50", "100", "200", "500"};
const Texts kVolts25to100 = {"25", "50", "100"};
const Texts kVolts50to5000 = {"50", "100", "200", "500", "1000", "2000", "3000", "4000", "5000"};
const Texts kVolts600to3000 = {"600", "1000", "1500", "2000", "2500", "3000"};

Texts plus(Texts base, std::initializer_list<const char*> more) {
  for (const char* v : more) base.emplace_back(v);
  return base;
}

// The voltage step of the series handler.
void seriesVoltages(MainForm& f, int series) {
  auto fill = [](const Texts& volts, int code) {
    fillVoltages(volts);
    if (code != 0) gSelection.VoltageIndex = static_cast<int16_t>(code);
    selectFirstVoltage();
  };
  const int16_t dielectric = gSelection.DielectricIndex;
  switch (series) {
    case 1:
    case 2:
      if (f.OB_Mil_Prf.value()) fill(kVolts25to500, 0);
      else fill(kVolts50to500, 2);
      break;
    case 3: fill({"1000", "2000", "3000", "4000", "5000"}, 9); break;
    case 4:
    case 5: fill(kVolts50to5000, 2); break;
    case 6: fill(kVolts50to500, 2); break;
    case 7: fill(kVolts25to500, 1); break;
    case 8: fill({"600", "1000", "1500", "2000", "2500", "3000", "4000", "5000"}, 8); break;
    case 9: fill(kVolts25to100, 1); break;
    case 10:
    case 11:
      fillVoltages(kVolts50to500);
      gSelection.CaseIndex = 3;
      gSelection.DielectricIndex = 2;
      selectFirstVoltage();
      break;
    case 12: break;  // the case handler builds the list
    case 13: fill({"50", "100", "200", "500", "1000", "1500", "2000", "3000"}, 2); break;
    case 14: fill({"600", "1000"}, 8); break;
    case 15:
    case 16:
    case 17: fill({"600", "1000", "1500", "2000"}, 8); break;
    case 18:
    case 19: fill(dielectric == 1 ? plus(kVolts600to3000, {"4000"}) : kVolts600to3000, 8); break;
    case 20:
    case 21:
      fill(dielectric == 1 ? plus(kVolts600to3000, {"4000", "5000"}) : kVolts600to3000, 8);
      break;
    case 22: fill(plus(kVolts600to3000, {"4000", "5000"}), 8); break;
    case 23:
    case 25: {
      f.CK_ManCap.setVisible(false);
      // By the case the list still shows (the previous selection's).
      const std::string caseText = f.CB_Case.text();
      if (caseText == "10") fill(kVolts25to100, 1);
      if (caseText == "12") fill({"50", "100"}, 2);
      if (caseText == "20") fill(kVolts25to100, 1);
      break;
    }
    case 24:
      f.CK_ManCap.setVisible(false);
      f.CB_Case.setVisible(false);
      f.Text1.setVisible(true);
      f.Text1.setText("V1");
      fill(kVolts25to100, 1);
      break;
    default: break;
  }
}

// The case step of the series handler.
void seriesCases(MainForm& f, int series) {
  ui::DropDownList& list = f.CB_Case;
  list.clear();
  if (series >= 1 && series <= 13) {
    for (int n = 1; n <= 99; ++n) {
      if (gCapLimits.CaseLookup(n, series) == -1) continue;
      // Series 10 to 13 show their case numbers without a leading zero.
      const std::string text = series <= 9 ? gCodes.CaseCode[static_cast<std::size_t>(n)]
                                           : std::to_string(n);
      list.addItem(text, static_cast<int16_t>(n));
    }
    if (list.listCount() == 0) {
      // The catalogue offers this series no case: nothing to select, and
      // no case code that would find capacitances of another series' case.
      gSelection.CaseIndex = 0;
      return;
    }
    gSelection.CaseIndex = list.itemData(0);
    list.setText(list.list(0));
    return;
  }
  if (ChipSizeSeries(series) || series == 24) {
    static const char* const kChipSizes[] = {"0805", "1206", "1210", "1808", "1812",
                                             "1825", "2220", "2225", "3640"};
    if (series == 24) list.addItem("01", 1);
    else list.addItem(kChipSizes[series - 14], static_cast<int16_t>(100 + series - 14));
    gSelection.CaseIndex = list.itemData(0);
    list.setText(list.list(0));
    list.setEnabled(false);
    return;
  }
  if (series == 23 || series == 25) {
    for (int n : {10, 12, 20})
      list.addItem(gCodes.CaseCode[static_cast<std::size_t>(n)], static_cast<int16_t>(n));
    list.setText(list.list(0));
  }
}

const int kCasesPJFull[] = {41, 51, 61, 76, 91};
const int kCasesPJPYShort[] = {42, 43, 44, 52, 53, 54, 62, 63, 64, 71, 72, 73, 74, 77,
                               78, 79, 81, 82, 83, 84, 86, 87, 88, 89, 92, 93, 94};

template <std::size_t N>
bool contains(const int (&values)[N], int value) {
  for (int v : values)
    if (v == value) return true;
  return false;
}

// The dielectrics a series offers at a voltage code.
Texts dielectricsFor(int voltage, int series) {
  if (voltage == 1) {
    if (series == 12) return {"C0G", "VHT"};
    if (IsOneOf(series, {1, 7})) return {"C0G", "X7R", "Z5U"};
    if (IsOneOf(series, {6, 9, 23, 24, 25})) return {"X7R"};
    return {};
  }
  if (voltage >= 2 && voltage <= 7) {
    if (IsOneOf(series, {6, 9, 10, 11, 23, 24, 25})) return {"X7R"};
    if (IsOneOf(series, {4, 5})) return {"C0G", "X7R"};
    if (IsOneOf(series, {3, 12})) return {"C0G", "VHT"};
    if (series == 1) return {"C0G", "X7R", "Z5U", "N1500"};
    return {"C0G", "X7R", "Z5U"};
  }
  if (voltage >= 8 && voltage <= 15) {
    if (IsOneOf(series, {3, 8})) return {"C0G", "X7R", "N1500"};
    return {"C0G", "X7R"};
  }
  return {};
}

int16_t dielectricCode(const std::string& text) {
  if (text == "C0G") return 1;
  if (text == "X7R" || text == "VHT") return 2;
  if (text == "Z5U") return 3;
  if (text == "N1500") return 4;
  return 0;
}

struct Tolerance {
  const char* text;
  int16_t code;
};
constexpr Tolerance kTol5{"+/-5%", 1};
constexpr Tolerance kTol10{"+/-10%", 2};
constexpr Tolerance kTol20{"+/-20%", 3};
constexpr Tolerance kTol80{"+80/-20%", 4};
constexpr Tolerance kTolGmv{"GMV", 5};

void fillTolerances(std::initializer_list<Tolerance> items) {
  ui::DropDownList& list = F_QuentaMainForm().CB_Tolerance;
  list.clear();
  for (const Tolerance& t : items) list.addItem(t.text, t.code);
}

// Selects a tolerance entry by position, which runs the tolerance handler.
void selectTolerance(int position) {
  ui::DropDownList& list = F_QuentaMainForm().CB_Tolerance;
  if (position < list.listCount()) list.setText(list.list(position));
}

// The dielectric handler's rewrite of the voltage list for the chip
// series: the voltage handler stays silent, and the entry at the same
// position is selected again (moved down to "3000" where X7R stops).
void rewriteVoltages(MainForm& f, const Texts& volts, bool x7r) {
  gUiState.VoltChangeByDielectric = 1;
  int position = f.CB_Volt.listIndex();
  if (x7r) {
    int down = position == 8 ? 3 : position == 7 ? 2 : position == 6 ? 1 : 0;
    position -= down;
    gSelection.VoltageIndex = static_cast<int16_t>(gSelection.VoltageIndex - down);
  }
  fillVoltages(volts);
  if (position >= 0 && position < f.CB_Volt.listCount()) f.CB_Volt.setText(f.CB_Volt.list(position));
  gUiState.VoltChangeByDielectric = 0;
}

}  // namespace

int VoltageCode(const std::string& text) {
  static const struct {
    const char* text;
    int code;
  } kCodes[] = {{"25", 1},    {"50", 2},    {"100", 3},   {"200", 4},   {"500", 7},
                {"600", 8},   {"1000", 9},  {"1500", 10}, {"2000", 11}, {"2500", 12},
                {"3000", 13}, {"4000", 14}, {"5000", 15}};
  for (const auto& c : kCodes)
    if (text == c.text) return c.code;
  return 0;
}

void CB_Type_Click() {
  MainForm& f = F_QuentaMainForm();
  f.Text1.setVisible(false);
  f.CB_Case.setVisible(true);
  gCapLimits.CapSearchAllRows = false;
  resetDesignFlags();
  gSelection.CommercialFlag = 0;
  gResults.LeadFlag = 0;
  f.CB_Case.setEnabled(true);
  int16_t series = 0;
  if (!selectedCode(f.CB_Type, series)) return;
  gSelection.SeriesIndex = series;
  clearResultsOfChoice(f);
  f.CK_ManCap.setVisible(true);
  f.Command6.setVisible(false);
  seriesVoltages(f, series);
  seriesCases(f, series);
  FillCapacitanceList();
}

void CB_Case_Click() {
  MainForm& f = F_QuentaMainForm();
  const int series = gSelection.SeriesIndex;
  if (series > 13 && series < 23) {
    // The single-chip series have one case: only the allowed rise changes.
    gTemps.TempRiseMax = 20;
    return;
  }
  clearResultsOfChoice(f);
  gCapLimits.CapSearchAllRows = true;
  resetDesignFlags();
  int16_t code = 0;
  if (!selectedCode(f.CB_Case, code)) return;
  gSelection.CaseIndex = code;
  const std::string caseText = f.CB_Case.text();
  gSelection.CaseText = caseText;

  auto fill = [](const Texts& volts, int voltageCode) {
    fillVoltages(volts);
    gSelection.VoltageIndex = static_cast<int16_t>(voltageCode);
    selectFirstVoltage();
  };
  if (series == 12) fill(kVolts25to500, 1);
  // PJ and PY alike: the list is the case's own, whatever case came before.
  if ((series == 4 || series == 5) && contains(kCasesPJFull, code)) fill(kVolts50to5000, 2);
  if ((series == 4 || series == 5) && contains(kCasesPJPYShort, code)) fill(kVolts50to500, 2);
  if (series == 6) {
    if (caseText == "22" || caseText == "21") fill(kVolts25to100, 1);
    else fill(kVolts50to500, 2);
  }
  if (series == 23 || series == 25) {
    // The nested handlers still see the item code; the style code follows.
    if (caseText == "10") {
      fill(kVolts25to100, 1);
      gSelection.CaseIndex = 112;
    }
    if (caseText == "12") {
      fill({"50", "100"}, 2);
      gSelection.CaseIndex = 110;
    }
    if (caseText == "20") {
      fill(kVolts25to100, 1);
      gSelection.CaseIndex = 109;
    }
  }
  FillCapacitanceList();
}

void CB_Volt_Click() {
  if (gUiState.VoltChangeByDielectric != 0) return;
  MainForm& f = F_QuentaMainForm();
  clearResultsOfChoice(f);
  resetDesignFlags();
  int16_t voltage = 0;
  if (!selectedCode(f.CB_Volt, voltage)) return;
  gSelection.VoltageIndex = voltage;
  f.CB_Dielectric.clear();
  for (const std::string& d : dielectricsFor(voltage, gSelection.SeriesIndex))
    f.CB_Dielectric.addItem(d, dielectricCode(d));
  if (f.CB_Dielectric.listCount() > 0) {
    gSelection.DielectricIndex = f.CB_Dielectric.itemData(0);
    f.CB_Dielectric.setText(f.CB_Dielectric.list(0));
  }
  FillCapacitanceList();
}

void CB_Dielectric_Click() {
  MainForm& f = F_QuentaMainForm();
  f.Label10.setVisible(false);
  f.Timer2.setEnabled(false);
  clearResultsOfChoice(f);
  resetDesignFlags();
  f.CB_Tolerance.clear();
  int16_t dielectric = 0;
  if (!selectedCode(f.CB_Dielectric, dielectric)) return;
  gSelection.DielectricIndex = dielectric;
  f.LineFreqText.setVisible(VoltageDependentDielectric(dielectric));

  gChip.ThicknessScale = 0.68;
  gChip.LengthWidthScale = 0.83;
  gResults.DielBPFlag = 0;
  gResults.DielBXFlag = 0;
  f.CK_Comm.setVisible(false);

  const int series = gSelection.SeriesIndex;
  const Texts volts600to4000 = plus(kVolts600to3000, {"4000"});
  switch (dielectric) {
    case 1:
      fillTolerances({kTol5, kTol10, kTol20});
      gChip.ThicknessScale = 0.68;
      gChip.LengthWidthScale = 0.82;
      gResults.DielBPFlag = 1;
      gSelection.ToleranceIndex = 2;
      gChip.DielectricK = 17;
      if (series >= 17 && series <= 19) rewriteVoltages(f, volts600to4000, false);
      if (series >= 20 && series <= 22) rewriteVoltages(f, plus(volts600to4000, {"5000"}), false);
      selectTolerance(1);
      break;
    case 2:
      // Unticking raises the Commercial box's own handler when it was
      // ticked.
      f.CK_Comm.setValue(ui::CheckBox::Unchecked);
      f.CK_Comm.setVisible(false);
      if (series == 10 || series == 11) fillTolerances({kTol10, kTol20});
      else fillTolerances({kTol10, kTol20, kTol80});
      gResults.DielBXFlag = 1;
      if (!f.OB_Mil_Prf.value() && gSelection.VoltageIndex == 2 && (series == 1 || series == 2))
        f.CK_Comm.setVisible(true);
      gSelection.ToleranceIndex = 3;
      if (series >= 17 && series <= 21) rewriteVoltages(f, kVolts600to3000, true);
      if (series == 23 || series == 25) {
        fillTolerances({kTol20});
        selectTolerance(0);
      } else {
        selectTolerance(1);
      }
      if (series == 6 || series == 24) {
        fillTolerances({kTol10, kTol20});
        selectTolerance(0);
      }
      break;
    case 3:
      f.Timer2.setEnabled(true);
      fillTolerances({kTol80, kTolGmv});
      gSelection.ToleranceIndex = 4;
      gChip.DielectricK = 2050;
      selectTolerance(0);
      break;
    default:
      fillTolerances({kTol5, kTol10, kTol20});
      gResults.DielBPFlag = 1;
      gSelection.ToleranceIndex = 2;
      gChip.DielectricK = 36;
      selectTolerance(1);
      break;
  }
  FillCapacitanceList();
}

void CB_Tolerance_Click() {
  MainForm& f = F_QuentaMainForm();
  clearResultsOfChoice(f);
  resetDesignFlags();
  int16_t tolerance = 0;
  if (!selectedCode(f.CB_Tolerance, tolerance)) return;
  gSelection.ToleranceIndex = tolerance;
  FillCapacitanceList();
}

}  // namespace quenta
