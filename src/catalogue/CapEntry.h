// The capacitance re-entry dialog F_CapEntry: a small modal window that
// explains why the chosen capacitance cannot be built, proposes half the
// largest value allowed and accepts a new value in microfarads between two
// bounds. An accepted value switches the main window to manual capacitance
// entry, so every later calculation uses it.
#pragma once

#include <functional>
#include <string>

#include "ui/Form.h"

namespace quenta {

struct CapEntryForm : ui::Form {
  CapEntryForm();

  ui::Label Label1{*this, "Label1"};  // the explanation
  ui::Label Label2{*this, "Label2"};  // hidden: the upper bound, µF
  ui::Label Label3{*this, "Label3"};  // hidden: the lower bound, µF
  ui::TextBox Text1{*this, "Text1"};  // the user's entry, µF
  ui::CommandButton B_CalcOK{*this, "B_CalcOK"};

  // How the lower bound counts: reached (a value equal to it is accepted)
  // or only passed (the value must lie above it and above 0).
  bool lowerExclusive = false;

  // How the open dialog was left.
  enum class Outcome { Open, Accepted, Cancelled };
  Outcome outcome = Outcome::Open;
};

// Where an accepted value is shown: the main window installs its manual
// capacitance entry here. The dialog's OK calls it with the value in µF as
// text, after the dialog is hidden and before the dialog returns.
void SetAcceptedCapacitanceView(std::function<void(const std::string& microfarads)> view);

// The one instance, created on first use and then kept.
CapEntryForm& F_CapEntry();
// Destroys it, so the next use starts afresh (a new session of the program).
void ResetCapEntryForm();

enum class LowerBound { Inclusive, Exclusive };

// Whether the dialog asks: a run the user asked for always does; a run that
// a change started (typing elsewhere, a scroll bar) does not ask again the
// question the user has just declined, and takes it as declined again.
enum class Asking { Always, UnlessDeclined };

enum class CapEntryResult {
  // The user entered a value within the bounds: gSelection.Capacitance
  // holds it in MICROFARADS (the caller turns it into farads) and the
  // accepted-capacitance view shows it.
  Accepted,
  // The user closed the dialog (its close box or Escape): nothing changed.
  Cancelled,
  // The bounds admit no value at all; the dialog was not opened.
  NoAdmissibleValue,
};

// Fills the dialog with its caption, explanation and bounds (µF), and shows
// it modally until the user accepts a value or cancels. While it is open
// CapSearchAllRows is False; an accepted value leaves it True, a cancel
// as it was.
CapEntryResult ShowCapEntry(double upper, double lower, const std::string& title,
                            const std::string& message,
                            LowerBound lowerBound = LowerBound::Inclusive,
                            Asking asking = Asking::Always);

// The capacitance typed has changed: the question declined last may be
// asked again by any run.
void ForgetDeclinedCapEntry();

// Tells the user that the text typed into a capacitance box (the manual
// box, the re-entry dialog's) is no capacitance: the message names the
// text and the forms the box takes.
void SayNotACapacitance(const std::string& typed);

// The dialog's handlers.
namespace cap_entry {
// Each time the dialog opens: proposes half the upper bound, selected in the
// focused entry box.
void Form_Activate();
// Entering the box (Tab, a click) selects its whole text.
void Text1_GotFocus();
// Leaving the entry box turns a value typed in picofarads ("470p") into
// microfarads; OK reads the units typed behind the number as they are.
void Text1_LostFocus();
// OK: accepts an entry within the bounds, or says "Oops!" (or, for a text
// that is no capacitance, what the box takes) and proposes half the upper
// bound again.
void B_CalcOK_Click();
// Enter presses OK; Escape cancels.
void Form_KeyPress(int& keyAscii);
// The window system closed the dialog: that cancels.
void Form_Unload();
}  // namespace cap_entry

}  // namespace quenta
