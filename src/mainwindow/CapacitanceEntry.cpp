#include "mainwindow/CapacitanceEntry.h"

#include <string>

#include "catalogue/CapEntry.h"
#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "mainwindow/CapacitanceList.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Results.h"
#include "mainwindow/UiState.h"

namespace quenta {

void ShowAcceptedCapacitance(const std::string& microfarads) {
  MainForm& f = F_QuentaMainForm();
  // MIL-PRF-123 entry keeps the unit of its part number's capacitance.
  if (!f.OB_MIL123.value()) f.Label8.setCaption("\u00B5");
  if (f.CK_ManCap.value() == ui::CheckBox::Checked) {
    f.T_Capacitance.setText(microfarads);
    return;
  }
  f.CB_Cap.setVisible(false);
  f.T_Capacitance.setVisible(true);
  f.Frame4.setCaption("Capacitance (\u00B5F)");
  f.T_Capacitance.setText(microfarads);
  f.CK_ManCap.setValue(ui::CheckBox::Checked);
}

void T_Capacitance_Change() {
  gChip.NonStandardDesign = 0;
  // Another value: a re-entry the user declined for the one before may be
  // asked again.
  ForgetDeclinedCapEntry();
  ClearResults();
}

void ApplyCapacitanceShorthand() {
  MainForm& f = F_QuentaMainForm();
  const auto microfarads = PicofaradShorthand(f.T_Capacitance.text());
  if (!microfarads) return;
  // Picofarads typed: the box shows microfarads, and the voltage panel
  // picofarads. The change this write raises clears the results.
  f.Label8.setFontName("MS Sans Serif");
  f.Label8.setCaption("p");
  gUiState.ShorthandText = *microfarads;
  f.T_Capacitance.setText(*microfarads);
}

void FollowManualCapacitanceUnit() {
  MainForm& f = F_QuentaMainForm();
  const std::string& text = f.T_Capacitance.text();
  // The shorthand's microfarads were typed in picofarads, whatever unit a
  // list built since (a pick refills the capacitance list) has given.
  if (!gUiState.ShorthandText.empty() && text == gUiState.ShorthandText) {
    f.Label8.setCaption("p");
    return;
  }
  const double divisor = TypedUnitDivisor(text);
  if (divisor == 1000000) f.Label8.setCaption("p");
  if (divisor == 1000) f.Label8.setCaption("n");
  if (divisor == 1) f.Label8.setCaption("\u00B5");
}

void T_Capacitance_LostFocus() { ApplyCapacitanceShorthand(); }

void T_Capacitance_Click() { ClearResults(); }

void T_Capacitance_GotFocus() { F_QuentaMainForm().T_Capacitance.selectAll(); }

void CK_ManCap_Click() {
  MainForm& f = F_QuentaMainForm();
  // The box now in use holds another capacitance: no result of the one
  // before stays on screen, and the next calculation designs the chip
  // afresh.
  gChip.NonStandardDesign = 0;
  gChip.FewEffectivesAccepted = 0;
  ClearResults();
  const bool manual = f.CK_ManCap.value() == ui::CheckBox::Checked;
  // The list gives the capacitance again, and the voltage panel its unit.
  if (!manual) FollowListCapacitanceUnit();
  f.CB_Cap.setVisible(!manual);
  f.T_Capacitance.setVisible(manual);
  f.Frame4.setCaption(manual ? "Capacitance (\u00B5F)" : "Capacitance");
}

void CK_Comm_Click() {
  MainForm& f = F_QuentaMainForm();
  gSelection.CommercialFlag = static_cast<int16_t>(f.CK_Comm.value());
  ClearResults();
  FillCapacitanceList();
}

void CB_Cap_Click() {
  // Another capacitance: the next calculation designs afresh.
  gChip.NonStandardDesign = 0;
  gChip.FewEffectivesAccepted = 0;
  ClearResults();
}

void T_Cap_c_Change() {
  gChip.NonStandardDesign = 0;
  ClearResults();
}

void CB_Type_L_Change() { ClearResults(); }
void CB_Type_T_Click() { ClearResults(); }
void CB_Type_V_Click() { ClearResults(); }
void Combo1_Click() { ClearResults(); }
void Combo2_Click() { ClearResults(); }

}  // namespace quenta
