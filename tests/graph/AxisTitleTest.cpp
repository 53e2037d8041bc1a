// The vertical axis title: the turning of a point, the origin of a turned
// text, and the title drawn into its box.
#include <gtest/gtest.h>

#include <optional>

#include "graph/AxisTitle.h"
#include "graph/GraphForm.h"
#include "mainwindow/MainForm.h"
#include "ui/Headless.h"

namespace quenta {
namespace {

TEST(AxisTitle, TurningAPointAndATextAboutItsCentre) {
  PixelPoint p{10, 0};
  RotatePoint({0, 0}, p, 30);
  EXPECT_EQ(p, (PixelPoint{9, -5}));
  // At 90 degrees a text of 80 by 14 centred on (8, 104) starts at
  // (-32, 97), which turns to (1, 144): it runs upwards from there.
  EXPECT_EQ(TextOriginBeforeTurn(8, 104, 80, 14), (PixelPoint{-32, 97}));
  EXPECT_EQ(TurnedTextOrigin(8, 104, 80, 14, 90), (PixelPoint{1, 144}));
  // Unturned, the text is centred; half pixels go to the even neighbour.
  EXPECT_EQ(TurnedTextOrigin(8, 104, 80, 14, 0), (PixelPoint{-32, 97}));
  EXPECT_EQ(TextOriginBeforeTurn(8, 8, 15, 15), (PixelPoint{0, 0}));
  EXPECT_EQ(TextOriginBeforeTurn(9, 9, 15, 15), (PixelPoint{2, 2}));
}

class AxisTitleBox : public ::testing::Test {
 protected:
  struct Measuring : ui::HeadlessServices {
    bool textExtent(const ui::Control&, const std::string& text, int& w, int& h) override {
      if (fail) return false;
      w = static_cast<int>(text.size()) * 4;
      h = 14;
      return true;
    }
    bool fail = false;
  };
  void SetUp() override {
    scope.emplace(services);
    ResetForms();
  }
  void TearDown() override {
    ResetForms();
    scope.reset();
  }
  Measuring services;
  std::optional<ui::ScopedServices> scope;
};

TEST_F(AxisTitleBox, TheTitleIsDrawnInTheMiddleOfItsBoxAtItsAngle) {
  GraphForm& f = F_QuentaGrafForm();
  // 255 by 3135 twips outside, 225 by 3105 inside: its middle at 15 twips
  // a pixel is (8, 104), 7.5 and 103.5 rounded to even.
  f.TitleText = std::string(20, 'x');
  f.TitleAngle = 90;
  DrawYAxisTitle();
  ASSERT_EQ(f.picText.drawnTexts().size(), 1u);
  const ui::DrawnText& t = f.picText.drawnTexts()[0];
  EXPECT_EQ(t.angle, 90);
  EXPECT_EQ(t.x, 1);
  EXPECT_EQ(t.y, 144);

  // Drawing again clears first; a text that cannot be measured leaves the
  // box cleared.
  services.fail = true;
  DrawYAxisTitle();
  EXPECT_TRUE(f.picText.drawnTexts().empty());
  EXPECT_FALSE(PrintRotText(f.picText, "x", 8, 104, 90));
}

}  // namespace
}  // namespace quenta
