// The selection cascade: what each choice does to the lists below it and
// to the design state, on the fixture catalogue.
#include <gtest/gtest.h>

#include "catalogue/DesignState.h"
#include "mainwindow/MainWindowSession.h"
#include "mainwindow/UiState.h"

namespace quenta::test {
namespace {

using Texts = std::vector<std::string>;

const std::string kMu = "\xC2\xB5";

class Cascade : public MainWindowSession {
 protected:
  void SetUp() override {
    MainWindowSession::SetUp();
    ASSERT_TRUE(start());
  }
  // Stands in for a finished calculation: something on screen to clear.
  void showSomeResults() {
    f().T_Specs[1].setText("42");
    f().Command2.setEnabled(true);
  }
  bool resultsShown() { return f().T_Specs[1].text() == "42" && f().Command2.enabled(); }
};

TEST_F(Cascade, SeriesKdzTakesItsVoltagesFromTheCaseHandler) {
  showSomeResults();
  gChip.NonStandardDesign = 1;
  gChip.FewEffectivesAccepted = 1;
  gResults.LeadFlag = 1;
  pick(f().CB_Type, "KDZ");
  EXPECT_FALSE(resultsShown());
  EXPECT_EQ(gChip.NonStandardDesign, 0);
  EXPECT_EQ(gChip.FewEffectivesAccepted, 0);
  EXPECT_EQ(gResults.LeadFlag, 0);
  // Cases of series 10 to 13 show without the leading zero, same codes.
  EXPECT_EQ(entries(f().CB_Case), (Texts{"1", "2"}));
  EXPECT_EQ(f().CB_Case.itemData(1), 2);
  EXPECT_EQ(entries(f().CB_Volt), (Texts{"25", "50", "100", "200", "500"}));
  EXPECT_EQ(f().CB_Volt.text(), "25");
  EXPECT_EQ(gSelection.VoltageIndex, 1);
  EXPECT_EQ(entries(f().CB_Dielectric), (Texts{"C0G", "VHT"}));
  EXPECT_EQ(gSelection.SeriesIndex, 12);
  EXPECT_EQ(gSelection.CaseIndex, 1);
  EXPECT_TRUE(gCapLimits.CapSearchAllRows);
}

TEST_F(Cascade, KdAndKfStartAt25VoltsOnlyInMilEntry) {
  pick(f().CB_Type, "KF");
  EXPECT_EQ(entries(f().CB_Volt), (Texts{"50", "100", "200", "500"}));
  f().OB_Mil_Prf.setValue(true);
  pick(f().CB_Type, "KF");
  EXPECT_EQ(entries(f().CB_Volt), (Texts{"25", "50", "100", "200", "500"}));
  EXPECT_EQ(gSelection.VoltageIndex, 1);
  // KF offers no dielectric at 25 V: the list stays empty and the
  // dielectric code and tolerance list keep what they had.
  EXPECT_EQ(f().CB_Dielectric.listCount(), 0);
  EXPECT_EQ(gSelection.DielectricIndex, 1);
  EXPECT_EQ(f().CB_Tolerance.text(), "+/-10%");
  EXPECT_EQ(f().CB_Cap.text(), "No Capacitance");
}

TEST_F(Cascade, ChipSeriesVoltagesFollowTheDielectric) {
  pick(f().CB_Type, "2220");
  EXPECT_EQ(entries(f().CB_Case), (Texts{"2220"}));
  EXPECT_FALSE(f().CB_Case.enabled());
  EXPECT_EQ(gSelection.CaseIndex, 106);
  EXPECT_EQ(gTemps.TempRiseMax, 20);
  const Texts full = {"600", "1000", "1500", "2000", "2500", "3000", "4000", "5000"};
  EXPECT_EQ(entries(f().CB_Volt), full);

  pick(f().CB_Volt, "5000");
  pick(f().CB_Dielectric, "X7R");
  EXPECT_EQ(entries(f().CB_Volt), (Texts{"600", "1000", "1500", "2000", "2500", "3000"}));
  EXPECT_EQ(f().CB_Volt.text(), "3000");
  EXPECT_EQ(gSelection.VoltageIndex, 13);
  EXPECT_EQ(gUiState.VoltChangeByDielectric, 0);

  // Back to C0G: the list grows again, the position is kept.
  pick(f().CB_Dielectric, "C0G");
  EXPECT_EQ(entries(f().CB_Volt), full);
  EXPECT_EQ(f().CB_Volt.text(), "3000");

  pick(f().CB_Volt, "4000");
  pick(f().CB_Dielectric, "X7R");
  EXPECT_EQ(f().CB_Volt.text(), "3000");
  EXPECT_EQ(gSelection.VoltageIndex, 13);

  pick(f().CB_Dielectric, "C0G");
  pick(f().CB_Volt, "2500");
  pick(f().CB_Dielectric, "X7R");
  EXPECT_EQ(f().CB_Volt.text(), "2500");
  EXPECT_EQ(gSelection.VoltageIndex, 12);

  // Series 18 lists 4000 V only after C0G; the first dielectric (C0G)
  // then rewrites the list to 4000 V in either case.
  pick(f().CB_Type, "1812");
  EXPECT_EQ(entries(f().CB_Volt).back(), "4000");
}

TEST_F(Cascade, SingleChipCaseChoiceOnlySetsTheAllowedRise) {
  pick(f().CB_Type, "0805");
  showSomeResults();
  gTemps.TempRiseMax = 50;
  gChip.NonStandardDesign = 1;
  pick(f().CB_Case, "0805");
  EXPECT_TRUE(resultsShown());
  EXPECT_EQ(gTemps.TempRiseMax, 20);
  EXPECT_EQ(gChip.NonStandardDesign, 1);
}

TEST_F(Cascade, CaseWithoutSelectionOnlyClearsResults) {
  pick(f().CB_Type, "PJ");
  const auto capBefore = entries(f().CB_Cap);
  showSomeResults();
  gChip.NonStandardDesign = 1;
  f().CB_Case.setListIndex(-1);
  EXPECT_FALSE(resultsShown());
  EXPECT_EQ(gChip.NonStandardDesign, 0);
  EXPECT_EQ(gSelection.CaseIndex, 41);
  EXPECT_EQ(entries(f().CB_Cap), capBefore);
}

TEST_F(Cascade, FixedListMovesCase12From25To50VoltsWithoutDuplicates) {
  const Texts at50 = {"18 " + kMu + "F", "27 " + kMu + "F", "50 " + kMu + "F"};
  pick(f().CB_Type, "DQ");
  pick(f().CB_Case, "12");
  // The voltage list on 25 V while case "12" is shown, as a MIL-PRF-49470
  // part or a restored selection can leave it.
  auto offer25 = [&] {
    gUiState.VoltChangeByDielectric = 1;
    f().CB_Volt.clear();
    for (auto [text, code] : {std::pair{"25", 1}, {"50", 2}, {"100", 3}})
      f().CB_Volt.addItem(text, static_cast<int16_t>(code));
    f().CB_Volt.setText("25");
    gUiState.VoltChangeByDielectric = 0;
  };
  // The move to 50 V runs the voltage handler, which rebuilds the list
  // itself; the finished list still holds each entry once.
  offer25();
  pick(f().CB_Tolerance, "+/-20%");
  EXPECT_EQ(f().CB_Volt.text(), "50");
  EXPECT_EQ(gSelection.VoltageIndex, 2);
  EXPECT_EQ(entries(f().CB_Cap), at50);
  EXPECT_EQ(f().CB_Cap.listIndex(), 0);
  // The same with the voltage handler silenced.
  offer25();
  gUiState.VoltChangeByDielectric = 1;
  pick(f().CB_Tolerance, "+/-20%");
  gUiState.VoltChangeByDielectric = 0;
  EXPECT_EQ(f().CB_Volt.text(), "50");
  EXPECT_EQ(entries(f().CB_Cap), at50);
}

TEST_F(Cascade, VoltageHandlerSilencedByTheDielectricGuard) {
  showSomeResults();
  gUiState.VoltChangeByDielectric = 1;
  pick(f().CB_Volt, "200");
  gUiState.VoltChangeByDielectric = 0;
  EXPECT_TRUE(resultsShown());
  EXPECT_EQ(gSelection.VoltageIndex, 2);
  EXPECT_EQ(entries(f().CB_Dielectric), (Texts{"C0G", "X7R", "Z5U", "N1500"}));
}

TEST_F(Cascade, DielectricListsBySeriesAndVoltage) {
  pick(f().CB_Type, "WB");
  EXPECT_EQ(f().CB_Volt.text(), "1000");
  EXPECT_EQ(entries(f().CB_Dielectric), (Texts{"C0G", "X7R", "N1500"}));
  pick(f().CB_Type, "GQ");
  EXPECT_EQ(f().CB_Volt.text(), "600");
  EXPECT_EQ(entries(f().CB_Dielectric), (Texts{"C0G", "X7R", "N1500"}));
  pick(f().CB_Type, "KDD");
  EXPECT_EQ(entries(f().CB_Case), (Texts{"3", "5"}));
  EXPECT_EQ(entries(f().CB_Dielectric), (Texts{"X7R"}));
  EXPECT_EQ(entries(f().CB_Tolerance), (Texts{"+/-10%", "+/-20%"}));
  EXPECT_EQ(f().CB_Tolerance.text(), "+/-20%");
  EXPECT_EQ(gSelection.ToleranceIndex, 3);
}

TEST_F(Cascade, DielectricSetsModelConstantsAndNotices) {
  pick(f().CB_Dielectric, "X7R");
  EXPECT_EQ(gSelection.DielectricIndex, 2);
  EXPECT_EQ(gResults.DielBXFlag, 1);
  EXPECT_EQ(gResults.DielBPFlag, 0);
  EXPECT_DOUBLE_EQ(gChip.LengthWidthScale, 0.83);
  EXPECT_TRUE(f().LineFreqText.visible());
  EXPECT_EQ(entries(f().CB_Tolerance), (Texts{"+/-10%", "+/-20%", "+80/-20%"}));
  EXPECT_EQ(f().CB_Tolerance.text(), "+/-20%");
  EXPECT_TRUE(f().CK_Comm.visible());  // KD at 50 V in maker entry
  EXPECT_EQ(f().CK_Comm.value(), 0);

  pick(f().CB_Dielectric, "N1500");
  EXPECT_FALSE(f().LineFreqText.visible());
  EXPECT_FALSE(f().CK_Comm.visible());
  EXPECT_EQ(gChip.DielectricK, 36);
  EXPECT_EQ(gResults.DielBPFlag, 1);
  EXPECT_EQ(f().CB_Tolerance.text(), "+/-10%");

  pick(f().CB_Dielectric, "C0G");
  EXPECT_EQ(gChip.DielectricK, 17);
  EXPECT_DOUBLE_EQ(gChip.LengthWidthScale, 0.82);

  // In MIL-PRF-49470 entry X7R keeps the Commercial box hidden.
  f().OB_Mil_Prf.setValue(true);
  pick(f().CB_Dielectric, "X7R");
  EXPECT_FALSE(f().CK_Comm.visible());
}

}  // namespace
}  // namespace quenta::test
