// The Calculate command: the series picture it shows first, and the
// capacitance check's choice of case after a series change.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "catalogue/DesignState.h"
#include "mainwindow/Commands.h"
#include "mainwindow/MainWindowSession.h"
#include "mainwindow/Program.h"

namespace quenta::test {
namespace {

namespace fs = std::filesystem;

class CalculateCommand : public MainWindowSession {
 protected:
  void SetUp() override {
    MainWindowSession::SetUp();
    ASSERT_TRUE(start());
    // A folder of this test's own: tests may run side by side.
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    pictures = fs::temp_directory_path() /
               ("quenta-pictures-" + std::string(test->name()) + "-" + std::to_string(::getpid()));
    fs::create_directories(pictures);
  }
  void TearDown() override {
    fs::remove_all(pictures);
    MainWindowSession::TearDown();
  }
  void addPicture(const std::string& name) { std::ofstream(pictures / name) << "jpeg"; }
  // Chooses a case that the small catalogue does not list: its text is
  // what decides the picture.
  void chooseCaseText(const std::string& text, int16_t code) {
    f().CB_Case.addItem(text, code);
    f().CB_Case.setListIndex(f().CB_Case.listCount() - 1);
  }
  std::string shown(const ui::PictureBox& box) {
    return box.picture().empty() ? "" : fs::path(box.picture()).filename().string();
  }

  fs::path pictures;
};

TEST_F(CalculateCommand, ShowsTheSeriesPictureAndCalculates) {
  addPicture("KD.JPG");  // found whatever the case of its name
  SetProgramFolder(pictures.string());
  Command1_Click();
  EXPECT_TRUE(f().Picture2.visible());
  EXPECT_FALSE(f().Picture3.visible());
  EXPECT_EQ(shown(f().Picture2), "KD.JPG");
  EXPECT_EQ(f().activeControl(), &f().Command1);
  EXPECT_EQ(f().T_Specs[0].text(), "KD015A104K...");
}

TEST_F(CalculateCommand, CaseTextsChooseAmongTheSeriesPictures) {
  for (const char* name : {"kd.jpg", "kd9.jpg", "kd5.jpg", "m123.jpg"}) addPicture(name);
  SetProgramFolder(pictures.string());
  chooseCaseText("91", 91);
  Command1_Click();
  EXPECT_EQ(shown(f().Picture2), "kd9.jpg");
  EXPECT_TRUE(f().Picture2.visible());
  EXPECT_FALSE(f().Picture3.visible());

  chooseCaseText("52", 52);
  Command1_Click();
  EXPECT_EQ(shown(f().Picture3), "kd5.jpg");
  EXPECT_TRUE(f().Picture3.visible());
  EXPECT_FALSE(f().Picture2.visible());
  EXPECT_EQ(shown(f().Picture2), "kd.jpg");  // loaded first, then hidden

  f().OB_MIL123.setValue(true);
  Command1_Click();
  EXPECT_EQ(shown(f().Picture2), "m123.jpg");
  EXPECT_TRUE(f().Picture2.visible());
  EXPECT_FALSE(f().Picture3.visible());
}

TEST_F(CalculateCommand, AMissingPictureLeavesTheBoxEmptyAndCalculates) {
  SetProgramFolder(pictures.string());
  Command1_Click();
  EXPECT_EQ(f().Picture2.picture(), "");
  EXPECT_TRUE(f().Picture2.visible());
  EXPECT_EQ(f().T_Specs[0].text(), "KD015A104K...");
}

TEST_F(CalculateCommand, AfterASeriesChangeTheCaseFollowsTheCapacitance) {
  // The small catalogue lists series KD, C0G, 50 V in cases 01 (0.1 µF),
  // 02 (1 µF) and 05 (5 µF).
  gCapLimits.CapSearchAllRows = false;
  f().CK_ManCap.setValue(ui::CheckBox::Checked);
  f().T_Capacitance.setText("0.5");
  Command1_Click();
  EXPECT_EQ(f().CB_Case.text(), "02");
  EXPECT_EQ(gSelection.CaseIndex, 2);
  EXPECT_TRUE(gCapLimits.CapSearchAllRows);
  EXPECT_EQ(f().T_Specs[0].text(), "KD025A504K...");

  // A case whose maximum equals the capacitance is passed over.
  gCapLimits.CapSearchAllRows = false;
  f().T_Capacitance.setText("1");
  Command1_Click();
  EXPECT_EQ(f().CB_Case.text(), "05");
  EXPECT_EQ(f().T_Specs[0].text(), "KD055A105K...");
}

TEST_F(CalculateCommand, ThePickListKeepsTheCapacitanceCalculated) {
  pick(f().CB_Case, "02");
  pick(f().CB_Cap, " 470 nF");
  gCapLimits.CapSearchAllRows = false;
  Command1_Click();
  // Case 02 is chosen again: its rebuilt list would stand on its largest
  // value, 1 µF.
  EXPECT_EQ(f().CB_Case.text(), "02");
  EXPECT_EQ(f().CB_Cap.text(), " 470 nF");
  EXPECT_EQ(f().T_Specs[0].text(), "KD025A474K...");
}

}  // namespace
}  // namespace quenta::test
