// The real main window under Qt: the program starts on a test catalogue,
// the user walks one selection cascade through the widgets, and every
// widget shows what the window layer holds.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QAbstractItemView>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <memory>
#include <string>

#include "catalogue/DesignState.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "qt/Binder.h"
#include "qt/FrontEnd.h"
#include "qt/QtTestSupport.h"
#include "ui/Headless.h"

namespace {

class MainWindowCascade : public ::testing::Test {
 protected:
  void SetUp() override {
    scope = std::make_unique<ui::ScopedServices>(services);
    quenta::ResetForms();
    form = &quenta::F_QuentaMainForm();
    qttest::BindWindow(*form, window, binder);
    quenta::SetProgramFolder(std::string(QUENTA_TEST_FIXTURES) + "/mainwindow/catalogue");
    quenta::Main();
  }
  void TearDown() override {
    binder.reset();
    window.reset();
    quenta::ResetForms();
    scope.reset();
  }

  QComboBox* combo(const ui::Control& control) {
    return qobject_cast<QComboBox*>(binder->widgetFor(control));
  }
  void showActive() {
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QApplication::processEvents();
  }
  // The user picks an entry from the drop-down widget.
  void pick(ui::DropDownList& list, const std::string& text) {
    QComboBox* box = combo(list);
    const int index = box->findText(QString::fromStdString(text));
    ASSERT_GE(index, 0) << list.id() << " shows no " << text;
    emit box->activated(index);
  }
  // Every list widget shows the layer's entries and selection, and every
  // control's visibility and enabled state.
  void expectWidgetsShowTheLayer() {
    for (ui::Control* c : form->controls()) {
      QWidget* w = binder->widgetFor(*c);
      if (!w) continue;
      EXPECT_EQ(!w->isHidden(), c->visible()) << c->id();
      EXPECT_EQ(w->isEnabled(), c->enabled()) << c->id();
      auto* list = dynamic_cast<ui::DropDownList*>(c);
      if (!list) continue;
      QComboBox* box = combo(*list);
      ASSERT_EQ(box->count(), list->listCount()) << c->id();
      for (int i = 0; i < list->listCount(); ++i)
        EXPECT_EQ(box->itemText(i).toStdString(), list->list(i)) << c->id() << " " << i;
      EXPECT_EQ(box->currentIndex(), list->listIndex()) << c->id();
    }
  }

  ui::HeadlessServices services;
  std::unique_ptr<ui::ScopedServices> scope;
  quenta::MainForm* form = nullptr;
  std::unique_ptr<QWidget> window;
  std::unique_ptr<qtui::Binder> binder;
};

TEST_F(MainWindowCascade, PickingASeriesRebuildsTheListsOnScreen) {
  EXPECT_EQ(combo(form->CB_Type)->currentText(), "KD");
  EXPECT_EQ(combo(form->CB_Cap)->currentText(), " 100 nF");
  expectWidgetsShowTheLayer();

  pick(form->CB_Type, "PJ");
  EXPECT_EQ(quenta::gSelection.SeriesIndex, 4);
  EXPECT_EQ(combo(form->CB_Case)->count(), 3);
  EXPECT_EQ(combo(form->CB_Volt)->count(), 9);
  expectWidgetsShowTheLayer();

  pick(form->CB_Case, "42");
  EXPECT_EQ(combo(form->CB_Volt)->count(), 4);
  pick(form->CB_Dielectric, "X7R");
  EXPECT_EQ(combo(form->CB_Tolerance)->currentText(), "+/-20%");
  EXPECT_FALSE(binder->widgetFor(form->LineFreqText)->isHidden());
  expectWidgetsShowTheLayer();

  // A single-chip size disables its one-entry case list.
  pick(form->CB_Type, "0805");
  EXPECT_FALSE(combo(form->CB_Case)->isEnabled());
  // BW shows "V1" in place of the case list.
  pick(form->CB_Type, "BW");
  EXPECT_TRUE(binder->widgetFor(form->CB_Case)->isHidden());
  EXPECT_FALSE(binder->widgetFor(form->Text1)->isHidden());
  expectWidgetsShowTheLayer();
}

// Space on a focused list calculates (the window's key rule), reaches the
// list as a key press, and opens no popup.
TEST_F(MainWindowCascade, SpaceOnAListCalculatesAndOpensNoPopup) {
  showActive();
  std::vector<int> reached;
  auto program = form->CB_Volt.onKeyPress;
  form->CB_Volt.onKeyPress = [&](int& ch) {
    reached.push_back(ch);
    if (program) program(ch);
  };
  QComboBox* volt = combo(form->CB_Volt);
  volt->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(form->T_Specs[0].text().empty());
  const int index = form->CB_Volt.listIndex();

  QTest::keyClick(volt, Qt::Key_Space);
  QApplication::processEvents();
  EXPECT_EQ(reached, std::vector<int>{32});
  EXPECT_FALSE(form->T_Specs[0].text().empty());  // calculated
  EXPECT_EQ(form->activeControl(), &form->Command1);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_FALSE(volt->view()->isVisible());
  EXPECT_EQ(form->CB_Volt.listIndex(), index);
}

// The wheel over a list changes it only when the list has the focus, and
// never gives it the focus.
TEST_F(MainWindowCascade, TheWheelChangesOnlyAFocusedList) {
  showActive();
  QComboBox* volt = combo(form->CB_Volt);
  ASSERT_GE(volt->count(), 2);
  const int index = form->CB_Volt.listIndex();
  auto wheel = [&] {
    const QPointF at(volt->width() / 2.0, volt->height() / 2.0);
    QWheelEvent event(at, volt->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(volt, &event);
    QApplication::processEvents();
  };
  combo(form->CB_Type)->setFocus();
  QApplication::processEvents();
  wheel();
  EXPECT_FALSE(volt->hasFocus());
  EXPECT_EQ(form->CB_Volt.listIndex(), index);
  EXPECT_EQ(volt->currentIndex(), index);

  volt->setFocus();
  QApplication::processEvents();
  wheel();
  EXPECT_EQ(form->CB_Volt.listIndex(), index + 1);
  EXPECT_EQ(volt->currentIndex(), index + 1);
}

}  // namespace
