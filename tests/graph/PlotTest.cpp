// The Plot command: the snapping of the range boxes, the refused ranges,
// the sweeps and what each kind keeps in the plot data, and the calls one
// plot of each kind makes on the graph control.
#include <cmath>
#include <string>
#include <vector>

#include "catalogue/DesignState.h"
#include "graph/GraphSession.h"

namespace quenta::test {
namespace {

using ui::GraphCall;

class Plot : public GraphSession {
 protected:
  void SetUp() override {
    GraphSession::SetUp();
    open();
  }
  // The calls of the next plot, with the per-point calls left out:
  // "115=0", "44=15", "158(0)", "points" for the run of point calls, ...
  std::vector<std::string> outline() {
    std::vector<std::string> out;
    bool inPoints = false;
    for (const GraphCall& c : graph().calls()) {
      const bool point = (c.what == GraphCall::What::IndexedWrite && c.index >= 1) ||
                         (c.what == GraphCall::What::Write && (c.number == 102 || c.number == 13));
      if (point) {
        if (!inPoints) out.push_back("points");
        inPoints = true;
        continue;
      }
      inPoints = false;
      if (c.what == GraphCall::What::IndexedWrite) {
        out.push_back(std::to_string(c.number) + "(" + std::to_string(c.index) + ")");
      } else if (c.what == GraphCall::What::Write) {
        char value[32];
        std::snprintf(value, sizeof value, "%g", c.value);
        out.push_back(std::to_string(c.number) + "=" + value);
      } else {
        out.push_back(c.what == GraphCall::What::SetRop ? "rop" : "line");
      }
    }
    return out;
  }
  int pointCalls() {
    int n = 0;
    for (const GraphCall& c : graph().calls())
      n += (c.what == GraphCall::What::IndexedWrite && c.index >= 1) ||
           (c.what == GraphCall::What::Write && (c.number == 102 || c.number == 13));
    return n;
  }
  static std::vector<std::string> head() {
    std::vector<std::string> h;
    for (int v = 1; v <= 26; ++v) h.push_back("20=" + std::to_string(v));
    return h;
  }
  static std::vector<std::string> join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  }
  const std::vector<std::string> tail = {"21=2", "92=1", "120=1", "113=1", "39=7", "38=7",
                                         "46=3", "5=15", "21=2", "rop", "line", "rop"};
};

TEST_F(Plot, CallsOfEachKind) {
  struct Case {
    int kind;
    std::vector<std::string> block;
    int points;
  };
  const std::vector<Case> cases = {
      {kEsrImpedance, {"20=9", "66=735", "115=0", "44=15", "67=2", "158(0)", "points"}, 735 * 8},
      {kTemperatureRise,
       {"20=9", "66=450", "115=0", "118=60", "112=0", "111=8", "44=6", "67=1", "158(0)", "66=449",
        "points"},
       450 * 3},
      {kMaxCurrent, {"20=9", "66=735", "115=0", "44=15", "67=1", "158(0)", "points"}, 735 * 3},
      {kMaxRipple, {"20=9", "66=735", "115=0", "44=15", "67=1", "158(0)", "points"}, 735 * 3},
      {kPhaseAngle,
       {"20=9", "66=735", "115=0", "44=16", "114=2", "67=1", "158(0)", "points"}, 735 * 3},
      {kCapacitanceChange,
       {"20=9", "66=735", "115=0", "118=0", "119=-70", "112=0", "111=100", "44=6", "67=1", "158(0)",
        "66=500", "points"},
       500 * 3},
  };
  for (const Case& c : cases) {
    graph().clearCalls();
    choose(c.kind);
    EXPECT_EQ(outline(), join(join(head(), c.block), tail)) << c.kind;
    EXPECT_EQ(pointCalls(), c.points) << c.kind;
    EXPECT_EQ(gGraph.PlottedKind, c.kind);
  }
  // The types the values are written as.
  graph().clearCalls();
  choose(kEsrImpedance);
  const auto& calls = graph().calls();
  EXPECT_EQ(calls[0].type, ui::ValueType::Int16);
  EXPECT_EQ(calls[26].type, ui::ValueType::Int32);  // 20 = 9
  EXPECT_EQ(calls[29].type, ui::ValueType::Int32);  // 44
  EXPECT_EQ(calls[31].type, ui::ValueType::Single);  // 158(0)
  EXPECT_FLOAT_EQ(calls[31].value, static_cast<float>(gGraph.GraphY2[1]));
}

TEST_F(Plot, EachKindKeepsItsPointsAndTitle) {
  EXPECT_EQ(gGraph.GraphPointCount, 735);
  ASSERT_EQ(gGraph.GraphY1.size(), 736u);
  // ESR in milliohms, impedance the data text's first value column.
  EXPECT_EQ(gGraph.GraphY1[0], 0);
  EXPECT_EQ(gGraph.GraphDataY1[735], gGraph.GraphY2[735]);
  EXPECT_EQ(gGraph.GraphDataY2[735], gGraph.GraphY1[735]);
  EXPECT_FLOAT_EQ(gGraph.GraphDataX[735], 1e8f);
  EXPECT_NEAR(gGraph.GraphDataX[1], std::pow(10.0, 3 + 5.0 / 735), 0.01);
  // The control draws against the sweep's own frequencies, in kHz.
  graph().setProperty(102, 1);
  EXPECT_FLOAT_EQ(graph().property(175, 735), 100000.0f);
  EXPECT_EQ(gGraph.GraphTitle, g().caption());
  EXPECT_EQ(gGraph.GraphTitle.rfind("Quenta10 Graph KD051C225M...   25 \u00B0C Amb.    ", 0), 0u);

  const std::vector<double> dataY2 = gGraph.GraphDataY2;
  choose(kMaxCurrent);
  EXPECT_EQ(gGraph.GraphDataY2, dataY2) << "only the ESR graph writes the third column";
  EXPECT_EQ(gGraph.GraphDataY1[5], gGraph.GraphY1[5]);

  choose(kTemperatureRise);
  EXPECT_EQ(gGraph.GraphPointCount, 450);
  EXPECT_EQ(gGraph.GraphY1.size(), 451u);
  EXPECT_FLOAT_EQ(gGraph.GraphDataX[1], 60.0f / 450);
  EXPECT_FLOAT_EQ(gGraph.GraphDataX[450], 60.0f);
  for (int i = 2; i <= 450; ++i) ASSERT_GT(gGraph.GraphY1[i], gGraph.GraphY1[i - 1]) << i;
  EXPECT_EQ(gGraph.GraphTitle, g().caption());
  EXPECT_EQ(gGraph.GraphTitle.substr(gGraph.GraphTitle.size() - 11), "    100 kHz");

  choose(kCapacitanceChange);
  EXPECT_EQ(gGraph.GraphPointCount, 500);
  EXPECT_NEAR(gGraph.GraphY1[500], 100, 1e-9);
  EXPECT_LE(gGraph.GraphY3[250], 0);
  EXPECT_EQ(gGraph.GraphDataY1[250], gGraph.GraphY3[250]);
  EXPECT_NEAR(gGraph.GraphY2[1], 2.2, 0.01);  // microfarads left
  EXPECT_EQ(g().Label3[1].caption(), "Capacitance \u00B5F");
  EXPECT_EQ(g().Label12.caption(), "KD051C225M...   25 \u00B0C Amb.    100 VDC Rated");
  EXPECT_TRUE(g().Label12.visible());
  EXPECT_EQ(gGraph.GraphTitle, "Quenta10 Graph " + g().Label12.caption());
  // The graph's curve is its own: the main window's keeps its 500 steps.
  EXPECT_EQ(gCurve.CurveLastPoint, 500);
}

TEST_F(Plot, RangeBoxesSnapToWholeDecades) {
  struct Case {
    const char *start, *end, *startAfter, *endAfter;
    float cursor;
    double first, last;  // the sweep's first and last frequency, Hz
  };
  const Case cases[] = {
      {"abc", "5", "0.01", "10", 100000, std::pow(10.0, 1 + 3.0 / 735), 1e4},
      {"600", "800", "1000", "10000", 1000000, std::pow(10.0, 6 + 1.0 / 735), 1e7},
      {"100", "100", "100", "1000", 100000, std::pow(10.0, 5 + 1.0 / 735), 1e6},
      {"1", "7E6", "1", "7E6", 100000, std::pow(10.0, 3 + 7.0 / 735), 1e10},
      {"1", "2E7", "1", "2E7", 100000, std::pow(10.0, 3 + 7.0 / 735), 1e10},
  };
  for (const Case& c : cases) {
    plot(c.start, c.end);
    EXPECT_EQ(g().Text1[0].text(), c.startAfter) << c.start;
    EXPECT_EQ(g().Text1[1].text(), c.endAfter) << c.end;
    EXPECT_EQ(gGraph.GraphMaxFrequency, c.cursor) << c.start;
    EXPECT_NEAR(gGraph.GraphDataX[1] / c.first, 1, 1e-6) << c.start;
    EXPECT_FLOAT_EQ(gGraph.GraphDataX[735], static_cast<float>(c.last)) << c.start;
  }
  EXPECT_TRUE(messages.empty());

  // A start between two rows keeps its text and the cursor frequency; the
  // sweep starts at the decade below it and is drawn where computed.
  plot("600", "1000");
  plot("0.0495", "0.1");
  EXPECT_EQ(g().Text1[0].text(), "0.0495");
  EXPECT_EQ(gGraph.GraphMaxFrequency, 1000000);
  EXPECT_NEAR(gGraph.GraphDataX[1], std::pow(10.0, 1 + 1.0 / 735), 1e-3);
  EXPECT_DOUBLE_EQ(p172(2), 0.01f);
  EXPECT_DOUBLE_EQ(p172(1), 0.1f);
  // The cursor is held within the plot: no message about its start.
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(box(0), "0.1");
}

TEST_F(Plot, RefusedRangesLeaveTheLastPlot) {
  const std::vector<double> y1 = gGraph.GraphY1;
  const auto calls = graph().calls().size();
  const auto lines = graph().overlay();
  g().LockGraf = true;
  plot("1", "2");
  EXPECT_EQ(g().Text1[0].text(), "1");
  EXPECT_EQ(g().Text1[1].text(), "1");
  plot("4.995", "4.995");
  EXPECT_EQ(messageTexts(), (std::vector<std::string>(2, "End value must be greater than Start value.")));
  EXPECT_EQ(messages[0].title, "Quenta10");
  EXPECT_EQ(g().mousePointer(), ui::MousePointer::Default);
  EXPECT_TRUE(g().LockGraf);
  EXPECT_EQ(gGraph.GraphY1, y1);
  EXPECT_EQ(graph().overlay(), lines);
  // The control saw only the set-up writes.
  EXPECT_EQ(graph().calls().size(), calls + 2 * 26);

  choose(kTemperatureRise);
  messages.clear();
  plot("0");
  EXPECT_EQ(messageTexts(), (std::vector<std::string>{"End value must be greater than Start value."}));
  EXPECT_EQ(gGraph.PlottedKind, kTemperatureRise);
}

TEST_F(Plot, RiseRangeRoundsUpToTensAndStopsAt150) {
  choose(kTemperatureRise);
  plot("61");
  EXPECT_EQ(graph().property(118), 70);
  EXPECT_FLOAT_EQ(gGraph.GraphDataX[1], 70.0f / 450);
  plot("200");
  EXPECT_EQ(g().Text1[0].text(), "150");
  EXPECT_EQ(graph().property(118), 150);
  EXPECT_FLOAT_EQ(gGraph.GraphDataX[450], 150);
  plot("57");
  EXPECT_EQ(graph().property(118), 60);
}

TEST_F(Plot, CapacitanceCurveEndsBeforeTheFieldPassesItsLimit) {
  // A dielectric thin enough that the field first passes 300 at step 321.
  gChip.DielThickness = 0.2135 / 0.72;
  gChip.Mult = 1;
  gChip.Cascades = 1;
  choose(kCapacitanceChange);
  EXPECT_EQ(gGraph.CurveLastPoint, 320);
  EXPECT_EQ(gGraph.GraphPointCount, 320);
  EXPECT_EQ(graph().pointCount(), 320);
  EXPECT_NEAR(gGraph.GraphY1[500], 100, 1e-9) << "all 500 steps are kept";
}

TEST_F(Plot, PointsThatAreNotFiniteAreKeptAsZeroAndNotDrawn) {
  gSelection.Capacitance = 0;
  choose(kMaxCurrent);
  EXPECT_EQ(gGraph.GraphY1[1], 0);
  EXPECT_TRUE(std::isnan(graph().property(158, 1)));
  // Nothing to draw: the frame and a default grid.
  EXPECT_DOUBLE_EQ(graph().yAxis().min, 1);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(box(1), "");
}

}  // namespace
}  // namespace quenta::test
