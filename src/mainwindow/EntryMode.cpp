#include "mainwindow/EntryMode.h"

#include <cstdint>

#include "catalogue/DesignState.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/OperatingInputs.h"
#include "mainwindow/Results.h"
#include "mainwindow/Startup.h"
#include "mainwindow/UiState.h"

namespace quenta {

namespace {

// Puts back the maker selection saved when MIL-PRF-123 entry was chosen.
// Each list write raises that list's handler, which refills the lists
// below it; a saved text that the refilled list no longer holds leaves
// that list as the write before left it.
void restoreSavedSelection(MainForm& f) {
  const UiState& s = gUiState;
  f.CB_Type.setText(s.SavedTypeText);
  f.CB_Case.setText(s.SavedCaseText);
  f.CB_Volt.setText(s.SavedVoltText);
  f.CB_Dielectric.setText(s.SavedDielText);
  f.T_Capacitance.setText(s.SavedCapText);
  f.CB_Tolerance.setText(s.SavedTolText);
  // The tick comes back only where the dielectric handler has just shown
  // the box (an X7R part of KD or KF at 50 V): a Z5U or N1500 part at 50 V
  // is not capped at the commercial limit.
  if (s.SavedCommValue == 1 && s.SavedVoltText == "50" && f.CK_Comm.visible()) {
    f.CK_Comm.setValue(ui::CheckBox::Checked);
  } else {
    f.CK_Comm.setValue(ui::CheckBox::Unchecked);
    f.CK_Comm.setVisible(false);
  }
  // The capacitance picked in the list comes back last: the tolerance and
  // the Commercial tick refill the list with its largest entry selected.
  f.CB_Cap.setText(s.SavedCapListText);
  // Manual capacitance entry is not put back.
  f.T_Capacitance.setVisible(false);
}

}  // namespace

void ShowMakerPanel(MainForm& f, bool visible) {
  ui::setVisible({&f.Frame1, &f.Frame2, &f.Frame3, &f.Frame4, &f.Frame5, &f.Frame8, &f.CB_Type,
                  &f.CB_Case, &f.CB_Volt, &f.CB_Dielectric, &f.CB_Tolerance},
                 visible);
}

void ShowMil49470Panel(MainForm& f, bool visible) {
  ui::setVisible({&f.Frame13, &f.Frame14, &f.Frame15, &f.Frame16, &f.Frame17, &f.Frame18,
                  &f.Frame19, &f.CB_Type_Mil, &f.CB_Mil_Prf_Ch, &f.CB_Type_Sht, &f.T_Cap_code,
                  &f.CB_Type_Tol, &f.CB_Type_Volt, &f.CB_Type_Lead},
                 visible);
}

void ShowMil123Panel(MainForm& f, bool visible) {
  ui::setVisible({&f.Combo1, &f.Frame20, &f.Combo2, &f.Frame21, &f.CB_Type_V, &f.Frame22,
                  &f.T_Cap_c, &f.Frame23, &f.CB_Type_T, &f.Frame24, &f.CB_Type_L, &f.Frame25,
                  &f.Label1[2]},
                 visible);
}

void FillMilitaryList(ui::ComboBox& list, const std::vector<std::string>& entries,
                      int startIndex) {
  list.clear();
  int16_t code = 1;
  for (const std::string& e : entries) list.addItem(e, code++);
  list.setText(list.list(startIndex));
}

void OB_Part_Num_Click() {
  MainForm& f = F_QuentaMainForm();
  ui::setVisible({&f.Picture2, &f.Picture3}, false);
  // The reload clears the mode flag: note it first.
  const bool fromMil123 = gUiState.Mil123Mode == 1;
  LoadDataAndInitForm();
  // The loader reset the temperatures in the state; the boxes still show
  // the user's, and those are the ones in use.
  TakeTemperaturesFromWindow();
  if (f.CB_Type.text() == "KD" && f.CB_Volt.text() == "25") f.CB_Volt.setText("50");
  ClearResults();
  f.CK_ManCap.setValue(ui::CheckBox::Unchecked);
  if (fromMil123) restoreSavedSelection(f);

  // The series handler has shown or hidden the case list and the Manual Cap
  // box for its series (BW shows "V1" in the case list's place; DQ, DY and
  // BW offer no manual capacitance): the panel comes back as it left them.
  const bool caseListShown = f.CB_Case.visible();
  ShowMakerPanel(f, true);
  f.CB_Case.setVisible(caseListShown);
  ShowMil49470Panel(f, false);
  ShowMil123Panel(f, false);
  ui::setVisible({&f.L_Norvel_PN, &f.T_Norvel_Equiv, &f.L_Mil_Prf, &f.T_Mil_Prf}, false);
  ui::setVisible({&f.L_Specs[6], &f.T_Specs[0]}, true);

  // Neither military label belongs to maker entry.
  ui::setVisible({&f.Label4, &f.L_Invalid_Mil}, false);

  // The Commercial box belongs to the X7R parts of series KD and KF at
  // 50 V, as the dielectric handler shows it.
  const int16_t dielectric =
      f.CB_Dielectric.listIndex() >= 0 ? f.CB_Dielectric.itemData(f.CB_Dielectric.listIndex()) : 0;
  if (gSelection.SeriesIndex == 1 || gSelection.SeriesIndex == 2)
    f.CK_Comm.setVisible(f.CB_Volt.text() == "50" && dielectric == 2);
  if (dielectric != 0) {
    gSelection.DielectricIndex = dielectric;
    if (dielectric == 1) ui::setVisible({&f.CK_Comm, &f.LineFreqText}, false);
  }
  gUiState.Mil123Mode = 0;
}

}  // namespace quenta
