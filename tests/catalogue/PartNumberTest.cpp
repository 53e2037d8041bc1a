#include <gtest/gtest.h>

#include <string>

#include "catalogue/DesignState.h"
#include "catalogue/PartNumber.h"

using namespace quenta;

namespace {

TEST(CapacitanceCode, ExamplesAndRowBoundaries) {
  const std::pair<double, const char*> cases[] = {
      {0, "0R0"},          {0.5e-12, "0R5"},     {1.5e-12, "1R5"},     {4.7e-12, "4R7"},
      {9.94e-12, "9R9"},   {9.96e-12, "100"},    {47e-12, "470"},      {99.4e-12, "990"},
      {99.6e-12, "101"},   {470e-12, "471"},     {994e-12, "991"},     {996e-12, "102"},
      {9.94e-9, "992"},    {9.96e-9, "103"},     {0.0994e-6, "993"},   {0.0996e-6, "104"},
      {0.1e-6, "104"},     {0.994e-6, "994"},    {0.996e-6, "105"},    {1e-6, "105"},
      {9.94e-6, "995"},    {9.96e-6, "106"},     {22e-6, "226"},       {99.4e-6, "996"},
      {99.6e-6, "107"},    {994e-6, "997"},      {996e-6, "108"},      {9940e-6, "998"},
      {9960e-6, "109"},    {99400e-6, "999"},    {99499e-6, "999"},    {99500e-6, "###"},
      {100000e-6, "###"},  {-1e-6, "###"},       {0.125e-6, "134"},    {0.135e-6, "144"},
  };
  for (const auto& [farads, code] : cases) EXPECT_EQ(CapacitanceCode(farads), code) << farads;
}

TEST(CapacitanceCode, ValueAtARowLimitGoesToTheNextRow) {
  // 0.0995 µF plus the half unit lands on the row limit in double precision.
  EXPECT_EQ(CapacitanceCode(0.0995e-6), "104");
  EXPECT_EQ(CapacitanceCode(9.95e-12), "100");
  for (double pf = 0.05; pf < 1e11; pf *= 1.0007) {
    const std::string code = CapacitanceCode(pf * 1e-12);
    ASSERT_EQ(code.size(), 3u) << pf;
    for (char c : code) ASSERT_TRUE((c >= '0' && c <= '9') || c == 'R' || c == '#') << pf;
  }
}

class ComposePartNumberTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDesignDefaults();
    gSelection.VoltageIndex = 2;     // 50 V, "5"
    gSelection.DielectricIndex = 1;  // C0G, "A"
    gSelection.ToleranceIndex = 2;   // +/-10 %, "K"
    gSelection.Capacitance = 1e-6;   // "105"
  }
  std::string For(int series, const char* seriesText, const char* caseText = "05") {
    gSelection.SeriesIndex = static_cast<int16_t>(series);
    return ComposePartNumber(seriesText, caseText);
  }
};

TEST_F(ComposePartNumberTest, PrefixAndToleranceFollowTheSeriesFamily) {
  EXPECT_EQ(For(1, "KD"), "KD055A105K...");
  EXPECT_EQ(For(13, "GJW", "41"), "GJW415A105K...");
  EXPECT_EQ(For(23, "DQ", "20"), "DQ205A105M...");
  EXPECT_EQ(For(25, "DY", "12"), "DY125A105M...");
  EXPECT_EQ(For(24, "BW", "10"), "BWV15A105K...");
  EXPECT_EQ(For(14, "0805", "0805"), "08055A105K...");
  EXPECT_EQ(For(20, "2220"), "22205A105K...");
  EXPECT_EQ(For(21, "2225"), "22255A105K...");
  EXPECT_EQ(For(22, "3640"), "36405A105K...");
  // 2225 and 3640 carry the tolerance chosen, as every chip size does; the
  // fixed-value series are made at +/-20 % only.
  gSelection.ToleranceIndex = 1;
  EXPECT_EQ(For(21, "2225"), "22255A105J...");
  EXPECT_EQ(For(22, "3640"), "36405A105J...");
  EXPECT_EQ(For(23, "DQ", "20"), "DQ205A105M...");
}

TEST_F(ComposePartNumberTest, LettersComeFromTheCodeTables) {
  gSelection.VoltageIndex = 18;
  gSelection.DielectricIndex = 5;
  gSelection.ToleranceIndex = 5;
  gSelection.Capacitance = 4.7e-12;
  EXPECT_EQ(For(2, "KF", "99"), "KF99NT4R7P...");
  gSelection.VoltageIndex = 0;
  gSelection.DielectricIndex = 6;
  gSelection.ToleranceIndex = -1;
  EXPECT_EQ(For(2, "KF", "99"), "KF99??4R7?...");
}

TEST(DesignDefaults, SetTheLoaderValuesAndLeaveTheRest) {
  gChip.DesignFlag1 = gChip.DesignFlag2 = gChip.DesignFlag3 = 1;
  gChip.DesignFlag4 = gChip.DesignFlag5 = 1;
  gChip.NonStandardDesign = gChip.FewEffectivesAccepted = 1;
  gChip.Mult = 4;
  gResults.LeadFlag = 1;
  gResults.DielBXFlag = 1;
  gTemps.TempAmbient = 80;
  gTemps.InternalTemp = 99;
  gSelection.CaseText = "05";
  gCapLimits.CapSearchAllRows = true;

  SetDesignDefaults();

  EXPECT_EQ(gChip.DesignFlag1 + gChip.DesignFlag2 + gChip.DesignFlag3, 0);
  EXPECT_EQ(gChip.DesignFlag4 + gChip.DesignFlag5, 2);
  EXPECT_EQ(gChip.NonStandardDesign + gChip.FewEffectivesAccepted, 2);
  EXPECT_EQ(gResults.LeadFlag, 1);
  EXPECT_EQ(gTemps.InternalTemp, 99);
  EXPECT_EQ(gSelection.CaseText, "05");
  EXPECT_TRUE(gCapLimits.CapSearchAllRows);
  gCapLimits.CapSearchAllRows = false;

  EXPECT_EQ(Pi, 3.141592653589793);
  EXPECT_EQ(gChip.DielThickness, 1.5);
  EXPECT_EQ(gChip.Mult, 1);
  EXPECT_EQ(gChip.Covers, 3);
  EXPECT_EQ(gChip.Cascades, 1);
  EXPECT_EQ(gSelection.SeriesIndex, 1);
  EXPECT_EQ(gSelection.CaseIndex, 2);
  EXPECT_EQ(gSelection.VoltageIndex, 2);
  EXPECT_EQ(gSelection.DielectricIndex, 1);
  EXPECT_EQ(gSelection.ToleranceIndex, 2);
  EXPECT_EQ(gSelection.Capacitance, 3e-06);
  EXPECT_EQ(gSelection.Frequency, 100000);
  EXPECT_EQ(gSelection.CommercialFlag, 0);
  EXPECT_EQ(gResults.DielBXFlag, 0);
  EXPECT_EQ(gTemps.TempAmbient, 25);
  EXPECT_EQ(gTemps.TempRise, 0);
  EXPECT_EQ(gTemps.TempMax, 125);
  EXPECT_EQ(gTemps.TempMin, -55);
  EXPECT_EQ(gTemps.TempRiseMax, 50);
  EXPECT_EQ(gTemps.TempTotalMax, 150);
}

TEST(DesignDefaults, CodeTables) {
  SetDesignDefaults();
  const auto& cc = gCodes.CaseCode;
  EXPECT_EQ(cc[0], "");
  EXPECT_EQ(cc[1], "01");
  EXPECT_EQ(cc[10], "10");
  EXPECT_EQ(cc[99], "99");
  EXPECT_EQ(cc[100], "0805");
  EXPECT_EQ(cc[108], "3640");
  EXPECT_EQ(cc[111], "V1");
  EXPECT_EQ(cc[109], cc[113]);
  EXPECT_EQ(cc[110], cc[114]);
  EXPECT_EQ(cc[112], cc[115]);
  EXPECT_EQ(cc[115], "10");
  for (int n = 116; n <= 125; ++n) EXPECT_EQ(cc[static_cast<std::size_t>(n)], "");

  std::string volts, diels, tols;
  for (const auto& s : gCodes.VoltCode) volts += s;
  for (const auto& s : gCodes.DielCode) diels += s;
  for (const auto& s : gCodes.TolCode) tols += s;
  EXPECT_EQ(volts, "3512987CASGWHJKLMN");
  EXPECT_EQ(diels, "ACE4T");
  EXPECT_EQ(tols, "JKMZP");
}

}  // namespace
