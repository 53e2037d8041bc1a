#include "mainwindow/CapacitanceEntry.h"

#include <cmath>
#include <string>

#include "catalogue/DesignState.h"
#include "catalogue/NumberText.h"
#include "mainwindow/CapacitanceList.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Results.h"

namespace quenta {

void ShowAcceptedCapacitance(const std::string& microfarads) {
  MainForm& f = F_QuentaMainForm();
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
  MainForm& f = F_QuentaMainForm();
  gChip.NonStandardDesign = 0;
  ClearResults();
  // A trailing "P" means picofarads: the box shows microfarads. Only the
  // very last character counts, so "100 pF" stays as typed.
  const std::string text = f.T_Capacitance.text();
  if (text.empty() || (text.back() != 'P' && text.back() != 'p')) return;
  f.Label8.setFontName("MS Sans Serif");
  f.Label8.setCaption("p");
  const double microfarads = LeadingNumber(text) / 1000000;
  // A number too large to hold stays as typed (the calculation reads it as
  // no capacitance) rather than becoming "Infinity" in the box.
  if (!std::isfinite(microfarads)) return;
  // This write runs this handler once more; the new text has no "P".
  f.T_Capacitance.setText(FormatGeneral(microfarads));
}

void T_Capacitance_Click() { ClearResults(); }

void T_Capacitance_GotFocus() { F_QuentaMainForm().T_Capacitance.selectAll(); }

void CK_ManCap_Click() {
  MainForm& f = F_QuentaMainForm();
  const bool manual = f.CK_ManCap.value() == ui::CheckBox::Checked;
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
  // The results stay on screen; the next calculation designs afresh.
  gChip.NonStandardDesign = 0;
  gChip.FewEffectivesAccepted = 0;
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
