// Typing into a text box: the headless window layer, which the scripted
// sessions run on, ends with the same text and caret as the real widget.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>
#include <string>

#include "mainwindow/MainForm.h"
#include "qt/Binder.h"
#include "qt/FrontEnd.h"
#include "qt/QtTestSupport.h"
#include "ui/Form.h"

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

}  // namespace
