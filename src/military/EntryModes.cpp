#include "military/EntryModes.h"

#include "catalogue/DesignState.h"
#include "mainwindow/Calculate.h"
#include "mainwindow/EntryMode.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/MainFormEvents.h"
#include "mainwindow/Report.h"
#include "mainwindow/Results.h"
#include "mainwindow/UiState.h"
#include "military/Mil123Part.h"
#include "military/Mil49470Entry.h"

namespace quenta {

namespace {

void HideMakerGroup(MainForm& f) {
  ShowMakerPanel(f, false);
  f.CK_ManCap.setVisible(false);
}

// The PIN line replaces the maker part number of the results.
void ShowPinLine(MainForm& f, const char* caption) {
  ui::setVisible({&f.L_Mil_Prf, &f.T_Mil_Prf}, true);
  ui::setVisible({&f.L_Specs[6], &f.T_Specs[0]}, false);
  f.L_Mil_Prf.setCaption(caption);
}

// Neither invalid-combination label belongs to the mode being entered.
void HideInvalidLabels(MainForm& f) { ui::setVisible({&f.Label4, &f.L_Invalid_Mil}, false); }

void StopZ5uNotice(MainForm& f) {
  f.Label10.setVisible(false);
  f.Timer2.setEnabled(false);
}

Mil123ReportValues Mil123Report() {
  return {gMil123.Mil123Tol, gMil123.ReportVoltage, gMil123.ReportDielectric};
}

void ConnectMilitaryEntry(MainForm& f) {
  f.OB_Mil_Prf.onClick = OB_Mil_Prf_Click;
  f.OB_MIL123.onClick = OB_MIL123_Click;
  f.CB_Mil_Prf_Ch.onClick = CB_Mil_Prf_Ch_Click;
  f.OB_Mil_Prf.setEnabled(true);
  f.OB_MIL123.setEnabled(true);
}

}  // namespace

void OB_Mil_Prf_Click() {
  MainForm& f = F_QuentaMainForm();
  gSelection.SeriesIndex = 1;
  StopZ5uNotice(f);
  // Unticking raises the box's own handler when it was ticked.
  f.CK_Comm.setValue(ui::CheckBox::Unchecked);
  ui::setVisible({&f.Picture2, &f.Picture3}, false);
  ClearResults();
  f.Command6.setVisible(false);
  f.T_Mil_Prf.setText("");
  f.Text1.setVisible(false);
  HideMakerGroup(f);
  ShowMil49470Panel(f, true);
  ShowMil123Panel(f, false);
  ShowPinLine(f, "MIL-PRF-49470 Part #");
  f.CK_Comm.setVisible(false);
  HideInvalidLabels(f);
  gSelection.VoltageIndex = 1;
  if (gSelection.DielectricIndex == 1) f.LineFreqText.setVisible(false);
  // Straight from MIL-PRF-123 entry the panel's PIN is calculated at once.
  if (gUiState.Mil123Mode == 1) Calculate();
  gUiState.Mil123Mode = 0;
}

void OB_MIL123_Click() {
  MainForm& f = F_QuentaMainForm();
  UiState& s = gUiState;
  gSelection.SeriesIndex = 14;
  StopZ5uNotice(f);
  f.Command6.setVisible(false);

  // The maker selection, put back when maker entry is chosen again.
  s.SavedTypeText = f.CB_Type.text();
  s.SavedCaseText = f.CB_Case.text();
  s.SavedVoltText = f.CB_Volt.text();
  if (s.SavedVoltText == "25") s.SavedVoltText = "50";
  s.SavedDielText = f.CB_Dielectric.text();
  s.SavedCapText = f.T_Capacitance.text();
  s.SavedCapListText = f.CB_Cap.text();
  s.SavedTolText = f.CB_Tolerance.text();
  s.SavedCommValue = f.CK_Comm.value() == ui::CheckBox::Checked ? 1 : 0;

  ui::setVisible({&f.Picture2, &f.Picture3}, false);
  ClearResults();
  s.Mil123Mode = 1;
  f.Text1.setVisible(false);
  HideMakerGroup(f);
  // The Commercial box keeps its tick, and the design its commercial flag.
  f.CK_Comm.setVisible(false);
  ShowPinLine(f, "MIL-PRF-123 Part #");
  ui::setVisible({&f.L_Norvel_PN, &f.T_Norvel_Equiv}, false);
  f.T_Mil_Prf.setText("");
  HideInvalidLabels(f);
  ShowMil49470Panel(f, false);
  ShowMil123Panel(f, true);
}

void InstallMilitaryEntry() {
  SetMilitaryDecoders({HandleMil123Part, LookupMil49470Part});
  SetMil123ReportSource(Mil123Report);
  SetMainFormExtension(ConnectMilitaryEntry);
}

}  // namespace quenta
