// Design mode and the voltage-coefficient panel: the design window's two
// faces, the panel's own copy of the curve, and the datasheet table.
#include <gtest/gtest.h>

#include <string>

#include "catalogue/DesignState.h"
#include "mainwindow/Commands.h"
#include "mainwindow/DesignMode.h"
#include "mainwindow/MainWindowSession.h"
#include "mainwindow/PrintScreen.h"
#include "mainwindow/VoltagePanel.h"

namespace quenta::test {
namespace {

class DesignMode : public MainWindowSession {
 protected:
  // Opens the design window as the Design button does and notes what it
  // shows while it is open.
  void openDesignWindow() {
    services.onRunModal = [this](ui::Form& form) {
      DesignForm& d = F_QuentaDesignForm();
      ASSERT_EQ(&form, &d);
      notice = d.Label2.visible();
      fields = 0;
      for (int i = 0; i <= 4; ++i) fields += d.Text1[i].visible() && d.Label1[i].visible();
      others = d.Text1[5].visible() && d.Text1[6].visible() && d.Text2.visible() &&
               d.Text3.visible();
      d.Command1.click();
    };
    Command4_Click();
    EXPECT_FALSE(F_QuentaDesignForm().shown());
  }
  bool notice = false;
  int fields = -1;
  bool others = false;
};

TEST_F(DesignMode, TheDesignWindowShowsTheConstructionOrTheNoDesignNotice) {
  ASSERT_TRUE(start());
  // No construction computed yet.
  gChip.Chips = 0;
  gChip.Effectives = 0;
  gChip.ActiveLayerThick = 0;
  gChip.Mult = 0;
  openDesignWindow();
  EXPECT_TRUE(notice);
  EXPECT_EQ(fields, 0);
  EXPECT_TRUE(others);

  Command1_Click();
  ASSERT_TRUE(f().Command4.enabled());
  openDesignWindow();
  EXPECT_FALSE(notice);
  EXPECT_EQ(fields, 5);
  EXPECT_TRUE(others);
  EXPECT_EQ(F_QuentaDesignForm().Text1[0].text(), std::to_string(gChip.Chips));

  // Any one of the four numbers missing counts as no design.
  gChip.Mult = 0;
  openDesignWindow();
  EXPECT_TRUE(notice);
  EXPECT_EQ(fields, 0);
}

class VoltagePanel : public MainWindowSession {
 protected:
  void SetUp() override {
    MainWindowSession::SetUp();
    ASSERT_TRUE(start(QUENTA_PROGRAM_FOLDER));
    calculate("KD", "05", "100", " 2.2 \u00B5F");
    ASSERT_TRUE(f().Frame26.visible());
  }
  // Picks an X7R part from the lists and calculates it.
  void calculate(const char* type, const char* caseSize, const char* volts, const char* cap) {
    pick(f().CB_Type, type);
    pick(f().CB_Case, caseSize);
    pick(f().CB_Volt, volts);
    pick(f().CB_Dielectric, "X7R");
    pick(f().CB_Cap, cap);
    Command1_Click();
  }
};

TEST_F(VoltagePanel, ReadsItsOwnCopyAfterTheSharedArraysAreRefilled) {
  f().HScroll1.setValue(500);
  const std::string volts = f().Text2.text(), change = f().Text3.text(), cap = f().Text4.text();
  ASSERT_EQ(volts, "100");
  // The graph window plots into the shared arrays, with fewer points.
  gCurve.GraphY1.assign(50, 7.0);
  gCurve.GraphY2.assign(50, 7.0);
  gCurve.GraphY3.assign(50, 7.0);
  gCurve.CurveLastPoint = 49;
  f().HScroll1.setValue(0);
  EXPECT_EQ(f().Text2.text(), "0");
  EXPECT_EQ(f().Text4.text(), "2.2");
  f().HScroll1.setValue(500);
  EXPECT_EQ(f().Text2.text(), volts);
  EXPECT_EQ(f().Text3.text(), change);
  EXPECT_EQ(f().Text4.text(), cap);
  f().Text2.setText("1000");
  EXPECT_EQ(f().Text2.text(), "100");
  EXPECT_EQ(f().HScroll1.value(), 500);
}

TEST_F(VoltagePanel, AHugeVoltageEndsAtTheLastPointAndAnEmptyTextReadsAsZero) {
  const PanelCurve& copy = PanelCurveCopy();
  ASSERT_EQ(copy.volts.size(), 501u);
  ASSERT_EQ(copy.lastPoint, f().HScroll1.max());
  f().Text2.setText("1e300");
  EXPECT_EQ(f().HScroll1.value(), copy.lastPoint);
  f().Text2.setText("");
  EXPECT_EQ(f().Text3.text(), "0");
  EXPECT_EQ(f().Text4.text(), "2.2");
  EXPECT_EQ(f().HScroll1.value(), copy.lastPoint);  // below the limit the bar stays
}

// Once Manual Cap is unticked the list gives the capacitance, and the
// panel its unit, as in a session that never typed one.
TEST_F(VoltagePanel, TheListsValueCountsInTheListsUnitAgain) {
  pick(f().CB_Type, "KD");
  pick(f().CB_Case, "55");
  pick(f().CB_Volt, "200");
  pick(f().CB_Dielectric, "Z5U");
  const std::string largest = f().CB_Cap.text();
  Command1_Click();
  const std::string label = f().Label8.caption(), shown = f().Text4.text();
  ASSERT_EQ(label, "\u00B5");
  ASSERT_EQ(shown, "10");

  f().CK_ManCap.setValue(ui::CheckBox::Checked);
  f().T_Capacitance.setText("470n");
  Command1_Click();
  ASSERT_EQ(f().Label8.caption(), "n");
  EXPECT_EQ(f().Text4.text(), "470");
  f().CK_ManCap.setValue(ui::CheckBox::Unchecked);
  EXPECT_EQ(f().Label8.caption(), label);
  pick(f().CB_Cap, largest);
  Command1_Click();
  EXPECT_EQ(f().Text4.text(), shown);
}

// 0 V shows the capacitance as entered, whichever way it is reached (the
// unit's change leaves 470 nF as 469.99999999999994 nF), and while no
// design is shown the panel shows no number.
TEST_F(VoltagePanel, ZeroVoltsShowsTheEnteredDigitsAndNoDesignShowsNothing) {
  calculate("GZ", "01", "100", " 470 nF");
  ASSERT_EQ(f().Label8.caption(), "n");
  EXPECT_EQ(f().Text4.text(), "470");
  f().HScroll1.setValue(1);
  f().HScroll1.setValue(0);
  EXPECT_EQ(f().Text4.text(), "470");
  f().Text2.setText("0");
  EXPECT_EQ(f().Text4.text(), "470");

  pick(f().CB_Cap, " 220 nF");  // clears the results
  EXPECT_FALSE(f().Frame26.visible());
  EXPECT_EQ(f().Text3.text(), "");
  EXPECT_EQ(f().Text4.text(), "");
  f().HScroll1.setValue(5);
  f().Text2.setText("3");
  EXPECT_EQ(f().Text3.text(), "");
  EXPECT_EQ(f().Text4.text(), "");
  Command1_Click();
  EXPECT_EQ(f().Text4.text(), "220");
}

TEST(Datasheet, EverySeriesHasItsDocument) {
  const struct {
    int series, caseIndex;
    const char* document;
  } rows[] = {
      {1, 2, "KD-Style.pdf"},        {1, 9, "KD9.pdf"},
      {1, 92, "KD9.pdf"},            {1, 19, "KD-Style.pdf"},
      {2, 92, "KF-Style.pdf"},       {3, 1, "WB_Series.pdf"},
      {4, 1, "PJ_PY-SMPS.pdf"},      {5, 1, "PJ_PY-SMPS.pdf"},
      {6, 1, "NX-Style.pdf"},        {7, 1, "GZ-Style.pdf"},
      {8, 1, "Norvel-GQ_Style.pdf"}, {9, 1, "GU-Style.pdf"},
      {10, 1, "KDD_Sheet1.pdf"},     {11, 1, "KFF_Series.pdf"},
      {12, 1, "kdz.pdf"},            {13, 1, "GJW-Style.pdf"},
      {14, 100, "Norvel-WB_MLCC.pdf"}, {18, 104, "Norvel-WB_MLCC.pdf"},
      {22, 108, "Norvel-WB_MLCC.pdf"}, {23, 112, "mini_vortan.pdf"},
      {23, 109, "vortancap.pdf"},    {23, 110, "vortancap.pdf"},
      {24, 1, "BW_CeramicCapacitor.pdf"}, {25, 112, "rohs_mini.pdf"},
      {25, 109, "vortan_rohs.pdf"},  {0, 1, ""},
      {26, 1, ""},                   {-1, 1, ""},
  };
  for (const auto& r : rows)
    EXPECT_EQ(DatasheetDocument(r.series, r.caseIndex), r.document)
        << "series " << r.series << " case " << r.caseIndex;
}

TEST_F(DesignMode, TheDatasheetButtonOpensOneDocumentByEntryMode) {
  ASSERT_TRUE(start());
  const std::string base = DatasheetBaseAddress();
  ASSERT_FALSE(base.empty());
  gSelection.SeriesIndex = 4;
  Command6_Click();
  f().OB_Mil_Prf.setValue(true);
  Command6_Click();
  f().OB_MIL123.setValue(true);
  Command6_Click();
  f().OB_Part_Num.setValue(true);
  gSelection.SeriesIndex = 0;  // no document of its own
  Command6_Click();
  EXPECT_EQ(services.opened, (std::vector<std::string>{base + "PJ_PY-SMPS.pdf",
                                                       base + "KD-MIL-Style.pdf",
                                                       base + "m123_chips.pdf"}));
}

}  // namespace
}  // namespace quenta::test
