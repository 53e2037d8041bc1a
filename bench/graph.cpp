// The graph window, headless and on Qt, for one X7R part of the shipped
// catalogue: one plot of each graph (goal: at most 2 ms each), one pointer
// move over the plot with its readouts (goal: at most 0.1 ms), and one
// paint of the chart into an image at its size in the window (goal: at
// most 5 ms).
#include <benchmark/benchmark.h>

#include <string>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "catalogue/FileLookup.h"
#include "graph/GraphForm.h"
#include "graph/GraphWindow.h"
#include "mainwindow/Commands.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "qt/GraphWidget.h"
#include "ui/Headless.h"

namespace {

// Opens the graph window on the part; false (with the reason given to the
// benchmark) when it cannot.
bool OpenGraph(benchmark::State& state, ui::HeadlessServices& services) {
  const std::string folder = QUENTA_PROGRAM_FOLDER;
  if (!quenta::FindFileIgnoringCase(folder, "CLCMXCAP.DAT")) {
    state.SkipWithError("the program folder holds no catalogue");
    return false;
  }
  quenta::SetProgramFolder(folder);
  quenta::InstallGraphWindow();
  quenta::ResetForms();
  quenta::Main();
  quenta::MainForm& f = quenta::F_QuentaMainForm();
  f.CB_Type.setText("KD");
  f.CB_Case.setText("05");
  f.CB_Volt.setText("100");
  f.CB_Dielectric.setText("X7R");
  f.CB_Cap.setText(" 2.2 \u00B5F");
  services.onMessageBox = [&](const ui::MessageBoxRequest& r) {
    state.SkipWithError(("a message box opened: " + r.title).c_str());
    return ui::MsgResult::Ok;
  };
  quenta::Command1_Click();
  quenta::Command3_Click();
  if (!quenta::GraphFormLoaded()) {
    state.SkipWithError("the graph window did not open");
    return false;
  }
  return true;
}

// Runs a benchmark body on the graph window with the graph of the
// benchmark's argument chosen.
template <typename Body>
void OnGraph(benchmark::State& state, Body body) {
  ui::HeadlessServices services;
  ui::ScopedServices scope(services);
  if (OpenGraph(state, services)) {
    quenta::GraphForm& g = quenta::F_QuentaGrafForm();
    g.GrafName.setListIndex(static_cast<int>(state.range(0)));
    state.SetLabel(g.GrafName.text());
    body(g);
  }
  quenta::ResetForms();
}

void BM_GraphPlot(benchmark::State& state) {
  OnGraph(state, [&](quenta::GraphForm& g) {
    for (auto _ : state) {
      g.GPlot.click();
      g.GSGraf.clearCalls();
    }
  });
}
BENCHMARK(BM_GraphPlot)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

void BM_GraphPointerMove(benchmark::State& state) {
  OnGraph(state, [&](quenta::GraphForm& g) {
    // Across the plot and back, so that every move draws and reads anew.
    double h = 250, step = 7;
    for (auto _ : state) {
      g.GSGraf.pointerMove(h, 372);
      h += step;
      if (h > 1150 || h < 250) step = -step;
      g.GSGraf.clearCalls();
    }
  });
}
BENCHMARK(BM_GraphPointerMove)->Arg(0)->Arg(1)->Arg(5)->Unit(benchmark::kMicrosecond);

void BM_GraphPaint(benchmark::State& state) {
  if (!QApplication::instance()) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "quenta10-bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
  }
  OnGraph(state, [&](quenta::GraphForm& g) {
    // The chart's size in the window: 9495 by 4695 twips.
    QImage image(633, 313, QImage::Format_ARGB32_Premultiplied);
    QFont font("Liberation Sans");
    font.setPointSizeF(7.2);
    for (auto _ : state) {
      QPainter p(&image);
      qtui::GraphWidget::paint(p, g.GSGraf, QRectF(image.rect()), font);
    }
  });
}
BENCHMARK(BM_GraphPaint)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
