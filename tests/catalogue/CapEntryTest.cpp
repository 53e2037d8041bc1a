// The capacitance re-entry dialog: what it proposes, the bounds it holds
// the entry to, picofarad entry, its keys, and how an accepted value
// switches the main window to manual capacitance entry.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "catalogue/CapEntry.h"
#include "catalogue/DesignState.h"
#include "mainwindow/MainForm.h"
#include "ui/Headless.h"

namespace quenta {
namespace {

class CapEntry : public ::testing::Test {
 protected:
  void SetUp() override {
    scope_.emplace(services);
    ResetForms();
    gSelection.Capacitance = 7e-6;
    gCapLimits.CapSearchAllRows = true;
    // The user's part in the dialog, run while it is open.
    services.onRunModal = [this](ui::Form& form) {
      ASSERT_EQ(&form, &dialog());
      ASSERT_TRUE(form.shown());
      if (user) user(dialog());
    };
  }
  void TearDown() override {
    ResetForms();
    scope_.reset();
  }

  static CapEntryForm& dialog() { return F_CapEntry(); }
  static MainForm& main() { return F_QuentaMainForm(); }
  // Enter, as the keyboard delivers it: key code and character 13.
  static void enter(CapEntryForm& d) { d.userKey(13, 13); }
  static void type(CapEntryForm& d, const std::string& text) {
    d.setActiveControl(&d.Text1);
    d.Text1.setText(text);
  }

  ui::HeadlessServices services;
  std::function<void(CapEntryForm&)> user;

 private:
  std::optional<ui::ScopedServices> scope_;
};

TEST_F(CapEntry, OpensWithItsTextsProposingHalfTheUpperBound) {
  user = [](CapEntryForm& d) {
    EXPECT_EQ(d.caption(), "Maximum Capacitance Exceeded!");
    EXPECT_EQ(d.Label1.caption(), "Too large.\rTry again.");
    EXPECT_EQ(d.Text1.text(), "1.35");
    EXPECT_FALSE(d.Label2.visible());
    EXPECT_FALSE(d.Label3.visible());
    // The box holds the focus with the proposal selected, so typing
    // replaces it; OK is the default button; the dialog is modal.
    EXPECT_EQ(d.activeControl(), &d.Text1);
    EXPECT_EQ(d.Text1.selStart(), 0);
    EXPECT_EQ(d.Text1.selLength(), 4);
    EXPECT_TRUE(d.B_CalcOK.isDefault());
    EXPECT_TRUE(d.modal());
    // The check that opened the dialog does not fix the case meanwhile.
    EXPECT_FALSE(gCapLimits.CapSearchAllRows);
    enter(d);
  };
  EXPECT_EQ(ShowCapEntry(2.7, 0, "Maximum Capacitance Exceeded!", "Too large.\rTry again."),
            CapEntryResult::Accepted);
  // Enter at once submits the proposal, in microfarads.
  EXPECT_DOUBLE_EQ(gSelection.Capacitance, 1.35);
  EXPECT_TRUE(gCapLimits.CapSearchAllRows);
  EXPECT_FALSE(dialog().shown());
}

TEST_F(CapEntry, RefusesValuesOutsideTheBoundsAndAcceptsBothBounds) {
  int shows = 0;
  user = [&](CapEntryForm& d) {
    ++shows;
    type(d, "20");
    d.B_CalcOK.click();
    EXPECT_TRUE(d.shown());
    EXPECT_EQ(d.Text1.text(), "5");  // the proposal again, selected: typing replaces it
    EXPECT_EQ(d.Text1.selStart(), 0);
    EXPECT_EQ(d.Text1.selLength(), 1);
    type(d, "0.4");
    d.B_CalcOK.click();
    EXPECT_TRUE(d.shown());
    type(d, shows == 1 ? "0.5" : "10");
    d.B_CalcOK.click();
  };
  EXPECT_EQ(ShowCapEntry(10, 0.5, "t", "m"), CapEntryResult::Accepted);
  EXPECT_DOUBLE_EQ(gSelection.Capacitance, 0.5);
  ASSERT_EQ(services.messages.size(), 2u);
  EXPECT_EQ(services.messages[0].title, "Oops!");
  EXPECT_EQ(services.messages[0].text,
            "Capacitance must be greater than 0.5\u00B5F and less than 10\u00B5F.");
  EXPECT_EQ(services.messages[0].buttons, ui::MsgButtons::Ok);
  EXPECT_EQ(services.messages[0].icon, ui::MsgIcon::None);

  EXPECT_EQ(ShowCapEntry(10, 0.5, "t", "m"), CapEntryResult::Accepted);
  EXPECT_DOUBLE_EQ(gSelection.Capacitance, 10);
}

TEST_F(CapEntry, PicofaradsTypedTurnIntoMicrofaradsOnlyWhenTheBoxIsLeft) {
  user = [](CapEntryForm& d) {
    d.Text1.setFocus();
    type(d, "4");
    for (char c : std::string("70pF")) d.Text1.receiveChar(c);
    EXPECT_EQ(d.Text1.text(), "470pF");  // typing may still go on
    d.B_CalcOK.setFocus();
    EXPECT_EQ(d.Text1.text(), "0.00047");
    d.Text1.setFocus();
    type(d, "4p7");  // no whole value: left as typed
    d.B_CalcOK.setFocus();
    EXPECT_EQ(d.Text1.text(), "4p7");
    // Enter in the box reads the unit as typed.
    d.Text1.setFocus();
    type(d, "1500P");
    enter(d);
  };
  EXPECT_EQ(ShowCapEntry(1, 0, "t", "m"), CapEntryResult::Accepted);
  EXPECT_DOUBLE_EQ(gSelection.Capacitance, 0.0015);
}

TEST_F(CapEntry, TextThatIsNoCapacitanceIsNamedAndZeroIsRefused) {
  // A lower bound of 0 would admit 0 µF, which no part has: refused.
  user = [](CapEntryForm& d) {
    type(d, "4,7 pF");
    d.B_CalcOK.click();
    EXPECT_TRUE(d.shown());
    EXPECT_EQ(d.Text1.text(), "0.5");  // the proposal again
    type(d, "0");
    d.B_CalcOK.click();
    EXPECT_TRUE(d.shown());
    type(d, "0.2");
    enter(d);
  };
  EXPECT_EQ(ShowCapEntry(1, 0, "t", "m"), CapEntryResult::Accepted);
  EXPECT_DOUBLE_EQ(gSelection.Capacitance, 0.2);
  ASSERT_EQ(services.messages.size(), 2u);
  EXPECT_EQ(services.messages[0].title, "Not a Capacitance");
  EXPECT_EQ(services.messages[0].text,
            "\"4,7 pF\" is not a capacitance.\r\nType a number in microfarads, or a number "
            "followed by p, pF, n, nF, u, uF or \u00B5F (2.2, 100 pF, 47nF).");
  EXPECT_EQ(services.messages[1].title, "Oops!");
}

TEST_F(CapEntry, AnAcceptedValueSwitchesToManualEntry) {
  main().CK_ManCap.setValue(ui::CheckBox::Unchecked);
  main().CB_Cap.setVisible(true);
  main().T_Capacitance.setVisible(false);
  user = [](CapEntryForm& d) {
    type(d, "3.30");
    enter(d);
  };
  ASSERT_EQ(ShowCapEntry(10, 0, "t", "m"), CapEntryResult::Accepted);
  EXPECT_FALSE(main().CB_Cap.visible());
  EXPECT_TRUE(main().T_Capacitance.visible());
  EXPECT_EQ(main().T_Capacitance.text(), "3.3");
  EXPECT_EQ(main().Frame4.caption(), "Capacitance (\u00B5F)");
  EXPECT_EQ(main().CK_ManCap.value(), ui::CheckBox::Checked);

  // Already in manual entry: only the value changes.
  main().CB_Cap.setVisible(true);
  main().Frame4.setCaption("Capacitance");
  user = [](CapEntryForm& d) {
    type(d, "4.7");
    enter(d);
  };
  ASSERT_EQ(ShowCapEntry(10, 0, "t", "m"), CapEntryResult::Accepted);
  EXPECT_EQ(main().T_Capacitance.text(), "4.7");
  EXPECT_TRUE(main().CB_Cap.visible());
  EXPECT_EQ(main().Frame4.caption(), "Capacitance");
}

TEST_F(CapEntry, EscapeAndTheCloseBoxCancelWithoutChangingAnything) {
  main().CK_ManCap.setValue(ui::CheckBox::Unchecked);
  main().T_Capacitance.setText("3");
  gCapLimits.CapSearchAllRows = false;
  user = [](CapEntryForm& d) {
    type(d, "1");
    d.userKey(27, 27);
  };
  EXPECT_EQ(ShowCapEntry(2, 0, "t", "m"), CapEntryResult::Cancelled);
  EXPECT_FALSE(dialog().shown());

  user = [](CapEntryForm& d) { d.unload(); };
  EXPECT_EQ(ShowCapEntry(2, 0, "t", "m"), CapEntryResult::Cancelled);

  EXPECT_EQ(gSelection.Capacitance, 7e-6);
  EXPECT_FALSE(gCapLimits.CapSearchAllRows);
  EXPECT_EQ(main().CK_ManCap.value(), ui::CheckBox::Unchecked);
  EXPECT_EQ(main().T_Capacitance.text(), "3");

  // The dialog opens again after either way out.
  user = [](CapEntryForm& d) { enter(d); };
  EXPECT_EQ(ShowCapEntry(2, 0, "t", "m"), CapEntryResult::Accepted);
}

TEST_F(CapEntry, AnExclusiveLowerBoundNeedsALargerValue) {
  user = [](CapEntryForm& d) {
    type(d, "0.5");  // the value entered before: not enough
    enter(d);
    EXPECT_TRUE(d.shown());
    type(d, "0.51");
    enter(d);
  };
  EXPECT_EQ(ShowCapEntry(10, 0.5, "Way Too Small!", "m", LowerBound::Exclusive),
            CapEntryResult::Accepted);
  EXPECT_DOUBLE_EQ(gSelection.Capacitance, 0.51);

  // A lower bound of 0 still wants a capacitance.
  user = [](CapEntryForm& d) {
    type(d, "0");
    enter(d);
    EXPECT_TRUE(d.shown());
    d.userKey(27, 27);
  };
  EXPECT_EQ(ShowCapEntry(10, 0, "Way Too Small!", "m", LowerBound::Exclusive),
            CapEntryResult::Cancelled);
}

TEST_F(CapEntry, ARangeWithoutAnyValueIsNotOpened) {
  bool opened = false;
  user = [&](CapEntryForm&) { opened = true; };
  EXPECT_EQ(ShowCapEntry(-1, 0, "t", "m"), CapEntryResult::NoAdmissibleValue);
  EXPECT_EQ(ShowCapEntry(1, 2, "t", "m"), CapEntryResult::NoAdmissibleValue);
  EXPECT_EQ(ShowCapEntry(2, 2, "t", "m", LowerBound::Exclusive),
            CapEntryResult::NoAdmissibleValue);
  EXPECT_EQ(ShowCapEntry(-1, -5, "t", "m", LowerBound::Exclusive),
            CapEntryResult::NoAdmissibleValue);
  EXPECT_FALSE(opened);
  EXPECT_EQ(gSelection.Capacitance, 7e-6);
  EXPECT_TRUE(gCapLimits.CapSearchAllRows);
}

// A run that a change started does not ask again the question the user
// has just declined; the user asking, another question, or a changed
// capacitance asks again, and an accepted value forgets the refusal.
TEST_F(CapEntry, ADeclinedQuestionIsAskedAgainOnlyWhenItMayBe) {
  int shows = 0;
  bool accept = false;
  user = [&](CapEntryForm& d) {
    ++shows;
    if (accept) {
      type(d, "1");
      enter(d);
    } else {
      d.userKey(27, 27);
    }
  };
  auto ask = [](const char* message, Asking asking) {
    return ShowCapEntry(10, 0, "t", message, LowerBound::Inclusive, asking);
  };
  EXPECT_EQ(ask("m", Asking::UnlessDeclined), CapEntryResult::Cancelled);
  EXPECT_EQ(ask("m", Asking::UnlessDeclined), CapEntryResult::Cancelled);
  EXPECT_EQ(shows, 1);
  EXPECT_EQ(ask("m", Asking::Always), CapEntryResult::Cancelled);
  EXPECT_EQ(shows, 2);
  EXPECT_EQ(ask("other", Asking::UnlessDeclined), CapEntryResult::Cancelled);
  EXPECT_EQ(shows, 3);
  ForgetDeclinedCapEntry();
  EXPECT_EQ(ask("other", Asking::UnlessDeclined), CapEntryResult::Cancelled);
  EXPECT_EQ(shows, 4);
  accept = true;
  EXPECT_EQ(ask("other", Asking::Always), CapEntryResult::Accepted);
  EXPECT_EQ(ask("other", Asking::UnlessDeclined), CapEntryResult::Accepted);
  EXPECT_EQ(shows, 6);
  // A range without a value is still told as such.
  EXPECT_EQ(ShowCapEntry(0, 1, "t", "other", LowerBound::Inclusive, Asking::UnlessDeclined),
            CapEntryResult::NoAdmissibleValue);
}

}  // namespace
}  // namespace quenta
