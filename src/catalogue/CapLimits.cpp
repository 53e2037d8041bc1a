#include "catalogue/CapLimits.h"

#include <cmath>
#include <string>

#include "catalogue/CapEntry.h"
#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "catalogue/NumberText.h"
#include "engine/Calculate.h"
#include "mainwindow/CapacitanceList.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Results.h"
#include "mainwindow/UiState.h"

namespace quenta {

namespace {

constexpr int16_t kTrue = -1;

// The catalogue maximum in µF for the selection with this case; -1 (not
// offered) for indices outside the table.
double ListedMaximum(int caseIndex) {
  const DesignSelection& s = gSelection;
  if (!CapLimitTables::CapTable::Contains(s.SeriesIndex, caseIndex, s.DielectricIndex,
                                          s.VoltageIndex))
    return -1;
  return gCapLimits.MaxCapTable(s.SeriesIndex, caseIndex, s.DielectricIndex, s.VoltageIndex);
}

// The capacitance shown on the main window, in farads. A typed number too
// large to hold reads as 0, as a text without a number does: no results,
// and no dialog quoting an infinite value.
double ShownCapacitance(const MainForm& f) {
  if (f.CK_ManCap.value() == ui::CheckBox::Checked) {
    const double typed = LeadingNumber(f.T_Capacitance.text()) / 1000000;
    return std::isfinite(typed) ? typed : 0;
  }
  std::string text = f.CB_Cap.text();
  return LeadingNumber(CapTextToMicrofarads(text)) / 1000000;
}

// The capacitance read from the window, in µF, as the too-large message
// quotes it: in its general text form, or, for a typed number whose value in
// µF lies beyond the double range, the number as typed.
std::string EnteredMicrofaradsText(const MainForm& f) {
  const double microfarads = gSelection.Capacitance * 1000000;
  if (std::isfinite(microfarads) || f.CK_ManCap.value() != ui::CheckBox::Checked)
    return FormatGeneral(microfarads);
  return std::string(LeadingNumberText(f.T_Capacitance.text()));
}

// The lowest-numbered case from 1 to 99 whose maximum lies above the
// capacitance (a maximum equal to it does not count); 99 when none does.
int SmallestHoldingCase() {
  int best = 99;
  for (int c = 99; c >= 1; --c) {
    const double m = ListedMaximum(c) / 1000000;
    if (m > 0 && m > gSelection.Capacitance && c < best) best = c;
  }
  return best;
}

}  // namespace

int StyleCapLimitFor(int caseIndex) {
  switch (caseIndex) {
    case 1: case 51: case 91: return 130;
    case 2: case 52: case 92: return 200;
    case 3: case 53: case 93: return 90;
    case 4: case 54: case 94: return 36;
    case 5: case 55: case 95: return 12;
    case 6: case 56: case 96: return 400;
    default: return 0;
  }
}

bool CheckCapTooLarge() {
  MainForm& f = F_QuentaMainForm();
  gSelection.Capacitance = ShownCapacitance(f);

  // The case row: the chosen case, or while the case is still open the
  // highest listed one.
  int row = 0;
  if (gCapLimits.CapSearchAllRows) {
    row = gSelection.CaseIndex;
  } else {
    for (int c = 120; c >= 1; --c) {
      if (ListedMaximum(c) > 0) {
        row = c;
        break;
      }
    }
  }
  double maximum = ListedMaximum(row) / 1000000;
  if (f.CK_Comm.visible() && f.CK_Comm.value() == ui::CheckBox::Checked)
    maximum = StyleCapLimit() / 1000000.0;

  if (!(maximum > 0)) {
    gUiState.InvalidCombination = kTrue;
    return true;
  }

  const bool searchAllRows = gCapLimits.CapSearchAllRows;
  while (gSelection.Capacitance > maximum) {
    const std::string message =
        "You have entered a capacitance \r(" + EnteredMicrofaradsText(f) +
        "\u00B5F ) that is too large for this part. Maximum listed capacitance for this part is " +
        FormatGeneral(maximum * 1000000) +
        "\u00B5F. Please enter a capacitance that is smaller (or equal to) the max value.";
    const CapEntryResult answer =
        ShowCapEntry(maximum * 1000000, 0, "Maximum Capacitance Exceeded!", message);
    if (answer != CapEntryResult::Accepted) {
      gCapLimits.CapSearchAllRows = searchAllRows;
      return false;
    }
    gSelection.Capacitance = gSelection.Capacitance / 1000000;
  }
  gCapLimits.CapSearchAllRows = searchAllRows;

  // A series just chosen: the case follows the capacitance. Selecting it
  // runs the case handler, which fixes the case from now on and rebuilds
  // the pick-list on its largest value; the entry being calculated is put
  // back, so that the list shows the capacitance of the results.
  if (!gCapLimits.CapSearchAllRows) {
    const int best = SmallestHoldingCase();
    const int series = gSelection.SeriesIndex;
    if (series < 14 && CapLimitTables::LookupTable::Contains(best, series)) {
      const bool fromList = f.CK_ManCap.value() != ui::CheckBox::Checked;
      const std::string picked = f.CB_Cap.text();
      f.CB_Case.setListIndex(gCapLimits.CaseLookup(best, series));
      if (fromList) {
        const int entry = f.CB_Cap.findExact(picked);
        if (entry >= 0 && entry != f.CB_Cap.listIndex()) f.CB_Cap.setListIndex(entry);
      }
    }
  }
  return true;
}

void CheckCapTooSmall() {
  MainForm& f = F_QuentaMainForm();
  gChip.FewEffectivesAccepted = 0;

  // A military part's capacitance comes from its part number: a new value
  // would be replaced at once, so the part is reported as invalid.
  if (f.OB_MIL123.value() || f.OB_Mil_Prf.value()) {
    ClearResults();
    (f.OB_MIL123.value() ? f.Label4 : f.L_Invalid_Mil).setVisible(true);
    return;
  }

  const double maximum = ListedMaximum(gSelection.CaseIndex);  // µF as listed
  const double entered = gSelection.Capacitance * 1000000;
  const std::string message =
      "You have entered a capacitance\r(" + FormatGeneral(entered) +
      "\u00B5F ) that is too small for this part. Maximum listed capacitance for this part is " +
      FormatGeneral(maximum) +
      "\u00B5F. Please enter a capacitance that is smaller (or equal to) the max value and "
      "larger than the one you just entered.";
  // Only a value above the one entered helps: the same value again would
  // come straight back here.
  switch (ShowCapEntry(maximum, entered, "Way Too Small!", message, LowerBound::Exclusive)) {
    case CapEntryResult::NoAdmissibleValue:
      gUiState.InvalidCombination = kTrue;
      return;
    case CapEntryResult::Cancelled:
      return;
    case CapEntryResult::Accepted:
      gSelection.Capacitance = gSelection.Capacitance / 1000000;
      Calculate();
      return;
  }
}

}  // namespace quenta
