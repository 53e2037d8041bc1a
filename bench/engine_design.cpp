// The chip construction: one chip design of a stacked part, and one
// start-up scan of the shipped catalogue (every offered entry of the
// maximum-capacitance file through the design rules and case geometry).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "catalogue/CatalogueFiles.h"
#include "catalogue/DesignState.h"
#include "engine/CatalogueAuthoring.h"
#include "engine/ChipDesign.h"
#include "engine/StartupScan.h"
#include "mainwindow/MainForm.h"
#include "ui/Headless.h"

namespace {

// Loads the shipped catalogue once, with services that answer every box.
void LoadShippedCatalogue() {
  static ui::HeadlessServices services;
  static const bool loaded = [] {
    ui::setServices(&services);
    if (quenta::LoadCatalogueTables(QUENTA_PROGRAM_FOLDER)) std::abort();
    return true;
  }();
  (void)loaded;
}

void BM_ChipDesign(benchmark::State& state) {
  LoadShippedCatalogue();
  // Series 1 (KD), case 92, X7R at 100 V, 47 µF: a stack of several chips.
  for (auto _ : state) {
    quenta::gSelection.SeriesIndex = 1;
    quenta::gSelection.CaseIndex = 92;
    quenta::gSelection.DielectricIndex = 2;
    quenta::gSelection.VoltageIndex = 3;
    quenta::gSelection.CommercialFlag = 0;
    quenta::gSelection.Capacitance = 47e-6;
    quenta::authoring::SetDielectricConstants(2);
    benchmark::DoNotOptimize(quenta::CalcChipDesign());
  }
}
BENCHMARK(BM_ChipDesign);

void BM_StartupScan(benchmark::State& state) {
  LoadShippedCatalogue();
  for (auto _ : state) {
    benchmark::DoNotOptimize(quenta::ScanMaxCapEntries(QUENTA_PROGRAM_FOLDER));
  }
}
BENCHMARK(BM_StartupScan)->Unit(benchmark::kMillisecond);

}  // namespace
