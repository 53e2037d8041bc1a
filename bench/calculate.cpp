// One complete calculation, headless, as the Calculate button runs it
// without its picture: temperature limits, capacitance check, chip design,
// capacitance-change curve, thermal and electrical models and the results
// panel. Three parts of different construction from the shipped catalogue:
// a leaded chip stack, a single chip and a coated part with wire leads;
// and a part entered by MIL-PRF-49470 PIN.
#include <benchmark/benchmark.h>

#include <functional>
#include <string>

#include "catalogue/FileLookup.h"
#include "catalogue/RecordReader.h"
#include "mainwindow/Calculate.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "military/EntryModes.h"
#include "military/Mil49470PartList.h"
#include "ui/Headless.h"

namespace {

struct Part {
  const char* series;
  const char* caseText;  // nullptr: the series' first case
  const char* voltage;
  const char* dielectric;
};

// Starts the program on the shipped folder, lets `choose` set up the part
// and times the calculation of it; `label` names it in the report.
void TimeCalculation(benchmark::State& state, const std::function<void(quenta::MainForm&)>& choose,
                     const std::function<std::string(quenta::MainForm&)>& label) {
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
    choose(f);
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
      state.SetLabel(label(f));
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

void BM_Calculate(benchmark::State& state, Part part) {
  TimeCalculation(
      state,
      [&](quenta::MainForm& f) {
        f.CB_Type.setText(part.series);
        if (part.caseText) f.CB_Case.setText(part.caseText);
        f.CB_Volt.setText(part.voltage);
        f.CB_Dielectric.setText(part.dielectric);
      },
      [](quenta::MainForm& f) { return f.T_Specs[0].text(); });
}

// MIL-PRF-49470 entry: each calculation reads and searches the part list
// of the voltage letter and writes the part into the maker's lists. The
// part is the last record of the largest shipped list.
void BM_Mil49470Calculate(benchmark::State& state) {
  const quenta::Mil49470List* largest = nullptr;
  quenta::PartListRecord part;
  std::size_t records = 0;
  try {
    for (const quenta::Mil49470List& list : quenta::Mil49470Lists()) {
      const auto read = quenta::ReadMil49470PartList(QUENTA_PROGRAM_FOLDER, list.file);
      if (read.size() <= records) continue;
      records = read.size();
      largest = &list;
      part = read.back();
    }
  } catch (const quenta::CatalogueFailure&) {
    state.SkipWithError("the program folder holds no part lists");
    return;
  }
  quenta::InstallMilitaryEntry();
  TimeCalculation(
      state,
      [&](quenta::MainForm& f) {
        f.OB_Mil_Prf.setValue(true);
        f.CB_Mil_Prf_Ch.setListIndex(f.CB_Mil_Prf_Ch.findExact(part[0].substr(6, 1)));
        f.CB_Type_Volt.setText(largest->letter);
        f.CB_Type_Lead.setText(part[5].substr(0, 1));
        f.T_Cap_code.setText(part[0].substr(9, 3));
      },
      [&](quenta::MainForm& f) {
        return f.T_Mil_Prf.text() + " " + f.T_Norvel_Equiv.text() + ", " +
               std::to_string(records) + " records";
      });
}

BENCHMARK_CAPTURE(BM_Calculate, leaded_stack, Part{"KD", "05", "50", "X7R"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Calculate, single_chip, Part{"1812", nullptr, "100", "C0G"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Calculate, coated_wire_leads, Part{"GZ", nullptr, "200", "X7R"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Mil49470Calculate)->Unit(benchmark::kMicrosecond);

}  // namespace
