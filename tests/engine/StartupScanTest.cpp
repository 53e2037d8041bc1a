// The start-up scan of the maximum-capacitance file.

#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "catalogue/CatalogueFiles.h"
#include "engine/StartupScan.h"

namespace quenta::test {
namespace {

class StartupScanTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    folder_ = std::filesystem::temp_directory_path() /
              ("quenta-scan-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    gSelection.SeriesIndex = 99;
    gSelection.VoltageIndex = 99;
  }
  void TearDown() override {
    std::filesystem::remove_all(folder_);
    EngineTest::TearDown();
  }
  // Writes the maximum-capacitance file under the name the loader uses.
  void file(const std::string& text) {
    std::ofstream(folder_ / "CLCMXCAP.DAT", std::ios::binary) << text;
  }
  // Runs the scan; false when it ended the program.
  bool scan(std::optional<CatalogueError>* error = nullptr) {
    try {
      auto result = ScanMaxCapEntries(folder_);
      if (error) *error = result;
    } catch (const ui::ProgramEnd&) {
      return false;
    }
    return true;
  }
  std::filesystem::path folder_;
};

const std::string kNone = "-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1";  // twelve voltages

TEST_F(StartupScanTest, TheShippedCatalogueScansWithoutAStop) {
  const std::filesystem::path shipped =
      std::filesystem::path(QUENTA_TEST_FIXTURES).parent_path().parent_path() / "data";
  ASSERT_FALSE(LoadCatalogueTables(shipped));
  std::optional<CatalogueError> error = ScanMaxCapEntries(shipped);
  EXPECT_FALSE(error);
  EXPECT_TRUE(messages.empty());
  EXPECT_NE(gSelection.SeriesIndex, 99);
}

TEST_F(StartupScanTest, TheScanReadsTheFileTheLoaderRead) {
  // Beside the loader's file, another spelling holds an entry without
  // geometry; it is not the catalogue in use and is not scanned.
  rule(0, 1, 2, 1.5f, 1, 3, 1);
  file("1,24,1,2,-1,-1,-1,-1,5," + std::string("-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1") + "\n");
  std::ofstream(folder_ / "clcmxcap.dat", std::ios::binary) << "1,3,12,1,-1,0.5,-1,-1," + kNone;
  EXPECT_TRUE(scan());
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(gSelection.SeriesIndex, 24);
}

TEST_F(StartupScanTest, NothingOfferedChecksNothing) {
  file("1,3,12,1,-1,-1,-1,-1," + kNone + "\n" + "word,24,1,2,-1,-1,-1,-1," + kNone + "\n");
  EXPECT_TRUE(scan());
  EXPECT_EQ(gSelection.SeriesIndex, 99);
  EXPECT_TRUE(messages.empty());
}

TEST_F(StartupScanTest, AnOfferedEntryWithoutGeometryStopsTheProgram) {
  rule(0, 1, 2, 1.5f, 1, 3, 1);
  file("1,3,12,1,-1,0.5,-1,-1," + kNone + "\n");
  EXPECT_FALSE(scan());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Unrecoverable Error");
  const std::string& text = messages[0].text;
  EXPECT_EQ(text.substr(text.find("\r\nType = ")), "\r\nType = 3\r\nCase = 12\r\nCascade = 1");
  EXPECT_EQ(gSelection.VoltageIndex, 2);
  EXPECT_EQ(gSelection.DielectricIndex, 1);
}

TEST_F(StartupScanTest, TheCascadesOfTheRulesDecideTheGeometry) {
  // Series 3 case 4 has geometry for 4 cascades but not for 6.
  rule(0, 2, 9, 1.8f, 2, 6, 4);
  rule(0, 2, 11, 1.8f, 2, 6, 6);
  file("1,3,4,2,-1,-1,-1,-1,-1,-1,2.2,-1,-1,-1,-1,-1,-1,-1,-1,-1\n");
  EXPECT_TRUE(scan());
  EXPECT_EQ(gSelection.VoltageIndex, 9);
  file("1,3,4,2,-1,-1,-1,-1,-1,-1,-1,-1,2.2,-1,-1,-1,-1,-1,-1,-1\n");
  EXPECT_FALSE(scan());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].text.find("Cascade = 6"), std::string::npos);
}

TEST_F(StartupScanTest, ColumnsMapToTheVoltageIndices) {
  // Series 24 has geometry for every case.
  file("1,24,1,2,-1,-1,-1,-1,5," + std::string("-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1") + "\n");
  EXPECT_TRUE(scan());
  EXPECT_EQ(gSelection.VoltageIndex, 7);
  file("1,24,1,2,-1,-1,-1,-1," + std::string("-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1") + ",3\n");
  EXPECT_TRUE(scan());
  EXPECT_EQ(gSelection.VoltageIndex, 18);
  // A record over two lines and a blank-free layout read the same.
  gSelection.VoltageIndex = 99;
  file("1,24,1,2\n-1,-1,-1,-1,5,-1,-1,-1\n-1,-1,-1,-1,-1,-1,-1,-1");
  EXPECT_TRUE(scan());
  EXPECT_EQ(gSelection.VoltageIndex, 7);
  EXPECT_TRUE(messages.empty());
}

TEST_F(StartupScanTest, AfterALoadTheScanWalksTheLoadedRecordsAsItWouldReadThem) {
  // Two passing entries, the first twice, then one without geometry.
  const std::string records =
      "1,3,4,2,-1,-1,-1,-1,-1,-1,2.2,-1,-1,-1,-1,-1,-1,-1,-1,-1\n"
      "1,3,4,2,-1,-1,-1,-1,-1,-1,2.2,-1,-1,-1,-1,-1,-1,-1,-1,-1\n"
      "1,3,4,2,-1,-1,-1,-1,-1,-1,-1,-1,2.2,-1,-1,-1,-1,-1,-1,-1\n";
  file(records);
  std::ofstream(folder_ / "CLCMinCAP.DAT") << records;
  std::ofstream(folder_ / "LUKUPCAS.DAT") << "";
  std::ofstream(folder_ / "DESNPARA.DAT") << "2,9,0,1.8,2,6,4\n2,11,0,1.8,2,6,6\n";
  std::vector<std::string> outcomes;
  for (const bool parsedAgain : {false, true}) {
    ForgetCatalogueReads();
    ASSERT_FALSE(LoadCatalogueTables(folder_));
    if (parsedAgain) ForgetCatalogueReads();
    messages.clear();
    gSelection.VoltageIndex = 99;
    EXPECT_FALSE(scan());
    ASSERT_EQ(messages.size(), 1u);
    outcomes.push_back(messages[0].text + " at voltage " +
                       std::to_string(gSelection.VoltageIndex));
  }
  EXPECT_EQ(outcomes[0], outcomes[1]);
  EXPECT_NE(outcomes[0].find("Cascade = 6"), std::string::npos) << outcomes[0];
}

TEST_F(StartupScanTest, RuleCountsBeyondTheIntegerRangeAreNotConverted) {
  // The loader refuses such counts; tables filled otherwise must not make
  // the scan convert them (the sanitizer build reports such a conversion).
  rule(0, 2, 7, 1.8f, 1e20f, 3, std::numeric_limits<float>::quiet_NaN());
  file("1,24,1,2,-1,-1,-1,-1,5," + std::string("-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1") + "\n");
  scan();
  EXPECT_EQ(gChip.Mult, 0);
  EXPECT_EQ(gChip.Cascades, 0);
}

TEST_F(StartupScanTest, UnreadableFilesAreReportedNotCrashed) {
  std::optional<CatalogueError> error;
  EXPECT_TRUE(scan(&error));
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Fault, CatalogueFault::MissingFile);

  file("1,24,1,2,-1,-1,-1,-1,5," + kNone.substr(0, 20) + "\n");
  EXPECT_TRUE(scan(&error));
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Fault, CatalogueFault::EndOfFileInRecord);
  EXPECT_EQ(error->Record, 1);
  EXPECT_EQ(gSelection.VoltageIndex, 7);  // the entries before the fault were checked

  file("1,24,1,2,-1,x,-1,-1," + kNone + "\n");
  EXPECT_TRUE(scan(&error));
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Fault, CatalogueFault::NotANumber);
  EXPECT_EQ(error->Field, 6);

  file("1,26,1,2,-1,-1,-1,-1," + kNone + "\n");
  EXPECT_TRUE(scan(&error));
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Fault, CatalogueFault::IndexOutOfRange);
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace quenta::test
