// The calculation's capacitance limit checks as the main window runs
// them: the capacitance it shows held against the catalogue maximum, and
// the re-entry when one layer cannot hold the capacitance.
#pragma once

namespace quenta {

// The capacitance shown (the manual box, or the pick-list entry), held
// against the catalogue maximum, asking for a smaller one while it lies
// above. A selection without a maximum marks an invalid combination.
// After a series change the case list moves to the smallest case that
// holds the capacitance; selecting it runs the case handler, which fixes
// the case from now on and rebuilds the pick-list on its largest value,
// so the entry being calculated is put back and the list shows the
// capacitance of the results. False when the user cancelled the dialog,
// and when the manual box holds no capacitance: the results are cleared,
// and a run the user asked for says so and gives the manual box the focus
// with its text selected.
bool CheckShownCapacitance();

// The chip design's capacitance re-entry: a new value runs a whole
// calculation with it, after which the calculation that was running ends.
// A cancelled dialog ends it without results; a range without any
// admissible value marks an invalid combination. A military part shows
// its mode's invalid-combination label instead, the results cleared.
void ReenterTooSmallCapacitance();

}  // namespace quenta
