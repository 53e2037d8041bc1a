// One calculation in MIL-PRF-49470 entry as the Calculate button runs it
// without its picture: the part list of the voltage letter read and
// searched, the part written into the maker's lists, and the whole
// calculation. The part is the last record of the largest shipped list.
#include <benchmark/benchmark.h>

#include <string>

#include "mainwindow/Calculate.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "milspec/EntryModes.h"
#include "milspec/Mil49470PartList.h"
#include "ui/Headless.h"

namespace {

void BM_Mil49470Calculate(benchmark::State& state) {
  ui::HeadlessServices services;
  ui::ScopedServices scope(services);
  const std::string folder = QUENTA_PROGRAM_FOLDER;
  const quenta::Mil49470List* largest = nullptr;
  quenta::PartListRecord part;
  std::size_t records = 0;
  try {
    for (const quenta::Mil49470List& list : quenta::Mil49470Lists()) {
      const auto read = quenta::ReadMil49470PartList(folder, list.file);
      if (read.size() <= records) continue;
      records = read.size();
      largest = &list;
      part = read.back();
    }
  } catch (...) {
    state.SkipWithError("the program folder holds no part lists");
    return;
  }
  quenta::InstallMilitaryEntry();
  quenta::SetProgramFolder(folder);
  quenta::ResetForms();
  try {
    quenta::Main();
    quenta::MainForm& f = quenta::F_QuentaMainForm();
    f.OB_Mil_Prf.setValue(true);
    const std::string characteristic = part[0].substr(6, 1);
    f.CB_Mil_Prf_Ch.setListIndex(f.CB_Mil_Prf_Ch.findExact(characteristic));
    f.CB_Type_Volt.setText(largest->letter);
    f.CB_Type_Lead.setText(part[5].substr(0, 1));
    f.T_Cap_code.setText(part[0].substr(9, 3));
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
      state.SetLabel(f.T_Mil_Prf.text() + " " + f.T_Norvel_Equiv.text() + ", " +
                     std::to_string(records) + " records");
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

BENCHMARK(BM_Mil49470Calculate)->Unit(benchmark::kMicrosecond);

}  // namespace
