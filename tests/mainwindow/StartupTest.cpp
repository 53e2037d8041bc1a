// Start-up of the main window, its keys and its lifetime.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalogue/DesignState.h"
#include "mainwindow/MainWindowSession.h"
#include "mainwindow/Startup.h"
#include "mainwindow/UiState.h"

namespace quenta::test {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

// Counts how often the series list is emptied: once per loader run.
struct ClearCounter : ui::ControlListener {
  int clears = 0;
  void propertyChanged(ui::Control& control, ui::Prop prop) override {
    auto& list = static_cast<ui::ListControl&>(control);
    if (prop == ui::Prop::List && list.listCount() == 0) ++clears;
  }
};

class Startup : public MainWindowSession {};

TEST_F(Startup, ReadsTheCatalogueThreeTimesAndShowsTheWindowOnce) {
  ClearCounter counter;
  f().CB_Type.setListener(&counter);
  int shown = 0;
  services.onFormShown = [&](ui::Form& form) {
    ++shown;
    // Everything is set up before the window becomes visible.
    EXPECT_EQ(counter.clears, 3);
    EXPECT_EQ(&form, &f());
  };
  ASSERT_TRUE(start());
  f().CB_Type.setListener(nullptr);
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(f().mousePointer(), ui::MousePointer::Default);
  EXPECT_TRUE(f().keyPreview());
}

TEST_F(Startup, OpensCentredOnMakerEntryWithTheFirstEntries) {
  ASSERT_TRUE(start());
  EXPECT_EQ(f().left(), (services.screenWidth() - f().width()) / 2);
  EXPECT_EQ(f().top(), (services.screenHeight() - f().height()) / 2);
  EXPECT_TRUE(f().OB_Part_Num.value());
  EXPECT_EQ(f().CB_Type.listCount(), 25);
  EXPECT_EQ(f().CB_Type.text(), "KD");
  EXPECT_EQ(f().CB_Case.text(), "01");
  EXPECT_EQ(f().CB_Volt.text(), "50");
  EXPECT_EQ(f().CB_Dielectric.text(), "C0G");
  EXPECT_EQ(f().CB_Tolerance.text(), "+/-10%");
  EXPECT_EQ(f().CB_Cap.text(), " 100 nF");
  // The cascade's codes, not the loader's defaults.
  EXPECT_EQ(gSelection.SeriesIndex, 1);
  EXPECT_EQ(gSelection.CaseIndex, 1);
  EXPECT_EQ(gSelection.VoltageIndex, 2);
  EXPECT_EQ(gSelection.DielectricIndex, 1);
  EXPECT_EQ(gSelection.ToleranceIndex, 2);

  EXPECT_EQ(f().Combo1.text(), "A10(EIA 0805)");
  EXPECT_EQ(f().Combo2.text(), "BX");
  EXPECT_EQ(f().CB_Type_V.text(), "B");
  EXPECT_EQ(f().CB_Type_T.text(), "K");
  EXPECT_EQ(f().CB_Type_L.text(), "S");
  EXPECT_EQ(entries(f().CB_Type_Lead), (Texts{"N", "J", "L", "A", "B", "C"}));
  EXPECT_EQ(f().CB_Mil_Prf_Ch.text(), "X");

  for (ui::Control* c :
       std::initializer_list<ui::Control*>{&f().Command4, &f().Command6, &f().Frame26, &f().Label10,
                                           &f().Picture2, &f().Picture3, &f().L_Mil_Prf, &f().T_Mil_Prf,
                                           &f().L_Norvel_PN, &f().T_Norvel_Equiv, &f().L_Invalid_Mil,
                                           &f().Label4, &f().Label3, &f().T_Capacitance,
                                           &f().LineFreqText, &f().CK_Comm, &f().Text1, &f().Combo1,
                                           &f().Frame20, &f().Label1[2], &f().CB_Type_Mil,
                                           &f().Frame13, &f().T_Cap_code})
    EXPECT_FALSE(c->visible()) << c->id();
  for (ui::CommandButton* b : {&f().Command2, &f().Command3, &f().Command4})
    EXPECT_FALSE(b->enabled()) << b->id();
  EXPECT_FALSE(f().Timer2.running());
  EXPECT_EQ(f().Label6.fontName(), "Symbol");
  EXPECT_EQ(f().Label6.caption(), "D");
  EXPECT_EQ(f().Label1[4].caption(), "ESR at Oper. Freq.");
}

TEST_F(Startup, MissingCatalogueFileEndsBeforeTheWindowShows) {
  bool shown = false;
  services.onFormShown = [&](ui::Form&) { shown = true; };
  EXPECT_FALSE(start(fixtureFolder("missing-min")));
  EXPECT_FALSE(shown);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Catalogue Error");
  EXPECT_NE(messages[0].text.find("CLCMinCAP.DAT"), std::string::npos) << messages[0].text;
  EXPECT_NE(messages[0].text.find("missing from the program folder " +
                                   fixtureFolder("missing-min") + ".\r\n"),
            std::string::npos)
      << messages[0].text;
}

// An empty catalogue file loads, leaving nothing offered: the start-up
// says so once, naming the file and the folder, and the window shows.
TEST_F(Startup, AnEmptyCatalogueFileIsNamedAndTheWindowShows) {
  const fs::path folder =
      fs::temp_directory_path() / ("quenta-empty-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::copy(fixtureFolder("catalogue"), folder);
  std::ofstream(folder / "CLCMXCAP.DAT", std::ios::trunc).close();
  const bool started = start(folder.string());
  fs::remove_all(folder);
  ASSERT_TRUE(started);
  EXPECT_TRUE(f().shown());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Catalogue Error");
  EXPECT_EQ(messages[0].text.substr(0, messages[0].text.find("\r\n")),
            "The catalogue file CLCMXCAP.DAT cannot be used: the file in the program folder " +
                folder.string() + " holds no record.");
  EXPECT_EQ(entries(f().CB_Cap), (Texts{"No Capacitance"}));
}

TEST_F(Startup, FailedReloadKeepsTablesAndSession) {
  ASSERT_TRUE(start());
  pick(f().CB_Case, "02");
  SetProgramFolder(fixtureFolder("missing-min"));
  f().OB_Mil_Prf.setValue(true);
  f().OB_Part_Num.setValue(true);
  EXPECT_FALSE(ended);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].text.find("CLCMinCAP.DAT"), std::string::npos);
  // Maker entry is set up again from the tables already in memory.
  EXPECT_EQ(f().CB_Case.text(), "01");
  EXPECT_EQ(f().CB_Cap.text(), " 100 nF");
  EXPECT_EQ(gCapLimits.MinCapTable(1, 1, 1, 2), 0.0047);
  EXPECT_EQ(f().mousePointer(), ui::MousePointer::Default);
}

TEST_F(Startup, MakerEntryAgainReloadsOnceAndResetsTheSelection) {
  ASSERT_TRUE(start());
  pick(f().CB_Type, "PJ");
  ClearCounter counter;
  f().CB_Type.setListener(&counter);
  f().OB_Mil_Prf.setValue(true);
  f().OB_Part_Num.setValue(true);
  f().CB_Type.setListener(nullptr);
  EXPECT_EQ(counter.clears, 1);
  EXPECT_EQ(f().CB_Type.text(), "KD");
  EXPECT_EQ(f().CB_Volt.text(), "50");
  EXPECT_EQ(gUiState.Mil123Mode, 0);
}

TEST_F(Startup, CalculateKeysMoveTheFocusButOnlyTypeIntoABox) {
  ASSERT_TRUE(start());
  f().T_Capacitance.setVisible(true);
  // Space and the keypad separator only type into a box that takes typing;
  // on a list, a result box, and for Space in the frequency box (whose key
  // press handler calculates), they calculate as Enter does.
  const std::vector<ui::Control*> controls = {&f().CB_Volt,       &f().T_Specs[1],
                                              &f().T_Capacitance, &f().T_Cap_c,
                                              &f().CB_Type_Mil,   &f().T_Frequency};
  for (int key : {13, 43, 108, 32}) {
    for (ui::Control* c : controls) {
      c->setFocus();
      f().userKey(key, key == 13 ? 13 : key == 32 ? ' ' : key == 108 ? ',' : 0);
      const bool types = (key == 108 || key == 32) && c != &f().CB_Volt && c != &f().T_Specs[1] &&
                         !(key == 32 && c == &f().T_Frequency);
      EXPECT_EQ(f().activeControl(), types ? c : &f().Command1) << key << " " << c->id();
    }
  }
  f().T_Capacitance.setText("3");
  f().T_Capacitance.setFocus();
  f().T_Capacitance.setSelStart(1);
  f().userKey(32, ' ');
  EXPECT_EQ(f().T_Capacitance.text(), "3 ");
  EXPECT_EQ(f().activeControl(), &f().T_Capacitance);
  f().T_TempRise.setFocus();
  f().keyDown('A');
  EXPECT_EQ(f().activeControl(), &f().T_TempRise);
}

TEST_F(Startup, QuitEndsTheProgram) {
  ASSERT_TRUE(start());
  bool ending = false;
  services.onProgramEnding = [&] { ending = true; };
  EXPECT_THROW(f().B_Quit.click(), ui::ProgramEnd);
  EXPECT_TRUE(ending);
  ending = false;
  EXPECT_THROW(f().unload(), ui::ProgramEnd);
  EXPECT_TRUE(ending);
}

}  // namespace
}  // namespace quenta::test
