// The shipped catalogue: the committed files are what the generator
// derives from the construction rules, they load, and every offered value
// designs without a dialog; the check that says so names the values that
// do not.

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "catalogue/CapLimits.h"
#include "catalogue/CatalogueFiles.h"
#include "engine/CatalogueAuthoring.h"
#include "engine/ModelCoefficients.h"

namespace quenta::test {
namespace {

const std::filesystem::path kShipped =
    std::filesystem::path(QUENTA_TEST_FIXTURES).parent_path().parent_path() / "data";

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

const authoring::Catalogue& Generated() {
  static const authoring::Catalogue catalogue = authoring::BuildCatalogue();
  return catalogue;
}

class CatalogueTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    const std::optional<CatalogueError> error = LoadCatalogueTables(kShipped);
    ASSERT_FALSE(error) << error->Message();
  }
};

TEST(ShippedCatalogueTest, CommittedFilesAreWhatTheGeneratorProduces) {
  const authoring::Catalogue& catalogue = Generated();
  EXPECT_TRUE(catalogue.problems.empty()) << catalogue.problems.front();
  EXPECT_EQ(ReadText(kShipped / "DESNPARA.DAT"), catalogue.DesignRuleFile());
  EXPECT_EQ(ReadText(kShipped / "CLCMXCAP.DAT"), catalogue.MaxCapFile());
  EXPECT_EQ(ReadText(kShipped / "CLCMinCAP.DAT"), catalogue.MinCapFile());
  EXPECT_EQ(ReadText(kShipped / "LUKUPCAS.DAT"), catalogue.CaseLookupFile());
}

TEST_F(CatalogueTest, EveryOfferedEntryDesignsAtItsLimitsWithoutADialog) {
  int offered = 0;
  for (int series = 0; series <= 25; ++series) {
    for (int caseIndex = 0; caseIndex <= 125; ++caseIndex) {
      for (int dielectric = 0; dielectric <= 5; ++dielectric) {
        for (int voltage = 0; voltage <= 18; ++voltage) {
          const double maxUf = gCapLimits.MaxCapTable(series, caseIndex, dielectric, voltage);
          const double minUf = gCapLimits.MinCapTable(series, caseIndex, dielectric, voltage);
          if (maxUf == -1) {
            EXPECT_EQ(minUf, -1);
            continue;
          }
          ++offered;
          const authoring::Combination c{series, caseIndex, dielectric, voltage};
          SCOPED_TRACE(testing::Message() << "series " << series << " case " << caseIndex
                                          << " dielectric " << dielectric << " voltage "
                                          << voltage);
          ASSERT_GT(minUf, 0);
          ASSERT_LE(minUf, maxUf);
          ASSERT_TRUE(HasCaseGeometry(series, caseIndex, 1));
          const bool listed = series >= 23;
          const authoring::Trial atMin =
              authoring::TryDesign(c, minUf, false, listed ? authoring::ListedText(minUf) : "");
          EXPECT_TRUE(atMin.Passes());
          EXPECT_EQ(atMin.chips, 1);
          const authoring::Trial atMax =
              authoring::TryDesign(c, maxUf, false, listed ? authoring::ListedText(maxUf) : "");
          EXPECT_TRUE(listed ? atMax.DesignsQuietly() : atMax.Passes());
        }
      }
    }
  }
  EXPECT_GT(offered, 2000);
  EXPECT_TRUE(messages.empty());
}

TEST_F(CatalogueTest, EveryOfferedValueDesignsWithoutADialog) {
  EXPECT_EQ(authoring::OfferedValueProblems(authoring::LimitsInForce()),
            std::vector<std::string>{});
}

TEST_F(CatalogueTest, TheCheckNamesOfferedValuesThatDoNotDesign) {
  // 0805 C0G at 600 V from 1 pF (E24 offered), 1210 X7R at 600 V from 1 nF
  // (E12 offered).
  gCapLimits.MinCapTable(14, 100, 1, 8) = 1e-6;
  gCapLimits.MinCapTable(16, 102, 2, 8) = 0.001;
  EXPECT_EQ(authoring::OfferedValueProblems(authoring::LimitsInForce()),
            (std::vector<std::string>{
                "series 14 case 100 dielectric 1 voltage 8: 5.1 pF \"Too few effectives...\", "
                "5.6 pF \"Too few effectives...\", 47 pF \"Thickness Exceeded...\", "
                "51 pF \"Thickness Exceeded...\", 56 pF \"Thickness Exceeded...\", "
                "62 pF \"Thickness Exceeded...\", 68 pF \"Thickness Exceeded...\"",
                "series 16 case 102 dielectric 2 voltage 8: 1.2 nF less than one layer"}));
}

TEST_F(CatalogueTest, CasePositionsFollowTheOfferedCases) {
  for (int series = 1; series <= 22; ++series) {
    SCOPED_TRACE(series);
    std::set<int> offered;
    for (int caseIndex = 1; caseIndex <= 125; ++caseIndex)
      for (int dielectric = 1; dielectric <= 4; ++dielectric)
        for (int voltage = 1; voltage <= 15; ++voltage)
          if (gCapLimits.MaxCapTable(series, caseIndex, dielectric, voltage) > 0)
            offered.insert(caseIndex);
    int rank = 0;
    for (int caseIndex = 1; caseIndex <= 125; ++caseIndex) {
      const int16_t position = gCapLimits.CaseLookup(caseIndex, series);
      if (offered.count(caseIndex)) {
        EXPECT_EQ(position, rank++) << "case " << caseIndex;
      } else {
        EXPECT_EQ(position, -1) << "case " << caseIndex;
      }
    }
    if (series <= 13) {
      EXPECT_GT(rank, 0) << "the case list would be empty";
    }
  }
  // No lead table covers case 7 of the leaded stacks.
  for (int series : {1, 2, 12}) EXPECT_EQ(gCapLimits.CaseLookup(7, series), -1);
}

TEST_F(CatalogueTest, FixedListsFitUnderTheirMaxima) {
  struct Part {
    int series, caseIndex;
  };
  for (const Part p : {Part{23, 109}, Part{23, 110}, Part{23, 112}, Part{25, 109}, Part{25, 110},
                       Part{25, 112}, Part{24, 1}}) {
    for (int voltage : {1, 2, 3}) {
      const auto list = authoring::FixedList(p.series, p.caseIndex, voltage);
      if (list.empty()) continue;
      SCOPED_TRACE(testing::Message() << "series " << p.series << " case " << p.caseIndex
                                      << " voltage " << voltage);
      const double maxUf = gCapLimits.MaxCapTable(p.series, p.caseIndex, 2, voltage);
      const double minUf = gCapLimits.MinCapTable(p.series, p.caseIndex, 2, voltage);
      for (const auto& value : list) {
        EXPECT_LE(value.uf, maxUf) << value.text;
        EXPECT_GE(value.uf, minUf) << value.text;
        EXPECT_TRUE(authoring::TryDesign({p.series, p.caseIndex, 2, voltage}, value.uf, false,
                                         value.text)
                        .DesignsQuietly())
            << value.text;
      }
    }
  }
  EXPECT_EQ(gCapLimits.MaxCapTable(23, 109, 2, 1), 220);
  EXPECT_GE(gCapLimits.MaxCapTable(24, 1, 2, 1), 22);
}

TEST_F(CatalogueTest, MilitaryPartsOfTheLeadedStacksAreOffered) {
  for (int caseIndex : {1, 2, 3, 4, 5, 6, 91, 92, 93, 94, 95, 96})
    for (int dielectric : {1, 2})
      for (int voltage : {1, 2, 3, 4, 7})
        EXPECT_GT(gCapLimits.MaxCapTable(1, caseIndex, dielectric, voltage), 0)
            << caseIndex << "/" << dielectric << "/" << voltage;
}

// With the Commercial box ticked the pick-list runs from the listed
// minimum up to the case family's commercial limit.
TEST_F(CatalogueTest, CommercialLimitsDesignWithTheBoxTicked) {
  for (int series : {1, 2}) {
    for (int caseIndex : {1, 2, 3, 4, 5, 6, 51, 52, 53, 54, 55, 56, 91, 92, 93, 94, 95, 96}) {
      SCOPED_TRACE(testing::Message() << "series " << series << " case " << caseIndex);
      const authoring::Combination c{series, caseIndex, 2, 2};
      const double family = StyleCapLimitFor(caseIndex);
      const double standard = gCapLimits.MaxCapTable(series, caseIndex, 2, 2);
      EXPECT_TRUE(authoring::TryDesign(c, family, true).Passes());
      EXPECT_TRUE(authoring::TryDesign(c, gCapLimits.MinCapTable(series, caseIndex, 2, 2), true)
                      .Passes());
      // Not far below the standard maximum of the same case.
      EXPECT_GE(family, standard / 2);
    }
  }
}

}  // namespace
}  // namespace quenta::test
