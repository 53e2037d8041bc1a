// Typing into a text box: the headless window layer, which the scripted
// sessions run on, ends with the same text and caret as the real widget;
// and numbers typed key by key into the boxes that write themselves back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>
#include <string>

#include "catalogue/DesignState.h"
#include "mainwindow/Commands.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "qt/Binder.h"
#include "qt/FrontEnd.h"
#include "qt/QtTestSupport.h"
#include "ui/Form.h"
#include "ui/Headless.h"

namespace {

struct Edit {
  std::string text;
  int selStart;
  int selLength;
  std::string keys;  // '\b' is backspace
  bool focusLeaves = false;  // the focus goes elsewhere and comes back first
};

TEST(Typing, HeadlessTextBoxTypesAsTheRealOneDoes) {
  quenta::ResetForms();
  quenta::MainForm& form = quenta::F_QuentaMainForm();
  std::unique_ptr<QWidget> window;
  std::unique_ptr<qtui::Binder> binder;
  qttest::BindWindow(form, window, binder);
  ui::TextBox& box = form.T_Capacitance;
  box.onChange = nullptr;
  box.onGotFocus = nullptr;
  box.setVisible(true);
  window->show();
  QApplication::setActiveWindow(window.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  auto* edit = qobject_cast<QLineEdit*>(binder->widgetFor(box));
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  QCoreApplication::processEvents();

  QWidget* elsewhere = binder->widgetFor(form.T_TempRise);
  ui::Form headlessForm("F");
  ui::TextBox headless(headlessForm, "T");
  ui::TextBox headlessElsewhere(headlessForm, "U");
  headless.setFocus();

  const Edit edits[] = {
      {"3", 0, 1, "x"},                // focus selected the whole text
      {"4.7", 1, 0, "5"},              // caret inside the text
      {"4.7", 1, 2, "\b"},             // backspace removes the selection
      {"4.7", 2, 0, "\b\b\b"},         // then characters before the caret
      {"2\xC2\xB5" "F", 1, 1, "n"},    // a two-byte character selected
      {"100", 3, 0, "P"},
      {"3", 0, 1, " ", true},          // a selection ends with the focus
  };
  for (const Edit& e : edits) {
    for (ui::TextBox* b : {&box, &headless}) {
      b->setText(e.text);
      b->setSelStart(e.selStart);
      b->setSelLength(e.selLength);
    }
    if (e.focusLeaves) {
      elsewhere->setFocus();
      QCoreApplication::processEvents();
      edit->setFocus();
      QCoreApplication::processEvents();
      headlessElsewhere.setFocus();
      headless.setFocus();
    }
    for (char key : e.keys) {
      if (key == '\b') {
        QTest::keyClick(edit, Qt::Key_Backspace);
        headless.receiveChar(8);
      } else {
        QTest::keyClicks(edit, QString(QChar(key)));
        headless.receiveChar(key);
      }
    }
    EXPECT_EQ(headless.text(), edit->text().toStdString()) << e.text << " " << e.keys;
    EXPECT_EQ(box.text(), headless.text()) << e.text << " " << e.keys;
    EXPECT_EQ(headless.selStart(), edit->cursorPosition()) << e.text << " " << e.keys;
  }
  binder.reset();
  window.reset();
  quenta::ResetForms();
}

// Real keys into the rise, ambient and voltage boxes of the running
// program: a number not finished yet stays as typed, so the next key goes
// on from it; the finished number is written back, widget and layer alike.
TEST(Typing, ANumberTypedKeyByKeyIsTheNumberTyped) {
  ui::HeadlessServices services;
  const ui::ScopedServices scope(services);
  quenta::ResetForms();
  quenta::MainForm& f = quenta::F_QuentaMainForm();
  std::unique_ptr<QWidget> window;
  std::unique_ptr<qtui::Binder> binder;
  qttest::BindWindow(f, window, binder);
  quenta::SetProgramFolder(QUENTA_PROGRAM_FOLDER);
  quenta::Main();
  for (auto [list, text] : {std::pair{&f.CB_Type, "KD"}, {&f.CB_Case, "05"}, {&f.CB_Volt, "100"},
                            {&f.CB_Dielectric, "X7R"}, {&f.CB_Cap, " 2.2 \u00B5F"}})
    list->setText(text);
  ASSERT_TRUE(quenta::Command1_Click());
  window->show();
  QApplication::setActiveWindow(window.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

  // Selects the box's text in the widget and types the keys over it.
  auto typeOver = [&](ui::TextBox& box, const char* keys) {
    auto* edit = qobject_cast<QLineEdit*>(binder->widgetFor(box));
    edit->setFocus();
    QCoreApplication::processEvents();
    edit->selectAll();
    QTest::keyClicks(edit, keys);
    QCoreApplication::processEvents();
    EXPECT_EQ(edit->text().toStdString(), box.text()) << keys;
    EXPECT_EQ(edit->cursorPosition(), box.selStart()) << keys;
    return box.text();
  };
  const struct {
    const char* keys;
    const char* shown;
    int rise;
  } rises[] = {{"2.5", "2", 2}, {"15.5", "15", 15}, {"-5", "0", 0}, {"1e2", "100", 100},
               {"3.", "3.", 3}};
  for (const auto& r : rises) {
    EXPECT_EQ(typeOver(f.T_TempRise, r.keys), r.shown) << r.keys;
    EXPECT_EQ(quenta::gTemps.TempRise, r.rise) << r.keys;
    EXPECT_EQ(f.HS_TempRise.value(), r.rise) << r.keys;
  }
  EXPECT_EQ(typeOver(f.T_TempAmbient, "-.5"), "-1");
  EXPECT_EQ(quenta::gTemps.TempAmbient, -1);
  // Leaving the rise box showed the unfinished "3." as 3.
  EXPECT_EQ(f.T_TempRise.text(), "3");

  // 100 V is the end of the curve: "100e" waits as typed.
  EXPECT_EQ(typeOver(f.Text2, "100e-1"), "100e-1");
  const std::string change = f.Text3.text();
  f.Text2.setText("10");
  EXPECT_EQ(f.Text3.text(), change);
  binder.reset();
  window.reset();
  quenta::ResetForms();
}

}  // namespace
