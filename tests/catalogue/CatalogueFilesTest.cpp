#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <cstdint>
#include <system_error>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "catalogue/CatalogueFiles.h"
#include "catalogue/DesignState.h"
#include "catalogue/FileLookup.h"

namespace fs = std::filesystem;
using namespace quenta;

namespace {

const fs::path kBasic = fs::path(QUENTA_TEST_FIXTURES) / "catalogue" / "basic";

// A copy of the basic catalogue in a temporary folder, to be damaged.
class CatalogueCopy {
 public:
  CatalogueCopy() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info->name();  // "Suite/Case" for parametrised tests
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    folder_ = fs::temp_directory_path() /
              ("quenta-catalogue-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    for (const auto& entry : fs::directory_iterator(kBasic)) {
      fs::copy_file(entry.path(), folder_ / entry.path().filename());
    }
  }
  ~CatalogueCopy() { fs::remove_all(folder_); }

  // Replaces the file that the loader finds under this name.
  void Write(const std::string& name, const std::string& content) {
    Remove(name);
    std::ofstream(folder_ / name, std::ios::binary) << content;
  }
  void Remove(const std::string& name) {
    if (auto found = FindFileIgnoringCase(folder_, name)) fs::remove(*found);
  }
  const fs::path& Folder() const { return folder_; }

 private:
  fs::path folder_;
};

std::string Lines(int count, const std::string& line) {
  std::string text;
  for (int i = 0; i < count; ++i) text += line + "\n";
  return text;
}

const std::string kLookupLine = "0,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1";

class CatalogueLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto error = LoadCatalogueTables(kBasic);
    ASSERT_FALSE(error) << error->Message();
  }
  const CapLimitTables& caps = gCapLimits;
  const DesignRuleTables& rules = gDesignRules;
};

TEST_F(CatalogueLoad, DesignRulesAreStoredBySingleIndicesRoundedHalfToEven) {
  // The later record with the same indices wins.
  EXPECT_EQ(rules.DesignRule1(0, 1, 2), 1.75f);
  EXPECT_EQ(rules.DesignRule3(0, 1, 2), 5.0f);
  EXPECT_EQ(rules.DesignRule1(1, 2, 9), 2.25f);
  EXPECT_EQ(rules.DesignRule4(1, 2, 9), 2.0f);
  // Dielectric and voltage index 0 are accepted.
  EXPECT_EQ(rules.DesignRule1(0, 0, 0), 0.7f);
  // A record written over two lines, the second starting with blanks.
  EXPECT_EQ(rules.DesignRule1(1, 3, 7), 3.5f);
  EXPECT_EQ(rules.DesignRule4(1, 3, 7), 4.0f);
  // Voltage 2.5 is index 2 and 3.5 is index 4.
  EXPECT_EQ(rules.DesignRule1(0, 4, 2), 2.3f);
  EXPECT_EQ(rules.DesignRule1(0, 4, 4), 9.0f);
  EXPECT_EQ(rules.DesignRule1(0, 4, 3), -1.0f);
  // Entries no record fills stay -1 in all four tables.
  EXPECT_EQ(rules.DesignRule2(1, 5, 18), -1.0f);
  EXPECT_EQ(rules.DesignRule3(0, 1, 1), -1.0f);
}

TEST_F(CatalogueLoad, CapacitanceRecordsFillTheirSixteenVoltages) {
  // Second record for series 1, case 5, dielectric 1 overwrites every
  // voltage of the first, a -1 included.
  EXPECT_EQ(caps.MaxCapTable(1, 5, 1, 1), 20.0);
  EXPECT_EQ(caps.MaxCapTable(1, 5, 1, 2), -1.0);
  EXPECT_EQ(caps.MaxCapTable(1, 5, 1, 11), 0.1);
  EXPECT_EQ(caps.MaxCapTable(1, 5, 1, 12), 0.05);
  // Voltage fields 5 to 20 go to voltage indices 1-4 and 7-18.
  EXPECT_EQ(caps.MaxCapTable(1, 5, 2, 1), 1.5e-06);
  EXPECT_EQ(caps.MaxCapTable(1, 5, 2, 4), 4.0);
  EXPECT_EQ(caps.MaxCapTable(1, 5, 2, 7), 5.0);
  EXPECT_EQ(caps.MaxCapTable(1, 5, 2, 18), 16.0);
  // A word, a quoted text with a comma and a number as first field load alike.
  EXPECT_EQ(caps.MaxCapTable(2, 7, 1, 1), 1.0);
  EXPECT_EQ(caps.MaxCapTable(2, 7, 1, 18), 16.0);
  // A record over two lines.
  EXPECT_EQ(caps.MaxCapTable(3, 8, 4, 1), 0.5);
  EXPECT_EQ(caps.MaxCapTable(3, 8, 4, 18), 0.5);
  // The minimum file: an empty field reads 0.
  EXPECT_EQ(caps.MinCapTable(1, 5, 1, 1), 0.001);
  EXPECT_EQ(caps.MinCapTable(1, 5, 1, 2), 0.0);
  EXPECT_EQ(caps.MinCapTable(2, 7, 1, 18), 1e-6);
  EXPECT_EQ(caps.MinCapTable(1, 5, 2, 1), -1.0);
}

TEST_F(CatalogueLoad, VoltagesWithoutFieldAndUnlistedEntriesAreNotOffered) {
  for (const auto* table : {&caps.MaxCapTable, &caps.MinCapTable}) {
    for (int s = 0; s <= 25; ++s) {
      for (int c = 0; c <= 125; ++c) {
        for (int d = 0; d <= 5; ++d) {
          for (int v : {0, 5, 6}) ASSERT_EQ((*table)(s, c, d, v), -1.0) << s << c << d << v;
        }
      }
    }
  }
  EXPECT_EQ(caps.MaxCapTable(25, 125, 5, 18), -1.0);
  EXPECT_EQ(caps.MaxCapTable(0, 0, 0, 1), -1.0);
}

TEST_F(CatalogueLoad, CaseLookupRowsFollowRecordOrder) {
  EXPECT_EQ(caps.CaseLookup(1, 1), -1);
  EXPECT_EQ(caps.CaseLookup(1, 2), 0);
  EXPECT_EQ(caps.CaseLookup(1, 21), 7);
  EXPECT_EQ(caps.CaseLookup(1, 22), 8);
  EXPECT_EQ(caps.CaseLookup(2, 2), 1);
  EXPECT_EQ(caps.CaseLookup(3, 2), 2);  // 2.5 rounds to 2
  EXPECT_EQ(caps.CaseLookup(3, 3), 4);  // 3.5 rounds to 4
  EXPECT_EQ(caps.CaseLookup(3, 22), 32767);
  // Column 0 and the rows the file does not reach stay -1, all columns.
  for (int n = 0; n <= 125; ++n) EXPECT_EQ(caps.CaseLookup(n, 0), -1);
  for (int n = 4; n <= 125; ++n) {
    for (int k = 0; k <= 22; ++k) ASSERT_EQ(caps.CaseLookup(n, k), -1) << n << "," << k;
  }
}

TEST(CatalogueReload, CrLfLineEndingsAndEmptyLookupFile) {
  CatalogueCopy copy;
  std::ifstream in(kBasic / "CLCMXCAP.DAT", std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  copy.Write("CLCMXCAP.DAT", crlf);
  copy.Write("LUKUPCAS.DAT", "");
  const auto error = LoadCatalogueTables(copy.Folder());
  ASSERT_FALSE(error) << error->Message();
  EXPECT_EQ(gCapLimits.MaxCapTable(3, 8, 4, 18), 0.5);
  EXPECT_EQ(gCapLimits.MaxCapTable(1, 5, 1, 12), 0.05);
  for (int n = 0; n <= 125; ++n) {
    for (int k = 0; k <= 22; ++k) ASSERT_EQ(gCapLimits.CaseLookup(n, k), -1);
  }
}

TEST(CatalogueReload, FailedReloadKeepsTablesAndSuccessfulOneKeepsSearchFlag) {
  ASSERT_FALSE(LoadCatalogueTables(kBasic));
  gCapLimits.CapSearchAllRows = true;

  CatalogueCopy copy;
  copy.Write("LUKUPCAS.DAT", "1,2,x\n");
  copy.Write("DESNPARA.DAT", "1,2,0,9.5,1,3,1\n");
  ASSERT_TRUE(LoadCatalogueTables(copy.Folder()));
  EXPECT_EQ(gDesignRules.DesignRule1(0, 1, 2), 1.75f);
  EXPECT_EQ(gCapLimits.MaxCapTable(1, 5, 1, 1), 20.0);
  EXPECT_EQ(gCapLimits.CaseLookup(1, 21), 7);

  copy.Write("LUKUPCAS.DAT", "");
  ASSERT_FALSE(LoadCatalogueTables(copy.Folder()));
  EXPECT_EQ(gDesignRules.DesignRule1(0, 1, 2), 9.5f);
  EXPECT_EQ(gDesignRules.DesignRule1(0, 4, 2), -1.0f);
  EXPECT_EQ(gCapLimits.CaseLookup(1, 21), -1);
  EXPECT_TRUE(gCapLimits.CapSearchAllRows);
  gCapLimits.CapSearchAllRows = false;
}

TEST(CatalogueReload, UnchangedFilesGiveTheirTablesAgainAndAChangedOneIsReadAnew) {
  ASSERT_FALSE(LoadCatalogueTables(kBasic));
  // Tables written to after a load do not change what the files give.
  gCapLimits.MaxCapTable(1, 5, 1, 1) = 99;
  gCapLimits.MinCapTable(1, 5, 1, 1) = 99;
  gDesignRules.DesignRule1(0, 1, 2) = 99;
  gCapLimits.CaseLookup(1, 21) = 99;
  ASSERT_FALSE(LoadCatalogueTables(kBasic));
  EXPECT_EQ(gCapLimits.MaxCapTable(1, 5, 1, 1), 20.0);
  EXPECT_EQ(gCapLimits.MinCapTable(1, 5, 1, 1), 0.001);
  EXPECT_EQ(gDesignRules.DesignRule1(0, 1, 2), 1.75f);
  EXPECT_EQ(gCapLimits.CaseLookup(1, 21), 7);

  CatalogueCopy copy;
  copy.Write("CLCMXCAP.DAT", "KD,1,5,1,30,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1\n");
  ASSERT_FALSE(LoadCatalogueTables(copy.Folder()));
  EXPECT_EQ(gCapLimits.MaxCapTable(1, 5, 1, 1), 30.0);
  EXPECT_EQ(gCapLimits.MaxCapTable(3, 8, 4, 1), -1.0);
  EXPECT_EQ(gCapLimits.MinCapTable(1, 5, 1, 1), 0.001);
  EXPECT_EQ(gDesignRules.DesignRule1(0, 1, 2), 1.75f);
}

TEST(CatalogueReload, TheMaximumFileRecordsAreKeptForItsBytesOnly) {
  std::ifstream in(kBasic / "CLCMXCAP.DAT", std::ios::binary);
  const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ForgetCatalogueReads();
  EXPECT_EQ(LoadedMaxCapRecords(data), nullptr);
  ASSERT_FALSE(LoadCatalogueTables(kBasic));
  const std::vector<MaxCapRecord>* records = LoadedMaxCapRecords(data);
  ASSERT_NE(records, nullptr);
  // In file order, a record repeating the indices of an earlier one kept;
  // bit k stands for the k-th capacitance that is not -1.
  const std::vector<std::array<int, 4>> expected = {
      {1, 5, 1, 0x01FF}, {1, 5, 2, 0xFFFF}, {2, 7, 1, 0xFFFF}, {3, 8, 4, 0xFFFF}, {1, 5, 1, 0x03FD}};
  ASSERT_EQ(records->size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const MaxCapRecord& r = (*records)[i];
    EXPECT_EQ((std::array<int, 4>{r.Series, r.CaseIndex, r.Dielectric, r.Offered}), expected[i])
        << "record " << i + 1;
  }
  EXPECT_EQ(LoadedMaxCapRecords(data + " "), nullptr);
  ForgetCatalogueReads();
  EXPECT_EQ(LoadedMaxCapRecords(data), nullptr);
}

struct FaultCase {
  const char* label;
  const char* file;     // file to replace, or to remove when content is null
  const char* content;
  CatalogueFault fault;
  long record;
  int field;
  const char* detailPart;
};

class CatalogueFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(CatalogueFaults, AreReportedWithFileRecordAndField) {
  const FaultCase& c = GetParam();
  CatalogueCopy copy;
  if (c.content) {
    copy.Write(c.file, c.content);
  } else {
    copy.Remove(c.file);
  }
  const auto error = LoadCatalogueTables(copy.Folder());
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Fault, c.fault) << error->Message();
  EXPECT_EQ(error->File, c.file);
  EXPECT_EQ(error->Record, c.record) << error->Message();
  EXPECT_EQ(error->Field, c.field) << error->Message();
  EXPECT_NE(error->Detail.find(c.detailPart), std::string::npos) << error->Detail;
  EXPECT_NE(error->Message().find(c.file), std::string::npos);
}

const std::string kLookup126 = Lines(126, kLookupLine);
const std::string kLongField =
    "KD,1,5,1," + std::string(39, 'x') + "\u00B5y,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\n";
const std::string kLookupOverflow =
    Lines(2, kLookupLine) + "0,1,2,32767.5" + Lines(1, kLookupLine).substr(10);

INSTANTIATE_TEST_SUITE_P(
    EachKind, CatalogueFaults,
    ::testing::Values(
        FaultCase{"MissingFile", "CLCMinCAP.DAT", nullptr, CatalogueFault::MissingFile, 0, 0,
                  "missing from the program folder /"},
        FaultCase{"ShortRecord", "DESNPARA.DAT", "1,2,0,1.5,1,3,1\n1,2,0,1.5,1,3\n",
                  CatalogueFault::EndOfFileInRecord, 2, 7, "ends inside"},
        // A blank line between records is an empty field and shifts the rest.
        FaultCase{"BlankLineInside", "DESNPARA.DAT", "0,0,0,1,1,1,1\n\n0,0,0,1,1,1,1\n",
                  CatalogueFault::EndOfFileInRecord, 3, 2, "7 fields"},
        FaultCase{"Word", "CLCMXCAP.DAT", "KD,1,5,1,10,8.2x,1,1,1,1,1,1,1,1,1,1,1,1,1,1\n",
                  CatalogueFault::NotANumber, 1, 6, "\"8.2x\""},
        // Bytes that are not text show as escapes, a UTF-8 character as it is.
        FaultCase{"NotText", "CLCMXCAP.DAT",
                  "KD,1,5,1,10,8.2\x01\xB5\xC2\xB5\x7F,1,1,1,1,1,1,1,1,1,1,1,1,1,1\n",
                  CatalogueFault::NotANumber, 1, 6, "\"8.2\\x01\\xB5\u00B5\\x7F\" is not"},
        // A long text is cut after 40 bytes, not inside a character.
        FaultCase{"LongText", "CLCMXCAP.DAT", kLongField.c_str(), CatalogueFault::NotANumber, 1,
                  5, "x\u00B5...\" is not"},
        FaultCase{"Infinity", "CLCMinCAP.DAT", "KD,1,5,1,inf,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\n",
                  CatalogueFault::NotANumber, 1, 5, "not a number"},
        FaultCase{"SeriesIndex", "CLCMXCAP.DAT", "KD,26,5,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\n",
                  CatalogueFault::IndexOutOfRange, 1, 2, "series index 26"},
        FaultCase{"CaseIndexRoundsUp", "CLCMXCAP.DAT",
                  "KD,1,125.5,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\n",
                  CatalogueFault::IndexOutOfRange, 1, 3, "0 to 125"},
        FaultCase{"CommercialFlag", "DESNPARA.DAT", "1,2,2,1.5,1,3,1\n",
                  CatalogueFault::IndexOutOfRange, 1, 3, "commercial"},
        FaultCase{"NegativeVoltage", "DESNPARA.DAT", "1,-1,0,1.5,1,3,1\n",
                  CatalogueFault::IndexOutOfRange, 1, 2, "voltage"},
        FaultCase{"Record126", "LUKUPCAS.DAT", kLookup126.c_str(),
                  CatalogueFault::TooManyRecords, 126, 0, "125"},
        FaultCase{"Position16Bit", "LUKUPCAS.DAT", kLookupOverflow.c_str(),
                  CatalogueFault::Overflow, 3, 4, "16-bit"},
        FaultCase{"SingleRange", "DESNPARA.DAT", "1,2,0,1E39,1,3,1\n", CatalogueFault::Overflow,
                  1, 4, "single"},
        // Counts the chip design takes as 32-bit integers; 2147483647 is
        // kept in single precision as 2^31, one beyond.
        FaultCase{"Multiplier", "DESNPARA.DAT", "1,1,0,1.2,1e20,5,1\n", CatalogueFault::Overflow,
                  1, 5, "layer multiplier 1E+20 does not fit in a 32-bit integer"},
        FaultCase{"Cascades", "DESNPARA.DAT", "1,1,0,1.2,3,5,1\n1,1,0,1.2,3,5,2147483647\n",
                  CatalogueFault::Overflow, 2, 7, "cascade count"},
        FaultCase{"Covers", "DESNPARA.DAT", "1,1,0,1.2,3,-3e9,1\n", CatalogueFault::Overflow, 1,
                  6, "cover layer count"},
        FaultCase{"HugeCapacitance", "CLCMXCAP.DAT",
                  "KD,1,5,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1.7976931348623157e308\n",
                  CatalogueFault::Overflow, 1, 20, "beyond what the program can use"},
        FaultCase{"TinyCapacitance", "CLCMinCAP.DAT",
                  "KD,1,5,1,1,1,1,5e-324,1,1,1,1,1,1,1,1,1,1,1,1\n", CatalogueFault::Overflow, 1,
                  8, "capacitance 4.94065645841247E-324"},
        FaultCase{"DoubleRange", "CLCMXCAP.DAT", "KD,1,5,1,1,1E999,1,1,1,1,1,1,1,1,1,1,1,1,1,1\n",
                  CatalogueFault::Overflow, 1, 6, "too large"}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.label); });

TEST(CatalogueReload, CountsAtTheEdgeOfTheIntegerRangeLoad) {
  CatalogueCopy copy;
  // The largest single value below 2^31, and the no-entry marker.
  copy.Write("DESNPARA.DAT", "1,1,0,1.2,2147483520,-1,-2147483648\n");
  const auto error = LoadCatalogueTables(copy.Folder());
  ASSERT_FALSE(error) << error->Message();
  EXPECT_EQ(DesignRuleCount(gDesignRules.DesignRule2(0, 1, 1)), 2147483520);
  EXPECT_EQ(DesignRuleCount(gDesignRules.DesignRule4(0, 1, 1)), INT32_MIN);
  EXPECT_EQ(DesignRuleCount(2.5f), 2);
  EXPECT_FALSE(DesignRuleCount(std::numeric_limits<float>::infinity()));
}

TEST(CatalogueReload, AByteOrderMarkIsSkipped) {
  CatalogueCopy copy;
  copy.Write("DESNPARA.DAT", "\xEF\xBB\xBF" "1,2,0,9.5,1,3,1\n");
  copy.Write("LUKUPCAS.DAT", "\xEF\xBB\xBF");
  const auto error = LoadCatalogueTables(copy.Folder());
  ASSERT_FALSE(error) << error->Message();
  EXPECT_EQ(gDesignRules.DesignRule1(0, 1, 2), 9.5f);
  // Only at the start: elsewhere it is a field that is not a number.
  copy.Write("DESNPARA.DAT", "1,2,0,9.5,1,3,1\n\xEF\xBB\xBF" "1,2,0,9.5,1,3,1\n");
  const auto fault = LoadCatalogueTables(copy.Folder());
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->Fault, CatalogueFault::NotANumber);
  EXPECT_EQ(fault->Record, 2);
}

TEST(CatalogueReload, WhatStandsInPlaceOfAFileIsNamed) {
  CatalogueCopy copy;
  const fs::path min = copy.Folder() / "CLCMinCAP.DAT";
  auto expectFault = [&](const std::string& what) {
    const auto error = LoadCatalogueTables(copy.Folder());
    ASSERT_TRUE(error) << what;
    EXPECT_EQ(error->Fault, CatalogueFault::NotAFile) << error->Message();
    EXPECT_EQ(error->File, "CLCMinCAP.DAT");
    EXPECT_NE(error->Message().find(what), std::string::npos) << error->Message();
  };
  copy.Remove("CLCMinCAP.DAT");
  fs::create_directory(min);
  expectFault("holds a folder");
  fs::remove(min);
  // Never opened: reading a pipe would wait for a writer for good.
  ASSERT_EQ(::mkfifo(min.c_str(), 0644), 0);
  expectFault("holds a named pipe");
  fs::remove(min);
  fs::create_symlink(copy.Folder() / "gone.dat", min);
  expectFault("a link to a file that does not exist");
  // A loop of links is not a missing file.
  fs::remove(min);
  fs::create_symlink(min, min);
  expectFault("holds a loop of symbolic links");
  // Found by a case-insensitive listing too.
  fs::remove(min);
  fs::create_directory(copy.Folder() / "clcmincap.dat");
  expectFault("holds a folder");
  // A link to a file is that file.
  fs::remove(copy.Folder() / "clcmincap.dat");
  fs::create_symlink(kBasic / "ClcMinCap.dat", min);
  EXPECT_FALSE(LoadCatalogueTables(copy.Folder()));
}

// A file with no record (empty, or blanks and line breaks only) loads as
// the rules say, its table left at -1, and is listed until a load that
// succeeds finds every file holding records.
TEST(CatalogueReload, FilesWithoutRecordsLoadAndAreListed) {
  CatalogueCopy copy;
  copy.Write("CLCMXCAP.DAT", "");
  copy.Write("LUKUPCAS.DAT", " \r\n\t\n");
  const auto error = LoadCatalogueTables(copy.Folder());
  ASSERT_FALSE(error) << error->Message();
  EXPECT_EQ(CatalogueFilesWithoutRecords(),
            (std::vector<std::string_view>{"CLCMXCAP.DAT", "LUKUPCAS.DAT"}));
  EXPECT_EQ(gCapLimits.MaxCapTable(1, 5, 1, 1), -1.0);
  EXPECT_EQ(gCapLimits.CaseLookup(1, 1), -1);
  EXPECT_EQ(gCapLimits.MinCapTable(1, 5, 1, 1), 0.001);
  copy.Remove("DESNPARA.DAT");
  ASSERT_TRUE(LoadCatalogueTables(copy.Folder()));
  EXPECT_EQ(CatalogueFilesWithoutRecords().size(), 2u);
  ASSERT_FALSE(LoadCatalogueTables(kBasic));
  EXPECT_TRUE(CatalogueFilesWithoutRecords().empty());
}

// A file larger than any catalogue is refused unread.
TEST(CatalogueReload, AFileLargerThanACatalogueIsRefused) {
  CatalogueCopy copy;
  fs::resize_file(*FindFileIgnoringCase(copy.Folder(), "CLCMXCAP.DAT"), kMaxCatalogueFileBytes + 1);
  const auto error = LoadCatalogueTables(copy.Folder());
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Fault, CatalogueFault::TooLarge);
  EXPECT_EQ(error->File, "CLCMXCAP.DAT");
  EXPECT_NE(error->Message().find("larger than a catalogue file can be"), std::string::npos);
}

TEST(FindFileIgnoringCase, PrefersExactNameAndRegularFiles) {
  CatalogueCopy copy;
  EXPECT_EQ(FindFileIgnoringCase(copy.Folder(), "DESNPARA.DAT")->filename(), "desnpara.dat");
  EXPECT_EQ(FindFileIgnoringCase(copy.Folder(), "clcmxcap.dat")->filename(), "CLCMXCAP.DAT");
  std::ofstream(copy.Folder() / "DESNPARA.DAT") << "";
  EXPECT_EQ(FindFileIgnoringCase(copy.Folder(), "DESNPARA.DAT")->filename(), "DESNPARA.DAT");
  fs::create_directory(copy.Folder() / "extra.dat");
  EXPECT_FALSE(FindFileIgnoringCase(copy.Folder(), "EXTRA.DAT"));
  EXPECT_EQ(LookUpFile(copy.Folder(), "EXTRA.DAT").Kind, FileKind::Directory);
  std::ofstream(copy.Folder() / "Extra.dat") << "";
  EXPECT_EQ(FindFileIgnoringCase(copy.Folder(), "EXTRA.DAT")->filename(), "Extra.dat");
  EXPECT_FALSE(FindFileIgnoringCase(copy.Folder() / "nowhere", "DESNPARA.DAT"));
  // No folder is not the current folder.
  EXPECT_EQ(LookUpFile("", "CMakeCache.txt").Kind, FileKind::Missing);
}

// A loop of links under the name is one, found by a listing too; in a
// folder that is itself a loop nothing is found.
TEST(FindFileIgnoringCase, ALoopOfLinksIsALoopOnlyUnderTheName) {
  CatalogueCopy copy;
  fs::create_symlink("extra.dat", copy.Folder() / "extra.dat");
  EXPECT_EQ(LookUpFile(copy.Folder(), "EXTRA.DAT").Kind, FileKind::LinkLoop);
  fs::create_symlink("loop", copy.Folder() / "loop");
  EXPECT_EQ(LookUpFile(copy.Folder() / "loop", "DESNPARA.DAT").Kind, FileKind::Missing);
}

// A program folder that may be entered but not listed: the exact names
// are found and the catalogue loads; a name in another case is not found.
// The check runs in a child process without the owner's rights (root
// lists any folder).
TEST(FindFileIgnoringCase, AFolderThatCannotBeListedStillServesExactNames) {
  CatalogueCopy copy;
  fs::rename(copy.Folder() / "desnpara.dat", copy.Folder() / "DESNPARA.DAT");
  fs::rename(copy.Folder() / "ClcMinCap.dat", copy.Folder() / "CLCMinCAP.DAT");
  std::ofstream(copy.Folder() / "extra.dat") << "";
  ASSERT_FALSE(::chmod(copy.Folder().c_str(), 0311));
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    std::error_code ec;
    fs::directory_iterator listing(copy.Folder(), ec);
    const bool exact = FindFileIgnoringCase(copy.Folder(), "CLCMXCAP.DAT").has_value();
    const bool variant = FindFileIgnoringCase(copy.Folder(), "EXTRA.DAT").has_value();
    const bool loads = !LoadCatalogueTables(copy.Folder()).has_value();
    ::_exit(ec && exact && !variant && loads ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ::chmod(copy.Folder().c_str(), 0755);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "2: no other user; 1: a check failed";
}

}  // namespace
