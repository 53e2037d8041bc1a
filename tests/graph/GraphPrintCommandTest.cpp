// Print Graph in the graph window: which path each graph takes, the busy
// pointer, the heading of a Z5U part, the blink timer around the window's
// image, the range checked before the printer hears of anything, printer
// failures, which never reach a later document, and the page's curve model
// against the plot's.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "graph/CurveModel.h"
#include "graph/GraphPrintCommand.h"
#include "graph/GraphSession.h"
#include "mainwindow/Report.h"
#include "ui/Headless.h"

namespace quenta::test {
namespace {

using Ops = std::vector<std::string>;

class PrintGraph : public GraphSession {
 protected:
  ui::RecordingPrinter& printer() { return services.recordingPrinter(); }
  const Ops& lastDocument() {
    static const Ops none;
    return printer().documents().empty() ? none : printer().documents().back();
  }
  bool has(const Ops& ops, const std::string& op) {
    return std::find(ops.begin(), ops.end(), op) != ops.end();
  }
};

TEST_F(PrintGraph, DrawnPageUnderTheBusyPointerWithTheLastPlotsTitle) {
  open();
  std::vector<ui::MousePointer> pointers;
  printer().onDocument = [&](const Ops&) { pointers.push_back(g().mousePointer()); };
  const std::vector<double> plotted = gGraph.GraphY1;
  g().Command1.click();
  ASSERT_EQ(printer().documents().size(), 1u);
  EXPECT_EQ(pointers, std::vector<ui::MousePointer>{ui::MousePointer::Hourglass});
  EXPECT_EQ(g().mousePointer(), ui::MousePointer::Default);
  EXPECT_TRUE(has(lastDocument(), "text 10,10 \"" + gGraph.GraphTitle + "\""));
  // The page has buffers of its own: the plot the crosshair reads stays.
  EXPECT_EQ(gGraph.GraphY1, plotted);
  EXPECT_TRUE(messages.empty());
}

TEST_F(PrintGraph, Z5uPartsPrintTheObsoleteNoticeAndPauseTheBlinkForTheImage) {
  open("50", "Z5U", "");
  ASSERT_TRUE(g().Timer1.enabled());
  g().Command1.click();
  EXPECT_TRUE(has(lastDocument(), "text 10,10 \"" + gGraph.GraphTitle + " Obsolete Part #\""));

  choose(kPhaseAngle);
  g().Label14.setVisible(false);  // caught in the dark phase of its blink
  std::vector<bool> noticeShown, timerOn;
  printer().onDocument = [&](const Ops&) {
    noticeShown.push_back(g().Label14.visible());
    timerOn.push_back(g().Timer1.enabled());
  };
  g().Command1.click();
  // (The settings the drawn page gave back lead the document.)
  const Ops& image = lastDocument();
  ASSERT_GE(image.size(), 3u);
  EXPECT_EQ(Ops(image.end() - 3, image.end()),
            (Ops{"orientation landscape", "window \"F_QuentaGrafForm\"", "enddoc"}));
  EXPECT_EQ(noticeShown, std::vector<bool>{true});
  EXPECT_EQ(timerOn, std::vector<bool>{false});
  EXPECT_TRUE(g().Timer1.enabled());
  EXPECT_EQ(g().mousePointer(), ui::MousePointer::Default);
}

TEST_F(PrintGraph, ARefusedRangeSendsNothingToThePrinter) {
  open();
  choose(kMaxCurrent);
  g().Text1[0].setText("4.995");
  g().Text1[1].setText("4.995");
  g().Command1.click();
  EXPECT_EQ(messageTexts(), std::vector<std::string>{"End value must be greater than Start value."});
  EXPECT_TRUE(printer().pending().empty());
  EXPECT_TRUE(printer().documents().empty());
  EXPECT_EQ(g().mousePointer(), ui::MousePointer::Default);
  // The temperature-rise graph with a first box below 0.5.
  choose(kTemperatureRise);
  g().Text1[0].setText("0.4");
  g().Command1.click();
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_TRUE(printer().documents().empty());
}

TEST_F(PrintGraph, APrinterFailureEndsThePrintWithTheErrorBox) {
  open();
  printer().failAfter(25, 482, "Printer error: out of paper.");
  g().Command1.click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Error!");
  EXPECT_EQ(messages[0].text, "Printing Error\r\nError Number: 482\r\nPrinter error: out of paper.");
  EXPECT_TRUE(printer().documents().empty());
  EXPECT_EQ(printer().orientation(), ui::Orientation::Portrait);
  EXPECT_EQ(printer().scale(), 1);
  EXPECT_EQ(g().mousePointer(), ui::MousePointer::Default);
  // The window's image likewise; the blink of a Z5U part starts again.
  ResetForms();
  ASSERT_TRUE(start(QUENTA_PROGRAM_FOLDER));
  open("50", "Z5U", "");
  choose(kCapacitanceChange);
  messages.clear();
  printer().failAfter(1, 486, "No printer is installed.");
  g().Command1.click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Printing Error\r\nError Number: 486\r\nNo printer is installed.");
  EXPECT_TRUE(g().Timer1.enabled());
}

// What a document puts on paper: each mark with the settings it is made
// in, replayed from the printer's settings at the document's start.
struct Settings {
  std::string orientation, scale, width, fore, font, size;
};
Settings settingsOf(const ui::Printer& p) {
  return {p.orientation() == ui::Orientation::Landscape ? "landscape" : "portrait",
          std::to_string(p.scale()), std::to_string(p.drawWidth()),
          ui::colorText(p.foreColor()), ui::quoteText(p.fontName()), std::to_string(p.fontSize())};
}
Ops onPaper(const Ops& document, Settings start) {
  auto& [orientation, scale, width, fore, font, size] = start;
  Ops out;
  for (const std::string& op : document) {
    const std::string word = op.substr(0, op.find(' '));
    const std::string rest = op.substr(op.find(' ') + 1);
    if (word == "orientation") orientation = rest;
    else if (word == "scale") scale = std::to_string(std::stod(rest));
    else if (word == "drawwidth") width = rest;
    else if (word == "forecolor") fore = rest;
    else if (word == "font") font = rest;
    else if (word == "fontsize") size = std::to_string(std::stod(rest));
    else out.push_back(op + " in " + orientation + ", scale " + scale + ", width " + width + ", " +
                       fore + ", " + font + " " + size);
  }
  return out;
}

// A printer failure on any of the last operations of a printed graph page,
// those that put its settings back among them, never reaches the next
// document: the results report and the page printed next come out as
// they do after a page printed without failure.
TEST_F(PrintGraph, AFailureAtTheEndOfAPageNeverReachesTheNextDocument) {
  open();
  // The next document on its own, on paper.
  auto next = [&](const std::function<void()>& print) {
    printer().killDoc();  // what the page left pending, its settings put back
    const Settings before = settingsOf(printer());
    const std::size_t sent = printer().documents().size();
    print();
    EXPECT_EQ(printer().documents().size(), sent + 1);
    return onPaper(printer().documents().back(), before);
  };
  auto report = [&] { Command2_Click(); };
  auto page = [&] { g().Command1.click(); };
  for (int kind : {kEsrImpedance, kTemperatureRise, kMaxCurrent, kMaxRipple, kPhaseAngle,
                   kCapacitanceChange}) {
    choose(kind);
    // Each page below starts on a printer in its first settings, so that
    // its failure falls on the operation meant.
    auto fresh = [&] {
      ui::startFromOwnSettings(printer());
      printer().killDoc();
    };
    // The operations of the page, those that follow its end included.
    fresh();
    page();
    const auto operations = static_cast<int>(printer().documents().back().size() + printer().pending().size());
    const Ops reportAfter = next(report);
    const Ops pageAfter = next(page);
    for (int k = std::max(0, operations - 12); k < operations; ++k) {
      SCOPED_TRACE("kind " + std::to_string(kind) + ", failure at operation " + std::to_string(k) +
                   " of " + std::to_string(operations));
      fresh();
      printer().failAfter(k, 482, "Printer error: out of paper.");
      page();
      EXPECT_EQ(next(report), reportAfter);
      fresh();
      printer().failAfter(k, 482, "Printer error: out of paper.");
      page();
      EXPECT_EQ(next(page), pageAfter);
    }
  }
}

TEST_F(PrintGraph, ThePagesModelAgreesWithThePlotAtTheSameFrequency) {
  open();
  choose(kMaxCurrent);  // 1 kHz to 100000 kHz, the last point at 1E8 Hz
  PageSweep sweep;
  sweep.kind = kMaxCurrent;
  sweep.count = 756;
  sweep.decades = {3, 8, 5};
  PagePoints points;
  points.y1.assign(757, 0.0);
  points.y2.assign(757, 0.0);
  ComputePagePoints(sweep, points);
  EXPECT_NEAR(points.y1[756], gGraph.GraphY1[735], 1e-5 * gGraph.GraphY1[735]);
  // Kind 0: the ESR first, the impedance second, in milliohms.
  choose(kEsrImpedance);
  sweep.kind = kEsrImpedance;
  ComputePagePoints(sweep, points);
  EXPECT_NEAR(points.y1[756], gGraph.GraphY1[735], 1e-5 * gGraph.GraphY1[735]);
  EXPECT_NEAR(points.y2[756], gGraph.GraphY2[735], 1e-5 * gGraph.GraphY2[735]);
  // Kind 1 at 60 °C: the last point is the plot's last, whose temperature
  // is a whole number already.
  choose(kTemperatureRise);
  sweep.kind = kTemperatureRise;
  sweep.count = 561;
  sweep.riseTop = 60;
  ComputePagePoints(sweep, points);
  EXPECT_NEAR(points.y1[561], gGraph.GraphY1[450], 1e-5 * gGraph.GraphY1[450]);
}

}  // namespace
}  // namespace quenta::test
