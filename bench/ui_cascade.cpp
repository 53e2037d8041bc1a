// The window layer's nested handler cascade: a chain of drop-down lists in
// which each list's Click clears and refills the next list and selects an
// entry there, so that one write at the top runs every handler below it,
// each nested inside the write that raised it. This is the shape of the main
// window's part-number selection (type, case, voltage, dielectric, ...).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/Form.h"

namespace {

struct CascadeForm : ui::Form {
  CascadeForm(int levels, int items) : ui::Form("F_Cascade"), lists(*this, "CB_Level") {
    for (int i = 0; i < items; ++i) texts.push_back("Entry " + std::to_string(i));
    for (int level = 0; level < levels; ++level) {
      auto& list = lists.add(level);
      list.onClick = [this, level, levels] {
        ++clicks;
        if (level + 1 >= levels) return;
        auto& next = lists(level + 1);
        // Refill the next list for the entry picked here, then select in it.
        const int picked = lists(level).listIndex();
        next.clear();
        for (std::size_t k = 0; k < texts.size(); ++k)
          next.addItem(texts[k], static_cast<std::int16_t>(k));
        next.setListIndex((picked + level) % static_cast<int>(texts.size()));
      };
    }
    for (std::size_t k = 0; k < texts.size(); ++k)
      lists(0).addItem(texts[k], static_cast<std::int16_t>(k));
  }
  ui::ControlArray<ui::DropDownList> lists;
  std::vector<std::string> texts;
  long long clicks = 0;
};

// One user pick at the top list runs the whole cascade.
void BM_UiCascade(benchmark::State& state) {
  const int levels = static_cast<int>(state.range(0));
  const int items = static_cast<int>(state.range(1));
  CascadeForm form(levels, items);
  int pick = 0;
  for (auto _ : state) {
    form.lists(0).setListIndex(pick);
    pick = (pick + 1) % items;
    benchmark::DoNotOptimize(form.lists(levels - 1).listIndex());
  }
  if (form.clicks != static_cast<long long>(state.iterations()) * levels)
    state.SkipWithError("the cascade did not reach every level");
  state.counters["handlers"] = benchmark::Counter(
      static_cast<double>(form.clicks), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_UiCascade)->Args({5, 50})->Args({20, 50});

// The same cascade driven by text writes, which look the entry up by text.
void BM_UiCascadeByText(benchmark::State& state) {
  CascadeForm form(5, 50);
  int pick = 0;
  for (auto _ : state) {
    form.lists(0).setText(form.texts[static_cast<std::size_t>(pick)]);
    pick = (pick + 7) % 50;
    benchmark::DoNotOptimize(form.lists(4).text());
  }
}
BENCHMARK(BM_UiCascadeByText);

}  // namespace
