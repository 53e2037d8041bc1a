// The special-design table: row boundaries, entry modes, the commercial
// tick and the parts picked by their listed capacitance.

#include <cmath>

#include "EngineFixture.h"
#include "engine/DesignOverrides.h"

namespace quenta::test {
namespace {

class SpecialDesignsTest : public EngineTest {
 protected:
  // Runs the table from a neutral construction; capacitance in pF.
  void special(int series, int caseIndex, int dielectric, int voltage, double picofarads) {
    select(series, caseIndex, dielectric, voltage, picofarads / 1000000.0);
    gChip.DielThickness = 9;
    gChip.Mult = 9;
    gChip.Cascades = 9;
    gChip.MinEffectives = 5;
    gChip.DesignFlag1 = gChip.DesignFlag2 = gChip.DesignFlag3 = 0;
    gChip.DesignFlag4 = gChip.DesignFlag5 = 0;
    gCaseGeometry.EffArea = 9;
    ApplySpecialDesignTable(static_cast<float>(gSelection.Capacitance * 1000000.0));
  }
  void expectConstruction(int k, double t, int m, int c, double a) {
    EXPECT_EQ(gChip.DielectricK, k);
    EXPECT_EQ(gChip.DielThickness, t);
    EXPECT_EQ(gChip.Mult, m);
    EXPECT_EQ(gChip.Cascades, c);
    EXPECT_EQ(gCaseGeometry.EffArea, a);
  }
  std::string flags() const {
    return std::to_string(gChip.DesignFlag1) + std::to_string(gChip.DesignFlag2) +
           std::to_string(gChip.DesignFlag3) + std::to_string(gChip.DesignFlag4) +
           std::to_string(gChip.DesignFlag5);
  }
};

TEST_F(SpecialDesignsTest, C0g0805At600VRowsAndTheGapBetweenThem) {
  special(14, 100, 1, 8, 10);
  expectConstruction(17, 2.0, 2, 2, 0.00034);
  EXPECT_EQ(gChip.MinEffectives, 4);
  special(14, 100, 1, 9, 5);  // both ends included: the earlier row wins
  expectConstruction(17, 2.4, 2, 2, 0.00009);
  EXPECT_EQ(gChip.MinEffectives, 5);
  special(14, 100, 1, 8, 26.5);  // between two rows
  expectConstruction(17, 9, 9, 9, 9);
  special(14, 100, 1, 8, 1.9);
  expectConstruction(17, 2.4, 2, 2, 0.00005);
  special(14, 100, 1, 8, 190);
  expectConstruction(17, 1.4, 2, 1, 0.00192);
  special(14, 100, 1, 8, 191);
  expectConstruction(17, 9, 9, 9, 9);
  special(14, 100, 1, 3, 1000000);  // no capacitance test at 100 V
  expectConstruction(17, 1.8, 1, 1, 0.00192);
}

TEST_F(SpecialDesignsTest, EveryX7rStartsFromTheStandardFormulation) {
  special(3, 1, 2, 9, 1000);
  EXPECT_EQ(gChip.DielectricK, 475);
  EXPECT_EQ(flags(), "00000");
  special(1, 53, 2, 2, 1000);
  EXPECT_EQ(gChip.DielectricK, 475);
  EXPECT_EQ(flags(), "00000");
  special(9, 1, 2, 1, 1000);
  EXPECT_EQ(gChip.DielectricK, 941);
  EXPECT_EQ(flags(), "10000");
  special(7, 1, 2, 4, 1000);
  EXPECT_EQ(gChip.DielectricK, 448);
  EXPECT_EQ(flags(), "00000");
  special(7, 1, 2, 2, 1000);
  expectConstruction(941, 1.8, 9, 9, 9);
}

TEST_F(SpecialDesignsTest, TheCommercialTickChoosesTheHighKFormulation) {
  setCommercialBox(true);
  special(1, 53, 2, 2, 1000);
  EXPECT_EQ(gChip.DielectricK, 941);
  EXPECT_EQ(gChip.DielThickness, 1.6);
  EXPECT_EQ(flags(), "10000");
  special(2, 3, 2, 2, 1000);
  EXPECT_EQ(gChip.DielectricK, 941);
  EXPECT_EQ(gChip.DielThickness, 1.6);
  EXPECT_EQ(flags(), "11000");
  special(2, 95, 2, 2, 1000);
  EXPECT_EQ(gChip.DielThickness, 1.4);
  special(1, 1, 2, 2, 1000);  // no row for case 1
  EXPECT_EQ(gChip.DielectricK, 475);
  special(1, 53, 2, 3, 1000);  // 50 V only
  EXPECT_EQ(gChip.DielectricK, 475);
}

TEST_F(SpecialDesignsTest, LeadedX7rPartsPickedByTheirListedCapacitance) {
  listCapacitance("39 \u00B5F");
  special(23, 110, 2, 2, 39e6);
  expectConstruction(800, 0.25, 1, 1, 0.01);
  EXPECT_EQ(flags(), "00001");
  listCapacitance("47 \u00B5F");
  special(25, 112, 2, 2, 39e6);
  expectConstruction(598, 0.5, 1, 1, 0.01);
  EXPECT_EQ(flags(), "00010");
  listCapacitance("82 \u00B5F");
  special(23, 112, 2, 1, 82e6);
  expectConstruction(680, 0.15, 1, 1, 0.01);
  EXPECT_EQ(flags(), "00001");
  special(23, 109, 2, 3, 22e6);
  expectConstruction(598, 0.9, 1, 1, 0.052);
  EXPECT_EQ(flags(), "00010");
}

// The list text counts only while the pick-list is the capacitance in use.
TEST_F(SpecialDesignsTest, AManualCapacitanceIsNotReadFromTheHiddenList) {
  listCapacitance("39 \u00B5F");
  setManualCap(true);
  special(23, 110, 2, 2, 39e6);
  expectConstruction(598, 0.5, 1, 1, 0.01);
  EXPECT_EQ(flags(), "00010");
}

TEST_F(SpecialDesignsTest, NxCase21ThicknessByCapacitance) {
  special(6, 21, 2, 1, 3.3e6);
  expectConstruction(598, 0.7, 1, 9, 9);
  special(6, 21, 2, 1, 4.7e6);
  EXPECT_EQ(gChip.DielThickness, 0.7);
  special(6, 21, 2, 1, 5.6e6);
  EXPECT_EQ(gChip.DielThickness, 0.6);
  special(6, 21, 2, 1, 5.0e6);  // between the two ranges
  EXPECT_EQ(gChip.DielThickness, 0.4);
  special(6, 31, 2, 2, 5.0e6);
  expectConstruction(475, 9, 9, 9, 9);
  EXPECT_EQ(flags(), "00010");
}

TEST_F(SpecialDesignsTest, X7r3640ExactValueRow) {
  special(22, 108, 2, 11, 4700);
  expectConstruction(448, 2.4, 3, 6, 0.0035);
  EXPECT_EQ(flags(), "01000");
  special(22, 108, 2, 11, 4650);
  expectConstruction(475, 9, 9, 9, 9);
  special(22, 108, 2, 14, 500);  // C not set
  expectConstruction(448, 2.4, 4, 9, 0.0008);
}

TEST_F(SpecialDesignsTest, OverlappingRowsTakeTheEarlier) {
  special(16, 102, 2, 8, 1000);
  expectConstruction(448, 2.4, 3, 2, 0.0022);
  special(16, 102, 2, 8, 1300);
  expectConstruction(475, 1.8, 2, 9, 9);
  EXPECT_EQ(flags(), "01000");
  special(16, 102, 2, 8, 5000);
  expectConstruction(475, 2.4, 2, 9, 9);
  special(16, 102, 2, 8, 68000);  // maker entry: nothing
  expectConstruction(475, 9, 9, 9, 9);
  setMil123(true);
  special(16, 102, 2, 8, 68000);
  expectConstruction(475, 1.5, 1, 1, 0.0093);
}

TEST_F(SpecialDesignsTest, X7r0805At600VSplitsItsTopBandByEntryMode) {
  special(14, 100, 2, 8, 4700);
  expectConstruction(941, 9, 9, 9, 9);
  EXPECT_EQ(flags(), "10000");
  setMil123(true);
  special(14, 100, 2, 8, 4700);
  expectConstruction(448, 2.4, 1, 1, 0.00192);
  special(14, 100, 2, 8, 6000);  // above 3200 pF in MIL-PRF-123 entry, in no range
  expectConstruction(475, 9, 9, 9, 9);
  EXPECT_EQ(flags(), "00000");
}

TEST_F(SpecialDesignsTest, X7r1206At600VAt22nF) {
  special(15, 101, 2, 8, 22000);
  EXPECT_EQ(gChip.DielectricK, 941);
  EXPECT_EQ(gChip.DielThickness, 1.4);
  EXPECT_EQ(flags(), "10000");
  setMil123(true);
  special(15, 101, 2, 8, 22000);
  expectConstruction(475, 1.6, 1, 1, 0.00468);
  EXPECT_EQ(flags(), "00000");
}

TEST_F(SpecialDesignsTest, Z5uAndN1500) {
  special(1, 1, 3, 2, 1e6);
  EXPECT_EQ(flags(), "00100");
  expectConstruction(2050, 9, 9, 9, 9);
  special(1, 1, 4, 2, 1e6);
  EXPECT_EQ(flags(), "00000");
  expectConstruction(36, 9, 9, 9, 9);
}

TEST(SpecialBoundsTest, BoundsCompareInSinglePrecision) {
  using namespace special_designs;
  const Row exactly{CapTest::Exactly, 4700};
  EXPECT_TRUE(CapacitanceMatches(exactly, static_cast<float>(4.7e-9 * 1e6)));
  EXPECT_TRUE(CapacitanceMatches(exactly, static_cast<float>(0.0047)));
  const Row range{CapTest::Range, 2, 5};
  EXPECT_TRUE(CapacitanceMatches(range, static_cast<float>(5e-12 * 1e6)));
  EXPECT_TRUE(CapacitanceMatches(range, static_cast<float>(2e-6)));
  EXPECT_FALSE(CapacitanceMatches(range, static_cast<float>(5.1e-6)));
  const Row above{CapTest::Above, 3200};
  EXPECT_FALSE(CapacitanceMatches(above, static_cast<float>(0.0032)));
  EXPECT_TRUE(CapacitanceMatches({CapTest::From, 3200}, static_cast<float>(0.0032)));
  EXPECT_FALSE(CapacitanceMatches({CapTest::Below, 2}, static_cast<float>(2e-6)));
}

// The chip-size rows of each group run upward and join: every range but
// the ones the table pins starts where the one before ended, so that no
// value between two rows falls back to the standard construction.
TEST(SpecialGroupsTest, RowsAreWellFormedAndJoin) {
  using namespace special_designs;
  for (const Group& group : ChipGroups()) {
    SCOPED_TRACE("series " + std::to_string(group.series) + " dielectric " +
                 std::to_string(group.dielectric) + " voltage " +
                 std::to_string(group.voltages[0]));
    EXPECT_GE(group.series, 14);
    EXPECT_LE(group.series, 22);
    EXPECT_FALSE(group.rows.empty());
    for (const Row& row : group.rows) {
      if (row.test == CapTest::Range) {
        EXPECT_LT(row.fromPf, row.toPf);
      }
      if (row.t != 0) {
        EXPECT_TRUE(row.t >= 1.2 && row.t <= 2.4) << row.t;
      }
      if (row.m != 0) {
        EXPECT_TRUE(row.m >= 1 && row.m <= 4);
      }
      if (row.c != 0) {
        EXPECT_TRUE(row.c == 1 || row.c == 2 || row.c == 4 || row.c == 6);
      }
      if (row.k != 0) {
        EXPECT_TRUE(row.k == 448 || row.k == 475 || row.k == 941) << row.k;
      }
      if (group.dielectric == 1) {
        EXPECT_EQ(row.k, 0);
        EXPECT_EQ(row.flags, kNoFlag);
      }
      if (row.k == 448) {
        EXPECT_TRUE(row.flags & kF2);
      }
      if (row.k == 941) {
        EXPECT_TRUE(row.flags & kF1);
      }
    }
    // The groups whose rows are given in full keep their own gaps.
    const bool given = (group.series == 14 && group.voltages[0] == 8) ||
                       (group.series == 16 && group.dielectric == 2 && group.voltages[0] == 8) ||
                       (group.series == 22 && group.dielectric == 2);
    if (given) continue;
    const Row* previous = nullptr;
    for (const Row& row : group.rows) {
      if (row.mode == EntryFilter::Mil123) continue;
      if (previous && row.test == CapTest::Range) {
        EXPECT_EQ(row.fromPf, previous->test == CapTest::Below ? previous->fromPf : previous->toPf);
      }
      previous = &row;
    }
  }
}

}  // namespace
}  // namespace quenta::test
