// The shipped MIL-PRF-49470 part lists: the committed files are what the
// generator derives, they keep to the rules of their format, and every
// record is a part the program finds and calculates on both sheets with
// every tolerance its characteristic offers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

#include "MilitarySession.h"
#include "catalogue/CatalogueFiles.h"
#include "catalogue/DesignState.h"
#include "catalogue/NumberText.h"
#include "mainwindow/Commands.h"
#include "military/Mil49470Entry.h"
#include "military/PartListAuthoring.h"

namespace quenta::test {
namespace {

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool Offers(const std::vector<std::string>& entries, const std::string& text) {
  return std::find(entries.begin(), entries.end(), text) != entries.end();
}

TEST(ShippedPartListsTest, CommittedFilesAreWhatTheGeneratorProduces) {
  const std::optional<CatalogueError> error = LoadCatalogueTables(kShippedData);
  ASSERT_FALSE(error) << error->Message();
  const auto files = authoring::BuildPartLists();
  ASSERT_EQ(files.size(), 5u);
  for (const auto& file : files) {
    EXPECT_TRUE(file.problems.empty()) << file.name << ": " << file.problems.front();
    EXPECT_GT(file.records, 50) << file.name;
    EXPECT_EQ(ReadText(kShippedData / file.name), file.text) << file.name;
  }
}

TEST(ShippedPartListsTest, RecordsKeepToTheirFormatAndTheCatalogue) {
  ASSERT_FALSE(LoadCatalogueTables(kShippedData));
  static const char* const kHeights[] = {".120", ".240", ".360", ".480", ".650"};
  for (const Mil49470List& list : Mil49470Lists()) {
    SCOPED_TRACE(list.file);
    const auto records = ReadMil49470PartList(kShippedData, list.file);
    std::set<std::tuple<char, std::string, std::string>> seen;
    for (const PartListRecord& r : records) {
      SCOPED_TRACE(r[0]);
      const std::string& pin = r[0];
      ASSERT_EQ(pin.size(), 15u);
      EXPECT_EQ(pin.substr(0, 6), "M49470");
      EXPECT_EQ(pin.substr(7, 2), "01");
      EXPECT_EQ(pin.substr(13, 1), list.letter);
      // The characteristic offers the file's voltage letter.
      const Mil49470Characteristic* c = FindMil49470Characteristic(pin.substr(6, 1));
      ASSERT_TRUE(c);
      EXPECT_TRUE(Offers(c->voltages, list.letter));
      EXPECT_EQ(r[3], std::string("B") + c->letter);
      const std::string code = pin.substr(9, 3);
      EXPECT_TRUE(std::isdigit(code[0]) && code[0] != '0' && std::isdigit(code[1]));
      EXPECT_GE(code[2], '3');
      EXPECT_LE(code[2], '7');
      const std::string uf = Mil49470MicrofaradText(code);
      EXPECT_EQ(r[1], uf.front() == '.' ? "0" + uf : uf);
      EXPECT_EQ(r[2], list.voltageText);
      EXPECT_TRUE(r[5] == "N, L, or J" || r[5] == "A, B, or C");
      EXPECT_TRUE(std::find(std::begin(kHeights), std::end(kHeights), r[6]) != std::end(kHeights));
      EXPECT_TRUE(seen.insert({pin[6], code, r[5]}).second) << "twice in the file";

      // The lowest case digit whose two cases hold the value.
      const int dielectric = r[3] == "BP" ? 1 : 2;
      const double value = LeadingNumber(uf);
      auto holds = [&](int caseIndex) {
        const double low = gCapLimits.MinCapTable(1, caseIndex, dielectric, list.voltageIndex);
        return gCapLimits.CaseLookup(caseIndex, 1) != -1 && low > 0 && value >= low &&
               value <= gCapLimits.MaxCapTable(1, caseIndex, dielectric, list.voltageIndex);
      };
      const int d = r[4][0] - '0';
      EXPECT_TRUE(holds(d) && holds(90 + d));
      for (int lower = 1; lower < d; ++lower) EXPECT_FALSE(holds(lower) && holds(90 + lower));
    }
  }
}

// The maker part number a record stands for, composed from the record
// itself.
std::string MakerPart(const PartListRecord& r, const Mil49470List& list, bool sheet02,
                      const std::string& tolerance, const std::string& lead) {
  static const std::map<std::string, std::string> kTaller = {
      {"120", "270"}, {"240", "390"}, {"360", "530"}, {"480", "660"}, {"650", "800"}};
  const std::string height = r[6].substr(1);
  return std::string("KD") + (sheet02 ? "9" : "0") + r[4] + list.makerDigit +
         (r[3] == "BP" ? "A" : "C") + r[0].substr(9, 3) + tolerance + "H" + lead +
         (sheet02 ? kTaller.at(height) : height);
}

class EveryShippedPart : public MilitarySession {};

TEST_F(EveryShippedPart, IsFoundAndCalculatedOnBothSheetsWithEachTolerance) {
  ASSERT_TRUE(startOn(kShippedData));
  MainForm& w = f();
  w.OB_Mil_Prf.setValue(true);
  int calculations = 0;
  for (const Mil49470List& list : Mil49470Lists()) {
    for (const PartListRecord& r : ReadMil49470PartList(kShippedData, list.file)) {
      const std::string characteristic = r[0].substr(6, 1);
      const std::string lead = r[5][0] == 'N' ? "N" : "A";
      pickMil(w.CB_Mil_Prf_Ch, characteristic);
      pickMil(w.CB_Type_Volt, list.letter);
      pickMil(w.CB_Type_Lead, lead);
      w.T_Cap_code.setText(r[0].substr(9, 3));
      for (const std::string sheet : {"01", "02"}) {
        pickMil(w.CB_Type_Sht, sheet);
        for (const std::string& tolerance : FindMil49470Characteristic(characteristic)->tolerances) {
          SCOPED_TRACE(r[0] + " sheet " + sheet + " tolerance " + tolerance);
          pickMil(w.CB_Type_Tol, tolerance);
          Command1_Click();
          ++calculations;
          ASSERT_FALSE(w.L_Invalid_Mil.visible());
          ASSERT_TRUE(messages.empty()) << messages.front().title << ": " << messages.front().text;
          ASSERT_TRUE(dialogs.empty()) << dialogs.front();
          ASSERT_TRUE(w.Command2.enabled()) << "no results";
          EXPECT_EQ(w.T_Mil_Prf.text(), "M49470" + characteristic + sheet + r[0].substr(9, 3) +
                                            tolerance + list.letter + lead);
          EXPECT_EQ(w.T_Norvel_Equiv.text(), MakerPart(r, list, sheet == "02", tolerance, "N"));
          EXPECT_FALSE(w.T_Specs[1].text().empty());
          EXPECT_FALSE(w.T_TempSpecs[6].text().empty());
        }
      }
    }
  }
  EXPECT_EQ(calculations, 720 * 4);
}

}  // namespace
}  // namespace quenta::test
