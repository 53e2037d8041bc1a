// Real keys on the real main window, with real message boxes and the real
// re-entry dialog, each closed by a click of the mouse as a user closes
// them: one key calculates once and shows at most one message, a message
// box or dialog coming and going is not the user leaving a box, and runs
// that a change starts end silently.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/CapEntry.h"
#include "mainwindow/Calculate.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "military/EntryModes.h"
#include "qt/Binder.h"
#include "qt/FrontEnd.h"
#include "qt/QtServices.h"

namespace {

// The Qt services, counting the message boxes and dialogs they show.
class CountingServices : public qtui::QtServices {
 public:
  ui::MsgResult messageBox(const ui::MessageBoxRequest& request) override {
    titles.push_back(request.title);
    return QtServices::messageBox(request);
  }
  void runModal(ui::Form& form) override {
    ++dialogs;
    QtServices::runModal(form);
  }
  std::vector<std::string> titles;
  int dialogs = 0;
};

class KeysAndMessages : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::setServices(&services);
    quenta::ResetForms();
    quenta::SetProgramFolder(QUENTA_PROGRAM_FOLDER);
    quenta::InstallMilitaryEntry();
    binder = qtui::windowFor(form());
    ASSERT_NE(binder, nullptr);
    quenta::Main();
    window = &binder->window();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    // The user: closes whatever modal window comes up with a click on its
    // button (OK; the re-entry dialog's OK accepts the proposal).
    closeModalWindowsByMouse(closer);
    closer.start(20);
    // Every focus handler the program has, counted.
    for (ui::Control* c : form().controls()) {
      for (ui::Handler* handler : {&c->onGotFocus, &c->onLostFocus}) {
        if (!*handler) continue;
        *handler = [this, program = *handler] {
          ++focusHandlers;
          program();
        };
      }
    }
  }
  void TearDown() override {
    closer.stop();
    qtui::closeAllWindows();
    quenta::ResetForms();
    ui::setServices(nullptr);
  }
  static void closeModalWindowsByMouse(QTimer& timer) {
    QObject::connect(&timer, &QTimer::timeout, [] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return;
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        QTest::mouseClick(box->buttons().front(), Qt::LeftButton);
      } else if (auto* ok = modal->findChild<QPushButton*>("B_CalcOK")) {
        QTest::mouseClick(ok, Qt::LeftButton);
      }
    });
  }

  quenta::MainForm& form() { return quenta::F_QuentaMainForm(); }
  QWidget* widget(const ui::Control& c) { return binder->widgetFor(c); }
  // Gives a box the focus as a click into it does, and lets the program
  // hear of it. (The window system makes the window active again once a
  // message box has gone; the offscreen platform leaves that to the user.)
  void focus(const ui::Control& c) {
    QApplication::setActiveWindow(window);
    widget(c)->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    ASSERT_EQ(form().activeControl(), &c) << c.id();
  }
  // Ticks Manual Cap and types a text into the manual box.
  void manualCapacitance(const QString& text) {
    QTest::mouseClick(widget(form().CK_ManCap), Qt::LeftButton, {}, QPoint(5, 5));
    QApplication::processEvents();
    auto* box = qobject_cast<QLineEdit*>(widget(form().T_Capacitance));
    focus(form().T_Capacitance);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
    QApplication::processEvents();
  }
  // What one key did: the calculations it started, the messages it showed.
  struct Effect {
    unsigned runs;
    std::vector<std::string> titles;
    int dialogs;
  };
  Effect press(const ui::Control& c, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    focus(c);
    services.titles.clear();
    services.dialogs = 0;
    const unsigned before = quenta::CalculationsStarted();
    QTest::keyClick(QApplication::focusWidget(), key, mods);
    // Long enough for every queued event and a late window activation.
    QTest::qWait(150);
    return {quenta::CalculationsStarted() - before, services.titles, services.dialogs};
  }

  CountingServices services;
  qtui::Binder* binder = nullptr;
  QWidget* window = nullptr;
  QTimer closer;
  int focusHandlers = 0;
};

const std::vector<std::string> kNotACapacitance = {"Not a Capacitance"};

TEST_F(KeysAndMessages, EachCalculateKeyInEachBoxCalculatesOnceWithOneMessage) {
  manualCapacitance("4,7 pF");
  auto& f = form();
  struct Case {
    const ui::Control* box;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
  };
  const Case cases[] = {
      {&f.T_Capacitance, Qt::Key_Return, Qt::NoModifier},
      {&f.T_Capacitance, Qt::Key_Enter, Qt::KeypadModifier},
      {&f.T_Frequency, Qt::Key_Return, Qt::NoModifier},
      {&f.T_Frequency, Qt::Key_Enter, Qt::KeypadModifier},
      {&f.T_Frequency, Qt::Key_Space, Qt::NoModifier},
      {&f.T_TempAmbient, Qt::Key_Return, Qt::NoModifier},
      {&f.T_TempRise, Qt::Key_Return, Qt::NoModifier},
      {&f.T_TempRise, Qt::Key_Enter, Qt::KeypadModifier},
  };
  for (const Case& c : cases) {
    const Effect effect = press(*c.box, c.key, c.mods);
    EXPECT_EQ(effect.runs, 1u) << c.box->id() << " " << c.key;
    EXPECT_EQ(effect.titles, kNotACapacitance) << c.box->id() << " " << c.key;
    EXPECT_EQ(f.activeControl(), &f.Command1) << c.box->id();
  }
  // The frequency box's letter key calculates as its Space does.
  const Effect letter = press(f.T_Frequency, Qt::Key_L);
  EXPECT_EQ(letter.runs, 1u);
  EXPECT_EQ(letter.titles, kNotACapacitance);
  EXPECT_EQ(f.T_Frequency.text(), "100.000");
}

TEST_F(KeysAndMessages, TheMilitaryBoxesCalculateOncePerKey) {
  auto& f = form();
  QTest::mouseClick(widget(f.OB_MIL123), Qt::LeftButton, {}, QPoint(5, 5));
  QApplication::processEvents();
  ASSERT_TRUE(f.OB_MIL123.value());
  Effect effect = press(f.T_Cap_c, Qt::Key_Return);
  EXPECT_EQ(effect.runs, 1u);
  EXPECT_TRUE(effect.titles.empty());
  QTest::mouseClick(widget(f.OB_Mil_Prf), Qt::LeftButton, {}, QPoint(5, 5));
  QApplication::processEvents();
  ASSERT_TRUE(f.OB_Mil_Prf.value());
  effect = press(f.T_Cap_code, Qt::Key_Return);
  EXPECT_EQ(effect.runs, 1u);
  EXPECT_TRUE(effect.titles.empty());
}

TEST_F(KeysAndMessages, ATooLargeCapacitanceAsksOnceAndTheRunGoesOn) {
  manualCapacitance("100");  // KD 01 50 V C0G lists up to 6.8 µF
  const Effect effect = press(form().T_Capacitance, Qt::Key_Return);
  EXPECT_EQ(effect.dialogs, 1);
  EXPECT_EQ(effect.runs, 1u);
  EXPECT_TRUE(effect.titles.empty());
  EXPECT_EQ(form().T_Capacitance.text(), "3.4");
  EXPECT_EQ(form().T_Specs[0].text(), "KD015A345K...");
}

// A message box or dialog opening over a box and closing again is not the
// user leaving the box: no focus handler runs, and the box keeps its
// selection and caret.
TEST_F(KeysAndMessages, ADialogOverABoxIsNotTheUserLeavingIt) {
  manualCapacitance("100");
  auto& f = form();
  focus(f.T_TempRise);
  focusHandlers = 0;
  auto* rise = qobject_cast<QLineEdit*>(widget(f.T_TempRise));
  rise->setCursorPosition(1);
  QTest::keyClick(rise, Qt::Key_5);  // the rise's change calculates: too large
  QTest::qWait(150);
  EXPECT_EQ(services.dialogs, 1);
  EXPECT_EQ(f.T_TempRise.text(), "5");
  EXPECT_EQ(focusHandlers, 0);
  EXPECT_EQ(f.activeControl(), &f.T_TempRise);
  EXPECT_EQ(window->focusWidget(), rise);
  EXPECT_FALSE(rise->hasSelectedText());
}

// Runs that changes start end silently: typing into the ambient box and
// moving a scroll bar with the manual box emptied ask nothing.
TEST_F(KeysAndMessages, RunsOfChangesEndSilently) {
  manualCapacitance("");
  auto& f = form();
  focus(f.T_TempAmbient);
  auto* ambient = qobject_cast<QLineEdit*>(widget(f.T_TempAmbient));
  ambient->selectAll();
  const unsigned before = quenta::CalculationsStarted();
  QTest::keyClicks(ambient, "30");
  QTest::qWait(100);
  EXPECT_EQ(f.T_TempAmbient.text(), "30");
  EXPECT_EQ(quenta::CalculationsStarted() - before, 2u);  // one a key
  for (int step = 0; step < 3; ++step)
    QTest::keyClick(widget(f.HS_TempRise), Qt::Key_Right);
  f.HS_TempRise.setValue(f.HS_TempRise.value() + 1);
  QTest::qWait(100);
  EXPECT_TRUE(services.titles.empty());
  EXPECT_TRUE(f.T_Specs[0].text().empty());
  // Calculate itself says why it ends.
  const Effect effect = press(f.T_TempAmbient, Qt::Key_Return);
  EXPECT_EQ(effect.titles, (std::vector<std::string>{"Not a Capacitance"}));
}

}  // namespace
