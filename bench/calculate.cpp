// One complete calculation, headless, as the Calculate button runs it
// without its picture: temperature limits, capacitance check, chip design,
// capacitance-change curve, thermal and electrical models and the results
// panel. Three parts of different construction from the shipped catalogue:
// a leaded chip stack, a single chip and a coated part with wire leads.
#include <benchmark/benchmark.h>

#include <string>

#include "catalogue/FileLookup.h"
#include "mainwindow/Calculate.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "ui/Headless.h"

namespace {

struct Part {
  const char* series;
  const char* caseText;  // nullptr: the series' first case
  const char* voltage;
  const char* dielectric;
};

void BM_Calculate(benchmark::State& state, Part part) {
  ui::HeadlessServices services;
  ui::ScopedServices scope(services);
  const std::string folder = QUENTA_PROGRAM_FOLDER;
  if (!quenta::FindFileIgnoringCase(folder, "CLCMXCAP.DAT")) {
    state.SkipWithError("the program folder holds no catalogue");
    return;
  }
  quenta::SetProgramFolder(folder);
  quenta::ResetForms();
  try {
    quenta::Main();
    quenta::MainForm& f = quenta::F_QuentaMainForm();
    f.CB_Type.setText(part.series);
    if (part.caseText) f.CB_Case.setText(part.caseText);
    f.CB_Volt.setText(part.voltage);
    f.CB_Dielectric.setText(part.dielectric);
    // Any dialog or message would make this a different measurement.
    services.onMessageBox = [&](const ui::MessageBoxRequest& r) {
      state.SkipWithError(("a message box opened: " + r.title).c_str());
      return ui::MsgResult::Ok;
    };
    services.onRunModal = [&](ui::Form& form) {
      state.SkipWithError("a dialog opened");
      form.hide();
    };
    quenta::Calculate();
    if (!f.Command2.enabled()) {
      state.SkipWithError("the part gave no results");
    } else {
      state.SetLabel(f.T_Specs[0].text());
      for (auto _ : state) {
        quenta::Calculate();
        benchmark::DoNotOptimize(f.T_Specs[1].text().data());
      }
    }
  } catch (const ui::ProgramEnd&) {
    state.SkipWithError("the program ended");
  }
  quenta::ResetForms();
}

BENCHMARK_CAPTURE(BM_Calculate, leaded_stack, Part{"KD", "05", "50", "X7R"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Calculate, single_chip, Part{"1812", nullptr, "100", "C0G"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Calculate, coated_wire_leads, Part{"GZ", nullptr, "200", "X7R"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
