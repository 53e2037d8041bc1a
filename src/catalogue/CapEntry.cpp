#include "catalogue/CapEntry.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "catalogue/NumberText.h"
#include "ui/Services.h"
#include "ui/TextChars.h"

namespace quenta {

namespace {

constexpr int kEnter = 13;
constexpr int kEscape = 27;

std::unique_ptr<CapEntryForm>& instance() {
  static std::unique_ptr<CapEntryForm> form;
  return form;
}

// Half the upper bound, the value the dialog proposes.
std::string Proposal(const CapEntryForm& d) {
  return FormatGeneral(LeadingNumber(d.Label2.caption()) * 0.5);
}

// Writes the proposal back after a refused entry, selected in the focused
// box as on opening, whatever sent the answer (Enter, a click on OK, Space
// on OK): what the user types next replaces it, and Enter submits it.
void ProposeAgain(CapEntryForm& d) {
  d.Text1.setText(Proposal(d));
  d.Text1.focusWithTextSelected();
}

// The question (title and explanation) the user declined last; empty when
// the last answer was a value, or the capacitance has changed since.
std::string& DeclinedQuestion() {
  static std::string question;
  return question;
}

std::function<void(const std::string&)>& AcceptedView() {
  static std::function<void(const std::string&)> view;
  return view;
}

}  // namespace

CapEntryForm::CapEntryForm() : ui::Form("F_CapEntry") {
  setCaption("Enter Capacitance");
  setBackColor(ui::colors::white);
  setSize(6300, 2700);
  setKeyPreview(true);
  Label1.setBackColor(ui::colors::white);
  Label2.setVisible(false);
  Label3.setVisible(false);
  B_CalcOK.setCaption("OK");
  B_CalcOK.setDefault(true);

  onActivate = cap_entry::Form_Activate;
  onKeyPress = cap_entry::Form_KeyPress;
  onUnload = cap_entry::Form_Unload;
  Text1.onGotFocus = cap_entry::Text1_GotFocus;
  Text1.onLostFocus = cap_entry::Text1_LostFocus;
  B_CalcOK.onClick = cap_entry::B_CalcOK_Click;
}

CapEntryForm& F_CapEntry() {
  auto& form = instance();
  if (!form) form = std::make_unique<CapEntryForm>();
  return *form;
}

void ResetCapEntryForm() {
  instance().reset();
  ForgetDeclinedCapEntry();
}

void ForgetDeclinedCapEntry() { DeclinedQuestion().clear(); }

void SetAcceptedCapacitanceView(std::function<void(const std::string&)> view) {
  AcceptedView() = std::move(view);
}

CapEntryResult ShowCapEntry(double upper, double lower, const std::string& title,
                            const std::string& message, LowerBound lowerBound, Asking asking) {
  const bool exclusive = lowerBound == LowerBound::Exclusive;
  // A range without any admissible value would hold the user in the dialog
  // for good (a maximum of -1 marks a selection without a listed one).
  const bool admissible = exclusive ? upper > std::max(lower, 0.0) : upper >= lower && upper > 0;
  if (!admissible) return CapEntryResult::NoAdmissibleValue;
  // The explanation names the value entered and the bounds: the same text
  // is the same question.
  const std::string question = title + '\n' + message;
  if (asking == Asking::UnlessDeclined && question == DeclinedQuestion())
    return CapEntryResult::Cancelled;

  CapEntryForm& d = F_CapEntry();
  d.setCaption(title);
  d.Label1.setCaption(message);
  d.Label2.setCaption(FormatGeneral(upper));
  d.Label3.setCaption(FormatGeneral(lower));
  d.lowerExclusive = exclusive;
  d.outcome = CapEntryForm::Outcome::Open;

  const bool searchAllRows = gCapLimits.CapSearchAllRows;
  gCapLimits.CapSearchAllRows = false;
  d.show(ui::ShowMode::Modal);
  if (d.outcome != CapEntryForm::Outcome::Accepted) {
    d.outcome = CapEntryForm::Outcome::Cancelled;
    gCapLimits.CapSearchAllRows = searchAllRows;
    DeclinedQuestion() = question;
    return CapEntryResult::Cancelled;
  }
  DeclinedQuestion().clear();
  gCapLimits.CapSearchAllRows = true;
  return CapEntryResult::Accepted;
}

void SayNotACapacitance(const std::string& typed) {
  // A text pasted at length is named by its start.
  constexpr std::size_t kNamedChars = 40;
  std::string named = typed;
  if (ui::CharCount(named) > kNamedChars)
    named = named.substr(0, ui::CharOffset(named, kNamedChars)) + "...";
  const std::string what =
      typed.empty() ? "No capacitance is typed." : "\"" + named + "\" is not a capacitance.";
  ui::msgBox(what +
                 "\r\nType a number in microfarads, or a number followed by p, pF, n, nF, u, uF "
                 "or \u00B5F (2.2, 100 pF, 47nF).",
             ui::MsgButtons::Ok, "Not a Capacitance", ui::MsgIcon::Exclamation);
}

namespace cap_entry {

void Form_Activate() {
  CapEntryForm& d = F_CapEntry();
  d.Text1.setText(Proposal(d));
  // The caret stands in the box with the proposal selected: what the user
  // types at once replaces it, and Enter at once submits it (OK is the
  // default button).
  d.Text1.focusWithTextSelected();
}

void Text1_GotFocus() { F_CapEntry().Text1.selectAll(); }

void Text1_LostFocus() {
  CapEntryForm& d = F_CapEntry();
  if (const auto microfarads = PicofaradShorthand(d.Text1.text())) d.Text1.setText(*microfarads);
}

void B_CalcOK_Click() {
  CapEntryForm& d = F_CapEntry();
  if (!d.shown()) return;
  const double upper = LeadingNumber(d.Label2.caption());
  const double lower = LeadingNumber(d.Label3.caption());
  double entry = 0;
  if (ReadTypedMicrofarads(d.Text1.text(), entry) == NumberStatus::NotANumber) {
    SayNotACapacitance(d.Text1.text());
    ProposeAgain(d);
    return;
  }

  // Written so that a value that is not a number is refused as well.
  // No capacitance is 0 µF or less: such an entry is refused whatever the
  // lower bound says.
  const bool within = d.lowerExclusive ? (entry > lower && entry > 0 && entry <= upper)
                                       : (entry >= lower && entry > 0 && entry <= upper);
  if (!within) {
    ui::msgBox("Capacitance must be greater than " + FormatGeneral(lower) +
                   "\u00B5F and less than " + FormatGeneral(upper) + "\u00B5F.",
               ui::MsgButtons::Ok, "Oops!", ui::MsgIcon::None);
    ProposeAgain(d);
    return;
  }

  gSelection.Capacitance = entry;  // microfarads until the caller converts it
  d.outcome = CapEntryForm::Outcome::Accepted;
  d.hide();
  const std::function<void(const std::string&)> view = AcceptedView();
  if (view) view(FormatGeneral(entry));
}

void Form_KeyPress(int& keyAscii) {
  CapEntryForm& d = F_CapEntry();
  if (keyAscii == kEnter) {
    keyAscii = 0;
    d.B_CalcOK.click();
  } else if (keyAscii == kEscape) {
    keyAscii = 0;
    d.outcome = CapEntryForm::Outcome::Cancelled;
    d.hide();
  }
}

void Form_Unload() {
  CapEntryForm& d = F_CapEntry();
  if (d.outcome == CapEntryForm::Outcome::Open) d.outcome = CapEntryForm::Outcome::Cancelled;
}

}  // namespace cap_entry

}  // namespace quenta
