#include "graph/GraphPrintCommand.h"

#include <cmath>

#include "catalogue/DesignState.h"
#include "engine/Electrical.h"
#include "graph/CurveModel.h"
#include "graph/GraphForm.h"
#include "graph/GraphPlotData.h"
#include "graph/Plot.h"
#include "mainwindow/Report.h"
#include "ui/Printer.h"
#include "ui/Services.h"

namespace quenta {

namespace {

constexpr int kZ5U = 3;

// The window as it stands, on a landscape page.
void PrintWindowImage(GraphForm& f) {
  const bool z5u = gSelection.DielectricIndex == kZ5U;
  if (z5u) {
    // The notice goes on the page whatever phase its blink was in.
    f.Timer1.setEnabled(false);
    f.Label14.setVisible(true);
  }
  ui::Printer& printer = ui::services().printer();
  try {
    printer.setOrientation(ui::Orientation::Landscape);
    printer.printForm(f);
  } catch (const ui::PrinterError& error) {
    ShowPrintingError(error.number, error.description);
  }
  if (z5u) f.Timer1.setEnabled(true);
}

void PrintDrawnPage(GraphForm& f, int kind) {
  f.setMousePointer(ui::MousePointer::Hourglass);
  GraphPage page;
  page.kind = kind;
  // The range is checked before the printer hears of the page.
  page.range = PageRangeFor(kind, f.Text1[0].text(), f.Text1[1].text());
  if (page.range.refused()) {
    ShowRangeRefused();
    f.setMousePointer(ui::MousePointer::Default);
    return;
  }
  page.header = gGraph.GraphTitle;
  if (gSelection.DielectricIndex == kZ5U) page.header += " Obsolete Part #";
  page.banner = &f.Picture1;
  for (int i = 0; i <= 2; ++i) page.readouts[static_cast<std::size_t>(i)] = f.Text2[i].text();
  for (int k = 1; k <= 4; ++k)
    page.axes[static_cast<std::size_t>(k - 1)] = ToSingle(f.GSGraf.property(172, k));
  page.model = ComputePagePoints;
  try {
    DrawGraphPage(ui::services().printer(), page);
  } catch (const ui::PrinterError& error) {
    f.setMousePointer(ui::MousePointer::Default);
    ShowPrintingError(error.number, error.description);
  }
  f.setMousePointer(ui::MousePointer::Default);
}

}  // namespace

void ComputePagePoints(const PageSweep& sweep, PagePoints& points) {
  FrequencyModel m = GraphFrequencyModel();
  // The page works these in single precision.
  m.SelfResonantFrequency = ToSingle(m.SelfResonantFrequency);
  m.LossFactor = ToSingle(m.LossFactor);
  m.BaseEsrBelow = ToSingle(m.BaseEsrBelow);
  m.BaseEsrAbove = ToSingle(m.BaseEsrAbove);
  const double n = sweep.count;
  for (int i = 1; i <= sweep.count; ++i) {
    const auto at = static_cast<std::size_t>(i);
    if (sweep.kind == kTemperatureRise) {
      // The rise of the point, at ambient plus that rise as a whole number.
      const float rise = ToSingle(i / n * sweep.riseTop);
      const auto temperature = static_cast<float>(std::nearbyint(rise + m.TempAmbient));
      points.y1[at] = CurrentAtRise(m, rise, temperature);
      continue;
    }
    // Whole decades, the first point one step above the lowest.
    const float x = ToSingle(i / n * sweep.decades.count + sweep.decades.low);
    const float f = ToSingle(std::pow(10.0, x));
    const FrequencyPoint p = EvaluateFrequencyPoint(m, f);
    switch (sweep.kind) {
      case kEsrImpedance:
        points.y1[at] = p.EsrAtInternal * 1000;
        points.y2[at] = p.Impedance * 1000;
        break;
      case kMaxCurrent: points.y1[at] = p.MaxCurrent; break;
      case kMaxRipple: points.y1[at] = p.RippleVoltage; break;
      default: break;
    }
  }
}

void F_QuentaGrafForm_Command1_Click() {
  GraphForm& f = F_QuentaGrafForm();
  const int kind = f.GrafName.listIndex();
  if (kind == kPhaseAngle || kind == kCapacitanceChange)
    PrintWindowImage(f);
  else
    PrintDrawnPage(f, kind);
}

}  // namespace quenta
