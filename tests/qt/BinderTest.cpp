// The Qt front end: the main window's widgets follow its controls, and user
// actions on them reach the program as the same writes, once.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "graph/GraphDataWindow.h"
#include "mainwindow/MainForm.h"
#include "qt/Binder.h"
#include "qt/FrontEnd.h"
#include "qt/KeyMap.h"
#include "qt/ModalPressGuard.h"
#include "qt/QtServices.h"
#include "qt/QtTestSupport.h"
#include "ui/Headless.h"

namespace {

// The offscreen platform with three screens: the primary one it has by
// default, and two with the room a desktop leaves beside its 48 pixel panel
// on a 1366x768 screen at 125 % and a 3840x2160 screen at 200 %. Window
// frames are left to the program's own estimate of a title bar.
const char kScreens[] = R"({"windowFrameMargins": false, "screens": [
  {"name": "0-default", "x": 0, "y": 0, "width": 800, "height": 800,
   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
  {"name": "1-laptop-125", "x": 800, "y": 0, "width": 1092, "height": 566,
   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1.25},
  {"name": "2-4k-200", "x": 1892, "y": 0, "width": 1920, "height": 1032,
   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 2}]})";

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    const std::string config = (std::filesystem::temp_directory_path() /
                                ("test_qt_screens_" + std::to_string(getpid()) + ".json"))
                                   .string();
    std::ofstream(config) << kScreens;
    static std::string platform = "offscreen:configfile=" + config;
    static int argc = 3;
    static char name[] = "test_qt";
    static char option[] = "-platform";
    static char* argv[] = {name, option, platform.data(), nullptr};
    app_ = new QApplication(argc, argv);
    std::filesystem::remove(config);
    QApplication::setStyle("Fusion");
    qtui::installModalPressGuard();
    qttest::StampQTestMouseEventsOnTheUserClock();
  }
  // Only here: a death test's child leaves without tearing down, and must
  // not destroy the application during the exit of the process.
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

 private:
  QApplication* app_ = nullptr;
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

const char* expectedClass(ui::Kind kind) {
  switch (kind) {
    case ui::Kind::TextBox: return "QLineEdit";
    case ui::Kind::Label:
    case ui::Kind::PictureBox: return "QLabel";
    case ui::Kind::Frame: return "QGroupBox";
    case ui::Kind::DropDownList:
    case ui::Kind::ComboBox: return "QComboBox";
    case ui::Kind::CheckBox: return "QCheckBox";
    case ui::Kind::OptionButton: return "QRadioButton";
    case ui::Kind::ScrollBar: return "QScrollBar";
    case ui::Kind::CommandButton: return "QPushButton";
    case ui::Kind::Line: return "qtui::LineWidget";
    case ui::Kind::Graph: return "qtui::GraphWidget";
    case ui::Kind::Timer: return nullptr;
  }
  return nullptr;
}

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    quenta::ResetForms();
    form = &quenta::F_QuentaMainForm();
    qttest::BindWindow(*form, window, binder);
  }
  void TearDown() override {
    binder.reset();
    window.reset();
    quenta::ResetForms();
  }
  template <typename W>
  W* widget(const ui::Control& control) {
    return qobject_cast<W*>(binder->widgetFor(control));
  }
  void showActive() {
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  quenta::MainForm* form = nullptr;
  std::unique_ptr<QWidget> window;
  std::unique_ptr<qtui::Binder> binder;
};

// Every control of a form has a widget of its kind under its own name; an
// editable list is editable once it shows.
void expectAllBound(ui::Form& form, QWidget& window) {
  qtui::Binder binder(form, window);
  EXPECT_TRUE(binder.unbound().empty()) << form.name();
  window.show();
  QApplication::processEvents();
  for (ui::Control* c : form.controls()) {
    const char* cls = expectedClass(c->kind());
    if (!cls) continue;
    QWidget* w = binder.widgetFor(*c);
    ASSERT_NE(w, nullptr) << c->id();
    EXPECT_TRUE(w->inherits(cls)) << c->id();
    if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->isVisible()) {
      EXPECT_EQ(combo->isEditable(), c->kind() == ui::Kind::ComboBox) << c->id();
    }
  }
  window.hide();
}

TEST(FormWindows, EveryControlFindsItsWidget) {
  quenta::ResetForms();
  std::unique_ptr<QWidget> main(qtui::createFormWidget("F_QuentaMainForm"));
  expectAllBound(quenta::F_QuentaMainForm(), *main);
  std::unique_ptr<QWidget> design(qtui::createFormWidget("F_QuentaDesignForm"));
  expectAllBound(quenta::F_QuentaDesignForm(), *design);

  // The capacitance dialog's window carries the dialog's control names.
  struct CapEntry : ui::Form {
    CapEntry() : ui::Form("F_CapEntry") {}
    ui::Label Label1{*this, "Label1"}, Label2{*this, "Label2"}, Label3{*this, "Label3"};
    ui::TextBox Text1{*this, "Text1"};
    ui::CommandButton B_CalcOK{*this, "B_CalcOK"};
  } capEntry;
  std::unique_ptr<QWidget> dialog(qtui::createFormWidget("F_CapEntry"));
  expectAllBound(capEntry, *dialog);
  quenta::ResetForms();
}

TEST_F(MainWindow, ShowsTheDesignTimeState) {
  EXPECT_EQ(widget<QGroupBox>(form->Frame1)->title(), "Type");
  EXPECT_EQ(widget<QLineEdit>(form->T_Frequency)->text(), "100");
  EXPECT_EQ(widget<QPushButton>(form->Command2)->text(), "&Print");
  EXPECT_TRUE(widget<QCheckBox>(form->CK_Comm)->isHidden());
  EXPECT_TRUE(widget<QPushButton>(form->Command4)->isHidden());
  EXPECT_FALSE(widget<QLabel>(form->Label3)->isHidden());
  EXPECT_EQ(widget<QLabel>(form->Label3)->palette().color(QPalette::WindowText), QColor(Qt::red));
  EXPECT_TRUE(widget<QLineEdit>(form->Text3)->isReadOnly());  // locked box
  auto* ambient = widget<QScrollBar>(form->HS_TempAmbient);
  EXPECT_EQ(ambient->maximum(), 275);
  EXPECT_EQ(ambient->value(), 100);
  EXPECT_EQ(window->windowTitle(), "Quenta10 - Build Date = 03/17/2017");
}

TEST_F(MainWindow, LayerWritesShowWithoutRaisingHandlersAgain) {
  int changes = 0, clicks = 0, comboChanges = 0, comboClicks = 0, scrolls = 0;
  form->T_Frequency.onChange = [&] { ++changes; };
  form->CB_Type.onClick = [&] { ++clicks; };
  form->CB_Type_Mil.onChange = [&] { ++comboChanges; };
  form->CB_Type_Mil.onClick = [&] { ++comboClicks; };
  form->HS_Frequency.onChange = [&] { ++scrolls; };

  form->T_Frequency.setText("250");
  for (const char* s : {"KD", "KF", "WB"}) form->CB_Type.addItem(s);
  form->CB_Type.setText("KF");
  form->CB_Type_Mil.addItem("B");
  form->CB_Type_Mil.setText("B");
  form->HS_Frequency.setValue(40);

  EXPECT_EQ(widget<QLineEdit>(form->T_Frequency)->text(), "250");
  EXPECT_EQ(widget<QComboBox>(form->CB_Type)->count(), 3);
  EXPECT_EQ(widget<QComboBox>(form->CB_Type)->currentText(), "KF");
  EXPECT_EQ(widget<QComboBox>(form->CB_Type_Mil)->currentText(), "B");
  EXPECT_EQ(widget<QScrollBar>(form->HS_Frequency)->value(), 40);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(comboChanges, 1);
  EXPECT_EQ(comboClicks, 0);
  EXPECT_EQ(scrolls, 1);

  // Clearing a list empties its widget and leaves nothing selected.
  form->CB_Type.clear();
  EXPECT_EQ(widget<QComboBox>(form->CB_Type)->count(), 0);
  EXPECT_EQ(widget<QComboBox>(form->CB_Type)->currentIndex(), -1);
}

TEST_F(MainWindow, UserActionsReachTheHandlersOnce) {
  int typed = 0, picked = 0, comboTyped = 0, comboPicked = 0, options = 0, checks = 0,
      presses = 0, scrolls = 0;
  form->T_Frequency.onChange = [&] { ++typed; };
  // Leaving the frequency box would reformat it (a change of its own), and
  // entering it would select its text.
  form->T_Frequency.onLostFocus = nullptr;
  form->T_Frequency.onGotFocus = nullptr;
  form->CB_Volt.onClick = [&] { ++picked; };
  form->CB_Type_Tol.onChange = [&] { ++comboTyped; };
  form->CB_Type_Tol.onClick = [&] { ++comboPicked; };
  form->OB_MIL123.setEnabled(true);
  form->OB_MIL123.onClick = [&] { ++options; };
  form->CK_ManCap.onClick = [&] { ++checks; };
  form->Command1.onClick = [&] { ++presses; };
  form->HS_TempRise.onChange = [&] { ++scrolls; };
  for (const char* s : {"50", "100", "200"}) form->CB_Volt.addItem(s);
  for (const char* s : {"J", "K"}) form->CB_Type_Tol.addItem(s);
  showActive();

  QTest::keyClicks(widget<QLineEdit>(form->T_Frequency), "5");
  EXPECT_EQ(form->T_Frequency.text(), "1005");
  emit widget<QComboBox>(form->CB_Volt)->activated(2);
  EXPECT_EQ(form->CB_Volt.text(), "200");
  QTest::keyClicks(widget<QComboBox>(form->CB_Type_Tol), "M");
  EXPECT_EQ(form->CB_Type_Tol.text(), "M");
  emit widget<QComboBox>(form->CB_Type_Tol)->activated(1);
  EXPECT_EQ(form->CB_Type_Tol.text(), "K");
  QTest::mouseClick(widget<QRadioButton>(form->OB_MIL123), Qt::LeftButton);
  QTest::mouseClick(widget<QCheckBox>(form->CK_ManCap), Qt::LeftButton);
  QTest::mouseClick(widget<QPushButton>(form->Command1), Qt::LeftButton);
  widget<QScrollBar>(form->HS_TempRise)->triggerAction(QAbstractSlider::SliderSingleStepAdd);

  EXPECT_EQ(typed, 1);
  EXPECT_EQ(picked, 1);
  EXPECT_EQ(comboTyped, 1);
  EXPECT_EQ(comboPicked, 1);
  EXPECT_EQ(options, 1);
  EXPECT_TRUE(form->OB_MIL123.value());
  EXPECT_FALSE(form->OB_Part_Num.value());
  EXPECT_EQ(checks, 1);
  EXPECT_EQ(form->CK_ManCap.value(), ui::CheckBox::Checked);
  EXPECT_EQ(presses, 1);
  EXPECT_EQ(scrolls, 1);
  EXPECT_EQ(form->HS_TempRise.value(), 1);
  // A second click on the selected option changes nothing and stays selected.
  QTest::mouseClick(widget<QRadioButton>(form->OB_MIL123), Qt::LeftButton);
  EXPECT_EQ(options, 1);
  EXPECT_TRUE(widget<QRadioButton>(form->OB_MIL123)->isChecked());
}

TEST_F(MainWindow, MirrorsVisibilityEnabledColoursAndFonts) {
  form->Label2.setVisible(true);
  form->Command2.setEnabled(false);
  form->T_TempSpecs[2].setBackColor(ui::colors::red);
  form->T_TempSpecs[2].setForeColor(ui::colors::white);
  form->Label6.setFontName("Symbol");
  form->Label6.setCaption("D");
  EXPECT_FALSE(widget<QLabel>(form->Label2)->isHidden());
  EXPECT_FALSE(widget<QPushButton>(form->Command2)->isEnabled());
  const QPalette pal = widget<QLineEdit>(form->T_TempSpecs[2])->palette();
  EXPECT_EQ(pal.color(QPalette::Base), QColor(Qt::red));
  EXPECT_EQ(pal.color(QPalette::Text), QColor(Qt::white));
  EXPECT_EQ(widget<QLabel>(form->Label6)->text(), QString::fromUtf8("\u0394"));  // delta

  form->T_TempSpecs[2].setBackColor(ui::colors::white);
  form->T_TempSpecs[2].setForeColor(ui::colors::black);
  EXPECT_EQ(widget<QLineEdit>(form->T_TempSpecs[2])->palette().color(QPalette::Base),
            QApplication::palette().color(QPalette::Base));
}

// The panel, the series pictures and the notices (one of them blinks) come
// and go without the window changing size or anything else moving.
TEST_F(MainWindow, KeepsItsLayoutWhileResultsAndNoticesComeAndGo) {
  window->show();
  auto settle = [&] {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::processEvents();
  };
  auto where = [&](const ui::Control& c) {
    QWidget* w = binder->widgetFor(c);
    return QRect(w->mapTo(window.get(), QPoint(0, 0)), w->size());
  };
  settle();
  const QSize size = window->size();
  const QSize minimum = window->minimumSizeHint();
  const QRect lastResult = where(form->T_TempSpecs[6]);
  const QRect mainsNotice = where(form->LineFreqText);
  const QRect picture = where(form->Picture2);
  ui::Control* const comeAndGo[] = {&form->Label10,  &form->Label3,   &form->L_NonStandard,
                                    &form->Label2,   &form->Frame26,  &form->Picture2,
                                    &form->Picture3, &form->LineFreqText};
  for (ui::Control* c : comeAndGo) {
    for (bool visible : {true, false, true}) {
      c->setVisible(visible);
      settle();
      EXPECT_EQ(window->size(), size) << c->id() << " " << visible;
      EXPECT_EQ(window->minimumSizeHint(), minimum) << c->id() << " " << visible;
      EXPECT_EQ(where(form->T_TempSpecs[6]), lastResult) << c->id() << " " << visible;
      EXPECT_EQ(where(form->LineFreqText), mainsNotice) << c->id() << " " << visible;
      EXPECT_EQ(where(form->Picture2), picture) << c->id() << " " << visible;
    }
  }
}

TEST_F(MainWindow, UserFocusReachesTheProgramAfterQtIsDone) {
  showActive();
  int got = 0;
  form->T_TempRise.onGotFocus = [&] { ++got; };
  widget<QLineEdit>(form->T_TempRise)->setFocus();
  EXPECT_EQ(got, 0);  // not inside Qt's focus change
  QCoreApplication::processEvents();
  EXPECT_EQ(got, 1);
  EXPECT_EQ(form->activeControl(), &form->T_TempRise);
  // A focus move from the program shows on screen.
  form->T_Frequency.setFocus();
  EXPECT_EQ(QApplication::focusWidget(), binder->widgetFor(form->T_Frequency));
}

TEST_F(MainWindow, KeysRunTheWindowsKeyHandlersFirst) {
  showActive();
  std::vector<int> downs;
  int presses = 0;
  form->setKeyPreview(true);
  form->onKeyDown = [&](int& code, int) { downs.push_back(code); };
  form->onKeyPress = [&](int& ch) {
    if (ch == 'x') ch = 0;                    // swallowed
    if (ch >= 'a' && ch <= 'z') ch -= 32;     // typed as capitals
  };
  form->Command2.onClick = [&] { ++presses; };
  form->T_Capacitance.onGotFocus = nullptr;  // would select the whole text
  auto* box = widget<QLineEdit>(form->T_Capacitance);
  box->setFocus();
  QTest::keyClicks(box, "axb");
  EXPECT_EQ(form->T_Capacitance.text(), "3AB");
  EXPECT_EQ(box->text(), "3AB");

  // A calculate key on a focused button does not press the button as well.
  auto* print = widget<QPushButton>(form->Command2);
  print->setFocus();
  QTest::keyClick(print, Qt::Key_Return);
  QTest::keyClick(print, Qt::Key_Space);
  EXPECT_EQ(presses, 0);
  EXPECT_EQ(downs, (std::vector<int>{65, 88, 66, 13, 32}));
}

TEST(KeyMap, GivesTheCodesTheProgramCompares) {
  auto key = [](int k, Qt::KeyboardModifiers m = Qt::NoModifier, const QString& text = {}) {
    return qtui::translateKey(QKeyEvent(QEvent::KeyPress, k, m, text));
  };
  EXPECT_EQ(key(Qt::Key_Return, Qt::NoModifier, "\r").keyCode, 13);
  EXPECT_EQ(key(Qt::Key_Enter, Qt::KeypadModifier, "\r").character, 13);
  EXPECT_EQ(key(Qt::Key_Space, Qt::NoModifier, " ").keyCode, 32);
  EXPECT_EQ(key(Qt::Key_Comma, Qt::KeypadModifier, ",").keyCode, 108);
  EXPECT_EQ(key(Qt::Key_Period, Qt::KeypadModifier, ".").keyCode, 110);
  EXPECT_EQ(key(Qt::Key_Period, Qt::NoModifier, ".").keyCode, 190);
  EXPECT_EQ(key(Qt::Key_5, Qt::KeypadModifier, "5").keyCode, 101);
  const qtui::KeyInput lower = key(Qt::Key_Q, Qt::NoModifier, "q");
  EXPECT_EQ(lower.keyCode, 81);
  EXPECT_EQ(lower.character, 'q');
  const qtui::KeyInput ctrl = key(Qt::Key_D, Qt::ControlModifier, "\x04");
  EXPECT_EQ(ctrl.character, 4);
  EXPECT_EQ(ctrl.shift, 2);
  EXPECT_EQ(key(Qt::Key_Tab, Qt::NoModifier, "\t").character, 0);
}

TEST(QtServices, ModalDialogReturnsWhenHidden) {
  quenta::ResetForms();
  qtui::QtServices services;
  ui::ScopedServices scoped(services);
  auto& design = quenta::F_QuentaDesignForm();
  std::vector<std::string> steps;
  design.Command1.onClick = [&] {
    design.hide();
    steps.push_back("after hide");
  };
  QTimer::singleShot(0, [&] {
    steps.push_back("in loop");
    qobject_cast<QPushButton*>(qtui::Binder::of(design)->widgetFor(design.Command1))->click();
  });
  design.show(ui::ShowMode::Modal);
  steps.push_back("returned");
  EXPECT_EQ(steps, (std::vector<std::string>{"in loop", "after hide", "returned"}));
  EXPECT_FALSE(qtui::Binder::of(design)->window().isVisible());
  qtui::closeAllWindows();
  quenta::ResetForms();
}

// A modeless window shown again while it is open behind another (Display
// Graph Data with the data window behind) comes to the front.
TEST(QtServices, AWindowShownAgainComesToTheFront) {
  quenta::ResetForms();
  qtui::QtServices services;
  ui::ScopedServices scoped(services);
  auto& data = quenta::Graph_Data();
  data.show(ui::ShowMode::Modeless);
  QWidget& dataWindow = qtui::Binder::of(data)->window();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dataWindow));
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  data.show(ui::ShowMode::Modeless);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&dataWindow));
  qtui::closeAllWindows();
  quenta::ResetForms();
}

TEST(QtServicesDeathTest, ProgramEndLeavesEveryLoop) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        qtui::QtServices services;
        ui::setServices(&services);
        auto& design = quenta::F_QuentaDesignForm();
        design.Command1.onClick = [] { ui::endProgram(); };
        QTimer::singleShot(0, [&] {
          qobject_cast<QPushButton*>(qtui::Binder::of(design)->widgetFor(design.Command1))
              ->click();
        });
        int code = 2;
        try {
          design.show(ui::ShowMode::Modal);
        } catch (const ui::ProgramEnd&) {
          // Later dialogs end at once as well.
          code = qtui::endRequested() ? 0 : 3;
        }
        qtui::closeAllWindows();
        ui::setServices(nullptr);
        quenta::ResetForms();
        std::exit(code);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(QtServicesDeathTest, ClosingTheLastWindowUnloadsItAndEnds) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        qtui::QtServices services;
        ui::setServices(&services);
        qtui::setEndWhenNoWindowLeft(true);
        auto& design = quenta::F_QuentaDesignForm();
        int unloads = 0;
        design.onUnload = [&] { ++unloads; };
        design.show();
        QTimer::singleShot(0, [&] { qtui::Binder::of(design)->window().close(); });
        QApplication::exec();
        const bool ok = unloads == 1 && !design.shown() && qtui::endRequested();
        qtui::closeAllWindows();
        ui::setServices(nullptr);
        quenta::ResetForms();
        std::exit(ok ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(QtServices, TimersTickUntilStopped) {
  ui::Form form("Timers");
  ui::Timer timer(form, "Timer1");
  int ticks = 0;
  timer.onTimer = [&] {
    if (++ticks == 2) timer.setEnabled(false);
  };
  QObject owner;
  auto* driver = new qtui::QtTimer(timer, &owner);
  EXPECT_FALSE(driver->active());  // no interval yet
  timer.setInterval(5);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks == 2; }, 2000));
  EXPECT_FALSE(driver->active());
  QTest::qWait(30);
  EXPECT_EQ(ticks, 2);
}

// Without a browser to hand the address to, the user hears so; a desktop
// that takes it says nothing.
TEST(QtServices, SaysSoWhenNoBrowserCanBeStarted) {
  qtui::QtServices services;
  QString shown;
  auto answer = [&] {
    QTimer::singleShot(0, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        shown = box->text();
        box->accept();
      }
    });
  };
  const std::string address = "https://datasheets.example/KD-Style.pdf";
  answer();
  services.shellOpen(address);  // the offscreen platform starts no browser
  EXPECT_TRUE(shown.contains(QString::fromStdString(address))) << shown.toStdString();

  QTextBrowser browser;
  QDesktopServices::setUrlHandler("https", &browser, "setSource");
  shown.clear();
  answer();
  services.shellOpen(address);
  QApplication::processEvents();
  QDesktopServices::unsetUrlHandler("https");
  EXPECT_TRUE(shown.isEmpty()) << shown.toStdString();
  EXPECT_EQ(browser.source().toString().toStdString(), address);
}

TEST(QtServices, TranslatesDialogTexts) {
  EXPECT_EQ(qtui::dialogFilter("Text (*.txt)|*.txt|All files (*.*)|*.*"),
            "Text (*.txt);;All files (*.*)");
  EXPECT_EQ(qtui::dialogFilter("Data|*.dat;*.txt"), "Data (*.dat *.txt)");
  EXPECT_EQ(qtui::messageText("a\r\nb\rc\nd"), "a\nb\nc\nd");
}

}  // namespace

TEST_F(MainWindow, TextBoxSelectionAndClicksMirror) {
  int clicks = 0;
  form->T_Capacitance.onClick = [&] { ++clicks; };
  form->T_Capacitance.setVisible(true);
  showActive();
  auto* edit = widget<QLineEdit>(form->T_Capacitance);
  form->T_Capacitance.setText("4.7");
  form->T_Capacitance.selectAll();
  EXPECT_EQ(edit->selectedText(), "4.7");
  form->T_Capacitance.setSelStart(1);
  EXPECT_FALSE(edit->hasSelectedText());
  EXPECT_EQ(edit->cursorPosition(), 1);
  QTest::mouseClick(edit, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
}

TEST_F(MainWindow, CarriageReturnsBreakLabelLines) {
  form->Label3.setCaption("first\rsecond\r\nthird");
  EXPECT_EQ(widget<QLabel>(form->Label3)->text(), "first\nsecond\nthird");
}
