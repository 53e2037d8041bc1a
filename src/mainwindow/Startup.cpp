#include "mainwindow/Startup.h"

#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/CatalogueFiles.h"
#include "catalogue/DesignState.h"
#include "catalogue/TextChars.h"
#include "engine/StartupScan.h"
#include "mainwindow/Calculate.h"
#include "mainwindow/Commands.h"
#include "mainwindow/EntryMode.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "mainwindow/UiState.h"
#include "ui/Services.h"

namespace quenta {

namespace {

struct Entry {
  const char* text;
  int16_t code;
};

// The series list in its shown order; the code is the SeriesIndex.
constexpr Entry kSeries[] = {
    {"KD", 1},    {"KF", 2},    {"WB", 3},    {"PJ", 4},    {"PY", 5},    {"NX", 6},
    {"GZ", 7},    {"GQ", 8},    {"GU", 9},    {"DQ", 23},   {"DY", 25},   {"BW", 24},
    {"0805", 14}, {"1206", 15}, {"1210", 16}, {"1808", 17}, {"1812", 18}, {"1825", 19},
    {"2220", 20}, {"2225", 21}, {"3640", 22}, {"KDD", 10},  {"KFF", 11},  {"KDZ", 12},
    {"GJW", 13}};

// Names the file with its folder ("The catalogue file CLCMXCAP.DAT in the
// program folder /opt/q, record 3, field 6, cannot be used: ...").
std::string faultText(const CatalogueError& error) {
  return "The catalogue file " + error.PlaceInFolder() + " cannot be used: " + error.Detail;
}

// Reports a catalogue that cannot be used. Before the main window has been
// shown this ends the program; later the tables already loaded stay in use.
void reportCatalogueFault(MainForm& f, const CatalogueError& error) {
  const bool startingUp = !f.shown();
  const ui::MousePointer pointer = f.mousePointer();
  f.setMousePointer(ui::MousePointer::Default);
  if (startingUp) {
    ui::msgBox(faultText(error) + "\r\n\r\nThe program cannot start without its catalogue.",
               ui::MsgButtons::Ok, "Catalogue Error", ui::MsgIcon::Critical);
    ui::endProgram();
  }
  ui::msgBox(faultText(error) + "\r\n\r\nThe catalogue loaded before stays in use.",
             ui::MsgButtons::Ok, "Catalogue Error", ui::MsgIcon::Exclamation);
  f.setMousePointer(pointer);
}

// A catalogue file without a record loads as any other, leaving its table
// with nothing offered, and the program goes on; but the parts that file
// would offer then read as invalid combinations, as parts that do not
// exist would, so the start-up says which files hold nothing and where.
void reportFilesWithoutRecords() {
  const std::vector<std::string_view>& files = CatalogueFilesWithoutRecords();
  if (files.empty()) return;
  const bool one = files.size() == 1;
  std::string names;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (i > 0) names += i + 1 == files.size() ? " and " : ", ";
    names += files[i];
  }
  ui::msgBox(std::string(one ? "The catalogue file " : "The catalogue files ") + names +
                 " cannot be used: " + (one ? "the file" : "the files") +
                 " in the program folder " + EscapeNonText(ProgramFolder()) +
                 (one ? " holds" : " hold") + " no record.\r\n\r\nThe program starts as if " +
                 (one ? "it" : "they") +
                 " listed nothing: parts may be missing from the lists or read as invalid "
                 "combinations although they exist.",
             ui::MsgButtons::Ok, "Catalogue Error", ui::MsgIcon::Exclamation);
}

}  // namespace

void LoadDataAndInitForm() {
  MainForm& f = F_QuentaMainForm();
  gUiState.Mil123Mode = 0;
  f.setMousePointer(ui::MousePointer::Hourglass);
  ui::setVisible({&f.T_Capacitance, &f.LineFreqText, &f.Label2, &f.L_NonStandard}, false);
  if (const auto error = LoadCatalogueTables(ProgramFolder())) reportCatalogueFault(f, *error);
  SetDesignDefaults();

  // Selecting the first series runs the whole selection cascade.
  f.CB_Type.clear();
  for (const Entry& e : kSeries) f.CB_Type.addItem(e.text, e.code);
  f.CB_Type.setVisible(true);
  f.CB_Type.setText(f.CB_Type.list(0));
  f.setMousePointer(ui::MousePointer::Default);

  FillMilitaryList(f.CB_Type_Mil, {"M49470", "T49470"});
  FillMilitaryList(f.CB_Mil_Prf_Ch, {"X", "R", "Q", "P"});
  FillMilitaryList(f.CB_Type_Sht, {"01", "02"});
  FillMilitaryList(f.CB_Type_Tol, {"K", "M"});
  FillMilitaryList(f.CB_Type_Volt, {"Z", "A", "B"});
  FillMilitaryList(f.CB_Type_Lead, {"N", "J", "L", "A", "B", "C"});

  // Raises OB_Part_Num_Click only when another entry mode was in force (or
  // none yet, at start-up).
  f.OB_Part_Num.setValue(true);

  ShowMakerPanel(f, true);
  ShowMil49470Panel(f, false);

  FillMilitaryList(f.Combo1, {"A10(EIA 0805)", "A11(EIA 1210)", "A12(EIA 1808)", "A13(EIA 2225)",
                              "A21(EIA 1206)", "A22(EIA 1812)", "A23(EIA 1825)"});
  FillMilitaryList(f.Combo2, {"BP", "BX"}, 1);
  FillMilitaryList(f.CB_Type_V, {"B", "C"});
  FillMilitaryList(f.CB_Type_T, {"B", "C", "D", "F", "J", "K", "M"}, 5);
  FillMilitaryList(f.CB_Type_L, {"G", "M", "S", "Z"}, 2);
}

void ScanMaxCapTable() {
  LoadDataAndInitForm();
  TakeEntryInputsFromWindow();
  if (const auto error = ScanMaxCapEntries(ProgramFolder()))
    reportCatalogueFault(F_QuentaMainForm(), *error);
}

void Form_Load() {
  MainForm& f = F_QuentaMainForm();
  // A new start of the program begins with a fresh window state.
  gUiState = UiState{};
  ScanMaxCapTable();

  // The key handlers stay off while the window is arranged.
  f.setKeyPreview(false);
  const ui::Services& screen = ui::services();
  f.setLeft(static_cast<int>(std::floor((screen.screenWidth() - f.width()) / 2.0)));
  f.setTop(static_cast<int>(std::floor((screen.screenHeight() - f.height()) / 2.0)));
  ui::setVisible({&f.L_Norvel_PN, &f.T_Norvel_Equiv}, false);
  f.setKeyPreview(true);
  ui::setVisible({&f.L_Invalid_Mil, &f.Label4, &f.Label10, &f.L_Mil_Prf, &f.T_Mil_Prf, &f.Command4,
                  &f.Command6}, false);

  // "D" in the Symbol font is the Greek capital delta: "delta C(%)".
  f.Label6.setFontName("Symbol");
  f.Label6.setFontSize(12);
  f.Label6.setCaption("D");
  f.Label8.setFontSize(10);
  f.Label8.setCaption("\u00B5");
  f.Frame26.setVisible(false);
  for (ui::TextBox* box : {&f.Text2, &f.Text3, &f.Text4}) box->setText("0");
  ui::setVisible({&f.Picture2, &f.Picture3}, false);
  f.Timer2.setEnabled(false);

  LoadDataAndInitForm();
  reportFilesWithoutRecords();
}

namespace {

// Whether the key is left to the control that has the focus: Space and the
// keypad separator type their character into a box or list that takes
// typed text. Space in the frequency box is that box's own calculate key:
// its key press handler calculates, once.
bool LeftToFocusedBox(const MainForm& f, int keyCode) {
  if (keyCode != 32 && keyCode != 108) return false;
  const ui::Control* focused = f.activeControl();
  if (!focused || !focused->enabled()) return false;
  if (keyCode == 32 && focused == &f.T_Frequency) return true;
  if (focused->kind() == ui::Kind::ComboBox) return true;
  return focused->kind() == ui::Kind::TextBox &&
         !static_cast<const ui::TextBox*>(focused)->locked();
}

}  // namespace

void Form_KeyDown(int& keyCode, int shift) {
  (void)shift;
  MainForm& f = F_QuentaMainForm();
  // Enter, 43, the keypad separator and Space calculate; the key then goes
  // on to the control that has the focus. A character typed into a box
  // only types: calculating too would read the text before it arrives, and
  // its arrival would clear the results again.
  if (LeftToFocusedBox(f, keyCode)) return;
  if (keyCode == 13 || keyCode == 43 || keyCode == 108 || keyCode == 32) CalculateByKey();
}

void Form_KeyPress(int& keyAscii) {
  UiState& s = gUiState;
  if (keyAscii == kHiddenKeyFirst) {
    s.HiddenModeStep1 = -1;
    s.HiddenModeStep2 = 0;
    keyAscii = 0;
  } else if (keyAscii == kHiddenKeySecond && s.HiddenModeStep1 != 0) {
    s.HiddenModeStep2 = -1;
    keyAscii = 0;
  } else if (keyAscii == kHiddenKeyThird && s.HiddenModeStep1 != 0 && s.HiddenModeStep2 != 0) {
    keyAscii = 0;
    F_QuentaMainForm().Command4.setVisible(true);
  } else {
    s.HiddenModeStep1 = 0;
    s.HiddenModeStep2 = 0;
  }
}

void Timer2_Timer() {
  ui::Label& notice = F_QuentaMainForm().Label10;
  notice.setVisible(!notice.visible());
}

void B_Quit_Click() { ui::endProgram(); }

void Form_Unload() { ui::endProgram(); }

}  // namespace quenta
