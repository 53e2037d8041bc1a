#include "mainwindow/CapacitanceChecks.h"

#include <string>

#include "catalogue/CapEntry.h"
#include "catalogue/CapLimits.h"
#include "catalogue/DesignState.h"
#include "mainwindow/Calculate.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Results.h"
#include "mainwindow/UiState.h"

namespace quenta {

namespace {
constexpr int16_t kTrue = -1;

// The user who asked for the run is asked again; a run that a change
// started does not repeat the question the user has just declined (each
// key typed elsewhere or scroll step would bring it back).
Asking AskingForRun() { return UserAskedRun() ? Asking::Always : Asking::UnlessDeclined; }
}  // namespace

bool CheckShownCapacitance() {
  MainForm& f = F_QuentaMainForm();
  ShownCapacitance shown;
  shown.manual = f.CK_ManCap.value() == ui::CheckBox::Checked;
  shown.typedText = f.T_Capacitance.text();
  shown.listedText = f.CB_Cap.text();
  shown.commercialLimit = f.CK_Comm.visible() && f.CK_Comm.value() == ui::CheckBox::Checked;
  const CapTooLargeResult result = CheckCapTooLarge(shown, AskingForRun());
  switch (result.outcome) {
    case CapTooLargeOutcome::Cancelled:
      // Nothing was designed: nothing this run has shown so far (the
      // internal temperature) stays, and Print and Graph stay off.
      ClearResults();
      return false;
    case CapTooLargeOutcome::NotACapacitance:
      // The run ends without results. A run the user asked for says why,
      // and hands the manual box (in maker entry, where the user types it)
      // back with its text selected, as the re-entry dialog does after its
      // refusals: the correction typed next replaces the text, and Enter
      // sends it. A run that a change started (the user typing elsewhere, a
      // scroll bar) ends silently, the focus left where the user has it.
      ClearResults();
      if (UserAskedRun()) {
        SayNotACapacitance(shown.typedText);
        if (f.OB_Part_Num.value() && f.T_Capacitance.visible() && f.T_Capacitance.enabled())
          f.T_Capacitance.focusWithTextSelected();
      }
      return false;
    case CapTooLargeOutcome::NoMaximum:
      gUiState.InvalidCombination = kTrue;
      return true;
    case CapTooLargeOutcome::Checked:
      break;
  }
  if (result.holdingCaseEntry) {
    const bool fromList = f.CK_ManCap.value() != ui::CheckBox::Checked;
    const std::string picked = f.CB_Cap.text();
    // The case follows the capacitance within this run: the series
    // picture shown for the run stays.
    const bool picture2 = f.Picture2.visible();
    const bool picture3 = f.Picture3.visible();
    f.CB_Case.setListIndex(*result.holdingCaseEntry);
    f.Picture2.setVisible(picture2);
    f.Picture3.setVisible(picture3);
    if (fromList) {
      const int entry = f.CB_Cap.findExact(picked);
      if (entry >= 0 && entry != f.CB_Cap.listIndex()) f.CB_Cap.setListIndex(entry);
    }
  }
  return true;
}

void ReenterTooSmallCapacitance() {
  MainForm& f = F_QuentaMainForm();
  const bool mil123 = f.OB_MIL123.value();
  switch (CheckCapTooSmall(mil123 || f.OB_Mil_Prf.value(), AskingForRun())) {
    case CapTooSmallOutcome::MilitaryPart:
      ClearResults();
      (mil123 ? f.Label4 : f.L_Invalid_Mil).setVisible(true);
      return;
    case CapTooSmallOutcome::NoAdmissibleValue:
      gUiState.InvalidCombination = kTrue;
      return;
    case CapTooSmallOutcome::Cancelled:
      ClearResults();
      return;
    case CapTooSmallOutcome::Accepted:
      Calculate();
      return;
  }
}

}  // namespace quenta
