// The main window's controls with their design-time state. The handlers
// that drive them live beside this file, one file per concern.
#pragma once

#include "ui/Form.h"

namespace quenta {

struct MainForm : ui::Form {
  MainForm();

  // Maker part-number entry: the selection cascade.
  ui::Frame Frame1{*this, "Frame1"};
  ui::DropDownList CB_Type{*this, "CB_Type"};
  ui::Frame Frame3{*this, "Frame3"};
  ui::DropDownList CB_Case{*this, "CB_Case"};
  ui::TextBox Text1{*this, "Text1"};  // "V1" in place of the case list
  ui::Frame Frame2{*this, "Frame2"};
  ui::DropDownList CB_Volt{*this, "CB_Volt"};
  ui::Frame Frame5{*this, "Frame5"};
  ui::DropDownList CB_Dielectric{*this, "CB_Dielectric"};
  ui::Frame Frame8{*this, "Frame8"};
  ui::DropDownList CB_Tolerance{*this, "CB_Tolerance"};
  ui::Frame Frame4{*this, "Frame4"};
  ui::DropDownList CB_Cap{*this, "CB_Cap"};
  ui::TextBox T_Capacitance{*this, "T_Capacitance"};
  ui::CheckBox CK_ManCap{*this, "CK_ManCap"};
  ui::CheckBox CK_Comm{*this, "CK_Comm"};

  // Operating point.
  ui::Frame Frame6{*this, "Frame6"};
  ui::ScrollBar HS_Frequency{*this, "HS_Frequency"};
  ui::TextBox T_Frequency{*this, "T_Frequency"};
  ui::Frame Frame7{*this, "Frame7"};
  ui::TextBox T_TempAmbient{*this, "T_TempAmbient"};
  ui::ScrollBar HS_TempAmbient{*this, "HS_TempAmbient"};
  ui::Frame Frame12{*this, "Frame12"};
  ui::ScrollBar HS_TempRise{*this, "HS_TempRise"};
  ui::TextBox T_TempRise{*this, "T_TempRise"};

  // Entry mode.
  ui::Frame Frame9{*this, "Frame9"};
  ui::OptionButton OB_Part_Num{*this, "OB_Part_Num", "Frame9"};
  ui::OptionButton OB_Mil_Prf{*this, "OB_Mil_Prf", "Frame9"};
  ui::OptionButton OB_MIL123{*this, "OB_MIL123", "Frame9"};

  // MIL-PRF-49470 entry panel.
  ui::Frame Frame13{*this, "Frame13"};
  ui::ComboBox CB_Type_Mil{*this, "CB_Type_Mil"};
  ui::Frame Frame14{*this, "Frame14"};
  ui::ComboBox CB_Mil_Prf_Ch{*this, "CB_Mil_Prf_Ch"};
  ui::Frame Frame15{*this, "Frame15"};
  ui::ComboBox CB_Type_Sht{*this, "CB_Type_Sht"};
  ui::Frame Frame16{*this, "Frame16"};
  ui::TextBox T_Cap_code{*this, "T_Cap_code"};
  ui::Frame Frame17{*this, "Frame17"};
  ui::ComboBox CB_Type_Tol{*this, "CB_Type_Tol"};
  ui::Frame Frame18{*this, "Frame18"};
  ui::ComboBox CB_Type_Volt{*this, "CB_Type_Volt"};
  ui::Frame Frame19{*this, "Frame19"};
  ui::ComboBox CB_Type_Lead{*this, "CB_Type_Lead"};

  // MIL-PRF-123 entry panel.
  ui::Frame Frame20{*this, "Frame20"};
  ui::ComboBox Combo1{*this, "Combo1"};
  ui::Frame Frame21{*this, "Frame21"};
  ui::ComboBox Combo2{*this, "Combo2"};
  ui::Frame Frame22{*this, "Frame22"};
  ui::ComboBox CB_Type_V{*this, "CB_Type_V"};
  ui::Frame Frame23{*this, "Frame23"};
  ui::TextBox T_Cap_c{*this, "T_Cap_c"};
  ui::Frame Frame24{*this, "Frame24"};
  ui::ComboBox CB_Type_T{*this, "CB_Type_T"};
  ui::Frame Frame25{*this, "Frame25"};
  ui::ComboBox CB_Type_L{*this, "CB_Type_L"};

  // Part identification numbers.
  ui::Label L_Mil_Prf{*this, "L_Mil_Prf"};
  ui::TextBox T_Mil_Prf{*this, "T_Mil_Prf"};
  ui::Label L_Norvel_PN{*this, "L_Norvel_PN"};
  ui::TextBox T_Norvel_Equiv{*this, "T_Norvel_Equiv"};
  ui::Label L_Invalid_Mil{*this, "L_Invalid_Mil"};
  ui::Label Label4{*this, "Label4"};

  // Results.
  ui::Frame Frame10{*this, "Frame10"};
  ui::Frame Frame11{*this, "Frame11"};
  ui::ControlArray<ui::TextBox> T_Specs{*this, "T_Specs"};
  ui::ControlArray<ui::Label> L_Specs{*this, "L_Specs"};
  ui::ControlArray<ui::TextBox> T_FreqSpecs{*this, "T_FreqSpecs"};
  ui::ControlArray<ui::TextBox> weight_tb{*this, "weight_tb"};
  ui::ControlArray<ui::TextBox> phase{*this, "phase"};
  ui::ControlArray<ui::TextBox> T_TempSpecs{*this, "T_TempSpecs"};
  ui::ControlArray<ui::Label> Label1{*this, "Label1"};

  // Status labels and notices.
  ui::Label Label3{*this, "Label3"};
  ui::Label L_NonStandard{*this, "L_NonStandard"};
  ui::Label Label2{*this, "Label2"};
  ui::Label Label10{*this, "Label10"};
  ui::Label LineFreqText{*this, "LineFreqText"};

  // Voltage-coefficient panel.
  ui::Frame Frame26{*this, "Frame26"};
  ui::ScrollBar HScroll1{*this, "HScroll1"};
  ui::TextBox Text2{*this, "Text2"};
  ui::Label Label5{*this, "Label5"};
  ui::TextBox Text3{*this, "Text3"};
  ui::Label Label6{*this, "Label6"};
  ui::Label Label7{*this, "Label7"};
  ui::TextBox Text4{*this, "Text4"};
  ui::Label Label8{*this, "Label8"};
  ui::Label Label9{*this, "Label9"};

  // Pictures.
  ui::PictureBox Picture1{*this, "Picture1"};
  ui::PictureBox Picture2{*this, "Picture2"};
  ui::PictureBox Picture3{*this, "Picture3"};

  // Commands.
  ui::CommandButton Command1{*this, "Command1"};
  ui::CommandButton Command2{*this, "Command2"};
  ui::CommandButton Command3{*this, "Command3"};
  ui::CommandButton Command4{*this, "Command4"};
  ui::CommandButton Command5{*this, "Command5"};
  ui::CommandButton Command6{*this, "Command6"};
  ui::CommandButton B_Quit{*this, "B_Quit"};

  ui::Timer Timer2{*this, "Timer2"};
};

// The design window: the chip construction of the last calculation.
struct DesignForm : ui::Form {
  DesignForm();

  ui::ControlArray<ui::TextBox> Text1{*this, "Text1"};
  ui::ControlArray<ui::Label> Label1{*this, "Label1"};
  ui::TextBox Text2{*this, "Text2"};
  ui::Label Label3{*this, "Label3"};
  ui::TextBox Text3{*this, "Text3"};
  ui::Label Label4{*this, "Label4"};
  ui::Label Label2{*this, "Label2"};
  ui::CommandButton Command1{*this, "Command1"};
};

// The one instance of each window, created on first use. The design window
// is loaded when code first refers to it.
MainForm& F_QuentaMainForm();
DesignForm& F_QuentaDesignForm();
// Destroys every window instance and lets the catalogue loader forget the
// files it read, so the next use starts afresh (a new session of the
// program; tests and the session runner use it).
void ResetForms();

}  // namespace quenta
