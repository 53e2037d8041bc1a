// The capacitance pick-list CB_Cap of the main window.
#pragma once

namespace quenta {

// Rebuilds CB_Cap for the selection made so far and selects one entry
// (raising CB_Cap_Click). Series 23 to 25 get their fixed lists; every
// other series gets the preferred values (E24, E12 or E6 by tolerance and
// series) between the catalogue's smallest and largest capacitance, in pF,
// nF or uF, bracketed by the exact limits where these are not preferred
// values themselves, with the largest entry selected. A selection that the
// catalogue does not offer, or whose limits are not positive numbers,
// shows the single entry "No Capacitance".
void FillCapacitanceList();

// The voltage panel counts in the list's unit (Label8): that of its
// largest value, as building the list set it. Nothing changes for a list
// without a value.
void FollowListCapacitanceUnit();

// StyleCapLimitFor (catalogue/CapLimits.h) of the current CaseIndex.
int StyleCapLimit();

}  // namespace quenta
