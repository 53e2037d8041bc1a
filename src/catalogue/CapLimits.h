// The capacitance limit checks: the selected capacitance held against the
// catalogue's maximum, and the re-entry asked for when one layer cannot
// hold it. Both ask the user through the re-entry dialog F_CapEntry.
#pragma once

namespace quenta {

// The commercial upper capacitance limit in microfarads of the case-style
// family of a case (1, 51, 91; 2, 52, 92; ... 6, 56, 96); 0 for a case
// outside the six families.
int StyleCapLimitFor(int caseIndex);

// The calculation's capacitance step: reads the capacitance shown on the
// main window (the manual box, or the pick-list entry) into
// gSelection.Capacitance in farads and asks for a smaller value for as long
// as it lies above the catalogue maximum. The maximum is that of the
// selected case once a case has been chosen (CapSearchAllRows), else that
// of the highest listed case; after a series change it then selects, for
// series 1 to 13, the smallest case that holds the capacitance. A selection
// without a maximum sets gUiState.InvalidCombination. Returns false when
// the user cancelled the dialog: the calculation ends there, and
// Capacitance keeps the value read from the window.
bool CheckCapTooLarge();

// The chip design's re-entry when one layer cannot hold the capacitance:
// asks for a value above the one entered and at most the selected case's
// maximum ("Way Too Small!"), then runs a whole calculation with it. The
// calculation that was running ends after this (the new one has shown its
// results). A cancelled dialog ends it without results; a range without
// any admissible value marks an invalid combination. In the military entry
// modes the capacitance comes from the part number, so nothing is asked:
// the mode's invalid-combination label shows instead.
void CheckCapTooSmall();

}  // namespace quenta
