#include "mainwindow/MainFormEvents.h"

#include <utility>

#include "catalogue/CapEntry.h"
#include "mainwindow/CapacitanceEntry.h"
#include "mainwindow/Commands.h"
#include "mainwindow/DesignMode.h"
#include "mainwindow/EntryMode.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/OperatingInputs.h"
#include "mainwindow/PrintScreen.h"
#include "mainwindow/Report.h"
#include "mainwindow/SelectionCascade.h"
#include "mainwindow/Startup.h"
#include "mainwindow/VoltagePanel.h"

namespace quenta {

namespace {
std::function<void(MainForm&)>& Extension() {
  static std::function<void(MainForm&)> connect;
  return connect;
}
}  // namespace

void SetMainFormExtension(std::function<void(MainForm&)> connect) {
  Extension() = std::move(connect);
}

void ConnectMainFormHandlers(MainForm& f) {
  // The re-entry dialog shows an accepted capacitance in this window.
  SetAcceptedCapacitanceView(ShowAcceptedCapacitance);
  f.onLoad = Form_Load;
  f.onUnload = Form_Unload;
  f.onKeyDown = Form_KeyDown;
  f.onKeyPress = Form_KeyPress;
  f.Timer2.onTimer = Timer2_Timer;
  f.B_Quit.onClick = B_Quit_Click;
  f.Command1.onClick = Command1_Click;
  f.Command3.onClick = Command3_Click;

  f.HS_Frequency.onChange = HS_Frequency_Change;
  f.T_Frequency.onChange = T_Frequency_Change;
  f.T_Frequency.onKeyPress = T_Frequency_KeyPress;
  f.T_Frequency.onLostFocus = T_Frequency_LostFocus;
  f.T_Frequency.onGotFocus = T_Frequency_GotFocus;
  f.HS_TempAmbient.onChange = HS_TempAmbient_Change;
  f.T_TempAmbient.onChange = T_TempAmbient_Change;
  f.T_TempAmbient.onLostFocus = T_TempAmbient_LostFocus;
  f.HS_TempRise.onChange = HS_TempRise_Change;
  f.T_TempRise.onChange = T_TempRise_Change;
  f.T_TempRise.onGotFocus = T_TempRise_GotFocus;
  f.T_TempRise.onLostFocus = T_TempRise_LostFocus;

  f.CB_Type.onClick = CB_Type_Click;
  f.CB_Case.onClick = CB_Case_Click;
  f.CB_Volt.onClick = CB_Volt_Click;
  f.CB_Dielectric.onClick = CB_Dielectric_Click;
  f.CB_Tolerance.onClick = CB_Tolerance_Click;

  f.CB_Cap.onClick = CB_Cap_Click;
  f.T_Capacitance.onChange = T_Capacitance_Change;
  f.T_Capacitance.onClick = T_Capacitance_Click;
  f.T_Capacitance.onGotFocus = T_Capacitance_GotFocus;
  f.T_Capacitance.onLostFocus = T_Capacitance_LostFocus;
  f.CK_ManCap.onClick = CK_ManCap_Click;
  f.CK_Comm.onClick = CK_Comm_Click;
  f.T_Cap_c.onChange = T_Cap_c_Change;
  f.CB_Type_L.onChange = CB_Type_L_Change;
  f.CB_Type_T.onClick = CB_Type_T_Click;
  f.CB_Type_V.onClick = CB_Type_V_Click;
  f.Combo1.onClick = Combo1_Click;
  f.Combo2.onClick = Combo2_Click;

  f.OB_Part_Num.onClick = OB_Part_Num_Click;

  f.Command2.onClick = Command2_Click;
  f.Command4.onClick = Command4_Click;
  f.Command5.onClick = Command5_Click;
  f.Command6.onClick = Command6_Click;
  f.HScroll1.onChange = HScroll1_Change;
  f.Text2.onChange = Text2_Change;
  if (Extension()) Extension()(f);
}

void ConnectDesignFormHandlers(DesignForm& d) {
  d.onActivate = F_QuentaDesignForm_Form_Activate;
  d.Command1.onClick = F_QuentaDesignForm_Command1_Click;
}

}  // namespace quenta
