// The results report and Print Screen: the rows of the military entry
// modes, and what a printer failure leaves behind (no half page, the
// normal pointer, the "Error!" box when nothing could be printed).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/DesignState.h"
#include "mainwindow/Commands.h"
#include "mainwindow/MainWindowSession.h"
#include "mainwindow/PrintScreen.h"
#include "mainwindow/Report.h"

namespace quenta::test {
namespace {

class Report : public MainWindowSession {
 protected:
  void SetUp() override {
    MainWindowSession::SetUp();
    ASSERT_TRUE(start());
    Command1_Click();
    ASSERT_TRUE(f().Command2.enabled());
  }
  void TearDown() override {
    SetMil123ReportSource(nullptr);
    MainWindowSession::TearDown();
  }
  ui::RecordingPrinter& printer() { return services.recordingPrinter(); }
  static std::string value(const std::vector<ReportRow>& rows, const std::string& label) {
    for (const ReportRow& row : rows)
      if (row.label == label) return row.value;
    ADD_FAILURE() << "no row " << label;
    return "";
  }
};

TEST_F(Report, MilPrf123EntryPrintsThePinAndTheDecodedPart) {
  f().T_Mil_Prf.setText("M123A10BXB102KS");
  f().OB_MIL123.setValue(true);
  gSelection.CapacitanceText = "1 nF";
  gSelection.PartNumberText = "0805W10";
  SetMil123ReportSource([] { return Mil123ReportValues{"K", "50", "X7R"}; });
  const auto rows = ReportRows();
  ASSERT_EQ(rows.size(), 21u);
  EXPECT_EQ(rows[0].label, "MIL-PRF Part#  ");
  EXPECT_EQ(rows[0].value, "M123A10BXB102KS");
  EXPECT_EQ(value(rows, "Capacitance"), "1 nF");
  EXPECT_EQ(value(rows, "Voltage"), "50");
  EXPECT_EQ(value(rows, "Dielectric"), "X7R");
  EXPECT_EQ(value(rows, "Tolerance"), "K");
  EXPECT_EQ(value(rows, "Type"), "0805");
  EXPECT_EQ(value(rows, "Case Size"), "M123");
  // The manual capacitance box, hidden in this mode, holds no part of it.
  f().CK_ManCap.setValue(ui::CheckBox::Checked);
  f().T_Capacitance.setText("4.7");
  EXPECT_EQ(value(ReportRows(), "Capacitance"), "1 nF");
}

TEST_F(Report, MilPrf49470EntryPrintsThePinWithTheListsItFilled) {
  f().T_Mil_Prf.setText("M49470X01155KAN");
  f().OB_Mil_Prf.setValue(true);
  const auto rows = ReportRows();
  EXPECT_EQ(rows[0].label, "MIL-PRF Part#  ");
  EXPECT_EQ(rows[0].value, "M49470X01155KAN");
  EXPECT_EQ(value(rows, "Tolerance"), f().CB_Tolerance.text());
  EXPECT_EQ(value(rows, "Type"), f().CB_Type.text());
  EXPECT_EQ(value(rows, "Case Size"), f().CB_Case.text());
  EXPECT_EQ(value(rows, "Capacitance"), gSelection.CapTextOriginal);
}

TEST_F(Report, AFailureAbandonsThePageAndRestoresThePointer) {
  printer().failAfter(10, 482, "Printer error: out of paper.");
  Command2_Click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Error!");
  EXPECT_EQ(messages[0].text, "Printing Error\r\nError Number: 482\r\nPrinter error: out of paper.");
  EXPECT_EQ(messages[0].buttons, ui::MsgButtons::Ok);
  EXPECT_EQ(messages[0].icon, ui::MsgIcon::None);
  EXPECT_TRUE(printer().pending().empty());
  EXPECT_TRUE(printer().documents().empty());
  EXPECT_EQ(f().mousePointer(), ui::MousePointer::Default);

  // The next page starts clean: 3 settings, 21 labels, 21 values, the end.
  Command2_Click();
  ASSERT_EQ(printer().documents().size(), 1u);
  EXPECT_EQ(printer().documents()[0].size(), 3u + 21 + 21 + 1);
  EXPECT_EQ(f().mousePointer(), ui::MousePointer::Default);
}

TEST_F(Report, PrintScreenTellsOfAnImageThatCouldNotBePrinted) {
  printer().failAfter(2, 482, "Printer error: the window could not be printed.");
  Command5_Click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Error!");
  EXPECT_EQ(messages[0].text, "Printing Error\r\nError Number: 482\r\nPrinter error: " +
                                  std::string("the window could not be printed."));
  EXPECT_TRUE(printer().pending().empty());
  EXPECT_EQ(f().mousePointer(), ui::MousePointer::Default);
  // A failing first step: the window is still printed, without a message.
  printer().failAfter(0, 486, "No printer is installed.");
  Command5_Click();
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(f().mousePointer(), ui::MousePointer::Default);
  ASSERT_EQ(printer().documents().size(), 1u);
  EXPECT_EQ(printer().documents().back(),
            (std::vector<std::string>{"window \"F_QuentaMainForm\"", "enddoc"}));
}

}  // namespace
}  // namespace quenta::test
