// The MIL-PRF-49470 lookup against part lists written for each case: the
// part lists that cannot be used, a list longer than any fixed store, and
// the panel texts that name no part.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "MilitarySession.h"
#include "catalogue/DesignState.h"
#include "mainwindow/Commands.h"
#include "military/Mil49470Entry.h"

namespace quenta::test {
namespace {

namespace fs = std::filesystem;

// A program folder with the shipped catalogue and the part lists a test
// writes.
class PartListFolder : public MilitarySession {
 protected:
  void SetUp() override {
    MilitarySession::SetUp();
    folder = fs::temp_directory_path() /
             ("quenta10-lists-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
              "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const char* name : {"DESNPARA.DAT", "CLCMXCAP.DAT", "CLCMinCAP.DAT", "LUKUPCAS.DAT"})
      fs::copy_file(kShippedData / name, folder / name);
  }
  void TearDown() override {
    MilitarySession::TearDown();
    fs::remove_all(folder);
  }
  void write(const std::string& name, const std::string& text) {
    std::ofstream(folder / name, std::ios::binary) << text;
  }
  // Starts the program on the folder in MIL-PRF-49470 entry with the PIN
  // M49470 X 01 <code> K A <lead> and calculates.
  void calculate(const std::string& code, const std::string& lead = "N") {
    if (!f().shown()) {
      ASSERT_TRUE(startOn(folder));
      f().OB_Mil_Prf.setValue(true);
      pickMil(f().CB_Type_Volt, "A");
    }
    pickMil(f().CB_Type_Lead, lead);
    f().T_Cap_code.setText(code);
    Command1_Click();
  }
  bool found() const { return !F_QuentaMainForm().L_Invalid_Mil.visible(); }

  fs::path folder;
};

const char* const kPart = "\"M49470X01224KAN\",\"0.22\",\"50\",\"BX\",\"5\",\"N, L, or J\",\".120\"\n";

TEST_F(PartListFolder, ListsThatCannotBeUsedAreNamedAndNameNoPart) {
  struct Damage {
    const char* text;
    const char* place;
  };
  const Damage damages[] = {
      {"", "mil-prf-49470_50.dat cannot be used: the file is missing"},
      {"\"M49470X01224KAN\",\"0.22\",\"50\",\"BX\",\"5\"\n", "record 1, field 6"},
      {"\"M49470X01224KAN\",\"0.22\",\"50\",\"BX\",\"5\",\"N, L, or J", "record 1, field 7"},
      {"\"M49470X0122\",\"0.22\",\"50\",\"BX\",\"5\",\"N, L, or J\",\".120\"\n",
       "record 1, field 1"},
      {"\"M49470X01A24KAN\",\"0.22\",\"50\",\"BX\",\"5\",\"N, L, or J\",\".120\"\n",
       "record 1, field 1"},
      {"\"M49470X01224KAN\",\"0.22\",\"50\",\"BX\",\"7\",\"N, L, or J\",\".120\"\n",
       "record 1, field 5"},
      {"\"M49470X01224KAN\",\"0.22\",\"50\",\"BX\",\"\",\"N, L, or J\",\".120\"\n",
       "record 1, field 5"},
      {"\"M49470X01224KAN\",\"0.22\",\"50\",\"BX\",\"5\",\"N, L, or J\",\".12\"\n",
       "record 1, field 7"},
  };
  for (const Damage& d : damages) {
    SCOPED_TRACE(d.text);
    fs::remove(folder / "mil-prf-49470_50.dat");
    if (*d.text) write("mil-prf-49470_50.dat", std::string(kPart) + d.text);
    messages.clear();
    calculate("224");
    EXPECT_FALSE(found());
    EXPECT_FALSE(f().Command2.enabled());
    EXPECT_EQ(f().T_Norvel_Equiv.text(), "");
    EXPECT_EQ(gSelection.PartNumberText, "");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Part List Error");
    // The damage is in the second record when the list has a good first one.
    std::string place = d.place;
    if (*d.text) place.replace(place.find("record 1"), 8, "record 2");
    EXPECT_NE(messages[0].text.find(place), std::string::npos) << messages[0].text;
  }
  // Mended, the list gives its part at the next calculation.
  write("mil-prf-49470_50.dat", kPart);
  messages.clear();
  calculate("224");
  EXPECT_TRUE(found());
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(f().T_Norvel_Equiv.text(), "KD055C224KHN120");
}

TEST_F(PartListFolder, HoldsAsManyRecordsAsTheListHas) {
  // 300 records that the lead filter passes, the part last.
  std::string text;
  for (int i = 0; i < 299; ++i)
    text += "\"M49470X01103KAN\",\"0.010\",\"50\",\"BX\",\"1\",\"N, L, or J\",\".120\"\n";
  write("mil-prf-49470_50.dat", text + kPart);
  calculate("224");
  EXPECT_TRUE(found());
  EXPECT_EQ(gMil49470.Mil49470Pins.size(), 300u);
  EXPECT_EQ(f().T_Norvel_Equiv.text(), "KD055C224KHN120");
}

TEST_F(PartListFolder, APanelTextItsListDoesNotOfferNamesNoPart) {
  write("mil-prf-49470_50.dat", kPart);
  calculate("224");
  ASSERT_TRUE(found());
  MainForm& w = f();
  struct Typed {
    ui::ComboBox* box;
    const char* text;
  };
  for (const Typed t : {Typed{&w.CB_Type_Sht, "03"}, Typed{&w.CB_Type_Lead, "Z"},
                        Typed{&w.CB_Type_Mil, "M4947"}, Typed{&w.CB_Type_Tol, "k"},
                        Typed{&w.CB_Type_Volt, "D"}, Typed{&w.CB_Type_Volt, ""},
                        Typed{&w.CB_Mil_Prf_Ch, "x"}}) {
    SCOPED_TRACE(t.text);
    const std::string before = t.box->text();
    t.box->setText(t.text);
    Command1_Click();
    EXPECT_FALSE(found());
    EXPECT_EQ(w.T_Mil_Prf.text(), "");
    t.box->setText(before);
    Command1_Click();
    EXPECT_TRUE(found());
  }
  // Typing "P" refills nothing: the tolerance "M" that X offers is not one
  // of P's.
  pickMil(w.CB_Type_Tol, "M");
  w.CB_Mil_Prf_Ch.setText("P");
  Command1_Click();
  EXPECT_FALSE(found());
  // Codes with other widths or multiplier digits.
  w.CB_Mil_Prf_Ch.setText("X");
  for (const char* code : {"22", "2240", "228", "222", "2a4", " 224"}) {
    calculate(code);
    EXPECT_FALSE(found()) << code;
  }
}

class ShippedLookup : public MilitarySession {};

TEST_F(ShippedLookup, ShowsThePictureOfItsSheet) {
  ASSERT_TRUE(startOn(kShippedData));
  MainForm& w = f();
  w.OB_Mil_Prf.setValue(true);
  w.T_Cap_code.setText("225");
  for (const char* sheet : {"02", "01"}) {
    pickMil(w.CB_Type_Sht, sheet);
    Command1_Click();
    ASSERT_TRUE(w.Command2.enabled()) << sheet;
    EXPECT_TRUE(w.Picture2.visible());
    EXPECT_FALSE(w.Picture3.visible());
    EXPECT_EQ(fs::path(w.Picture2.picture()).filename(),
              sheet == std::string("02") ? "kd9.jpg" : "kd.jpg");
  }
  // Picking a characteristic takes the picture away.
  pickMil(w.CB_Mil_Prf_Ch, "X");
  EXPECT_FALSE(w.Picture2.visible());
}

}  // namespace
}  // namespace quenta::test
