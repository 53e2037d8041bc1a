// The cursor: the marker each plot places and its readouts, a position
// typed into the first readout box (inside, at and beyond the graph's
// range, and texts that are not numbers), the crosshair that follows the
// pointer, its warnings, and the lock.
#include <cmath>
#include <string>
#include <vector>

#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "catalogue/NumberText.h"
#include "graph/GraphSession.h"

namespace quenta::test {
namespace {

class Cursor : public GraphSession {
 protected:
  // The x of the one vertical cursor line (the y of a horizontal one).
  double lineAt() {
    EXPECT_EQ(lines().size(), 1u);
    if (lines().empty()) return NAN;
    const auto& l = lines()[0];
    return l.y1 == l.y2 ? l.y1 : l.x1;
  }
  // The drawing x of a frequency (kHz) on the ESR graph's 1 to 100000 kHz.
  static double xOfKhz(double khz) { return 200 + 1000 * std::log10(khz) / 5; }
  // The user types a text into a readout box.
  void type(int i, const std::string& text) {
    g().setActiveControl(&g().Text2[i]);
    g().Text2[i].setText(text);
  }
  // The user leaves the readout boxes for the Plot button.
  void leave() { g().setActiveControl(&g().GPlot); }
  // The user types a text key by key into a readout box.
  void typeKeys(int i, const std::string& text) {
    g().setActiveControl(&g().Text2[i]);
    g().Text2[i].setText("");
    for (char c : text) g().userKey(c, c);
  }
  // A pointer move inside the plot.
  void touch() { graph().pointerAt(p172(2) * 1.5, p172(4) * 1.5 + 1e-9); }
};

TEST_F(Cursor, EachPlotStartsWithTheMarkerAndTheMainWindowsValues) {
  open();
  // The ESR graph from 1 kHz: at the operating frequency's 100 kHz the
  // readouts show what the main window shows there.
  EXPECT_EQ(box(0), "100");
  EXPECT_EQ(LeadingNumber(box(1)) * 1000, LeadingNumber(f().T_FreqSpecs[0].text()));
  EXPECT_FALSE(box(2).empty());
  EXPECT_DOUBLE_EQ(lineAt(), xOfKhz(100));
  EXPECT_EQ(lines()[0].y1, 122);
  EXPECT_EQ(lines()[0].y2, 622);
  choose(kMaxCurrent);
  EXPECT_EQ(box(1), f().T_TempSpecs[3].text());
  choose(kMaxRipple);
  EXPECT_EQ(box(1), f().T_TempSpecs[6].text());
  choose(kPhaseAngle);
  EXPECT_EQ(box(1), f().phase[0].text());
  EXPECT_EQ(lines()[0].y1, 500 + 122) << "from the top";
  EXPECT_EQ(lines()[0].y2, 100 + 23) << "to the phase scale's maximum plus 23";

  // The rise graph: a horizontal line at 20 degrees and the current there.
  choose(kTemperatureRise);
  EXPECT_EQ(box(0), "20");
  EXPECT_DOUBLE_EQ(lineAt(), 122 + 500 * 20.0 / 60);
  EXPECT_EQ(lines()[0].x1, 200);
  EXPECT_EQ(lines()[0].x2, 1200);
  // 25 V on the capacitance-change graph, drawn down from the 0 % line.
  choose(kCapacitanceChange);
  EXPECT_EQ(box(0), "25");
  EXPECT_NEAR(lineAt(), 200 + 1000 * 25.0 / 100, 1e-3) << "on a scale to the rated 100 V";
  EXPECT_EQ(lines()[0].y1, 622);
  EXPECT_EQ(lines()[0].y2, 122);
  EXPECT_LT(LeadingNumber(box(1)), 0);
  EXPECT_LT(LeadingNumber(box(2)), 2.2);
  EXPECT_TRUE(messages.empty());
}

TEST_F(Cursor, TheCurrentAtTwentyDegreesIsTheMainWindowsCurrentAtThatRise) {
  f().T_TempRise.setText("20");
  open();
  choose(kTemperatureRise);
  EXPECT_EQ(box(1), f().T_TempSpecs[0].text());
}

TEST_F(Cursor, TheStartIsHeldWithinThePlottedRange) {
  open();
  plot("1", "10");
  EXPECT_EQ(box(0), "10");
  EXPECT_DOUBLE_EQ(lineAt(), 1200);
  plot("0.01", "0.1");
  EXPECT_EQ(box(0), "0.1");
  choose(kTemperatureRise);
  plot("10");
  EXPECT_EQ(box(0), "10");
  EXPECT_TRUE(messages.empty());
}

TEST_F(Cursor, TypedPositionsAreHeldToTheGraphAndMoveTheMarker) {
  open();
  touch();
  type(0, "200000");
  EXPECT_EQ(messageTexts(),
            (std::vector<std::string>{"The entered value is greater than the graph maximum."}));
  EXPECT_EQ(messages[0].title, "Quenta10");
  EXPECT_EQ(box(0), "100000");
  EXPECT_DOUBLE_EQ(lineAt(), 1200);
  // Below the range a value waits while it is typed, the cursor staying;
  // leaving the box holds it to the minimum.
  messages.clear();
  type(0, "0.5");
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(box(0), "0.5");
  EXPECT_DOUBLE_EQ(lineAt(), 1200);
  leave();
  EXPECT_EQ(messageTexts(),
            (std::vector<std::string>{"The entered value is less than the graph minimum."}));
  EXPECT_EQ(messages[0].title, "Quenta10");
  EXPECT_EQ(box(0), "1");
  EXPECT_DOUBLE_EQ(lineAt(), 200);
  // A value on a bound is inside.
  messages.clear();
  type(0, "100000");
  EXPECT_TRUE(messages.empty());
  type(0, "1000");
  EXPECT_DOUBLE_EQ(lineAt(), xOfKhz(1000));
  const std::string esr = box(1);

  // The steps of typing a number, and texts that are none, change nothing,
  // also when the box is left.
  for (const char* text : {"", ".", "0", "-", "1e", "abc", "-0"}) {
    type(0, text);
    leave();
    EXPECT_DOUBLE_EQ(lineAt(), xOfKhz(1000)) << text;
    EXPECT_EQ(box(1), esr) << text;
    EXPECT_EQ(box(0), text);
  }
  EXPECT_TRUE(messages.empty());
  // Typing into the other boxes never moves the cursor.
  type(0, "1000");
  type(1, "5");
  type(2, "7");
  EXPECT_DOUBLE_EQ(lineAt(), xOfKhz(1000));

  // On the phase graph a typed frequency reads the phase there.
  choose(kPhaseAngle);
  touch();
  type(0, "100");
  EXPECT_EQ(box(1), f().phase[0].text());
}

// From the window's first plot on, a typed position moves the marker and
// the readouts there, as it does once the pointer has crossed the graph;
// the plot's own start position is no typing.
TEST_F(Cursor, FromTheFirstPlotATypedPositionMovesTheMarker) {
  open();
  type(0, "1000");
  EXPECT_DOUBLE_EQ(lineAt(), xOfKhz(1000));
  const std::vector<std::string> typed = {box(1), box(2)};
  EXPECT_NE(typed[0], "");
  type(0, "5E6");
  EXPECT_EQ(box(0), "100000");
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_DOUBLE_EQ(lineAt(), 1200);
  g().GPlot.click();
  EXPECT_EQ(box(0), "100");
  EXPECT_DOUBLE_EQ(lineAt(), xOfKhz(100));
  touch();
  type(0, "1000");
  EXPECT_EQ((std::vector<std::string>{box(1), box(2)}), typed);
}

TEST_F(Cursor, NothingMovesWhileTheGraphDrawnIsNotTheOneChosen) {
  open();
  touch();
  plot("4.995", "4.995");  // refused, and the boxes keep these texts
  choose(kMaxCurrent);    // so is this graph's plot, which shows empty
  ASSERT_EQ(messages.size(), 2u);
  ASSERT_EQ(gGraph.PlottedKind, -1);
  ASSERT_EQ(gGraph.ShownKind, kMaxCurrent);
  const std::string value = box(1);
  const auto before = lines();
  type(0, "5");
  graph().pointerAt(10, 1);
  EXPECT_EQ(lines(), before);
  EXPECT_EQ(box(0), "5");
  EXPECT_EQ(box(1), value);
  type(0, "0.5");
  leave();
  EXPECT_EQ(box(0), "0.5");
  EXPECT_EQ(messages.size(), 2u);
  // Back to the graph plotted last, refused too: its plot is gone as well,
  // and its points give no readout on the empty graph.
  choose(kEsrImpedance);
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(gGraph.PlottedKind, -1);
  EXPECT_EQ(gGraph.ShownKind, kEsrImpedance);
  EXPECT_EQ(box(0), "");
  g().LockGraf = false;
  graph().pointerAt(5, 5);
  EXPECT_TRUE(lines().empty());
  EXPECT_EQ(box(0), "");
  EXPECT_EQ(box(1), "");
}

// A frequency typed key by key reads as the same frequency typed at once,
// also on a graph whose range starts above its first digits: those wait,
// and the cursor stays, until the digits bring the value into the range.
TEST_F(Cursor, APositionTypedKeyByKeyReadsAsTypedAtOnce) {
  open();
  plot("150", "2000");  // 100 to 1000 kHz
  type(0, "400");
  const std::vector<std::string> atOnce = {box(1), box(2)};
  const double line = lineAt();
  EXPECT_DOUBLE_EQ(line, 200 + 1000 * std::log10(4.0));
  plot("150", "2000");
  const double start = lineAt();
  const std::vector<std::string> atStart = {box(1), box(2)};
  g().setActiveControl(&g().Text2[0]);
  g().Text2[0].setText("");
  g().userKey('4', '4');
  EXPECT_EQ(box(0), "4");
  EXPECT_DOUBLE_EQ(lineAt(), start);
  EXPECT_EQ((std::vector<std::string>{box(1), box(2)}), atStart);
  g().userKey('0', '0');
  EXPECT_EQ(box(0), "40");
  EXPECT_DOUBLE_EQ(lineAt(), start);
  g().userKey('0', '0');
  EXPECT_EQ(box(0), "400");
  EXPECT_DOUBLE_EQ(lineAt(), line);
  EXPECT_EQ((std::vector<std::string>{box(1), box(2)}), atOnce);
  EXPECT_TRUE(messages.empty());
  // Above the range a value is judged at once: more digits cannot bring
  // it back.
  g().userKey('0', '0');
  EXPECT_EQ(messageTexts(),
            (std::vector<std::string>{"The entered value is greater than the graph maximum."}));
  EXPECT_EQ(box(0), "1000");
  EXPECT_DOUBLE_EQ(lineAt(), 1200);
  // Left below the range, the box is held to the minimum.
  typeKeys(0, "40");
  EXPECT_EQ(messages.size(), 1u);
  leave();
  EXPECT_EQ(messageTexts().back(), "The entered value is less than the graph minimum.");
  EXPECT_EQ(box(0), "100");
  EXPECT_DOUBLE_EQ(lineAt(), 200);
}

TEST_F(Cursor, ThePointerDrawsOneLineAndReadsThePlottedPoints) {
  open();
  graph().pointerAt(1000, 1);
  EXPECT_EQ(box(0), "1000.");
  EXPECT_DOUBLE_EQ(lineAt(), xOfKhz(1000));
  // Between sweep points 441 and 442: the readouts show point 441.
  const int i = 441;
  const double between = std::pow(10.0, 5 * 441.5 / 735);
  graph().pointerAt(between, 1);
  EXPECT_EQ(box(1), RoundSig3Text(gGraph.GraphY1[i] / 1000));
  EXPECT_EQ(box(2), RoundSig3Text(gGraph.GraphY2[i] / 1000));
  graph().pointerAt(12.3456, 1);
  EXPECT_EQ(box(0), "12.346");
  EXPECT_EQ(lines().size(), 1u);
  // On a limit the pointer is inside; beyond one nothing changes.
  graph().pointerAt(100000, 100);
  EXPECT_DOUBLE_EQ(lineAt(), 1200);
  EXPECT_EQ(box(1), RoundSig3Text(gGraph.GraphY1[735] / 1000));
  g().ManualChange = false;
  graph().pointerAt(100001, 1);
  EXPECT_DOUBLE_EQ(lineAt(), 1200);
  EXPECT_TRUE(g().ManualChange);
  graph().pointerAt(NAN, 1);
  EXPECT_DOUBLE_EQ(lineAt(), 1200);

  choose(kMaxCurrent);
  graph().pointerAt(between, 1);
  EXPECT_EQ(box(0), RoundSig3Text(between));
  EXPECT_EQ(box(1), RoundSig3Text(gGraph.GraphY1[i]));
}

TEST_F(Cursor, AClickLocksAndUnlocksAndAKeyLocks) {
  open();
  graph().pointerAt(1000, 1);
  graph().buttonDown(1);
  EXPECT_TRUE(g().LockGraf);
  g().ManualChange = false;
  graph().pointerAt(10, 1);
  EXPECT_DOUBLE_EQ(lineAt(), xOfKhz(1000));
  EXPECT_EQ(box(0), "1000.");
  EXPECT_FALSE(g().ManualChange);
  graph().buttonDown(2);
  EXPECT_TRUE(g().LockGraf);
  graph().buttonDown(1);
  EXPECT_FALSE(g().LockGraf);
  graph().pointerAt(10, 1);
  EXPECT_DOUBLE_EQ(lineAt(), xOfKhz(10));

  g().setActiveControl(&g().Text2[2]);
  g().userKey(65, 'A');
  EXPECT_TRUE(g().LockGraf);
  // Every plot releases the lock.
  g().GPlot.click();
  EXPECT_FALSE(g().LockGraf);
}

TEST_F(Cursor, TheRiseGraphWarnsAtTheTemperatureLimits) {
  open();
  choose(kTemperatureRise);
  const ui::TextBox& rise = g().Text2[0];
  graph().pointerAt(1, 50);  // at the series' rise limit: within
  EXPECT_FALSE(g().Label11.visible());
  EXPECT_EQ(box(0), "50");
  graph().pointerAt(1, 55);
  EXPECT_TRUE(g().Label11.visible());
  EXPECT_EQ(g().Label11.caption(), "Temp. Rise Exceeded  50\u00B0C");
  EXPECT_EQ(rise.backColor(), ui::colors::red);
  EXPECT_EQ(rise.foreColor(), ui::colors::white);
  gTemps.TempAmbient = 110;  // 110 + 45 passes the limit of 150
  graph().pointerAt(1, 45);
  EXPECT_EQ(g().Label11.caption(), "Overall Temp. Exceeded  150\u00B0C");
  graph().pointerAt(1, 30);
  EXPECT_FALSE(g().Label11.visible());
  EXPECT_EQ(g().Label11.caption(), std::string(27, ' '));
  EXPECT_EQ(rise.backColor(), ui::colors::white);
  EXPECT_EQ(rise.foreColor(), ui::colors::black);
  EXPECT_EQ(box(1), RoundSig3Text(gGraph.GraphY1[static_cast<int>(450 * 30.0 / 60)]));
}

TEST_F(Cursor, TheCapacitanceGraphShowsTheNearestPointOrAnEnd) {
  open();
  choose(kCapacitanceChange);
  graph().pointerAt(22.4, -10);  // 0.2 V steps: point 112 is within 3 %
  EXPECT_EQ(box(0), "22.4");
  EXPECT_EQ(box(1), RoundSig3Text(gGraph.GraphY3[109]));  // 21.8 V, the first within 3 %
  // Below 0.075 V the search is for 0.075 V, which no point is near.
  graph().pointerAt(0.05, -10);
  EXPECT_EQ(box(0), "0.2") << "left of drawing position 250: the first point";
  graph().pointerAt(69.9, -10);
  EXPECT_EQ(box(0), "69.9");
  // Within the first 5 % of the plot the point the search found.
  graph().pointerAt(3, -10);  // h = 230
  EXPECT_EQ(box(0), "3");
  EXPECT_EQ(box(1), RoundSig3Text(gGraph.GraphY3[15]));
  EXPECT_EQ(box(2), RoundSig3Text(gGraph.GraphY2[15]));
  // Between the low points, more than 3 % apart, the nearest one.
  graph().pointerAt(0.52, -10);
  EXPECT_EQ(box(0), "0.6");
  EXPECT_EQ(box(1), RoundSig3Text(gGraph.GraphY3[3]));
}

TEST_F(Cursor, ACutCurvesScaleAndCursorEndWithIt) {
  open();
  gChip.DielThickness = 0.2135 / 0.72;
  gChip.Mult = 1;
  gChip.Cascades = 1;
  choose(kCapacitanceChange);
  ASSERT_EQ(gGraph.CurveLastPoint, 320);
  EXPECT_FLOAT_EQ(static_cast<float>(p172(1)), 64) << "the curve's last point";
  EXPECT_EQ(box(0), "25");
  graph().pointerAt(64, -10);
  EXPECT_EQ(box(0), "64");
  // A curve cut below the start voltage: the cursor starts at its end.
  gChip.DielThickness = 0.2135 / 0.72 * 20 / 64;
  choose(kCapacitanceChange);
  ASSERT_EQ(gGraph.CurveLastPoint, 100);
  EXPECT_EQ(box(0), "20");
  EXPECT_DOUBLE_EQ(lineAt(), 1200);
  EXPECT_EQ(box(1), RoundSig3Text(gGraph.GraphY3[100]));
}

}  // namespace
}  // namespace quenta::test
