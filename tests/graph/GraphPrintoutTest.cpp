// The drawn graph page: its box, range, axes and labels for the cases the
// user meets (a start below 5 Hz, rise tops of 30, 45, 60 and above 140,
// currents of 0.35 and 23 A), and the page as the printer receives it:
// one document, curves only where a logarithm exists, the cursor line,
// and a printer failure that abandons the page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "graph/GraphPrintout.h"
#include "ui/Form.h"
#include "ui/Headless.h"

namespace quenta {
namespace {

using Ops = std::vector<std::string>;

TEST(GraphPrintout, PlotBoxOfALandscapeLetterPage) {
  // 10.5 by 8 inches printable: 9450 by 7200 units of 1.6 twips.
  const PlotBox box = PlotBoxFor(15120, 11520);
  EXPECT_EQ(box.width, 9450.0f);
  EXPECT_EQ(box.height, 7200.0f);
  EXPECT_EQ(box.left, 945);
  EXPECT_EQ(box.right, 8505);
  EXPECT_EQ(box.top, 864);
  EXPECT_EQ(box.bottom, 6480);
  EXPECT_EQ(box.points, 756);
  // A wider page gets more points: they are not capped.
  EXPECT_EQ(PlotBoxFor(2 * 15120, 11520).points, 1512);
}

TEST(GraphPrintout, FrequencyRangeAndDecades) {
  PageRange r = PageRangeFor(0, "1", "100000");
  EXPECT_EQ(r.start, 1000);
  EXPECT_EQ(r.end, 1e8);
  Decades d = FrequencyDecades(r);
  EXPECT_EQ(d.low, 3);
  EXPECT_EQ(d.high, 8);
  EXPECT_EQ(d.count, 5);
  // Below 5 Hz the page starts at 5 Hz, in the decade from 1 Hz.
  r = PageRangeFor(2, "0.001", "1");
  EXPECT_EQ(r.start, 5);
  d = FrequencyDecades(r);
  EXPECT_EQ(d.low, 0);
  EXPECT_EQ(d.high, 3);
  // An end of 7E6 kHz is taken as Plot takes it; beyond 1E10 Hz it is cut.
  r = PageRangeFor(3, "1", "7E6");
  EXPECT_EQ(r.end, 7e9);
  EXPECT_FALSE(r.refused());
  EXPECT_EQ(FrequencyDecades(r).high, 10);
  EXPECT_EQ(PageRangeFor(3, "1", "2E7").end, 1e10);
  // A reversed or empty range is refused.
  EXPECT_TRUE(PageRangeFor(0, "100", "10").refused());
  EXPECT_TRUE(PageRangeFor(0, "", "").refused());
  EXPECT_TRUE(PageRangeFor(4, "1", "100000").refused());  // no drawn page
}

TEST(GraphPrintout, RiseAxisFromTheFirstBox) {
  struct Case {
    const char* box;
    int top;
    int steps;
  };
  for (const Case& c : {Case{"60", 60, 6}, Case{"30", 30, 3}, Case{"45", 50, 5},
                        Case{"0.6", 10, 1}, Case{"141", 150, 15}, Case{"500", 150, 15}}) {
    const PageRange r = PageRangeFor(1, c.box, "ignored");
    EXPECT_EQ(r.start, 0) << c.box;
    EXPECT_FALSE(r.refused()) << c.box;
    const RiseAxis a = RiseAxisFor(r);
    EXPECT_EQ(a.top, c.top) << c.box;
    EXPECT_EQ(a.steps, c.steps) << c.box;
  }
  EXPECT_TRUE(PageRangeFor(1, "0.4", "100").refused());
  EXPECT_TRUE(PageRangeFor(1, "abc", "100").refused());
  // Ends that are no finite number of degrees give the scale's own ends.
  EXPECT_EQ(RiseAxisFor(PageRange{-HUGE_VAL, -HUGE_VAL}).top, 0);
  EXPECT_EQ(RiseAxisFor(PageRange{NAN, NAN}).steps, 1);
  EXPECT_EQ(RiseAxisFor(PageRange{HUGE_VAL, HUGE_VAL}).low, 150);
}

TEST(GraphPrintout, CurrentAxisByTheLargestCurrent) {
  CurrentAxis a = CurrentAxisFor(0.35f);
  EXPECT_DOUBLE_EQ(a.top, 0.4);
  EXPECT_EQ(a.steps, 4);
  EXPECT_TRUE(a.minorLines);
  EXPECT_EQ(a.minorColor, ui::rgb(0x80, 0x80, 0x80));
  EXPECT_EQ(AxisLabelText(3 * a.labelStep), " .3");
  a = CurrentAxisFor(23);
  EXPECT_EQ(a.top, 30);
  EXPECT_EQ(a.steps, 3);
  EXPECT_FALSE(a.minorLines);
  EXPECT_EQ(a.stepColor, ui::rgb(0x40, 0x40, 0x40));
  a = CurrentAxisFor(7.2f);
  EXPECT_EQ(a.top, 8);
  EXPECT_FALSE(a.minorLines);  // eight steps are too many for minor lines
  a = CurrentAxisFor(2.5f);
  EXPECT_EQ(a.steps, 3);
  EXPECT_EQ(a.minorColor, ui::rgb(0x70, 0x70, 0x70));
  // No current above zero: 0 to 1 A.
  a = CurrentAxisFor(0);
  EXPECT_DOUBLE_EQ(a.top, 1);
  EXPECT_EQ(a.steps, 10);
  // A current that is no number, or too large for a scale, gives none
  // that overflows its count of steps.
  EXPECT_EQ(CurrentAxisFor(HUGE_VALF).steps, 10);
  EXPECT_EQ(CurrentAxisFor(1e30f).steps, 100000);
}

TEST(GraphPrintout, ValueRangeAndDecades) {
  const std::vector<double> esr = {0, 120, 80, 60};
  const std::vector<double> impedance = {0, 5000, 900, 30};
  // Kind 0 covers both curves; the starting values take part, so the
  // lowest value is never above 100.
  ValueRange v = ScanValues(0, esr, impedance, 3);
  EXPECT_EQ(v.low, 30);
  EXPECT_EQ(v.high, 5000);
  Decades d = ValueDecades(v.low, v.high);
  EXPECT_EQ(d.low, 1);
  EXPECT_EQ(d.high, 4);
  EXPECT_EQ(d.count, 3);
  v = ScanValues(2, esr, impedance, 3);
  EXPECT_EQ(v.low, 60);
  EXPECT_EQ(v.high, 120);
  v = ScanValues(2, std::vector<double>{0, 500, 600}, {}, 2);
  EXPECT_EQ(v.low, 100);
  // Values at 0 get the floor of 0.0001; with none above 0 the axis is one
  // decade.
  v = ScanValues(0, std::vector<double>{0, 0, 0}, std::vector<double>{0, 0, 0}, 2);
  EXPECT_EQ(v.low, 0.0001f);
  EXPECT_EQ(v.high, 0);
  d = ValueDecades(v.low, v.high);
  EXPECT_EQ(d.count, 1);
  d = ValueDecades(0.002f, 3);
  EXPECT_EQ(d.low, -3);
  EXPECT_EQ(d.high, 1);
  EXPECT_EQ(d.count, 4);
  EXPECT_EQ(ValueDecades(1, 1).count, 1);
  EXPECT_EQ(ValueDecades(1, HUGE_VALF).count, 1);
}

TEST(GraphPrintout, AxisLabelsHaveASignPlaceAndNoLeadingZero) {
  EXPECT_EQ(AxisLabelText(10), " 10");
  EXPECT_EQ(AxisLabelText(0.001), " .001");
  EXPECT_EQ(AxisLabelText(1e-5), " 1E-05");
  EXPECT_EQ(AxisLabelText(-0.5), "-.5");
}

// A page on the recording printer, with a model that gives every point
// the value `value(i)`.
class Page : public ::testing::Test {
 protected:
  GraphPage page(int kind, std::function<double(int)> value) {
    GraphPage p;
    p.kind = kind;
    p.range = kind == 1 ? PageRangeFor(1, "60", "") : PageRangeFor(kind, "1", "100000");
    p.header = "Quenta10 Graph KD015A685K";
    p.readouts = {kind == 1 ? "30" : "1000", "2", "3"};
    p.axes = kind == 1 ? std::array<float, 4>{10, 0, 60, 0} : std::array<float, 4>{1e5f, 1, 0, 0};
    p.model = [value](const PageSweep& sweep, PagePoints& points) {
      sweeps.push_back(sweep);
      for (int i = 1; i <= sweep.count; ++i) {
        points.y1[static_cast<std::size_t>(i)] = value(i);
        points.y2[static_cast<std::size_t>(i)] = 2 * value(i);
      }
    };
    return p;
  }
  Ops document() {
    EXPECT_EQ(printer.documents().size(), 1u);
    return printer.documents().empty() ? Ops{} : printer.documents()[0];
  }
  static long count(const Ops& ops, const std::string& prefix, const std::string& suffix = "") {
    return std::count_if(ops.begin(), ops.end(), [&](const std::string& op) {
      return op.starts_with(prefix) && op.ends_with(suffix);
    });
  }
  void SetUp() override { sweeps.clear(); }
  ui::RecordingPrinter printer;
  static inline std::vector<PageSweep> sweeps;
};

TEST_F(Page, EsrAndImpedancePageIsOneLandscapeDocument) {
  ui::Form window("F_Graph");
  ui::PictureBox banner(window, "Picture1");
  GraphPage p = page(0, [](int i) { return 10.0 * i; });
  p.banner = &banner;
  DrawGraphPage(printer, p);
  const Ops ops = document();
  ASSERT_GT(ops.size(), 10u);
  EXPECT_EQ(ops[0], "scale 1");
  EXPECT_EQ(ops[1], "orientation landscape");
  EXPECT_EQ(ops[2], "scale 1.6");
  EXPECT_EQ(count(ops, "box 945,864 8505,6480 #000000"), 1);
  EXPECT_EQ(count(ops, "text 10,10 \"Quenta10 Graph KD015A685K\""), 1);
  // The banner is placed in inches.
  const auto picture =
      std::find(ops.begin(), ops.end(), "picture of F_Graph.Picture1 6.85,0.15 2.687x0.38");
  ASSERT_NE(picture, ops.end());
  EXPECT_EQ(*(picture - 1), "scale 1440");
  EXPECT_EQ(*(picture + 1), "scale 1.6");
  EXPECT_EQ(ops.back(), "enddoc");
  EXPECT_EQ(count(ops, "newpage"), 0);  // no blank page after it
  // Five decades of frequency, each with eight grey lines and a black one.
  EXPECT_EQ(count(ops, "line ", ",6480 #707070"), 40);
  EXPECT_EQ(count(ops, "text 8355,6630 \"100000\""), 1);  // right end, kHz
  EXPECT_EQ(count(ops, "text 795,6630 \"1\""), 1);
  // The model was asked for one point per ten units over whole decades.
  ASSERT_EQ(sweeps.size(), 1u);
  EXPECT_EQ(sweeps[0].count, 756);
  EXPECT_EQ(sweeps[0].decades.low, 3);
  EXPECT_EQ(sweeps[0].decades.count, 5);
  // Both curves, 755 segments each, in red and blue at width 12.
  EXPECT_EQ(count(ops, "line ", " #FF0000"), 755 + 1);  // and the legend sample
  EXPECT_EQ(count(ops, "line ", " #0000FF"), 755 + 1);
  EXPECT_EQ(count(ops, "drawwidth 12"), 2);
  // The value labels in ohms, at the right edge.
  EXPECT_EQ(count(ops, "text 8555,", "\" .01\""), 1);
  // The cursor at 1000 kHz: three fifths of the way across.
  EXPECT_EQ(count(ops, "forecolor #008000"), 1);
  EXPECT_EQ(count(ops, "line 5481,6480 5481,864 #00FF00"), 1);
  // The printer gets its settings back after the document.
  EXPECT_EQ(printer.pending(), (Ops{"orientation portrait", "scale 1", "drawwidth 1",
                                    "forecolor #000000"}));
  EXPECT_EQ(printer.scale(), 1);
  EXPECT_EQ(printer.currentX(), 0);
}

TEST_F(Page, TemperatureRisePageHasItsGridUpAndCurrentsAcross) {
  DrawGraphPage(printer, page(1, [](int i) { return 0.001 * i; }));
  const Ops ops = document();
  ASSERT_EQ(sweeps.size(), 1u);
  EXPECT_EQ(sweeps[0].count, 561);  // (6480 - 864) / 10
  EXPECT_EQ(sweeps[0].riseTop, 60);
  // Six steps of 10 °C with no minor lines.
  EXPECT_EQ(count(ops, "text 545,", "\" 10\""), 1);
  EXPECT_EQ(count(ops, "text 545,", "\" 60\""), 1);
  EXPECT_EQ(count(ops, "line 945,", " #707070"), 0);
  // The largest current 0.561 A: 0.6 A in six steps, no minor lines.
  EXPECT_EQ(count(ops, "text ", "\" .6\""), 1);
  EXPECT_EQ(count(ops, "text 795,6530 \"0.0\""), 1);
  EXPECT_EQ(count(ops, "line ", " #FF0000"), 560);
  // The cursor at a rise of 30 °C: halfway up, drawn right to left.
  EXPECT_EQ(count(ops, "line 8505,3672 945,3672 #00FF00"), 1);
}

TEST_F(Page, PointsWithoutALogarithmAreNotDrawn) {
  // Every other point 0: no segment touches one.
  DrawGraphPage(printer, page(2, [](int i) { return i % 2 ? 5.0 : 0.0; }));
  EXPECT_EQ(count(document(), "line ", " #FF0000"), 0);
  // All 0: the frame and a grid of one decade, no curve.
  printer = ui::RecordingPrinter();
  DrawGraphPage(printer, page(3, [](int) { return 0.0; }));
  const Ops ops = document();
  EXPECT_EQ(count(ops, "box "), 1);
  EXPECT_EQ(count(ops, "line ", " #FF0000"), 0);
  EXPECT_EQ(count(ops, "text 8555,", "\" 1\""), 1);
  EXPECT_EQ(count(ops, "text 8555,", "\" 10\""), 1);
  // A model that fails gives no point either.
  printer = ui::RecordingPrinter();
  DrawGraphPage(printer, page(2, [](int) { return std::nan(""); }));
  EXPECT_EQ(count(document(), "line ", " #FF0000"), 0);
}

TEST_F(Page, CurvesStayInsideTheFrame) {
  // A value far below the axis floor of 0.0001 is cut at the frame.
  DrawGraphPage(printer, page(2, [](int i) { return i == 1 ? 1e-9 : 1.0; }));
  const Ops ops = document();
  const auto first = std::find_if(ops.begin(), ops.end(),
                                  [](const std::string& op) { return op.ends_with("#FF0000"); });
  ASSERT_NE(first, ops.end());
  EXPECT_TRUE(first->find(",6480 ") != std::string::npos) << *first;
}

TEST_F(Page, APrinterFailureAbandonsThePage) {
  printer.failAfter(40, 482, "Printer error: out of paper.");
  EXPECT_THROW(DrawGraphPage(printer, page(0, [](int i) { return 10.0 * i; })), ui::PrinterError);
  EXPECT_TRUE(printer.documents().empty());
  // The settings came back: nothing else stays queued.
  EXPECT_EQ(printer.pending(), (Ops{"orientation portrait", "scale 1", "drawwidth 1",
                                    "forecolor #000000"}));
  EXPECT_EQ(printer.orientation(), ui::Orientation::Portrait);
}

TEST_F(Page, ARefusedRangeOrAnotherKindSendsNothing) {
  GraphPage p = page(0, [](int) { return 1.0; });
  p.range = PageRangeFor(0, "100", "1");
  DrawGraphPage(printer, p);
  p = page(4, [](int) { return 1.0; });
  DrawGraphPage(printer, p);
  EXPECT_TRUE(printer.pending().empty());
  EXPECT_TRUE(printer.documents().empty());
  EXPECT_TRUE(sweeps.empty());
}

}  // namespace
}  // namespace quenta
