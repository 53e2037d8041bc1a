// The program's whole start-up, headless: the main window's load with the
// start-up scan, the three catalogue loads and the selection cascades they
// raise, up to the window shown. Run on the shipped catalogue when the
// program folder holds one, else on the main window's test catalogue.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "catalogue/FileLookup.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "ui/Headless.h"

namespace {

std::string startupFolder() {
  const std::string shipped = QUENTA_PROGRAM_FOLDER;
  if (quenta::FindFileIgnoringCase(shipped, "CLCMXCAP.DAT")) return shipped;
  return std::string(QUENTA_TEST_FIXTURES) + "/mainwindow/catalogue";
}

void BM_MainWindowStartup(benchmark::State& state) {
  ui::HeadlessServices services;
  ui::ScopedServices scope(services);
  const std::string folder = startupFolder();
  quenta::SetProgramFolder(folder);
  state.SetLabel(folder == QUENTA_PROGRAM_FOLDER ? "shipped catalogue" : "test catalogue");
  for (auto _ : state) {
    quenta::ResetForms();
    try {
      quenta::Main();
    } catch (const ui::ProgramEnd&) {
      state.SkipWithError("the program ended during start-up");
      break;
    }
    benchmark::DoNotOptimize(quenta::F_QuentaMainForm().CB_Cap.listCount());
  }
  quenta::ResetForms();
}
BENCHMARK(BM_MainWindowStartup)->Unit(benchmark::kMillisecond);

}  // namespace
