// The chip design: effectives, chips, covers, the thickness question, the
// too-few-effectives notice, the capacitance re-entry and refused designs.

#include <clocale>
#include <string>

#include "EngineFixture.h"
#include "engine/ChipDesign.h"
#include "mainwindow/DesignMode.h"

namespace quenta::test {
namespace {

class ChipDesignTest : public EngineTest {
 protected:
  // Series 3 case 1 (no built-in rules; area 1.073; five chips a stack;
  // 0.13 in listed maximum, 0.04 in minimum) in C0G at 1000 V, from a
  // design-rule row of 1 mil, one sheet, the given covers, one cascade.
  void series3(double layers, float covers = 3) {
    rule(0, 1, 9, 1.0f, 1, covers, 1);
    select(3, 1, 1, 9, layers * layerUf(17, 1.073, 1.0f / 1000.0f));
  }
  // Series 8 case 12 (asks before a second chip; area 0.951; 0.125 in
  // listed maximum) in Z5U at 600 V, which no built-in rule covers.
  void series8(double layers) {
    rule(0, 3, 8, 1.0f, 1, 3, 1);
    select(8, 12, 3, 8, layers * layerUf(2050, 0.951, 1.0f / 1000.0f));
  }
  static double layerUf(double k, double area, double activeLayer) {
    return k * area / activeLayer / 1000000.0;
  }
  // The design window, as the calculation shows the design just made.
  std::string window(int index) {
    ShowChipDesign();
    return F_QuentaDesignForm().Text1[index].text();
  }
};

TEST_F(ChipDesignTest, FiveEffectivesOnOneChipNeedNoNotice) {
  series3(5.5);
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::Designed);
  EXPECT_EQ(gChip.Effectives, 5);
  EXPECT_EQ(gChip.Chips, 1);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(gChip.NonStandardDesign, 0);
  EXPECT_EQ(gChip.MinEffectives, 5);
}

TEST_F(ChipDesignTest, TooFewEffectivesDrawTheNoticeAndMarkTheDesignNonStandard) {
  series3(4.5);
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::Designed);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Too few effectives...");
  EXPECT_EQ(messages[0].buttons, ui::MsgButtons::Ok);
  EXPECT_EQ(messages[0].icon, ui::MsgIcon::None);
  EXPECT_EQ(messages[0].text,
            "There are too few effectives ( 4)\rThe design minimum is 5.\r"
            "Small allowances may be made.");
  EXPECT_EQ(gChip.MinEffectives, 4);
  EXPECT_EQ(gChip.FewEffectivesAccepted, 1);
  EXPECT_EQ(gChip.NonStandardDesign, 1);

  // One effective: the notice says the part cannot be made, and it is not.
  messages.clear();
  series3(1.5);
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::TooFewEffectives);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text,
            "There are too few effectives ( 1)\rThe design minimum is 5.\r"
            "Unfortunately we cannot work with only 1 effective.");
  EXPECT_EQ(gChip.NonStandardDesign, 0);
}

TEST_F(ChipDesignTest, ARowThatLowersTheMinimumTakesFourEffectives) {
  // C0G 0805 at 600 V, 5 to 26 pF: 1.445 pF a layer, a minimum of 4.
  select(14, 100, 1, 8, 6.5e-6);
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::Designed);
  EXPECT_EQ(gChip.Effectives, 4);
  EXPECT_EQ(gChip.MinEffectives, 4);
  EXPECT_TRUE(messages.empty());
}

TEST_F(ChipDesignTest, SeveralChipsNeverDrawTheNotice) {
  // 93 covers leave room for only four effectives a chip.
  series3(8.5, 93);
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::Designed);
  EXPECT_EQ(gChip.Chips, 2);
  EXPECT_EQ(gChip.Effectives, 4);
  EXPECT_TRUE(messages.empty());
}

TEST_F(ChipDesignTest, StacksThatMayHoldSeveralChipsGrowSilently) {
  series3(274.5);
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::Designed);
  EXPECT_EQ(gChip.Chips, 2);
  EXPECT_EQ(gChip.Effectives, 137);
  EXPECT_TRUE(messages.empty());
  EXPECT_LE(gChip.ChipThickInch, 0.13);
}

TEST_F(ChipDesignTest, YesToTheThicknessQuestionKeepsTheOverThickChip) {
  series8(256.5);
  answers = {ui::MsgResult::Yes};
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::Designed);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Thickness Exceeded...");
  EXPECT_EQ(messages[0].text,
            "This chip is too thick for the listed max thickness.\rAdjust max thickness?");
  EXPECT_EQ(messages[0].buttons, ui::MsgButtons::YesNo);
  EXPECT_EQ(messages[0].icon, ui::MsgIcon::Question);
  EXPECT_EQ(gChip.Chips, 1);
  EXPECT_EQ(gChip.NonStandardDesign, 1);
  EXPECT_GT(gChip.ChipThickInch, 0.125);
  // The part weighs as the chip it really is, not as the listed maximum.
  const double stack = 256 * 0.001 + 3 * 2 * 0.001 + 257 * 0.0001;
  EXPECT_NEAR(gChip.VolumeFactor, stack * 0.68, 1e-7);
}

TEST_F(ChipDesignTest, NoToTheThicknessQuestionAddsAChipPerAnswer) {
  series8(256.5);
  answers = {ui::MsgResult::No};
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::Designed);
  EXPECT_EQ(titled("Thickness Exceeded...").size(), 1u);
  EXPECT_EQ(gChip.Chips, 2);
  EXPECT_EQ(gChip.Effectives, 128);
  EXPECT_EQ(gChip.NonStandardDesign, 0);
  EXPECT_LE(gChip.ChipThickInch, 0.125);

  messages.clear();
  series8(800);
  answers = {ui::MsgResult::No, ui::MsgResult::No, ui::MsgResult::No, ui::MsgResult::No};
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::Designed);
  EXPECT_EQ(titled("Thickness Exceeded...").size(), static_cast<std::size_t>(gChip.Chips - 1));
}

TEST_F(ChipDesignTest, NoToTheThicknessQuestionMakesAChipSizeANonStandardStack) {
  // C0G 0805 at 600 V, 47 pF: 26 effectives are too thick for one chip.
  select(14, 100, 1, 8, 47e-6);
  answers = {ui::MsgResult::No};
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::Designed);
  EXPECT_EQ(titled("Thickness Exceeded...").size(), 1u);
  EXPECT_EQ(gChip.Chips, 2);
  EXPECT_EQ(gChip.NonStandardDesign, 1);
}

TEST_F(ChipDesignTest, ThinChipsGainCoversUntilTheyReachTheMinimum) {
  series3(5.5);
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::Designed);
  // The part weighs as the finished chip, its added covers included.
  const double finished = 5 * 0.001 + gChip.Covers * 2 * 0.001 + 6 * 0.0001;
  EXPECT_NEAR(gChip.VolumeFactor, finished * 0.68, 1e-8);
  EXPECT_GT(gChip.Covers, 3);
  EXPECT_GE(gChip.ChipThickInch, 0.04);
  EXPECT_LT(gChip.ChipThickInch - 2 * 0.001 * 0.68, 0.04);
  ShowChipDesign();
  EXPECT_EQ(F_QuentaDesignForm().Text3.text(), std::to_string(gChip.Covers));
}

TEST_F(ChipDesignTest, TheSecondX7rFormulationThinsTheDielectric) {
  // Series 2 X7R at 50 V with the Commercial box: the rule's 1.6 mils.
  setCommercialBox(true);
  select(2, 1, 2, 2, 10, 1);
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::Designed);
  EXPECT_EQ(gChip.DesignFlag2, 1);
  EXPECT_EQ(gChip.DielectricK, 448);
  EXPECT_DOUBLE_EQ(gChip.DielThickness, 1.4);
  EXPECT_EQ(window(2), "1.4");
  // From the design-rule file the single-precision 1.6 is thinned in full.
  setCommercialBox(false);
  rule(0, 2, 2, 1.6f, 1, 3, 1);
  select(2, 1, 2, 2, 10, 0);
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::Designed);
  EXPECT_EQ(window(2), "1.40000002384186");
}

TEST_F(ChipDesignTest, TheDesignWindowShowsTheConstruction) {
  rule(0, 1, 9, 1.6f, 2, 6, 2);
  select(3, 2, 1, 9, 0.1);
  ASSERT_EQ(CalcChipDesign(), ChipDesignOutcome::Designed);
  ShowChipDesign();
  DesignForm& w = F_QuentaDesignForm();
  EXPECT_EQ(w.Text1[0].text(), std::to_string(gChip.Chips));
  EXPECT_EQ(w.Text1[1].text(), std::to_string(static_cast<int>(gChip.Effectives)));
  EXPECT_EQ(w.Text1[2].text(), "1.6");
  EXPECT_EQ(w.Text1[3].text(), "2");
  EXPECT_EQ(w.Text1[4].text(), FormatChipThickness(gChip.ChipThickInch));
  EXPECT_EQ(w.Text1[5].text(), "2");
  EXPECT_EQ(w.Text1[6].text(), "17");
  EXPECT_EQ(w.Text2.text(), "0.3658");
  EXPECT_EQ(w.Text3.text(), "6");
  EXPECT_FALSE(w.shown());
}

TEST(ChipThicknessTextTest, ShowsTwoToThreeDecimals) {
  EXPECT_EQ(FormatChipThickness(0.1), "0.10");
  EXPECT_EQ(FormatChipThickness(0.0456), "0.046");
  EXPECT_EQ(FormatChipThickness(0.125), "0.125");
  EXPECT_EQ(FormatChipThickness(1.5), "1.50");
  EXPECT_EQ(FormatChipThickness(0), "0.00");
}

// The Qt front end adopts the user's locale for the C library; the
// thickness keeps "." as its decimal point there too.
TEST(ChipThicknessTextTest, IgnoresACommaDecimalLocale) {
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  bool comma = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "de_DE"}) {
    if (std::setlocale(LC_NUMERIC, name) && *std::localeconv()->decimal_point == ',') {
      comma = true;
      break;
    }
  }
  const std::string thin = FormatChipThickness(0.05);
  const std::string thick = FormatChipThickness(0.1234);
  std::setlocale(LC_NUMERIC, saved.c_str());
  if (!comma) GTEST_SKIP() << "no locale with a decimal comma on this machine";
  EXPECT_EQ(thin, "0.05");
  EXPECT_EQ(thick, "0.123");
}

TEST_F(ChipDesignTest, LessThanOneLayerRunsTheCapacitanceReEntry) {
  int reEntries = 0;
  SetCapTooSmallHandler([&] { ++reEntries; });
  series3(0.5);
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::CapacitanceTooSmall);
  EXPECT_EQ(reEntries, 1);
  EXPECT_TRUE(messages.empty());
  SetCapTooSmallHandler(nullptr);
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::CapacitanceTooSmall);
}

// A combination that neither a rule nor a design-rule row builds is
// refused at once: no dialog, no endless loop.
TEST_F(ChipDesignTest, MissingConstructionValuesRefuseTheDesign) {
  int reEntries = 0;
  SetCapTooSmallHandler([&] { ++reEntries; });
  select(3, 1, 1, 9, 1);  // no design-rule row at all
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::InvalidCombination);

  rule(0, 1, 9, 1.0f, 1, -1, 1);  // covers missing
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::InvalidCombination);
  rule(0, 1, 9, 1.0f, 0, 3, 1);  // no multiplier
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::InvalidCombination);
  rule(0, 1, 9, 1.0f, 1, 3, -1);  // no cascades
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::InvalidCombination);
  rule(0, 1, 9, 0.0f, 1, 3, 1);  // no thickness
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::InvalidCombination);

  rule(0, 1, 9, 1.0f, 1, 3, 1);
  gChip.ThicknessScale = 0;  // the cover loop could never end
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::InvalidCombination);
  select(3, 1, 1, 9, 1);
  gChip.DielectricK = 0;
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::InvalidCombination);
  select(3, 1, 1, 9, 1);
  gSelection.CommercialFlag = 2;  // outside the design-rule tables
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::InvalidCombination);

  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(reEntries, 0);
}

TEST_F(ChipDesignTest, EachRunStartsAfresh) {
  series8(256.5);
  answers = {ui::MsgResult::Yes};
  ASSERT_EQ(CalcChipDesign(), ChipDesignOutcome::Designed);
  ASSERT_EQ(gChip.NonStandardDesign, 1);
  series8(10.5);
  EXPECT_EQ(CalcChipDesign(), ChipDesignOutcome::Designed);
  EXPECT_EQ(gChip.NonStandardDesign, 0);
  EXPECT_EQ(gChip.Chips, 1);
  EXPECT_EQ(gChip.DesignFlag3, 1);  // Z5U
}

}  // namespace
}  // namespace quenta::test
