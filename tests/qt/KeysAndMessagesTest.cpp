// Real keys and mouse presses on the real main window, with real message
// boxes and the real re-entry dialog, each answered as a user answers them:
// one key calculates once and shows at most one message, a message box or
// dialog coming and going is not the user leaving a box, runs that a change
// starts end silently and do not ask again what the user declined, a box
// that opens while a scroll bar is held ends the press and takes no press
// of the gesture that opened it, and a scroll bar takes no focus.
#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <QLineEdit>
#include <QMessageBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/CapEntry.h"
#include "mainwindow/Calculate.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "military/EntryModes.h"
#include "qt/Binder.h"
#include "qt/FrontEnd.h"
#include "qt/QtServices.h"
#include "qt/QtTestSupport.h"

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
    // The user: reads whatever modal window comes up and closes it with a
    // click on its button (OK; the re-entry dialog's OK accepts the
    // proposal), unless a test gives the user something else to do. A key
    // that opened it is let go as it comes up, unless a test holds it.
    // (Each time from a timer of its own: Qt does not fire a timer again
    // while its handler runs, and what the user does may open a box in
    // turn.)
    readBoxesFor(readTime());
    // The user does one thing at a time on a window: while the program
    // reads what the user does there, the user does not start on it again
    // (a box that this opens in turn is read and answered).
    QObject::connect(&closer, &QTimer::timeout, [this] {
      QTimer::singleShot(0, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || std::find(actingOn.begin(), actingOn.end(), modal) != actingOn.end()) return;
        actingOn.push_back(modal);
        if (keyDown && !holdKey) {
          QTest::keyRelease(modal->focusWidget() ? modal->focusWidget() : modal, keyDown);
          keyDown = {};
        }
        user(modal);
        actingOn.pop_back();
      });
    });
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
  static void closeByMouse(QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      QTest::mouseClick(box->buttons().front(), Qt::LeftButton);
    } else if (auto* ok = modal->findChild<QPushButton*>("B_CalcOK")) {
      QTest::mouseClick(ok, Qt::LeftButton);
    }
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
    retype(text);
  }
  // Types a new text over the manual box's (Manual Cap ticked).
  void retype(const QString& text) {
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
    keyDown = key;
    QTest::keyClick(QApplication::focusWidget(), key, mods);
    keyDown = {};
    // Long enough for every queued event and a late window activation.
    QTest::qWait(150);
    return {quenta::CalculationsStarted() - before, services.titles, services.dialogs};
  }

  // Whether the user has read the modal window for a while, counted from
  // when it came up.
  bool hasRead(QWidget* modal, qint64 ms) {
    if (modal != reading) {
      reading = modal;
      readSince.start();
    }
    return readSince.elapsed() >= ms;
  }
  // The user reads each box for a while before answering it; a mouse
  // button held meanwhile stays held.
  void readBoxesFor(qint64 ms, std::function<void(QWidget*)> answer = closeByMouse) {
    user = [this, ms, answer](QWidget* modal) {
      if (!hasRead(modal, ms)) return;
      reading = nullptr;
      answer(modal);
    };
  }
  // Long enough for a click on a box to be a click of its own, not the
  // rest of the one that opened it.
  static qint64 readTime() { return QApplication::doubleClickInterval() + 100; }

  CountingServices services;
  // What the user does, every 20 ms, with the modal window on top.
  std::function<void(QWidget*)> user;
  std::vector<QWidget*> actingOn;
  QWidget* reading = nullptr;
  QElapsedTimer readSince;
  // The key press() holds down, and whether the user keeps it down.
  Qt::Key keyDown = {};
  bool holdKey = false;
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
    // The refusal hands the manual box back, whichever box the key was in.
    EXPECT_EQ(f.activeControl(), &f.T_Capacitance) << c.box->id();
  }
  // The frequency box's letter key calculates as its Space does.
  const Effect letter = press(f.T_Frequency, Qt::Key_L);
  EXPECT_EQ(letter.runs, 1u);
  EXPECT_EQ(letter.titles, kNotACapacitance);
  EXPECT_EQ(f.T_Frequency.text(), "100.000");
}

// After "Not a Capacitance", answered by a click, Enter, Space or Escape,
// the manual box has the focus with its text selected, in the window as in
// the program: the correction typed next replaces the text, and Enter
// designs it.
TEST_F(KeysAndMessages, AfterNotACapacitanceTheCorrectionGoesIntoTheManualBox) {
  auto& f = form();
  auto* box = qobject_cast<QLineEdit*>(widget(f.T_Capacitance));
  auto byKey = [](Qt::Key key) {
    return [key](QWidget* modal) {
      QTest::keyClick(modal->focusWidget() ? modal->focusWidget() : modal, key);
    };
  };
  const std::pair<const char*, std::function<void(QWidget*)>> answers[] = {
      {"click", closeByMouse},
      {"Enter", byKey(Qt::Key_Return)},
      {"Space", byKey(Qt::Key_Space)},
      {"Escape", byKey(Qt::Key_Escape)}};
  manualCapacitance("abc");
  for (const auto& [how, answer] : answers) {
    retype("abc");
    readBoxesFor(readTime(), answer);
    EXPECT_EQ(press(f.T_Capacitance, Qt::Key_Return).titles, kNotACapacitance) << how;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << how;
    EXPECT_EQ(f.activeControl(), &f.T_Capacitance) << how;
    EXPECT_EQ(window->focusWidget(), box) << how;
    EXPECT_EQ(box->selectedText(), "abc") << how;
    // The window system makes the window active again (the offscreen
    // platform leaves that to the test); the user types the correction.
    QApplication::setActiveWindow(window);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), box) << how;
    EXPECT_EQ(box->selectedText(), "abc") << how;
    services.titles.clear();
    QTest::keyClicks(QApplication::focusWidget(), "2.2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::qWait(150);
    EXPECT_TRUE(services.titles.empty()) << how;
    EXPECT_EQ(f.T_Capacitance.text(), "2.2") << how;
    EXPECT_EQ(f.T_Specs[0].text(), "KD015A225K...") << how;
  }
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

// ---- Presses, dialogs and scroll bars -----------------------------------------

// The middle of a part of a scroll bar: an arrow, or the track beside the
// thumb.
QPoint PartOf(QScrollBar* bar, QStyle::SubControl part) {
  QStyleOptionSlider opt;
  opt.initFrom(bar);
  opt.subControls = QStyle::SC_All;
  opt.orientation = bar->orientation();
  opt.minimum = bar->minimum();
  opt.maximum = bar->maximum();
  opt.sliderPosition = bar->sliderPosition();
  opt.sliderValue = bar->value();
  opt.singleStep = bar->singleStep();
  opt.pageStep = bar->pageStep();
  opt.upsideDown = bar->invertedAppearance();
  return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, bar).center();
}

// The texts of the results that depend on the operating point.
std::vector<std::string> OperatingResults(quenta::MainForm& f) {
  std::vector<std::string> texts = {f.T_FreqSpecs[0].text(), f.T_Specs[0].text()};
  for (int i = 0; i <= 6; ++i) texts.push_back(f.T_TempSpecs[i].text());
  return texts;
}

class PressesAndDialogs : public KeysAndMessages {
 protected:
  QScrollBar* bar(const ui::ScrollBar& c) { return qobject_cast<QScrollBar*>(widget(c)); }
  // Escape in a dialog or box: the user declines.
  static void pressEscape(QWidget* modal) {
    QWidget* target = modal->focusWidget() ? modal->focusWidget() : modal;
    QTest::keyClick(target, Qt::Key_Escape);
  }
  void declineEverything() { user = pressEscape; }
  // Moves a box so that the button that answers it (OK; the dialog's OK)
  // lies under a point of the screen, as a box may come up under the
  // pointer; returns that button.
  static QAbstractButton* buttonOver(QWidget* modal, QPoint global) {
    QAbstractButton* button = nullptr;
    if (auto* box = qobject_cast<QMessageBox*>(modal))
      button = box->buttons().front();
    else
      button = modal->findChild<QPushButton*>("B_CalcOK");
    modal->move(modal->pos() + global - button->mapToGlobal(button->rect().center()));
    EXPECT_TRUE(button->rect().contains(button->mapFromGlobal(global)));
    return button;
  }
  int boxesAndDialogs() const { return static_cast<int>(services.titles.size()) + services.dialogs; }
  void countAfresh() {
    services.titles.clear();
    services.dialogs = 0;
  }

  // Gestures are sent as the window system sends them, stamped with the
  // time the user made them on the user's clock: sent late, they are what
  // a busy program reads.
  static int userNow() { return qttest::UserNow(); }
  // A click at a point of the screen, made at a time of the user's clock,
  // on the window there: the modal window on top where it lies over the
  // point, else the main window.
  void clickAt(QPoint global, int ms) {
    QWidget* top = QApplication::activeModalWidget();
    if (!top || !top->frameGeometry().contains(global)) top = window;
    QWindow* handle = top->windowHandle();
    const QPointF local = handle->mapFromGlobal(QPointF(global));
    qt_handleMouseEvent(handle, local, global, Qt::LeftButton, Qt::LeftButton,
                        QEvent::MouseButtonPress, {}, ms);
    qt_handleMouseEvent(handle, local, global, Qt::NoButton, Qt::LeftButton,
                        QEvent::MouseButtonRelease, {}, ms + 1);
  }
  // A key event as the window system sends it, made at a time of the
  // user's clock.
  static void sendKey(QWidget* target, QEvent::Type type, int ms, bool autoRepeat = false) {
    QKeyEvent event(type, Qt::Key_Return, Qt::NoModifier, "\r", autoRepeat);
    event.setTimestamp(static_cast<quint64>(ms));
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(target, &event);
  }
};

// A box that opens while an arrow or the track of a scroll bar is held
// ends the press: one click is one step and one box, for each bar, though
// the button is held well past the bar's repeat delay.
TEST_F(PressesAndDialogs, ABoxOpeningWhileABarIsHeldEndsThePress) {
  auto& f = form();
  manualCapacitance("47nF");  // KD 01 50 V C0G: too few effectives
  readBoxesFor(800);  // past the bar's repeat delay
  struct Case {
    ui::ScrollBar* control;
    QStyle::SubControl part;
    int step;
  };
  const Case cases[] = {
      {&f.HS_TempAmbient, QStyle::SC_ScrollBarAddLine, f.HS_TempAmbient.smallChange()},
      {&f.HS_TempAmbient, QStyle::SC_ScrollBarAddPage, f.HS_TempAmbient.largeChange()},
      {&f.HS_TempRise, QStyle::SC_ScrollBarAddLine, f.HS_TempRise.smallChange()},
      {&f.HS_Frequency, QStyle::SC_ScrollBarSubLine, -f.HS_Frequency.smallChange()},
      {&f.HS_Frequency, QStyle::SC_ScrollBarAddPage, f.HS_Frequency.largeChange()},
  };
  for (const Case& c : cases) {
    retype("47nF");  // designed afresh: the notice comes again
    countAfresh();
    const int before = c.control->value();
    QScrollBar* w = bar(*c.control);
    const QPoint at = PartOf(w, c.part);
    QTest::mousePress(w, Qt::LeftButton, {}, at);
    QTest::qWait(200);
    QTest::mouseRelease(w, Qt::LeftButton, {}, at);
    QTest::qWait(300);
    EXPECT_EQ(services.titles, std::vector<std::string>{"Too few effectives..."}) << c.control->id();
    EXPECT_EQ(c.control->value(), before + c.step) << c.control->id();
    EXPECT_EQ(w->value(), c.control->value()) << c.control->id();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
}

// The same for the re-entry dialog: one click, one dialog, one step, also
// when the user cancels it (the dialog's Escape does not let the bar step
// on behind it).
TEST_F(PressesAndDialogs, ADialogOpeningWhileABarIsHeldEndsThePress) {
  auto& f = form();
  manualCapacitance("100 uF");
  readBoxesFor(1200, pressEscape);
  const int before = f.HS_TempAmbient.value();
  QScrollBar* w = bar(f.HS_TempAmbient);
  const QPoint at = PartOf(w, QStyle::SC_ScrollBarAddLine);
  QTest::mousePress(w, Qt::LeftButton, {}, at);
  QTest::qWait(1500);
  QTest::mouseRelease(w, Qt::LeftButton, {}, at);
  QTest::qWait(300);
  EXPECT_EQ(services.dialogs, 1);
  EXPECT_EQ(f.HS_TempAmbient.value(), before + 1);
  EXPECT_EQ(f.T_TempAmbient.text(), std::to_string(before + 1 - 75));
}

// A drag under way when a box opens (Enter pressed with the thumb held)
// ends too: nothing of it has been taken, the bar stands at its value, and
// letting go afterwards changes nothing.
TEST_F(PressesAndDialogs, ABoxOpeningDuringADragEndsIt) {
  auto& f = form();
  manualCapacitance("4,7 pF");
  QScrollBar* w = bar(f.HS_TempAmbient);
  const int before = f.HS_TempAmbient.value();
  const QPoint thumb = PartOf(w, QStyle::SC_ScrollBarSlider);
  QTest::mousePress(w, Qt::LeftButton, {}, thumb);
  QTest::mouseMove(w, thumb + QPoint(40, 0));
  ASSERT_TRUE(w->isSliderDown());
  countAfresh();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QTest::qWait(150);
  EXPECT_EQ(services.titles, kNotACapacitance);
  EXPECT_FALSE(w->isSliderDown());
  EXPECT_EQ(w->value(), before);
  QTest::mouseRelease(w, Qt::LeftButton, {}, thumb + QPoint(40, 0));
  QTest::qWait(100);
  EXPECT_EQ(f.HS_TempAmbient.value(), before);
  EXPECT_EQ(w->value(), before);
  EXPECT_EQ(services.titles, kNotACapacitance);
}

// After a refused answer the dialog's box has the focus again with its
// proposal selected, whether the answer was sent by Enter or by a click on
// OK: what the user types next replaces it and Enter sends it ("2" is
// designed, not "3.42" nor the proposal).
TEST_F(PressesAndDialogs, AfterARefusalTypingReplacesTheProposal) {
  auto& f = form();
  const struct {
    const char* refused;
    bool byClick;
  } cases[] = {{"20", false}, {"abc", false}, {"20", true}, {"abc", true}};
  for (const auto& c : cases) {
    manualCapacitance("100 uF");
    int step = 0;
    reading = nullptr;
    user = [&](QWidget* modal) {
      if (qobject_cast<QMessageBox*>(modal)) {
        if (hasRead(modal, readTime())) closeByMouse(modal);
        return;
      }
      auto* entry = modal->findChild<QLineEdit*>("Text1");
      ASSERT_NE(entry, nullptr);
      if (step == 0) {
        // A click on OK waits until the dialog has been read; Enter comes
        // a moment after the one that opened it is let go (at the same
        // instant it would be that key's repeat).
        if (!hasRead(modal, c.byClick ? readTime() : 20)) return;
        EXPECT_EQ(entry->selectedText(), "3.4");
        QTest::keyClicks(entry, c.refused);
        ++step;
        if (c.byClick)
          QTest::mouseClick(modal->findChild<QPushButton*>("B_CalcOK"), Qt::LeftButton);
        else
          QTest::keyClick(entry, Qt::Key_Return);
      } else if (step == 1) {
        EXPECT_EQ(modal->focusWidget(), entry) << c.refused << c.byClick;
        EXPECT_EQ(entry->text(), "3.4");
        EXPECT_EQ(entry->selectedText(), "3.4") << c.refused;
        ++step;
        QTest::keyClicks(modal->focusWidget(), "2");
        QTest::keyClick(modal->focusWidget(), Qt::Key_Return);
      } else {
        closeByMouse(modal);
      }
    };
    countAfresh();
    press(f.T_Capacitance, Qt::Key_Return);
    EXPECT_EQ(step, 2);
    EXPECT_EQ(services.dialogs, 1);
    EXPECT_EQ(services.titles.size(), 1u);
    EXPECT_EQ(f.T_Capacitance.text(), "2") << c.refused << c.byClick;
    EXPECT_EQ(f.T_Specs[0].text(), "KD015A205K...") << c.refused << c.byClick;
    readBoxesFor(readTime());
    QTest::mouseClick(widget(f.CK_ManCap), Qt::LeftButton, {}, QPoint(5, 5));  // unticked again
  }
}

// A box comes up under the pointer, opened by a key: a click the user
// makes just then (within the double-click interval of its coming up)
// answers nothing, also when the program, busy, reads it a second late; a
// click once it has been read answers it, however late it is read, and so
// does one whose stamp is from another clock (judged by when it is read).
TEST_F(PressesAndDialogs, AClickJustAfterABoxOpensAnswersNothing) {
  auto& f = form();
  manualCapacitance("100 uF");
  const QPoint pointer = window->mapToGlobal(QPoint(40, 40));
  for (const char* typed : {"100 uF", "47nF"}) {  // the re-entry dialog, a notice
    // Read at once; read a second late; read late, stamped on another clock.
    for (const auto& when : {std::pair{false, false}, {true, false}, {true, true}}) {
      const bool late = when.first, otherClock = when.second;
      retype(typed);
      focus(f.T_Capacitance);
      const int enter = userNow();
      int seen = 0;  // when the user first sees the box, at the latest
      std::vector<bool> openAfterClick;
      reading = nullptr;
      user = [&](QWidget* modal) {
        if (!seen) seen = userNow();
        buttonOver(modal, pointer);
        if (openAfterClick.empty()) {
          if (late && !hasRead(modal, 1000)) return;
          clickAt(pointer, enter + 100);
        } else {
          if (!hasRead(modal, late ? 1000 : 700)) return;
          clickAt(pointer, otherClock ? enter - 60'000 : late ? seen + 700 : userNow());
        }
        QApplication::processEvents();
        openAfterClick.push_back(QApplication::activeModalWidget() == modal);
      };
      countAfresh();
      sendKey(QApplication::focusWidget(), QEvent::KeyPress, enter);
      sendKey(QApplication::focusWidget(), QEvent::KeyRelease, enter + 40);
      EXPECT_EQ(openAfterClick, (std::vector<bool>{true, false})) << typed << late << otherClock;
      EXPECT_EQ(boxesAndDialogs(), 1) << typed << late << otherClock;
    }
  }
  EXPECT_EQ(f.T_Capacitance.text(), "47nF");
}

// A click series whose first click opens a box (a bar stepped a few values
// at an even pace, a double or triple click) goes on on the box's button,
// which lies under the pointer, before the user has read the box: however
// many clicks follow, they answer nothing, also when the program reads
// them late, all at once after a busy moment. A click of its own, made
// after a pause, answers it, however late it is read.
TEST_F(PressesAndDialogs, TheRestOfAClickSeriesThatOpensABoxAnswersNothing) {
  auto& f = form();
  manualCapacitance("100 uF");
  QScrollBar* rise = bar(f.HS_TempRise);
  const QPoint arrow = rise->mapToGlobal(PartOf(rise, QStyle::SC_ScrollBarAddLine));
  const struct {
    std::string typed;  // the re-entry dialog, a notice
    int clicks;
    int pace;   // ms
    bool late;  // the program busy for a second as the box comes up
  } cases[] = {{"100 uF", 4, 150, false}, {"100 uF", 3, 250, false}, {"47nF", 4, 150, false},
               {"47nF", 3, 250, false},   {"100 uF", 3, 150, true},  {"47nF", 4, 150, true}};
  for (const auto& c : cases) {
    retype(QString::fromStdString(c.typed));
    QTest::qWait(readTime());  // the user's last click is a while ago
    countAfresh();
    const int before = f.HS_TempRise.value();
    const int first = userNow();
    const int pause = (c.clicks - 1) * c.pace + readTime();  // to the click of its own
    int clicks = 1;
    std::vector<bool> openAfterClick;
    user = [&](QWidget* modal) {
      buttonOver(modal, arrow);
      const int since = userNow() - first;
      // The clicks of the series made by now, then the click of its own.
      while (clicks <= c.clicks && since >= (c.late ? 1000 : clicks < c.clicks ? clicks * c.pace : pause)) {
        clickAt(arrow, first + (clicks < c.clicks ? clicks * c.pace : pause));
        QApplication::processEvents();
        if (clicks++ < c.clicks) openAfterClick.push_back(QApplication::activeModalWidget() == modal);
      }
    };
    clickAt(arrow, first);
    QTest::qWait(100);
    const std::string what = c.typed + " " + std::to_string(c.pace) + (c.late ? " late" : "");
    EXPECT_EQ(openAfterClick, std::vector<bool>(c.clicks - 1, true)) << what;
    EXPECT_EQ(clicks, c.clicks + 1) << what;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(boxesAndDialogs(), 1) << what;
    EXPECT_EQ(f.HS_TempRise.value(), before + 1) << what;
    // The dialog, once read, is answered by its OK: the proposal.
    EXPECT_EQ(f.T_Capacitance.text(), c.typed == "100 uF" ? "3.4" : c.typed) << what;
  }
}

// The rest of a double click on a box's button falls on the scroll bar
// under the box once the box has gone: it does nothing there, also when
// the program reads it a second late. A click after a pause steps the bar.
TEST_F(PressesAndDialogs, TheRestOfADoubleClickOnABoxsButtonDoesNothingBelowIt) {
  auto& f = form();
  manualCapacitance("100 uF");
  QScrollBar* rise = bar(f.HS_TempRise);
  const QPoint arrow = rise->mapToGlobal(PartOf(rise, QStyle::SC_ScrollBarAddLine));
  const int before = f.HS_TempRise.value();
  // The re-entry dialog, a notice; when the second click is read.
  for (const auto& [typed, readAfter] : {std::pair{"100 uF", 120}, {"47nF", 120}, {"100 uF", 1000}}) {
    retype(typed);
    user = [&, readAfter = readAfter](QWidget* modal) {
      if (!hasRead(modal, readTime())) return;
      reading = nullptr;
      buttonOver(modal, arrow);
      const int at = userNow();
      clickAt(arrow, at);
      QTimer::singleShot(readAfter, [&, at] { clickAt(arrow, at + 120); });
    };
    countAfresh();
    press(f.T_Capacitance, Qt::Key_Return);
    QTest::qWait(readAfter);
    EXPECT_EQ(boxesAndDialogs(), 1) << typed;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(f.HS_TempRise.value(), before) << typed;
    EXPECT_EQ(rise->value(), before) << typed;
  }
  readBoxesFor(readTime());
  QTest::qWait(readTime());
  clickAt(arrow, userNow());
  EXPECT_EQ(f.HS_TempRise.value(), before + 1);
}

// A key held as a box opens repeats on it as window systems send a held
// key's repeats: release and press pairs at one instant (some saying they
// repeat, some not, as X sends them) or presses that say they repeat. They
// do nothing, also when the program reads them late, all at once after a
// busy moment; once the key is let go, a new press answers the box. So
// does a key pressed anew whose release never came: a key tapped as the
// box opens, whose release went to the window the box now blocks.
TEST_F(PressesAndDialogs, AKeyHeldAsABoxOpensDoesNothingOnIt) {
  auto& f = form();
  manualCapacitance("100 uF");
  holdKey = true;
  enum class Held { AsPairs, AsRepeats, TappedReleaseLost };
  for (const Held held : {Held::AsPairs, Held::AsRepeats, Held::TappedReleaseLost}) {
    retype("100 uF");
    focus(f.T_Capacitance);
    const int down = userNow();
    std::vector<bool> openAfterRepeat;
    bool sent = false;
    reading = nullptr;
    user = [&](QWidget* modal) {
      if (!hasRead(modal, 1500)) return;
      if (sent) {  // the box should have been answered: not left open
        pressEscape(modal);
        return;
      }
      sent = true;
      QWidget* target = modal->focusWidget() ? modal->focusWidget() : modal;
      if (held != Held::TappedReleaseLost) {
        for (int i = 0; i < 8; ++i) {
          const int at = down + 660 + 30 * i;
          if (held == Held::AsPairs) sendKey(target, QEvent::KeyRelease, at, i % 3 != 1);
          sendKey(target, QEvent::KeyPress, at, held == Held::AsRepeats || i % 3 != 1);
          QApplication::processEvents();
          openAfterRepeat.push_back(QApplication::activeModalWidget() == modal);
        }
        sendKey(target, QEvent::KeyRelease, down + 900);
      }
      // Pressed anew, within a second of the press that opened the box.
      const int again = held == Held::TappedReleaseLost ? down + 600 : down + 1200;
      sendKey(target, QEvent::KeyPress, again);
      sendKey(target, QEvent::KeyRelease, again + 80);
    };
    countAfresh();
    sendKey(QApplication::focusWidget(), QEvent::KeyPress, down);
    const int what = static_cast<int>(held);
    EXPECT_EQ(openAfterRepeat, std::vector<bool>(held == Held::TappedReleaseLost ? 0 : 8, true)) << what;
    EXPECT_EQ(services.dialogs, 1) << what;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(f.T_Capacitance.text(), "3.4") << what;
  }
}

// Once the user has cancelled, keys typed elsewhere, scroll steps and
// leaving the frequency box do not ask again; a click on Calculate or a
// calculate key asks once. Before any cancel, a click on Calculate from
// the frequency box asks once: leaving the box asks, and the dialog takes
// the press.
TEST_F(PressesAndDialogs, AfterACancelEachKeyOrClickAsksAtMostOnce) {
  auto& f = form();
  manualCapacitance("100 uF");
  declineEverything();
  Effect effect = press(f.T_Capacitance, Qt::Key_Return);
  EXPECT_EQ(effect.dialogs, 1);

  countAfresh();
  focus(f.T_TempAmbient);
  auto* ambient = qobject_cast<QLineEdit*>(widget(f.T_TempAmbient));
  ambient->selectAll();
  QTest::keyClicks(ambient, "30");
  QTest::mouseClick(bar(f.HS_TempRise), Qt::LeftButton, {},
                    PartOf(bar(f.HS_TempRise), QStyle::SC_ScrollBarAddLine));
  focus(f.T_Frequency);
  QTest::keyClicks(QApplication::focusWidget(), "5");
  focus(f.T_TempRise);
  QTest::qWait(150);
  EXPECT_EQ(f.T_TempAmbient.text(), "30");
  EXPECT_EQ(boxesAndDialogs(), 0);
  EXPECT_TRUE(f.T_Specs[0].text().empty());

  // Calculate asks, once a click or key.
  focus(f.T_Frequency);
  countAfresh();
  QTest::mouseClick(widget(f.Command1), Qt::LeftButton);
  QTest::qWait(150);
  EXPECT_EQ(boxesAndDialogs(), 1);
  effect = press(f.T_TempRise, Qt::Key_Return);
  EXPECT_EQ(effect.dialogs, 1);
  EXPECT_TRUE(effect.titles.empty());

  // Another value: the change runs ask again, a click still at most once.
  retype("200 uF");
  focus(f.T_Frequency);
  QTest::keyClicks(QApplication::focusWidget(), "0");
  countAfresh();
  QTest::mouseClick(widget(f.Command1), Qt::LeftButton);
  QTest::qWait(150);
  EXPECT_EQ(boxesAndDialogs(), 1);
  countAfresh();
  focus(f.T_TempAmbient);
  QTest::keyClick(ambient, Qt::Key_Backspace);
  QTest::qWait(150);
  EXPECT_EQ(boxesAndDialogs(), 0);
}

// A scroll bar takes no focus: a frequency still being typed counts as
// leaving the box would hold it, so the results beside it are those that
// Calculate then shows.
TEST_F(PressesAndDialogs, ATypedFrequencyCountsWithinRangeWhenABarIsClicked) {
  auto& f = form();
  press(f.T_Frequency, Qt::Key_Return);
  ASSERT_FALSE(f.T_Specs[0].text().empty());
  for (const char* typed : {"200000", "0.01"}) {
    focus(f.T_Frequency);
    auto* box = qobject_cast<QLineEdit*>(widget(f.T_Frequency));
    box->selectAll();
    QTest::keyClicks(box, typed);
    QScrollBar* ambient = bar(f.HS_TempAmbient);
    QTest::mouseClick(ambient, Qt::LeftButton, {}, PartOf(ambient, QStyle::SC_ScrollBarAddLine));
    QTest::qWait(150);
    EXPECT_EQ(QApplication::focusWidget(), box) << typed;
    EXPECT_EQ(f.activeControl(), &f.T_Frequency) << typed;
    EXPECT_EQ(f.T_Frequency.text(), typed);
    const std::vector<std::string> shown = OperatingResults(f);
    EXPECT_FALSE(shown.front().empty()) << typed;
    press(f.T_Frequency, Qt::Key_Return);
    EXPECT_EQ(OperatingResults(f), shown) << typed;
  }
  EXPECT_EQ(f.T_Frequency.text(), "0.050");
}

}  // namespace
