#include "mainwindow/MainForm.h"

#include <memory>

#include "catalogue/CapEntry.h"
#include "catalogue/CatalogueFiles.h"
#include "mainwindow/Commands.h"
#include "mainwindow/MainFormEvents.h"
#include "mainwindow/OperatingInputs.h"

namespace quenta {

namespace {

void hideAll(std::initializer_list<ui::Control*> controls) {
  for (ui::Control* c : controls) c->setVisible(false);
}

void redText(std::initializer_list<ui::Label*> labels) {
  for (ui::Label* l : labels) l->setForeColor(ui::colors::red);
}

}  // namespace

MainForm::MainForm() : ui::Form("F_QuentaMainForm") {
  setCaption("Quenta10 - Build Date = 03/17/2017");
  setSize(12300, 9000);

  Frame1.setCaption("Type");
  Frame3.setCaption("Case Size");
  Frame2.setCaption("Voltage");
  Frame5.setCaption("Dielectric");
  Frame8.setCaption("Tolerance");
  Frame4.setCaption("Capacitance");
  T_Capacitance.setText("3");
  Text1.setText("V1");
  Text1.setVisible(false);
  CK_ManCap.setCaption("Manual Cap");
  CK_Comm.setCaption("Commercial");
  CK_Comm.setVisible(false);

  Frame6.setCaption("Operation Frequency (kHz)");
  HS_Frequency.setMax(500);
  HS_Frequency.setSmallChange(1);
  HS_Frequency.setLargeChange(25);
  T_Frequency.setText("100");
  // The bar stands where the box's frequency is, as leaving the box puts it.
  HS_Frequency.setValue(PositionOfFrequency(100));
  Frame7.setCaption("Ambient Temperature(\u00B0C)");
  T_TempAmbient.setText("25");
  HS_TempAmbient.setMax(275);
  HS_TempAmbient.setLargeChange(5);
  HS_TempAmbient.setValue(100);
  Frame12.setCaption("Temperature Rise(\u00B0C)");
  HS_TempRise.setMax(150);
  HS_TempRise.setLargeChange(5);
  T_TempRise.setText("0");

  Frame9.setCaption("Part Number Entry Option");
  OB_Part_Num.setCaption("Norvel Part Number");
  OB_Mil_Prf.setCaption("MIL-PRF-49470 PIN");
  OB_MIL123.setCaption("MIL-PRF-123 PIN");
  // Entry by military part number is offered once it is installed into
  // the window (SetMainFormExtension).
  OB_Mil_Prf.setEnabled(false);
  OB_MIL123.setEnabled(false);

  Frame13.setCaption("Level");
  Frame14.setCaption("Char.");
  Frame15.setCaption("Sheet #");
  Frame16.setCaption("Cap. Code");
  T_Cap_code.setText("155");
  Frame17.setCaption("Tolerance");
  Frame18.setCaption("Voltage");
  Frame19.setCaption("Lead Style");

  Frame20.setCaption("Sheet#");
  Frame21.setCaption("Char.");
  Frame22.setCaption("Voltage");
  Frame23.setCaption("Cap. Code");
  T_Cap_c.setText("102");
  Frame24.setCaption("Tolerance");
  Frame25.setCaption("Termination");

  L_Mil_Prf.setCaption("MIL-PRF-49470 Part #");
  L_Norvel_PN.setCaption("Norvel Part # = ");
  L_Invalid_Mil.setCaption("Invalid MIL-PRF-49470 Combination");
  Label4.setCaption("Invalid MIL-PRF-123 Combination");

  Frame10.setCaption("Specifications Of This Design");
  Frame11.setCaption("Specifications varying with Temperature");
  for (int i = 0; i <= 4; ++i) T_Specs.add(i);
  T_FreqSpecs.add(0);
  weight_tb.add(5);
  phase.add(0);
  for (int i = 0; i <= 6; ++i) T_TempSpecs.add(i);
  // The boxes that show a result take no typing: what they show, and what
  // the report prints from them, is what was computed. Their text can
  // still be selected and copied.
  for (int i = 0; i <= 4; ++i) T_Specs[i].setLocked(true);
  for (ui::TextBox* box : {&T_FreqSpecs[0], &weight_tb[5], &phase[0], &T_Mil_Prf, &T_Norvel_Equiv})
    box->setLocked(true);
  for (int i = 0; i <= 6; ++i) T_TempSpecs[i].setLocked(true);
  // BW's only case, shown in place of the case list, is no entry either.
  Text1.setLocked(true);
  L_Specs.add(6).setCaption("Norvel Part Number Prefix");
  L_Specs.add(0).setCaption("Self-Resonance Freq. (kHz)");
  L_Specs.add(1).setCaption("ESR at Self-Res. (mOhms)");
  L_Specs.add(2).setCaption("ESL (nH)");
  L_Specs.add(3).setCaption("Thermal Transfer Coef. (\u00B0C/W)");
  Label1.add(4).setCaption("ESR at Operation Freq. (Ohms)");
  Label1.add(3).setCaption("Approximate Weight (g)");
  Label1.add(6).setCaption("Phase Angle at Operation Freq. (\u00B0)");
  Label1.add(9).setCaption("Current (Amps RMS)");
  Label1.add(8).setCaption("Power Dissipation (W)");
  Label1.add(7).setCaption("Internal Temperature (\u00B0C)");
  Label1.add(0).setCaption("Max Current (Amps RMS)");
  Label1.add(1).setCaption("Max Power Diss. (W)");
  Label1.add(10).setCaption("Ripple Voltage (Volts RMS)");
  Label1.add(11).setCaption("Max Ripple Voltage (Volts RMS)");
  Label1.add(2).setCaption("M123");

  Label3.setCaption("Invalid Type/Size/Voltage/Dielectric Combination");
  L_NonStandard.setCaption("Non-Standard Design");
  Label2.setCaption("Excessive Voltage!");
  Label10.setCaption("The Z5U Dielectric is no longer offered. Part # is not valid.");
  LineFreqText.setCaption(
      "Capacitors with X7R and Z5U dielectrics are not intended for applications across AC "
      "supply mains or AC filtering with polarity reversal.  Contact Norvel for "
      "recommendations.");
  redText({&L_Invalid_Mil, &Label4, &Label3, &L_NonStandard, &Label2, &Label10});
  hideAll({&L_NonStandard, &Label2, &Label10});

  Frame26.setCaption("Typical Voltage Coefficient (@ 25 \u00BAC Ambient)");
  HScroll1.setMax(500);
  HScroll1.setLargeChange(1);
  Text2.setText("0");
  Label5.setCaption("VDC");
  Text3.setText("0");
  Text3.setLocked(true);
  Label7.setCaption("C(%)");
  Text4.setText("0");
  Text4.setLocked(true);
  Label8.setCaption("\u00B5");
  Label9.setCaption("F");

  Command1.setCaption("Calculate");
  Command2.setCaption("&Print");
  Command3.setCaption("Graph");
  Command4.setCaption("Design");
  Command4.setVisible(false);
  Command5.setCaption("Print Screen");
  Command6.setCaption("Datasheet from Norvel Website");
  B_Quit.setCaption("Quit");

  Timer2.setInterval(250);
  Timer2.setEnabled(false);

  ConnectMainFormHandlers(*this);
}

DesignForm::DesignForm() : ui::Form("F_QuentaDesignForm") {
  setCaption("Design Info");
  setBackColor(ui::colors::lightGrey);
  setSize(4800, 4200);
  static const char* const captions[] = {"Chips", "Effectives", "Thickness", "Mult",
                                         "in./Chip Thick", "Cascades", "CDF"};
  // The construction of the last design: shown, never typed.
  for (int i = 0; i <= 6; ++i) {
    Text1.add(i).setLocked(true);
    Label1.add(i).setCaption(captions[i]);
    if (i <= 4) {
      Text1[i].setVisible(false);
      Label1[i].setVisible(false);
    }
  }
  Text2.setLocked(true);
  Text3.setLocked(true);
  Label3.setCaption("Eff. Area");
  Label4.setCaption("Covers");
  Label2.setCaption("There is no design defined. Please go back and click Calculate...");
  Label2.setVisible(false);
  Command1.setCaption("OK");

  ConnectDesignFormHandlers(*this);
}

namespace {
std::unique_ptr<MainForm>& mainInstance() {
  static std::unique_ptr<MainForm> form;
  return form;
}
std::unique_ptr<DesignForm>& designInstance() {
  static std::unique_ptr<DesignForm> form;
  return form;
}
}  // namespace

MainForm& F_QuentaMainForm() {
  auto& form = mainInstance();
  if (!form) form = std::make_unique<MainForm>();
  return *form;
}

DesignForm& F_QuentaDesignForm() {
  auto& form = designInstance();
  if (!form) form = std::make_unique<DesignForm>();
  form->load();
  return *form;
}

void ResetForms() {
  ResetGraphWindow();
  ForgetCatalogueReads();
  ResetCapEntryForm();
  designInstance().reset();
  mainInstance().reset();
}

}  // namespace quenta
