// The capacitance limit checks against the catalogue maximum, with the
// tables set up directly. The paths that move the case list or run a
// nested calculation are covered by the main window's calculation tests.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "catalogue/CapEntry.h"
#include "catalogue/CapLimits.h"
#include "catalogue/DesignState.h"
#include "mainwindow/CapacitanceChecks.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/UiState.h"
#include "ui/Headless.h"

namespace quenta {
namespace {

class CapLimits : public ::testing::Test {
 protected:
  void SetUp() override {
    scope_.emplace(services);
    ResetForms();
    gUiState = UiState{};
    gChip = ChipDesign{};
    gCapLimits.MaxCapTable.Fill(-1);
    gCapLimits.CaseLookup.Fill(-1);
    gCapLimits.CapSearchAllRows = true;
    gSelection.SeriesIndex = 1;
    gSelection.CaseIndex = 3;
    gSelection.DielectricIndex = 1;
    gSelection.VoltageIndex = 2;
    services.onRunModal = [this](ui::Form& form) {
      auto& d = static_cast<CapEntryForm&>(form);
      ++dialogs;
      lastCaption = d.caption();
      lastMessage = d.Label1.caption();
      lastUpper = d.Label2.caption();
      lastLower = d.Label3.caption();
      lastProposal = d.Text1.text();
      if (!answer) {
        d.userKey(27, 27);
        return;
      }
      d.Text1.setText(*answer);
      d.B_CalcOK.click();
    };
  }
  void TearDown() override {
    ResetForms();
    scope_.reset();
  }

  static MainForm& main() { return F_QuentaMainForm(); }
  static void manualCapacitance(const std::string& microfarads) {
    main().CK_ManCap.setValue(ui::CheckBox::Checked);
    main().T_Capacitance.setText(microfarads);
  }

  ui::HeadlessServices services;
  std::optional<std::string> answer;  // nothing: the user presses Escape
  int dialogs = 0;
  std::string lastCaption, lastMessage, lastUpper, lastLower, lastProposal;

 private:
  std::optional<ui::ScopedServices> scope_;
};

// ------------------------------------------------------------ too large

TEST_F(CapLimits, AboveTheFixedCasesMaximumAsksForASmallerValue) {
  gCapLimits.MaxCapTable(1, 3, 1, 2) = 2.2;
  manualCapacitance("3.3");
  answer = "2.2";
  EXPECT_TRUE(CheckShownCapacitance());
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(lastCaption, "Maximum Capacitance Exceeded!");
  EXPECT_EQ(lastMessage,
            "You have entered a capacitance \r(3.3\u00B5F ) that is too large for this part. "
            "Maximum listed capacitance for this part is 2.2\u00B5F. Please enter a capacitance "
            "that is smaller (or equal to) the max value.");
  EXPECT_EQ(lastUpper, "2.2");
  EXPECT_EQ(lastLower, "0");
  EXPECT_EQ(lastProposal, "1.1");
  // The maximum itself passes.
  EXPECT_DOUBLE_EQ(gSelection.Capacitance, 2.2e-6);
  EXPECT_EQ(main().T_Capacitance.text(), "2.2");
  EXPECT_TRUE(gCapLimits.CapSearchAllRows);
  EXPECT_EQ(gUiState.InvalidCombination, 0);
}

TEST_F(CapLimits, ANumberTooLargeToQuoteIsQuotedAsTyped) {
  gCapLimits.MaxCapTable(1, 3, 1, 2) = 2.2;
  // Its value in farads is a number; in microfarads again it is not.
  manualCapacitance("1.7976931348623157e308 uF");
  answer = "2";
  EXPECT_TRUE(CheckShownCapacitance());
  EXPECT_EQ(lastMessage.substr(0, 60),
            "You have entered a capacitance \r(1.7976931348623157e308\u00B5F )");
  EXPECT_DOUBLE_EQ(gSelection.Capacitance, 2e-6);
}

TEST_F(CapLimits, ReadsThePickListWhenManualEntryIsOff) {
  gCapLimits.MaxCapTable(1, 3, 1, 2) = 1;
  main().CB_Cap.addItem("470 nF");
  main().CB_Cap.setListIndex(0);
  EXPECT_TRUE(CheckShownCapacitance());
  EXPECT_EQ(dialogs, 0);
  EXPECT_DOUBLE_EQ(gSelection.Capacitance, 4.7e-7);
  EXPECT_EQ(gSelection.CapTextOriginal, "470 nF");
}

TEST_F(CapLimits, ACancelledDialogEndsTheCalculation) {
  gCapLimits.MaxCapTable(1, 3, 1, 2) = 2.2;
  manualCapacitance("3.3");
  EXPECT_FALSE(CheckShownCapacitance());
  EXPECT_EQ(dialogs, 1);
  EXPECT_DOUBLE_EQ(gSelection.Capacitance, 3.3e-6);
  EXPECT_EQ(main().T_Capacitance.text(), "3.3");
  EXPECT_TRUE(gCapLimits.CapSearchAllRows);
}

TEST_F(CapLimits, ASelectionWithoutAMaximumIsAnInvalidCombination) {
  manualCapacitance("1");
  gCapLimits.MaxCapTable(1, 4, 1, 2) = 10;  // another case is listed
  EXPECT_TRUE(CheckShownCapacitance());
  EXPECT_EQ(dialogs, 0);
  EXPECT_EQ(gUiState.InvalidCombination, -1);
  EXPECT_DOUBLE_EQ(gSelection.Capacitance, 1e-6);
}

TEST_F(CapLimits, CommercialPartsUseTheirStyleFamilysLimit) {
  manualCapacitance("150");
  main().CK_Comm.setValue(ui::CheckBox::Checked);
  main().CK_Comm.setVisible(true);
  gSelection.CaseIndex = 52;  // the family of case 2: 200 µF
  EXPECT_TRUE(CheckShownCapacitance());
  EXPECT_EQ(dialogs, 0);
  EXPECT_EQ(gUiState.InvalidCombination, 0);

  gSelection.CaseIndex = 7;  // no family
  gCapLimits.MaxCapTable(1, 7, 1, 2) = 1000;
  EXPECT_TRUE(CheckShownCapacitance());
  EXPECT_EQ(gUiState.InvalidCombination, -1);

  // Ticked but hidden: the catalogue's maximum applies.
  gUiState.InvalidCombination = 0;
  main().CK_Comm.setVisible(false);
  EXPECT_TRUE(CheckShownCapacitance());
  EXPECT_EQ(gUiState.InvalidCombination, 0);
  EXPECT_EQ(dialogs, 0);
}

TEST_F(CapLimits, AnOpenCaseIsHeldAgainstTheHighestListedCase) {
  gCapLimits.CapSearchAllRows = false;
  gSelection.SeriesIndex = 14;  // a chip series: the case list stays
  gCapLimits.MaxCapTable(14, 100, 1, 2) = 0.5;
  gCapLimits.MaxCapTable(14, 3, 1, 2) = 10;
  manualCapacitance("1");
  answer = "0.5";
  EXPECT_TRUE(CheckShownCapacitance());
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(lastUpper, "0.5");
  EXPECT_FALSE(gCapLimits.CapSearchAllRows);
  EXPECT_EQ(main().CB_Case.listIndex(), -1);
}

// ------------------------------------------------------------ too small

TEST_F(CapLimits, TooSmallAsksForALargerValueUpToTheCasesMaximum) {
  gCapLimits.MaxCapTable(1, 3, 1, 2) = 10;
  gSelection.Capacitance = 0.5e-6;
  gChip.FewEffectivesAccepted = 1;
  ReenterTooSmallCapacitance();  // cancelled: no calculation follows
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(lastCaption, "Way Too Small!");
  EXPECT_EQ(lastMessage,
            "You have entered a capacitance\r(0.5\u00B5F ) that is too small for this part. "
            "Maximum listed capacitance for this part is 10\u00B5F. Please enter a capacitance "
            "that is smaller (or equal to) the max value and larger than the one you just "
            "entered.");
  EXPECT_EQ(lastUpper, "10");
  EXPECT_EQ(lastLower, "0.5");
  EXPECT_EQ(lastProposal, "5");
  EXPECT_EQ(gChip.FewEffectivesAccepted, 0);
  EXPECT_DOUBLE_EQ(gSelection.Capacitance, 0.5e-6);
  EXPECT_EQ(gUiState.InvalidCombination, 0);
}

TEST_F(CapLimits, TooSmallWithoutRoomAboveIsAnInvalidCombination) {
  gSelection.Capacitance = 0.5e-6;  // the case has no listed maximum
  ReenterTooSmallCapacitance();
  EXPECT_EQ(dialogs, 0);
  EXPECT_EQ(gUiState.InvalidCombination, -1);

  gUiState.InvalidCombination = 0;
  gCapLimits.MaxCapTable(1, 3, 1, 2) = 0.5;  // nothing above the value entered
  ReenterTooSmallCapacitance();
  EXPECT_EQ(dialogs, 0);
  EXPECT_EQ(gUiState.InvalidCombination, -1);
}

TEST_F(CapLimits, TooSmallInTheMilitaryModesShowsTheModesLabel) {
  gCapLimits.MaxCapTable(1, 3, 1, 2) = 10;
  gSelection.Capacitance = 0.5e-6;
  main().Label4.setVisible(false);
  main().L_Invalid_Mil.setVisible(false);
  main().OB_MIL123.setValue(true);
  ReenterTooSmallCapacitance();
  EXPECT_TRUE(main().Label4.visible());
  EXPECT_FALSE(main().L_Invalid_Mil.visible());

  main().Label4.setVisible(false);
  main().OB_Mil_Prf.setValue(true);
  ReenterTooSmallCapacitance();
  EXPECT_TRUE(main().L_Invalid_Mil.visible());
  EXPECT_FALSE(main().Label4.visible());
  EXPECT_EQ(dialogs, 0);
  EXPECT_DOUBLE_EQ(gSelection.Capacitance, 0.5e-6);
}

}  // namespace
}  // namespace quenta
