// Case geometry by series, case and cascade count, and the fatal stop for
// a combination without geometry.

#include "EngineFixture.h"
#include "engine/ModelCoefficients.h"

namespace quenta::test {
namespace {

class ModelCoefficientsTest : public EngineTest {
 protected:
  // Runs the procedure; false when it ended the program.
  bool geometry(int series, int caseIndex, int cascades, int dielectric = 1) {
    select(series, caseIndex, dielectric, 2);
    gChip.Cascades = cascades;
    try {
      SetModelCoefficients();
    } catch (const ui::ProgramEnd&) {
      return false;
    }
    return true;
  }
  const CaseGeometry& g() const { return gCaseGeometry; }
};

TEST_F(ModelCoefficientsTest, UncoveredCascadeCountEndsTheProgramWithTheSixLineMessage) {
  bool ending = false;
  services.onProgramEnding = [&] { ending = true; };
  EXPECT_FALSE(geometry(3, 1, 3));
  EXPECT_TRUE(ending);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Unrecoverable Error");
  EXPECT_EQ(messages[0].buttons, ui::MsgButtons::Ok);
  EXPECT_EQ(messages[0].icon, ui::MsgIcon::None);
  std::vector<std::string> lines;
  std::string text = messages[0].text;
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos; text.erase(0, at + 2))
    lines.push_back(text.substr(0, at));
  lines.push_back(text);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0],
            "An error in program logic led to one of 3 critical variables having a value of zero.");
  EXPECT_EQ(lines[1], "Program cannot continue.");
  const std::string email = "Please email the following info to ";
  EXPECT_EQ(lines[2].substr(0, email.size()), email);
  EXPECT_GT(lines[2].size(), email.size());
  EXPECT_EQ(lines[3], "Type = 3");
  EXPECT_EQ(lines[4], "Case = 1");
  EXPECT_EQ(lines[5], "Cascade = 3");
}

TEST_F(ModelCoefficientsTest, UncoveredCasesAreFatal) {
  const struct {
    int series, caseIndex, cascades;
  } fatal[] = {{1, 57, 1}, {1, 97, 1},  {4, 41, 8},   {4, 45, 1},  {8, 1, 6},   {13, 5, 1},
               {23, 111, 1}, {25, 100, 1}, {26, 1, 1},  {0, 1, 1},   {6, 23, 1},  {3, 4, 6}};
  for (const auto& f : fatal) {
    SCOPED_TRACE(f.series * 1000 + f.caseIndex);
    messages.clear();
    EXPECT_FALSE(geometry(f.series, f.caseIndex, f.cascades));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find("\r\nCase = " + std::to_string(f.caseIndex) + "\r\n"),
              std::string::npos);
    EXPECT_FALSE(HasCaseGeometry(f.series, f.caseIndex, f.cascades));
  }
}

TEST_F(ModelCoefficientsTest, LeadedStacksTakeTheDielectricRuleForTheMaximumThickness) {
  ASSERT_TRUE(geometry(1, 2, 2, 4));
  EXPECT_EQ(g().CaseLength, 0.935);
  EXPECT_EQ(g().CaseWidth, 1.825);
  EXPECT_EQ(g().EffArea, 1.54);
  EXPECT_EQ(g().MaxThickness, 0.11);
  EXPECT_EQ(g().MaxThickCheck, 5);
  EXPECT_EQ(g().MinThickness, 0.04);
  EXPECT_EQ(gResults.LeadFlag, 1);
  ASSERT_TRUE(geometry(1, 2, 2, 1));
  EXPECT_EQ(g().MaxThickness, 0.13);
  ASSERT_TRUE(geometry(12, 55, 1, 1));
  EXPECT_EQ(g().MaxThickness, 0.11);
  EXPECT_EQ(g().EffArea, 0.06095);
  // The cascade count does not change this geometry.
  ASSERT_TRUE(geometry(2, 96, 6));
  EXPECT_EQ(g().EffArea, 3.41);
  ASSERT_TRUE(geometry(1, 7, 1));
  EXPECT_EQ(g().EffArea, 0.234);
}

TEST_F(ModelCoefficientsTest, CascadeCountsOfOneOrLessTakeTheOneCascadeRow) {
  for (int cascades : {1, 0, -1}) {
    ASSERT_TRUE(geometry(3, 2, cascades));
    EXPECT_EQ(g().EffArea, 1.529);
  }
  ASSERT_TRUE(geometry(3, 2, 4));
  EXPECT_EQ(g().EffArea, 0.092073);
}

TEST_F(ModelCoefficientsTest, BlockSeriesTakeTheirCascadeColumnsAndBrackets) {
  ASSERT_TRUE(geometry(4, 77, 6));
  EXPECT_EQ(g().MaxThickCheck, 2);
  EXPECT_EQ(g().CaseLength, 0.96);
  EXPECT_EQ(g().CaseWidth, 0.724);
  EXPECT_EQ(g().EffArea, 0.01374);
  EXPECT_EQ(g().MaxThickness, 0.125);
  EXPECT_EQ(g().TermBand, 0.03f);
  EXPECT_EQ(gResults.LeadFlag, 0);
  // The bracket holds for its count only.
  ASSERT_TRUE(geometry(4, 77, 4));
  EXPECT_EQ(g().CaseLength, 0.964);
  EXPECT_EQ(g().MaxThickness, 0.13);
  // Series 5 ignores the count and has its own end allowance.
  ASSERT_TRUE(geometry(5, 41, 8));
  EXPECT_EQ(g().EffArea, 0.1054);
  EXPECT_EQ(g().TermBand, 0.025f);
  EXPECT_EQ(gResults.LeadFlag, 1);
  ASSERT_TRUE(geometry(4, 41, 1));
  EXPECT_EQ(g().TermBand, 0.025f);
  ASSERT_TRUE(geometry(4, 41, 2));
  EXPECT_EQ(g().TermBand, 0.03f);
  ASSERT_TRUE(geometry(4, 83, 9));
  EXPECT_EQ(g().EffArea, 0.6576);
  EXPECT_EQ(g().MaxThickCheck, 3);
  ASSERT_TRUE(geometry(4, 94, 1));
  EXPECT_EQ(g().MaxThickCheck, 4);
}

TEST_F(ModelCoefficientsTest, RadialSeriesShareBodies) {
  ASSERT_TRUE(geometry(13, 2, 4));
  EXPECT_EQ(g().EffArea, 0.0058);
  ASSERT_TRUE(geometry(8, 14, 4));
  EXPECT_EQ(g().EffArea, 0.0058);
  ASSERT_TRUE(geometry(8, 3, 6));
  EXPECT_EQ(g().EffArea, 0.00059);
  ASSERT_TRUE(geometry(8, 17, 3));
  EXPECT_EQ(g().EffArea, 0.014792);
  EXPECT_EQ(g().CaseWidth, 0.766);
  EXPECT_EQ(g().MaxThickness, 0.125);
  EXPECT_EQ(g().MinThickness, 0.03);
}

TEST_F(ModelCoefficientsTest, ChipSizesAcceptAnyCase) {
  ASSERT_TRUE(geometry(14, 0, 1));
  EXPECT_EQ(g().CaseLength, 0.096);
  EXPECT_EQ(g().CaseWidth, 0.06);
  EXPECT_EQ(g().EffArea, 0.00135);
  EXPECT_EQ(g().MaxThickness, 0.06);
  EXPECT_EQ(g().MinThickness, 0.01);
  EXPECT_EQ(g().TermBand, 0.015f);
  EXPECT_EQ(g().MaxThickCheck, 1);
  ASSERT_TRUE(geometry(20, 106, 2));
  EXPECT_EQ(g().CaseLength, 0.276);
  EXPECT_EQ(g().CaseWidth, 0.265);
  EXPECT_EQ(g().EffArea, 0.0106);
  ASSERT_TRUE(geometry(22, 108, 6));
  EXPECT_EQ(g().EffArea, 0.00259);
  EXPECT_EQ(g().CaseWidth, 0.486);
  EXPECT_EQ(g().TermBand, 0.03f);
  ASSERT_TRUE(geometry(16, 102, 6));  // "as other counts"
  EXPECT_EQ(g().EffArea, 0.00037);
  EXPECT_EQ(g().CaseWidth, 0.116);
}

TEST_F(ModelCoefficientsTest, StylesOfTheLeadedX7rParts) {
  ASSERT_TRUE(geometry(23, 112, 1));
  EXPECT_EQ(g().MaxThickness, 0.09);
  EXPECT_EQ(g().MaxThickCheck, 10);
  EXPECT_EQ(g().MinThickness, 0.05);
  EXPECT_EQ(g().TermBand, 0.01f);
  ASSERT_TRUE(geometry(24, 57, 4));
  EXPECT_EQ(g().EffArea, 0.059);
  EXPECT_EQ(g().MaxThickness, 0.11);
}

TEST_F(ModelCoefficientsTest, NothingCarriesOverFromAnEarlierCall) {
  ASSERT_TRUE(geometry(4, 51, 2));
  EXPECT_EQ(g().MaxThickness, 0.131);
  ASSERT_TRUE(geometry(7, 8, 1));
  EXPECT_EQ(g().MaxThickness, 0.121);
  EXPECT_EQ(g().MaxThickCheck, 2);
  EXPECT_EQ(g().TermBand, 0.02f);
}

// The lead flag is worked out for every design, so that a part gives the
// same results whatever was designed before it.
TEST_F(ModelCoefficientsTest, LeadFlagFollowsTheCurrentDesign) {
  ASSERT_TRUE(geometry(1, 2, 2));
  EXPECT_EQ(gResults.LeadFlag, 1);
  ASSERT_TRUE(geometry(3, 2, 1));
  EXPECT_EQ(gResults.LeadFlag, 0);
  ASSERT_TRUE(geometry(12, 2, 1));
  EXPECT_EQ(gResults.LeadFlag, 0);
  ASSERT_TRUE(geometry(5, 52, 1));
  EXPECT_EQ(gResults.LeadFlag, 1);
  ASSERT_TRUE(geometry(7, 1, 2));
  EXPECT_EQ(gResults.LeadFlag, 0);
}

}  // namespace
}  // namespace quenta::test
