// The display going away while the program runs: Qt's X platform calls
// exit(1) when its connection breaks, from inside whatever event loop is
// running, a message box's or a dialog's included, with every window still
// up. The program then ends with status 1 and nothing else: no crash, no
// sanitizer report. Each case runs the program as main() does, in a process
// of its own, so that its static objects are made in the program's order,
// and ends it with exit(1) once the window it names is open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>

#include "graph/GraphDataWindow.h"
#include "graph/GraphForm.h"
#include "graph/GraphWindow.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "military/EntryModes.h"
#include "qt/Binder.h"
#include "qt/FrontEnd.h"
#include "qt/QtServices.h"
#include "ui/Services.h"

namespace {

// What the ended process wrote holds no report of a sanitizer (AddressSanitizer,
// LeakSanitizer, UndefinedBehaviorSanitizer): such a report ends the process
// with status 1 too, so the status alone cannot tell.
class NoSanitizerReport : public ::testing::MatcherInterface<const std::string&> {
 public:
  bool MatchAndExplain(const std::string& text,
                       ::testing::MatchResultListener* listener) const override {
    for (const char* mark : {"Sanitizer", "runtime error:"}) {
      if (text.find(mark) != std::string::npos) {
        *listener << "which reports \"" << mark << "\"";
        return false;
      }
    }
    return true;
  }
  void DescribeTo(std::ostream* os) const override {
    *os << "holds no sanitizer report";
  }
};

::testing::Matcher<const std::string&> noSanitizerReport() {
  return ::testing::MakeMatcher(new NoSanitizerReport);
}

// The window the display goes away under; nullptr while it is not up.
using OpenWindow = std::function<QWidget*()>;

// Starts the program as main() does; `open` then does what the user does
// to bring the window up, from the main window's event loop, and whenever
// `shown` names a window that is up, the display goes: exit(1) from the
// event loop running then. Never returns; a status other than 1 without a
// crash says which step did not get there (the std::exit calls below).
[[noreturn]] void RunUntilTheDisplayGoes(const std::function<void(quenta::MainForm&)>& open,
                                         const OpenWindow& shown) {
  // As in main(): kept until the process ends.
  auto* services = new qtui::QtServices;
  ui::setServices(services);
  QApplication::setQuitOnLastWindowClosed(false);
  qtui::setEndWhenNoWindowLeft(true);
  quenta::SetProgramFolder(QUENTA_PROGRAM_FOLDER);
  quenta::InstallMilitaryEntry();
  quenta::InstallGraphWindow();
  qtui::Binder* main = qtui::windowFor(quenta::F_QuentaMainForm());
  if (!main) std::exit(3);
  quenta::Main();
  if (qtui::endRequested()) std::exit(4);
  QApplication::setActiveWindow(&main->window());
  if (!QTest::qWaitForWindowActive(&main->window())) std::exit(8);

  // Qt's X platform, reading from a connection that broke.
  auto* connection = new QTimer;
  QObject::connect(connection, &QTimer::timeout, [shown] {
    if (QWidget* window = shown(); window && window->isVisible()) std::exit(1);
  });
  connection->start(20);
  // A window that never comes up is a failure of its own.
  QTimer::singleShot(20000, [] {
    std::fprintf(stderr, "The window never came up; up were:");
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->isVisible()) std::fprintf(stderr, " %s", qPrintable(top->objectName()));
    std::fprintf(stderr, "\n");
    std::exit(5);
  });
  QTimer::singleShot(0, [open] { open(quenta::F_QuentaMainForm()); });
  QApplication::exec();
  std::exit(6);
}

qtui::Binder& windowOf(ui::Form& form) { return *qtui::Binder::of(form); }

// A click on a button of a form's window, as the user makes it.
void click(ui::Control& button) {
  auto* widget = windowOf(button.form()).widgetFor(button);
  QTest::mouseClick(widget, Qt::LeftButton);
}

// The user ticking Manual Cap, typing a capacitance over the manual box's
// and pressing Enter.
std::function<void(quenta::MainForm&)> manualCapacitance(const char* text) {
  return [text](quenta::MainForm& f) {
    click(f.CK_ManCap);
    auto* edit = qobject_cast<QLineEdit*>(windowOf(f).widgetFor(f.T_Capacitance));
    if (!edit) std::exit(7);
    edit->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  };
}

// The window of the form with this name, when it is up: the form's
// content or the window around it (ScreenFit.h).
QWidget* formWindow(const char* name) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (!top->isVisible()) continue;
    if (top->objectName() == name || top->findChild<QWidget*>(name)) return top;
  }
  return nullptr;
}

// The message box up, if any.
QWidget* messageBox() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }

// The capacitance re-entry dialog up, if any.
QWidget* reentryDialog() {
  QWidget* modal = QApplication::activeModalWidget();
  return modal && !qobject_cast<QMessageBox*>(modal) && modal->findChild<QPushButton*>("B_CalcOK")
             ? modal
             : nullptr;
}

// Picks an entry of a list as the user does.
void pick(ui::Control& list, const QString& text) {
  auto* combo = qobject_cast<QComboBox*>(windowOf(list.form()).widgetFor(list));
  const int index = combo ? combo->findText(text) : -1;
  if (index < 0) std::exit(9);
  combo->setCurrentIndex(index);
  emit combo->activated(index);
  QApplication::processEvents();
}

// The user picking the KD 05 100 V X7R 2.2 µF part, calculating it and
// pressing Graph.
void graphOfX7rPart(quenta::MainForm& m) {
  for (auto [list, text] : {std::pair{&m.CB_Type, "KD"}, {&m.CB_Case, "05"}, {&m.CB_Volt, "100"},
                            {&m.CB_Dielectric, "X7R"}, {&m.CB_Cap, " 2.2 \u00B5F"}})
    pick(*list, text);
  click(m.Command1);  // Calculate: Graph is offered for a calculated part
  click(m.Command3);
}

class DisplayLossDeathTest : public ::testing::Test {
 protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(DisplayLossDeathTest, InTheReentryDialogEndsWithStatusOne) {
  EXPECT_EXIT(RunUntilTheDisplayGoes(manualCapacitance("100 uF"), reentryDialog),
              ::testing::ExitedWithCode(1), noSanitizerReport());
}

TEST_F(DisplayLossDeathTest, InANoticeEndsWithStatusOne) {
  EXPECT_EXIT(RunUntilTheDisplayGoes(manualCapacitance("20nF"), messageBox),
              ::testing::ExitedWithCode(1), noSanitizerReport());
}

TEST_F(DisplayLossDeathTest, WithTheGraphWindowOpenEndsWithStatusOne) {
  EXPECT_EXIT(RunUntilTheDisplayGoes(graphOfX7rPart,
                                     [] { return formWindow("F_QuentaGrafForm"); }),
              ::testing::ExitedWithCode(1), noSanitizerReport());
}

TEST_F(DisplayLossDeathTest, InTheSaveDialogOfTheGraphDataEndsWithStatusOne) {
  EXPECT_EXIT(RunUntilTheDisplayGoes(
                  [](quenta::MainForm& m) {
                    graphOfX7rPart(m);
                    QTimer::singleShot(0, [] {
                      click(quenta::F_QuentaGrafForm().Command2);  // Display Graph Data
                      click(quenta::Graph_Data().Command2);  // SAVE DATA
                    });
                  },
                  [] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); }),
              ::testing::ExitedWithCode(1), noSanitizerReport());
}

}  // namespace
