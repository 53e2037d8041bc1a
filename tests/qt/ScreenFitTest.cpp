// The windows on real screens: the main window fits a 1366x768 screen at
// 125 % and a 3840x2160 screen at 200 % with a desktop panel and its title
// bar, every control stays reachable with a large font, growing the window
// leaves captions beside their boxes, and a window laid out at fixed
// positions fits the same way.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <memory>
#include <string>

#include "mainwindow/Commands.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "military/EntryModes.h"
#include "qt/Binder.h"
#include "qt/FrontEnd.h"
#include "qt/QtTestSupport.h"
#include "qt/ScreenFit.h"
#include "ui/Headless.h"

namespace {

// What a desktop leaves a window's inside on a screen of `pixels` at
// `scale`: a panel along one edge, a title bar and thin borders.
QSize roomOn(QSize pixels, double scale) {
  const int panel = 48, titleBar = 32, border = 4;
  return {static_cast<int>(pixels.width() / scale) - 2 * border,
          static_cast<int>(pixels.height() / scale) - panel - titleBar - 2 * border};
}
const QSize kSmallScreen = roomOn({1366, 768}, 1.25);  // 1084 x 526
const QSize kLargeScreen = roomOn({3840, 2160}, 2.0);

// The test program's screens of those sizes (the panel taken off already).
QScreen* screenNamed(const char* name) {
  for (QScreen* screen : QGuiApplication::screens())
    if (screen->name() == name) return screen;
  ADD_FAILURE() << "no screen " << name;
  return QGuiApplication::primaryScreen();
}
QScreen* smallScreen() { return screenNamed("1-laptop-125"); }
QScreen* largeScreen() { return screenNamed("2-4k-200"); }

bool fits(QSize size, QSize room) {
  return size.width() <= room.width() && size.height() <= room.height();
}

std::string text(QSize s) { return std::to_string(s.width()) + "x" + std::to_string(s.height()); }

// The main window on the shipped catalogue, in the program's font and style
// or a larger font.
class ScreenFit : public ::testing::Test {
 protected:
  void SetUp() override { savedFont = QApplication::font(); }
  void TearDown() override {
    binder.reset();
    window.reset();
    quenta::ResetForms();
    scope.reset();
    QApplication::setFont(savedFont);
  }
  void start(double points, QScreen* screen) {
    QFont font("Liberation Sans");
    font.setPointSizeF(points);
    QApplication::setFont(font);
    scope = std::make_unique<ui::ScopedServices>(services);
    quenta::InstallMilitaryEntry();
    quenta::ResetForms();
    form = &quenta::F_QuentaMainForm();
    window.reset(qtui::createFormWidget("F_QuentaMainForm"));
    ASSERT_TRUE(window);
    area = qtui::fitAreaOf(*window);
    ASSERT_NE(area, nullptr);
    window->setScreen(screen);
    binder = std::make_unique<qtui::Binder>(*form, *window);
    quenta::SetProgramFolder(QUENTA_PROGRAM_FOLDER);
    quenta::Main();
    settle();
  }
  void settle() {
    for (int i = 0; i < 3; ++i) {
      QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
      QCoreApplication::processEvents();
    }
  }
  // The widget's place in the window's own coordinates.
  QRect placeOf(const QWidget* w) const {
    return QRect(w->mapTo(window.get(), QPoint(0, 0)), w->size());
  }
  // Whether the user sees the whole widget in the window's inside.
  bool inView(const QWidget* w) const {
    const QRect view(area->viewport()->mapTo(window.get(), QPoint(0, 0)),
                     area->viewport()->size());
    return view.contains(placeOf(w));
  }
  QWidget* widgetOf(const ui::Control& c) const { return binder->widgetFor(c); }

  QFont savedFont;
  ui::HeadlessServices services;
  std::unique_ptr<ui::ScopedServices> scope;
  quenta::MainForm* form = nullptr;
  std::unique_ptr<QWidget> window;
  qtui::FitArea* area = nullptr;
  std::unique_ptr<qtui::Binder> binder;
};

TEST_F(ScreenFit, TheMainWindowOpensWholeOnASmallScreen) {
  start(10, smallScreen());
  EXPECT_EQ(window->screen(), smallScreen());
  EXPECT_TRUE(fits(window->size(), kSmallScreen)) << text(window->size());
  EXPECT_TRUE(smallScreen()->availableGeometry().contains(window->geometry()));
  EXPECT_FALSE(area->verticalScrollBar()->isVisible());
  EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
  const ui::Control* const corners[] = {&form->Command1, &form->B_Quit, &form->T_TempSpecs[6],
                                        &form->LineFreqText, &form->Frame9};
  for (const ui::Control* c : corners) EXPECT_TRUE(inView(widgetOf(*c))) << c->id();
}

TEST_F(ScreenFit, TheMainWindowsMinimumSizeFitsBothScreens) {
  const std::pair<QScreen*, QSize> screens[] = {{smallScreen(), kSmallScreen},
                                                {largeScreen(), kLargeScreen}};
  for (auto [screen, room] : screens) {
    start(10, screen);
    EXPECT_TRUE(fits(window->minimumSizeHint(), room)) << text(window->minimumSizeHint());
    EXPECT_TRUE(fits(area->naturalSize(), room)) << text(area->naturalSize());
    TearDown();
  }
}

TEST_F(ScreenFit, EveryControlCanBeReachedWithALargeFont) {
  start(14, smallScreen());
  EXPECT_TRUE(fits(window->size(), kSmallScreen)) << text(window->size());
  EXPECT_TRUE(fits(window->minimumSizeHint(), kSmallScreen)) << text(window->minimumSizeHint());
  int outOfView = 0;
  for (ui::Control* c : form->controls()) {
    QWidget* w = widgetOf(*c);
    if (!w || !w->isVisibleTo(window.get())) continue;
    if (!inView(w)) ++outOfView;
    const QRect at(w->mapTo(area->content(), QPoint(0, 0)), w->size());
    area->ensureVisible(at.center().x(), at.center().y(), at.width() / 2 + 1, at.height() / 2 + 1);
    EXPECT_TRUE(inView(w)) << c->id();
  }
  EXPECT_GT(outOfView, 0) << "the window was not small enough to need scrolling";

  // The focus brings its control into view, as Tab does.
  widgetOf(form->CB_Type)->setFocus();
  QApplication::processEvents();
  widgetOf(form->B_Quit)->setFocus();
  QApplication::processEvents();
  EXPECT_TRUE(inView(widgetOf(form->B_Quit)));
}

// Every result box shows its whole text: a long part number, and numbers.
TEST_F(ScreenFit, ResultBoxesHoldTheirWholeTextAtALargeFont) {
  start(14, largeScreen());
  for (const char* series : {"GJW", "KDD", "3640"}) {
    form->CB_Type.setText(series);
    quenta::Command1_Click();
    settle();
    ASSERT_FALSE(form->T_Specs[0].text().empty()) << series;
    for (ui::Control* c : form->controls()) {
      auto* box = qobject_cast<QLineEdit*>(widgetOf(*c));
      if (!box || !box->isReadOnly() || box->text().isEmpty()) continue;
      // Text, its two margins and the frame.
      const int needed = box->fontMetrics().horizontalAdvance(box->text()) + 2 * 2 + 2 * 2;
      EXPECT_LE(needed, box->width()) << c->id() << " " << box->text().toStdString();
    }
  }
}

TEST_F(ScreenFit, GrowingTheWindowLeavesEachCaptionBesideItsBox) {
  start(10, largeScreen());
  const std::pair<const ui::Control*, const ui::Control*> pairs[] = {
      {&form->L_Specs[6], &form->T_Specs[0]},
      {&form->Label1[11], &form->T_TempSpecs[6]},
      {&form->Frame6, &form->T_Frequency},
      {&form->Label5, &form->Text2}};
  auto gaps = [&] {
    std::vector<QPoint> out;
    for (auto [caption, box] : pairs)
      out.push_back(placeOf(widgetOf(*box)).topLeft() - placeOf(widgetOf(*caption)).topLeft());
    return out;
  };
  const auto before = gaps();
  window->resize(window->size() * 3 / 2);
  settle();
  EXPECT_EQ(gaps(), before);
  // The extra room is shared by the margins on the left and right.
  const QRect content = placeOf(area->content());
  EXPECT_NEAR(content.left(), window->width() - content.right() - 1, 1);
  EXPECT_EQ(content.size(), area->naturalSize());
}

// The three entry options show their panels in one place: the window keeps
// its size and nothing outside the panels moves.
TEST_F(ScreenFit, SwitchingTheEntryOptionMovesNothingElse) {
  start(10, largeScreen());
  auto places = [&] {
    const ui::Control* const outside[] = {&form->Frame9,       &form->T_Frequency,
                                          &form->Frame26,      &form->LineFreqText,
                                          &form->T_Specs[1],   &form->T_TempSpecs[6],
                                          &form->Command1,     &form->B_Quit};
    std::vector<QRect> out;
    for (const ui::Control* c : outside) out.push_back(placeOf(widgetOf(*c)));
    return out;
  };
  const QSize size = window->size();
  const QSize natural = area->naturalSize();
  const auto before = places();
  for (ui::OptionButton* option : {&form->OB_Mil_Prf, &form->OB_MIL123, &form->OB_Part_Num}) {
    QWidget* button = widgetOf(*option);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
    settle();
    ASSERT_TRUE(option->value()) << option->id();
    EXPECT_EQ(window->size(), size) << option->id();
    EXPECT_EQ(area->naturalSize(), natural) << option->id();
    EXPECT_EQ(places(), before) << option->id();
  }
}

// The graph window, laid out at fixed positions, fits as a whole: whole on
// both screens, with its natural size, and its last control in view.
TEST(ScreenFitGraph, TheGraphWindowFitsBothScreens) {
  auto graphWindowOn = [](QScreen* screen) {
    std::unique_ptr<QWidget> window(qtui::createFormWidget("F_QuentaGrafForm"));
    if (window) window->setScreen(screen);
    return window;
  };
  std::unique_ptr<QWidget> large = graphWindowOn(largeScreen());
  ASSERT_TRUE(large);
  const QSize natural = qtui::fitAreaOf(*large)->naturalSize();
  EXPECT_TRUE(fits(natural, kSmallScreen)) << text(natural);
  EXPECT_EQ(large->sizeHint(), natural);

  std::unique_ptr<QWidget> window = graphWindowOn(smallScreen());
  qtui::FitArea* area = qtui::fitAreaOf(*window);
  EXPECT_TRUE(fits(window->minimumSizeHint(), kSmallScreen)) << text(window->minimumSizeHint());
  EXPECT_TRUE(fits(window->sizeHint(), kSmallScreen)) << text(window->sizeHint());
  window->resize(window->sizeHint());
  window->show();
  QApplication::processEvents();
  EXPECT_EQ(area->content()->size(), natural);  // scrolled, not squeezed
  auto* exit = window->findChild<QWidget*>("ExitGraph");
  ASSERT_NE(exit, nullptr);
  area->ensureWidgetVisible(exit, 0, 0);
  const QRect view(area->viewport()->mapTo(window.get(), QPoint(0, 0)), area->viewport()->size());
  EXPECT_TRUE(view.contains(QRect(exit->mapTo(window.get(), QPoint(0, 0)), exit->size())));
}

// The graph window as the program opens it on the small screen: whole, at
// its natural size, without a scroll bar, as the main window is.
TEST(ScreenFitGraph, TheGraphWindowOpensWholeOnASmallScreen) {
  ui::HeadlessServices services;
  ui::ScopedServices scope(services);
  quenta::GraphForm& form = qttest::OpenGraphWindowOfX7rPart();
  std::unique_ptr<QWidget> window(qtui::createFormWidget(form.name()));
  ASSERT_TRUE(window);
  window->setScreen(smallScreen());
  auto binder = std::make_unique<qtui::Binder>(form, *window);
  QApplication::processEvents();
  qtui::FitArea* area = qtui::fitAreaOf(*window);
  ASSERT_TRUE(window->isVisible());
  EXPECT_TRUE(fits(window->size(), kSmallScreen)) << text(window->size());
  EXPECT_FALSE(area->verticalScrollBar()->isVisible());
  EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
  EXPECT_EQ(area->content()->size(), area->naturalSize());
  binder.reset();
  window.reset();
  quenta::ResetForms();
}

}  // namespace
