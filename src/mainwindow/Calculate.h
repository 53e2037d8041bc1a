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
// invalid maker combination, a frequency that is not a number (one outside
// the program's range counts as its nearest end) and a capacitance of 0 or
// less clear the panel, and so does a cancelled capacitance dialog. The
// chip design's capacitance re-entry runs a whole nested calculation,
// whose results are the ones shown.
// Returns whether this run, or a run nested in it, reached the results.
//
// A run the user asked for (the Calculate command, from its button or a
// calculate key) tells the user why it ends when the typed capacitance is
// no capacitance. A run that a change of an input starts (a typed
// temperature, a scroll bar, leaving the frequency box) ends silently:
// the user is still typing or moving, and has asked for nothing yet.
// Nested runs count as part of the run they are nested in.
enum class RunRequest { ByChange, ByUser };
bool Calculate(RunRequest request = RunRequest::ByChange);

// Whether the run under way, or the run it is nested in, is one the user
// asked for.
bool UserAskedRun();

// While one lives, the runs that changes of the inputs start are held
// back: its owner runs the one calculation they all stand for once its
// writes are done (a calculate key moving the focus away from a box that
// calculates when it is left; a box that writes its own text and scroll
// bar back). So one key or one change calculates once.
class HeldCalculations {
 public:
  HeldCalculations();
  ~HeldCalculations();
  HeldCalculations(const HeldCalculations&) = delete;
  HeldCalculations& operator=(const HeldCalculations&) = delete;
};

// How many calculations have started since the program did: every run,
// nested ones included, also those that end without results.
unsigned CalculationsStarted();

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
