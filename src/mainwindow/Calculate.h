// The calculation driver: turns the current selection and operating point
// into the results on the main window.
#pragma once

#include <functional>

namespace quenta {

// Runs one whole calculation on the shared design state and the main
// window's inputs: the series' temperature limits, the military part
// number (in those entry modes), the voltage derating, the frequency, the
// temperature check, the capacitance check, the chip design, the
// capacitance change against voltage, the thermal and electrical models,
// the warnings, and the results panel; then Print, Graph and Design are
// enabled. A run that cannot produce results ends early: an invalid
// military combination leaves its label and the panel as they were; an
// invalid maker combination, a frequency that is not a positive number and
// a capacitance of 0 or less clear the panel; a cancelled capacitance
// dialog leaves it as it was. The chip design's capacitance re-entry runs
// a whole nested calculation, whose results are the ones shown.
// Returns whether this run, or a run nested in it, reached the results.
bool Calculate();

// Writes what the chip design reads of the entry into the design state:
// the entry mode, the Commercial and Manual Cap boxes and the pick-list's
// selected entry.
void TakeEntryInputsFromWindow();

// The part-number decoders of the two military entry modes. Each works on
// the main window: an invalid part shows its label ("Invalid MIL-PRF-123
// Combination", Label4; "Invalid MIL-PRF-49470 Combination",
// L_Invalid_Mil), a valid one puts the part into the design state. An entry
// mode whose decoder is not installed counts every part as invalid.
struct MilitaryDecoders {
  std::function<void()> HandleMil123Part;
  std::function<void()> LookupMil49470Part;
};
void SetMilitaryDecoders(MilitaryDecoders decoders);

}  // namespace quenta
