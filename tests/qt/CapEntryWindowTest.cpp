// The capacitance re-entry dialog in its real window: a fixed dialog with OK
// as its default button, where Enter submits and Escape or the close box
// cancel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QImage>
#include <QPalette>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "catalogue/CapEntry.h"
#include "catalogue/DesignState.h"
#include "mainwindow/MainForm.h"
#include "qt/Binder.h"
#include "qt/FrontEnd.h"
#include "ui/Headless.h"

namespace {

class CapEntryWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    scope = std::make_unique<ui::ScopedServices>(services);
    quenta::ResetForms();
    dialog = &quenta::F_CapEntry();
    binder = qtui::windowFor(*dialog);
    ASSERT_NE(binder, nullptr);
    window = &binder->window();
    dialog->Label2.setCaption("10");
    dialog->Label3.setCaption("0");
    dialog->outcome = quenta::CapEntryForm::Outcome::Open;
    // Shown without a modal loop of its own: the test is the user.
    dialog->show();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QApplication::processEvents();
  }
  void TearDown() override {
    qtui::closeAllWindows();
    quenta::ResetForms();
    scope.reset();
  }
  QWidget* focused() { return QApplication::focusWidget(); }

  ui::HeadlessServices services;
  std::unique_ptr<ui::ScopedServices> scope;
  quenta::CapEntryForm* dialog = nullptr;
  qtui::Binder* binder = nullptr;
  QWidget* window = nullptr;
};

TEST_F(CapEntryWindow, IsAFixedDialogWithOkAsItsDefaultButton) {
  const Qt::WindowFlags flags = window->windowFlags();
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  auto* ok = qobject_cast<QPushButton*>(binder->widgetFor(dialog->B_CalcOK));
  ASSERT_NE(ok, nullptr);
  EXPECT_TRUE(ok->isDefault());
  // The caret stands in the box, the proposal selected.
  auto* edit = qobject_cast<QLineEdit*>(binder->widgetFor(dialog->Text1));
  EXPECT_EQ(focused(), edit);
  EXPECT_EQ(edit->text(), "5");
  EXPECT_EQ(edit->selectedText(), "5");
}

TEST_F(CapEntryWindow, EnterSubmitsTheProposalOnce) {
  int oops = 0;
  services.onMessageBox = [&](const ui::MessageBoxRequest&) {
    ++oops;
    return ui::MsgResult::Ok;
  };
  QTest::keyClick(focused(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(dialog->outcome, quenta::CapEntryForm::Outcome::Accepted);
  EXPECT_FALSE(window->isVisible());
  EXPECT_DOUBLE_EQ(quenta::gSelection.Capacitance, 5);
  EXPECT_EQ(oops, 0);
}

TEST_F(CapEntryWindow, EnterOnARefusedValueAnswersOnce) {
  int oops = 0;
  services.onMessageBox = [&](const ui::MessageBoxRequest&) {
    ++oops;
    return ui::MsgResult::Ok;
  };
  auto* edit = qobject_cast<QLineEdit*>(binder->widgetFor(dialog->Text1));
  edit->setFocus();
  QApplication::processEvents();
  edit->selectAll();
  QTest::keyClicks(edit, "20");
  QTest::keyClick(edit, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(oops, 1);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(edit->text(), "5");
}

TEST_F(CapEntryWindow, EscapeCancels) {
  QTest::keyClick(focused(), Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_EQ(dialog->outcome, quenta::CapEntryForm::Outcome::Cancelled);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(CapEntryWindow, TheCloseBoxCancels) {
  EXPECT_TRUE(window->windowFlags() & Qt::WindowCloseButtonHint);
  window->close();
  QTest::qWait(50);
  EXPECT_EQ(dialog->outcome, quenta::CapEntryForm::Outcome::Cancelled);
  EXPECT_FALSE(dialog->shown());
}

// The dialog is white with black text, also on a desktop whose colours are
// dark (where the text would otherwise be light on white).
TEST(CapEntryColours, WhiteWithBlackTextOnADarkDesktop) {
  const QPalette saved = QApplication::palette();
  QPalette dark(QColor(53, 53, 53));
  dark.setColor(QPalette::WindowText, Qt::white);
  QApplication::setPalette(dark);
  ui::HeadlessServices services;
  ui::ScopedServices scope(services);
  quenta::ResetForms();
  quenta::CapEntryForm& dialog = quenta::F_CapEntry();
  dialog.Label1.setCaption("Please enter a smaller capacitance.");
  qtui::Binder* binder = qtui::windowFor(dialog);
  ASSERT_NE(binder, nullptr);
  dialog.show();
  QApplication::processEvents();
  const QImage image = binder->window().grab().toImage();
  EXPECT_EQ(image.pixel(2, 2), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(image.width() - 3, image.height() - 3), qRgb(255, 255, 255));
  QWidget* label = binder->widgetFor(dialog.Label1);
  EXPECT_EQ(label->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::black));
  qtui::closeAllWindows();
  quenta::ResetForms();
  QApplication::setPalette(saved);
}

}  // namespace
