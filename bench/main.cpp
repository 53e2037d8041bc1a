// quenta10-bench: runs the benchmarks (make bench) through the benchmark
// library, whose options select, repeat and report them.
#include <benchmark/benchmark.h>

#include <string>

#include "ToolUsage.h"

namespace {

constexpr tool::Usage kUsage = {
    "quenta10-bench",
    "usage: quenta10-bench [--benchmark_filter=REGEX] [OTHER BENCHMARK OPTIONS]\n"
    "       quenta10-bench --help\n"
    "Runs the benchmarks. The options are the benchmark library's; --help lists\n"
    "them all after this text.\n"};

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (!tool::Usage::AsksForHelp(argv[i])) continue;
    kUsage.Help();
    benchmark::PrintDefaultHelp();
    return 0;
  }
  // The library takes its own options out of the arguments; any left over
  // is not one.
  benchmark::Initialize(&argc, argv);
  if (argc > 1) {
    if (argv[1][0] == '-') return kUsage.RefuseOption(argv[1]);
    return kUsage.Refuse(("unexpected argument " + std::string(argv[1])).c_str());
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
