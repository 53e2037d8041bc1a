// The built-in construction rules, by family of table cells.

#include <cmath>

#include "EngineFixture.h"
#include "engine/CaseList.h"
#include "engine/DesignRules.h"

namespace quenta::test {
namespace {

struct Values {
  double t;
  int m, covers, cascades;
};

class DesignRulesTest : public EngineTest {
 protected:
  // Runs the rules from the marker values the design-rule file leaves for
  // combinations it does not list, and returns what they leave.
  Values rules(int series, int caseIndex, int dielectric, int voltage, int commercial = 0) {
    select(series, caseIndex, dielectric, voltage, 1, commercial);
    gChip.DielThickness = -1;
    gChip.Mult = gChip.Covers = gChip.Cascades = -1;
    SetDesignRules();
    return {gChip.DielThickness, gChip.Mult, gChip.Covers, gChip.Cascades};
  }
};

void ExpectValues(const Values& got, const Values& want) {
  EXPECT_EQ(got.t, want.t);
  EXPECT_EQ(got.m, want.m);
  EXPECT_EQ(got.covers, want.covers);
  EXPECT_EQ(got.cascades, want.cascades);
}

const Values kUnset{-1, -1, -1, -1};

TEST_F(DesignRulesTest, SeriesWithoutRulesKeepTheFileValues) {
  for (int series : {3, 23, 24, 25}) {
    for (int dielectric : {1, 2, 4}) {
      for (int voltage : {1, 2, 8, 9, 15}) {
        SCOPED_TRACE(series * 1000 + dielectric * 100 + voltage);
        ExpectValues(rules(series, 1, dielectric, voltage), kUnset);
        ExpectValues(rules(series, 109, dielectric, voltage, 1), kUnset);
      }
    }
  }
}

TEST_F(DesignRulesTest, Series1X7rAt50VAppliesOnlyToCommercialParts) {
  ExpectValues(rules(1, 3, 2, 2, 0), kUnset);
  ExpectValues(rules(1, 53, 2, 2, 1), {1.4, 1, 3, 1});
  ExpectValues(rules(1, 95, 2, 2, 1), {1.2, 1, 3, 1});
  // Cases that no row names take the last row.
  ExpectValues(rules(1, 7, 2, 2, 1), {1.6, 1, 3, 1});
  ExpectValues(rules(1, 110, 2, 2, 1), {1.6, 1, 3, 1});
  // Series 2 reads the same table.
  ExpectValues(rules(2, 4, 2, 2, 1), {1.2, 1, 3, 1});
  ExpectValues(rules(2, 4, 2, 2, 0), kUnset);
}

TEST_F(DesignRulesTest, Series1X7rAt25VCoversCases1To6Only) {
  for (int commercial : {0, 1}) {
    ExpectValues(rules(1, 6, 2, 1, commercial), {1.6, 1, 3, 1});
    ExpectValues(rules(1, 3, 2, 1, commercial), {1.4, 1, 3, 1});
    ExpectValues(rules(1, 5, 2, 1, commercial), {1.2, 1, 3, 1});
    ExpectValues(rules(1, 51, 2, 1, commercial), kUnset);
    ExpectValues(rules(1, 93, 2, 1, commercial), kUnset);
  }
}

TEST_F(DesignRulesTest, Series1N1500At500VDependsOnTheCaseFamily) {
  for (int caseIndex : {3, 4, 5, 53, 54, 55, 93, 94, 95})
    ExpectValues(rules(1, caseIndex, 4, 7), {1.5, 2, 6, 1});
  for (int caseIndex : {1, 2, 6, 51, 56, 96}) ExpectValues(rules(1, caseIndex, 4, 7), {1.7, 2, 6, 1});
  ExpectValues(rules(1, 2, 4, 3, 1), {1.7, 1, 5, 1});
  ExpectValues(rules(1, 2, 4, 1), kUnset);
  ExpectValues(rules(1, 2, 1, 2), kUnset);  // C0G has no rule
}

TEST_F(DesignRulesTest, Series4To6IgnoreTheCase) {
  for (int series : {4, 5, 6}) {
    for (int caseIndex : {41, 77, 94, 22}) {
      ExpectValues(rules(series, caseIndex, 1, 18), {1.4, 2, 10, 8});
      ExpectValues(rules(series, caseIndex, 1, 13), {1.4, 2, 6, 3});
      ExpectValues(rules(series, caseIndex, 2, 1), {0.4, 1, 7, 1});
      ExpectValues(rules(series, caseIndex, 2, 15), {2, 3, 8, 6});
      ExpectValues(rules(series, caseIndex, 2, 16), kUnset);
      ExpectValues(rules(series, caseIndex, 3, 2), kUnset);
      ExpectValues(rules(series, caseIndex, 4, 2), kUnset);
    }
  }
}

TEST_F(DesignRulesTest, PresetSeriesKeepTheThicknessWhereNoCellApplies) {
  ExpectValues(rules(7, 1, 4, 2), {-1, 1, 3, 1});   // N1500 has no rows
  ExpectValues(rules(7, 1, 1, 8), {-1, 1, 3, 1});   // no 600 V column
  ExpectValues(rules(7, 4, 3, 7), {-1, 1, 3, 1});   // a dash in the thickness only
  ExpectValues(rules(10, 6, 2, 2), {-1, 1, 3, 1});  // no row for case 6
  ExpectValues(rules(12, 51, 1, 2), {-1, 1, 3, 1});
  ExpectValues(rules(13, 2, 3, 2), {-1, 1, 3, 1});
}

TEST_F(DesignRulesTest, Series7PicksTheRowOfItsCase) {
  ExpectValues(rules(7, 9, 3, 4), {1.5, 2, 6, 1});
  ExpectValues(rules(7, 10, 3, 4), {1.4, 2, 6, 1});
  ExpectValues(rules(7, 8, 1, 3), {1.8, 1, 3, 1});
  ExpectValues(rules(7, 7, 2, 4), {1.5, 2, 6, 1});
}

TEST_F(DesignRulesTest, Series9IsTheSameForEveryDielectric) {
  for (int dielectric : {1, 2, 3, 4}) {
    ExpectValues(rules(9, 6, dielectric, 3), {1.8, 1, 3, 1});
    ExpectValues(rules(9, 1, dielectric, 1), {0.75, 1, 3, 1});
    ExpectValues(rules(9, 5, dielectric, 2), {1, 1, 3, 1});
  }
}

TEST_F(DesignRulesTest, Series8DashesSetNothing) {
  ExpectValues(rules(8, 1, 1, 14), kUnset);
  ExpectValues(rules(8, 4, 2, 15), kUnset);
  ExpectValues(rules(8, 5, 2, 15), {1.8, 3, 9, 6});
  ExpectValues(rules(8, 13, 2, 8), {1.8, 2, 5, 1});  // "any other"
  ExpectValues(rules(8, 16, 2, 8), {2, 2, 5, 1});
  ExpectValues(rules(8, 16, 4, 12), {2.2, 2, 6, 2});
  ExpectValues(rules(8, 16, 1, 16), kUnset);  // no column
  ExpectValues(rules(8, 16, 3, 9), kUnset);   // Z5U has no rows
}

TEST_F(DesignRulesTest, Series13AnyCase) {
  ExpectValues(rules(13, 4, 1, 11), {2, 3, 9, 2});
  ExpectValues(rules(13, 1, 2, 13), {1.8, 3, 6, 4});
  ExpectValues(rules(13, 1, 2, 12), {-1, 1, 3, 1});
}

TEST_F(DesignRulesTest, ChipSizesAt600VDependOnTheEntryModeForC0gOnly) {
  struct Expect {
    int caseIndex;
    Values maker, mil;
  };
  const Expect expected[] = {
      {100, {2, 1, 3, 1}, {1.4, 1, 6, 1}},   {101, {2, 1, 3, 1}, {1.4, 1, 6, 1}},
      {102, {2, 1, 3, 1}, {1.4, 1, 6, 1}},   {104, {2.4, 1, 3, 1}, {1.4, 1, 6, 1}},
      {105, {1.3, 2, 6, 1}, {1.5, 1, 6, 1}}, {103, {2, 1, 3, 1}, {2, 1, 3, 1}},
  };
  for (const Expect& e : expected) {
    SCOPED_TRACE(e.caseIndex);
    setMil123(false);
    ExpectValues(rules(e.caseIndex - 86, e.caseIndex, 1, 8), e.maker);
    setMil123(true);
    ExpectValues(rules(e.caseIndex - 86, e.caseIndex, 1, 8), e.mil);
    // Other voltages ignore the mode.
    const double t = e.caseIndex == 104 || e.caseIndex == 105 ? 1.5 : 1.3;
    ExpectValues(rules(e.caseIndex - 86, e.caseIndex, 1, 9), {t, 2, 6, 1});
  }
  setMil123(false);
  const Values maker = rules(18, 104, 2, 8);
  setMil123(true);
  ExpectValues(rules(18, 104, 2, 8), maker);
  ExpectValues(maker, {1.8, 2, 6, 1});
}

TEST_F(DesignRulesTest, ChipSizesStylesAndDashes) {
  ExpectValues(rules(14, 100, 1, 10), kUnset);
  ExpectValues(rules(22, 108, 2, 15), {2.4, 2, 6, 6});
  ExpectValues(rules(20, 109, 2, 1), {0.4, 1, 6, 1});
  ExpectValues(rules(20, 110, 2, 1), kUnset);
  ExpectValues(rules(20, 110, 2, 3), {0.7, 1, 6, 1});
  ExpectValues(rules(20, 109, 2, 4), kUnset);
  ExpectValues(rules(20, 109, 1, 1), kUnset);
}

TEST_F(DesignRulesTest, RuleValuesAreDoublesNotTableSingles) {
  rules(12, 1, 1, 1);
  EXPECT_FALSE(gChip.DielThicknessIsSingle);
  EXPECT_EQ(gChip.DielThickness, 1.6);
}

TEST(CaseListTest, ReadsNumbersRangesAndAny) {
  EXPECT_TRUE(CaseListContains("8 to 12, 16, 17", 8));
  EXPECT_TRUE(CaseListContains("8 to 12, 16, 17", 12));
  EXPECT_TRUE(CaseListContains("8 to 12, 16, 17", 17));
  EXPECT_FALSE(CaseListContains("8 to 12, 16, 17", 13));
  EXPECT_FALSE(CaseListContains("1", 11));
  EXPECT_TRUE(CaseListContains("any other", 0));
  EXPECT_TRUE(CaseListContains("any", 125));
  EXPECT_FALSE(IsCaseList("1,2"));
  EXPECT_FALSE(IsCaseList("5 to 3"));
  EXPECT_FALSE(IsCaseList(""));
}

TEST(DesignRuleTablesTest, EveryRowIsWellFormed) {
  for (const design_rules::CaseTable& table : design_rules::AllCaseTables()) {
    SCOPED_TRACE(std::string(table.name));
    ASSERT_LE(table.columns.size(), 9u);
    bool anyOtherSeen[5] = {};
    for (const design_rules::CaseRow& row : table.rows) {
      SCOPED_TRACE(std::string(row.cases));
      EXPECT_TRUE(IsCaseList(row.cases));
      EXPECT_GE(row.dielectric, 0);
      EXPECT_LE(row.dielectric, 4);
      // A row after "any other" of its dielectric could never match.
      EXPECT_FALSE(anyOtherSeen[row.dielectric]);
      if (row.cases == "any other" || row.cases == "any") anyOtherSeen[row.dielectric] = true;
      for (std::size_t i = 0; i < row.cells.size(); ++i) {
        const design_rules::Cell& cell = row.cells[i];
        if (i >= table.columns.size()) {
          EXPECT_EQ(cell.t + cell.m + cell.covers + cell.cascades, 0) << "cell beyond the columns";
          continue;
        }
        if (cell.t != 0) {
          EXPECT_TRUE(cell.t >= 0.4 && cell.t <= 2.4) << cell.t;
        }
        if (cell.m != 0) {
          EXPECT_TRUE(cell.m >= 1 && cell.m <= 3);
        }
        if (cell.covers != 0) {
          EXPECT_TRUE(cell.covers >= 3 && cell.covers <= 10);
        }
        if (cell.cascades != 0) {
          EXPECT_TRUE(cell.cascades == 1 || cell.cascades == 2 || cell.cascades == 4 ||
                      cell.cascades == 6);
        }
      }
    }
  }
}

}  // namespace
}  // namespace quenta::test
