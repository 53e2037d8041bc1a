// The real graph window on Qt: the program opens it on an X7R part, every
// graph is plotted in turn, and the chart shows its curves in their
// colours with the cursor line over them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <memory>
#include <string>

#include "graph/GraphForm.h"
#include "graph/GraphWindow.h"
#include "mainwindow/Commands.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "qt/Binder.h"
#include "qt/FrontEnd.h"
#include "qt/GraphWidget.h"
#include "qt/QtTestSupport.h"
#include "ui/Headless.h"

namespace {

class GraphWindowQt : public ::testing::Test {
 protected:
  // The test program's environment provides the application.
  void SetUp() override {
    scope = std::make_unique<ui::ScopedServices>(services);
    form = &qttest::OpenGraphWindowOfX7rPart();
    qttest::BindWindow(*form, window, binder);
  }
  void TearDown() override {
    binder.reset();
    window.reset();
    quenta::ResetForms();
    scope.reset();
  }
  QImage chart() {
    auto* graph = qobject_cast<qtui::GraphWidget*>(binder->widgetFor(form->GSGraf));
    EXPECT_TRUE(graph);
    return graph ? graph->grab().toImage() : QImage();
  }
  static int count(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
  }

  ui::HeadlessServices services;
  std::unique_ptr<ui::ScopedServices> scope;
  quenta::GraphForm* form = nullptr;
  std::unique_ptr<QWidget> window;
  std::unique_ptr<qtui::Binder> binder;
};

TEST_F(GraphWindowQt, EveryGraphShowsItsCurvesInTheirColours) {
  const QRgb blue = qRgb(0, 0, 255), red = qRgb(255, 0, 0);
  ASSERT_EQ(form->GrafName.listCount(), 6);
  for (int kind = 0; kind < 6; ++kind) {
    form->GrafName.setListIndex(kind);
    const QImage image = chart();
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(count(image, red), 50) << "kind " << kind;
    EXPECT_EQ(count(image, blue) > 50, kind == 0) << "kind " << kind;
  }
}

TEST_F(GraphWindowQt, TheCursorLineInvertsWhatLiesBeneathIt) {
  const QImage before = chart();
  // Moving the cursor off its place gives the chart back without it.
  form->GSGraf.pointerAt(10, 1);
  const QImage moved = chart();
  form->GSGraf.pointerAt(100, 1);  // the plot's own start position
  EXPECT_EQ(chart(), before);
  EXPECT_NE(moved, before);
  // The line is black where the plot is white, and light where the grid
  // is grey.
  form->GSGraf.pointerAt(15, 1);
  const QImage image = chart();
  const QPointF at =
      qtui::GraphWidget::toPixels(QRectF(image.rect()), form->GSGraf.xToUnits(15), 300);
  const int x = static_cast<int>(at.x());
  EXPECT_EQ(image.pixel(x, static_cast<int>(at.y())) & 0xFFFFFF, 0u);
  const QPointF grid = qtui::GraphWidget::toPixels(QRectF(image.rect()), 600, 300);
  EXPECT_EQ(before.pixel(static_cast<int>(grid.x()), static_cast<int>(grid.y())) & 0xFFFFFF,
            0x4B4B4Bu);
}

TEST_F(GraphWindowQt, TheTitleAndTheControlsAreShown) {
  auto* title = qobject_cast<QLabel*>(binder->widgetFor(form->picText));
  ASSERT_TRUE(title);
  EXPECT_FALSE(title->pixmap().isNull());
  EXPECT_EQ(window->windowTitle().toStdString(), form->caption());
  for (ui::Control* c : form->controls()) {
    if (c->kind() == ui::Kind::Timer) continue;
    EXPECT_TRUE(binder->widgetFor(*c)) << c->id();
  }
}

TEST_F(GraphWindowQt, EnterPlotsAndEscapeCloses) {
  QApplication::setActiveWindow(window.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QWidget* start = binder->widgetFor(form->Text1[0]);
  start->setFocus();
  QTest::keyClicks(start, "0");  // "10"
  QTest::keyClick(start, Qt::Key_Return);
  EXPECT_EQ(form->GSGraf.property(172, 2), 10);
  QTest::keyClick(start, Qt::Key_Escape);
  EXPECT_FALSE(quenta::GraphFormLoaded());
  EXPECT_FALSE(window->isVisible());
}

// The window opens with the focus on Plot. The horizontal axis title takes
// neither the focus nor typing: not at the start, not by Tab, not by a
// click.
TEST_F(GraphWindowQt, OpensWithTheFocusOnPlotAndTheAxisTitleTakesNoTyping) {
  QApplication::setActiveWindow(window.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  EXPECT_EQ(QApplication::focusWidget(), binder->widgetFor(form->GPlot));
  auto* title = qobject_cast<QLineEdit*>(binder->widgetFor(form->Text3[0]));
  ASSERT_TRUE(title);
  const std::string text = form->Text3[0].text();
  QTest::keyClicks(QApplication::focusWidget(), "zz");
  for (int i = 0; i < 12; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), title) << "after " << i + 1 << " Tabs";
  }
  QTest::mouseClick(title, Qt::LeftButton);
  EXPECT_NE(QApplication::focusWidget(), title);
  QTest::keyClicks(title, "zz");
  EXPECT_EQ(form->Text3[0].text(), text);
  EXPECT_EQ(title->text().toStdString(), text);
}

}  // namespace
