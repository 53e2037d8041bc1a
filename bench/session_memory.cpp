// Peak memory of a headless session: the session runner run on a script
// that starts the program, against the same runner on an empty script.
// Each is run as its own process and its peak resident size taken from
// the system; the smallest of the runs counts, as page-cache and allocator
// noise only ever adds. Reported as counters (KiB and their ratio); a
// ratio above 1.3 is reported as an error.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr double kMaxRatio = 1.3;

// Peak resident size in KiB of one run of the runner on the script, -1
// when it could not be run or failed. The runner is started through a
// small measuring program: started from this one directly, it would count
// this process's size in its peak.
long PeakKib(const fs::path& script) {
  int out[2];
  if (pipe(out) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::string measure = QUENTA_PEAK_RSS;
  std::string runner = QUENTA_SCRIPT_RUNNER;
  std::string path = script.string();
  char* argv[] = {measure.data(), runner.data(), path.data(), nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, measure.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  std::string text;
  char buffer[64];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  close(out[0]);
  if (spawned != 0) return -1;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return std::atol(text.c_str());
}

void BM_SessionMemory(benchmark::State& state) {
  const fs::path folder =
      fs::temp_directory_path() / ("quenta-bench-session-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  std::ofstream(folder / "start.q10") << "start\n";
  std::ofstream(folder / "empty.q10") << "";
  long start = std::numeric_limits<long>::max();
  long empty = std::numeric_limits<long>::max();
  for (auto _ : state) {
    const long s = PeakKib(folder / "start.q10");
    const long e = PeakKib(folder / "empty.q10");
    if (s < 0 || e < 0) {
      state.SkipWithError("the session runner could not be run");
      break;
    }
    start = std::min(start, s);
    empty = std::min(empty, e);
  }
  std::error_code ec;
  fs::remove_all(folder, ec);
  if (empty <= 0 || start == std::numeric_limits<long>::max()) return;
  const double ratio = static_cast<double>(start) / static_cast<double>(empty);
  state.counters["start_KiB"] = static_cast<double>(start);
  state.counters["empty_KiB"] = static_cast<double>(empty);
  state.counters["ratio"] = ratio;
  if (ratio > kMaxRatio) state.SkipWithError("the started session peaks above 1.3x an empty one");
}
BENCHMARK(BM_SessionMemory)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
