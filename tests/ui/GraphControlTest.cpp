// The graph control of the window layer: what a new graph clears and keeps,
// which points it draws, the axes it reports back, the exclusive-or cursor
// lines, and its pointer and button events.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ui/Form.h"
#include "ui/GraphControl.h"

namespace {

using ui::GraphControl;

struct Graph : ::testing::Test {
  ui::Form form{"F"};
  GraphControl g{form, "G"};

  // Writes points 1..n of the selected curve.
  void points(const std::vector<double>& x, const std::vector<double>& y) {
    for (std::size_t i = 0; i < x.size(); ++i) {
      g.setIndexed(175, static_cast<int>(i + 1), x[i]);
      g.setIndexed(158, static_cast<int>(i + 1), y[i]);
    }
    g.setProperty(66, static_cast<double>(x.size()));
  }
};

TEST_F(Graph, NewGraphClearsPointsAxisEndsModeAndLinesButKeepsSetupAndCount) {
  g.setProperty(20, 9, ui::ValueType::Int32);
  g.setProperty(44, 6, ui::ValueType::Int32);
  g.setProperty(111, 8, ui::ValueType::Double);
  g.setProperty(118, 70, ui::ValueType::Double);
  g.setProperty(114, 2, ui::ValueType::Int32);
  points({1, 2}, {3, 4});
  g.setRop(GraphControl::kRopXor);
  g.lineAbs(300, 122, 300, 622);
  ASSERT_EQ(g.overlay().size(), 1u);

  g.setProperty(115, 0);
  EXPECT_TRUE(g.curves()[0].x.empty());
  EXPECT_TRUE(g.curves()[0].y.empty());
  EXPECT_TRUE(g.overlay().empty());
  EXPECT_EQ(g.property(20), 9);
  EXPECT_EQ(g.pointCount(), 2);
  // Linear ends that are not written are 0 (a degenerate scale runs to 1).
  EXPECT_EQ(g.xAxis().min, 0);
  EXPECT_EQ(g.xAxis().max, 1);
  EXPECT_EQ(g.property(114), 0);
  // Every call stays in the record, in order.
  ASSERT_GE(g.calls().size(), 10u);
  EXPECT_EQ(g.calls().front().number, 20);
  EXPECT_EQ(g.calls().back().number, 115);
}

TEST_F(Graph, PointsAreReadBackPerCurveAndIndexZeroIsNeverDrawn) {
  g.setProperty(44, 15, ui::ValueType::Int32);
  g.setProperty(67, 2);
  g.setIndexed(158, 0, 1e-9);  // stored, but not part of the curve
  g.setProperty(102, 1);
  points({1, 10, 100}, {5, 50, 0});
  g.setProperty(102, 2);
  g.setIndexed(175, 1, 1);
  g.setIndexed(158, 1, 0.5);
  EXPECT_FLOAT_EQ(g.property(158, 1), 0.5f);
  g.setProperty(102, 1);
  EXPECT_FLOAT_EQ(g.property(158, 0), 1e-9f);
  EXPECT_FLOAT_EQ(g.property(158, 2), 50.0f);
  EXPECT_EQ(g.property(158, 99), 0);
  // The y decades cover 0.5 to 50 (the 0 and the index-0 value are not
  // drawn on a logarithmic scale).
  EXPECT_DOUBLE_EQ(g.yAxis().min, 0.1);
  EXPECT_DOUBLE_EQ(g.yAxis().max, 100);
  EXPECT_DOUBLE_EQ(g.xAxis().min, 1);
  EXPECT_DOUBLE_EQ(g.xAxis().max, 100);
}

TEST_F(Graph, LogarithmicAxesEndOnTheSweepsDecadesDespiteSinglePrecision) {
  g.setProperty(44, 15, ui::ValueType::Int32);
  // A sweep from 10^-2 kHz to 10^2 kHz in single precision: its first point
  // lies one step above the low decade, its last on the high one.
  std::vector<double> x, y;
  for (int i = 1; i <= 735; ++i) {
    x.push_back(static_cast<float>(std::pow(10.0, 4.0 * i / 735 - 2)));
    y.push_back(static_cast<float>(1.0 / i));
  }
  points(x, y);
  EXPECT_DOUBLE_EQ(g.property(172, 2), 0.01);
  EXPECT_DOUBLE_EQ(g.property(172, 1), 100);
  EXPECT_DOUBLE_EQ(g.property(172, 4), 0.001);
  EXPECT_DOUBLE_EQ(g.property(172, 3), 1);
  // A value just off the decade in its last digits still ends on it.
  g.setIndexed(175, 735, static_cast<float>(100.00001));
  EXPECT_DOUBLE_EQ(g.property(172, 1), 100);
  // An all-zero curve leaves a default decade.
  g.setProperty(115, 0);
  points({0, 0}, {0, 0});
  EXPECT_DOUBLE_EQ(g.yAxis().min, 1);
  EXPECT_DOUBLE_EQ(g.yAxis().max, 10);
}

TEST_F(Graph, PlotAreaAndBaseEdgeInDrawingUnits) {
  g.setProperty(44, 6, ui::ValueType::Int32);
  g.setProperty(118, 60, ui::ValueType::Double);
  EXPECT_EQ(g.property(172, 5), 1000);
  EXPECT_EQ(g.property(172, 6), 500);
  EXPECT_EQ(g.property(172, 7), 200);
  EXPECT_EQ(g.property(172, 8), 122);  // the bottom for a scale from 0 up
  // A scale of 0 down to -70 has its base edge, the 0 % line, on top.
  g.setProperty(118, 0);
  g.setProperty(119, -70);
  EXPECT_EQ(g.property(172, 8), 622);
  // The phase scale: logarithmic x, linear y from -100 to 100.
  g.setProperty(44, 16, ui::ValueType::Int32);
  g.setProperty(115, 0);
  g.setProperty(114, 2, ui::ValueType::Int32);
  EXPECT_EQ(g.property(172, 3), 100);
  EXPECT_EQ(g.property(172, 4), -100);
  EXPECT_EQ(g.property(172, 8), 122);
}

TEST_F(Graph, AnExclusiveOrLineDrawnTwiceIsGone) {
  g.setRop(GraphControl::kRopXor);
  g.lineAbs(400, 122, 400, 622);
  g.lineAbs(500, 122, 500, 622);
  g.lineAbs(400, 122, 400, 622);  // erases the first
  ASSERT_EQ(g.overlay().size(), 1u);
  EXPECT_EQ(g.overlay()[0].x1, 500);
  EXPECT_EQ(g.setRop(GraphControl::kRopCopy), GraphControl::kRopXor);
  // In copy mode a repeat stays.
  g.lineAbs(500, 122, 500, 622);
  EXPECT_EQ(g.overlay().size(), 2u);
}

TEST_F(Graph, PointerEventsCarryDrawingAndDataUnits) {
  g.setProperty(44, 16, ui::ValueType::Int32);
  g.setProperty(114, 2, ui::ValueType::Int32);
  points({1, 1000}, {-90, 90});
  std::vector<double> seen;
  g.onPointerMove = [&](double h, double v, double x, double y) { seen = {h, v, x, y}; };
  g.pointerMove(200 + 1000.0 / 3, 122 + 375);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_NEAR(seen[2], 10, 1e-9);
  EXPECT_NEAR(seen[3], 50, 1e-9);
  // A point given by its data values keeps them exactly.
  g.pointerAt(100, -25);
  EXPECT_NEAR(seen[0], 200 + 2000.0 / 3, 1e-9);
  EXPECT_NEAR(seen[1], 122 + 187.5, 1e-9);
  EXPECT_EQ(seen[2], 100);
  EXPECT_EQ(seen[3], -25);
  int button = 0;
  g.onButton = [&](int b) { button = b; };
  g.buttonDown(2);
  EXPECT_EQ(button, 2);
}

TEST(GraphTicks, DecadesWithMinorLinesAndStepsOfOneTwoOrFive) {
  auto labels = [](const std::vector<ui::GraphTick>& ticks) {
    std::vector<std::string> out;
    for (const auto& t : ticks)
      if (t.major) out.push_back(t.label);
    return out;
  };
  const auto log = GraphControl::ticks({true, 0.01, 1e6});
  EXPECT_EQ(labels(log), (std::vector<std::string>{"1E-2", "1E-1", "1E0", "1E1", "1E2", "1E3",
                                                   "1E4", "1E5", "1E6"}));
  EXPECT_EQ(log.size(), 9u + 8 * 8);
  EXPECT_EQ(labels(GraphControl::ticks({false, -70, 0})),
            (std::vector<std::string>{"-70", "-60", "-50", "-40", "-30", "-20", "-10", "0"}));
  EXPECT_EQ(labels(GraphControl::ticks({false, 0, 150})).size(), 8u);  // 0 to 140 by 20
  EXPECT_EQ(labels(GraphControl::ticks({false, -100, 100})).front(), "-100");
  EXPECT_EQ(ui::axisLabel(2.5e-6), "2.5E-6");
}

// The labels along one axis are in one number style: plain decimals where
// all of them show so, the exponent style for all where one does not. An
// axis of one decade is labelled inside it too.
TEST(GraphTicks, OneNumberStyleAlongAnAxisAndLabelsInsideOneDecade) {
  auto labels = [](const ui::GraphAxis& axis) {
    std::vector<std::string> out;
    for (const auto& t : GraphControl::ticks(axis))
      if (t.major) out.push_back(t.label);
    return out;
  };
  using Labels = std::vector<std::string>;
  // An ESR scale down to 0.1 milliohm; one within the plain range stays so.
  EXPECT_EQ(labels({true, 1e-4, 100}), (Labels{"1E-4", "1E-3", "1E-2", "1E-1", "1E0", "1E1", "1E2"}));
  EXPECT_EQ(labels({true, 0.001, 100000}),
            (Labels{"0.001", "0.01", "0.1", "1", "10", "100", "1000", "10000", "100000"}));
  // A linear scale past 1000000, with its zero.
  EXPECT_EQ(labels({false, 0, 1.2e6}), (Labels{"0", "2E5", "4E5", "6E5", "8E5", "1E6", "1.2E6"}));
  // One decade: 2 and 5 times its start are labelled, in the decade's style.
  EXPECT_EQ(labels({true, 1000, 10000}), (Labels{"1000", "2000", "5000", "10000"}));
  EXPECT_EQ(labels({true, 1e5, 1e6}), (Labels{"1E5", "2E5", "5E5", "1E6"}));
  EXPECT_EQ(labels({true, 0.01, 0.1}), (Labels{"0.01", "0.02", "0.05", "0.1"}));
  // Two decades keep their labels on the decades.
  EXPECT_EQ(labels({true, 10, 1000}), (Labels{"10", "100", "1000"}));
}

}  // namespace
