// The capacitance boxes and option boxes of the main window: the
// pick-list's own click, manual entry in microfarads (or in the unit typed
// behind the number; a trailing "P" is rewritten at once), the Manual Cap
// and Commercial boxes, and the MIL-PRF-123 fields whose handlers only
// clear the results.
#pragma once

#include <string>

namespace quenta {

// A capacitance accepted in the re-entry dialog: the main window switches
// to manual capacitance entry, showing the value (µF) in the typed box.
void ShowAcceptedCapacitance(const std::string& microfarads);

void T_Capacitance_Change();
void T_Capacitance_Click();
void T_Capacitance_GotFocus();
void CK_ManCap_Click();
void CK_Comm_Click();
void CB_Cap_Click();
void T_Cap_c_Change();
void CB_Type_L_Change();
void CB_Type_T_Click();
void CB_Type_V_Click();
void Combo1_Click();
void Combo2_Click();

}  // namespace quenta
