// The capacitance boxes and option boxes of the main window: the
// pick-list's own click, manual entry in microfarads (or in the unit typed
// behind the number; picofarads are rewritten as microfarads once the
// typing is over), the Manual Cap and Commercial boxes, and the MIL-PRF-123
// fields whose handlers only clear the results.
#pragma once

#include <string>

namespace quenta {

// A capacitance accepted in the re-entry dialog: the main window switches
// to manual capacitance entry, showing the value (µF) in the typed box,
// and the voltage panel counts in microfarads.
void ShowAcceptedCapacitance(const std::string& microfarads);

void T_Capacitance_Change();
// A whole value in picofarads in the manual box ("100P", "100 pF") is
// rewritten as microfarads, and the voltage panel counts in picofarads.
// Run when the box is left and as a calculation starts, never while the
// user may still be typing.
void ApplyCapacitanceShorthand();
// The voltage panel counts in the unit the manual capacitance was typed in
// ("47nF" shows 47 in n, "2.2" 2.2 in µ); the value the shorthand wrote
// keeps its picofarads, also after a list pick has refilled the list. A
// text in no known unit leaves the letter alone.
void FollowManualCapacitanceUnit();
void T_Capacitance_LostFocus();
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
