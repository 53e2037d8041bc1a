// quenta10-gui-footprint: the program's window against bare Qt windows.
//
// Starts each of three programs in turn, several rounds, and waits for its
// first paint: a bare Qt window, a window holding one label in the program's font
// and style, and quenta10 itself (started with QUENTA10_FIRST_PAINT_EXIT).
// Each reports its resident memory at that moment; the time is measured
// here, from the start of the process to its report. Prints the medians and
// their ratios against the goals: memory at most 1.5 times the bare
// window's, first paint at most 2 times the one-label window's. Exits with
// status 1 when a goal is missed.
//
// Runs on the platform QT_QPA_PLATFORM names, offscreen when none is set.
//
//   quenta10-gui-footprint [PROGRAM [ROUNDS]]
//   quenta10-gui-footprint --help
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

#include "ToolUsage.h"
#include "qt/FirstPaint.h"
#include "qt/QtServices.h"

extern char** environ;

namespace {

// ---- The windows measured against ------------------------------------------

int runWindow(int argc, char** argv, bool withLabel) {
  QApplication app(argc, argv);
  std::unique_ptr<QWidget> window;
  if (withLabel) {
    // The program's style and font, as its own start sets them.
    QApplication::setStyle("Fusion");
    qtui::installFontSubstitutions();
    QFont font("Liberation Sans");
    font.setPointSizeF(10);
    QApplication::setFont(font);
    window = std::make_unique<QLabel>("Quenta10");
  } else {
    window = std::make_unique<QWidget>();
  }
  qtui::reportFirstPaint(*window, [] { QCoreApplication::exit(0); });
  window->show();
  return QApplication::exec();
}

// ---- Measuring -------------------------------------------------------------

struct Sample {
  double ms = 0;
  long rssKb = 0;
};

// Starts the program, waits for its report line and for its end. Empty
// when it was measured, else why not ("cannot be run: No such file or
// directory", "ended with status 1 before its first paint").
std::string measure(const std::vector<std::string>& command,
                    const std::vector<std::string>& extraEnv, Sample& out) {
  int fds[2];
  if (pipe(fds) != 0) return std::string("cannot be started: ") + std::strerror(errno);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  // The platform's chatter would only clutter the table.
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) env.emplace_back(*e);
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char*> envp, argv;
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> args = command;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (rc != 0) {
    close(fds[0]);
    return std::string("cannot be run: ") + std::strerror(rc);
  }
  std::string text;
  char buffer[256];
  bool reported = false;
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(n));
    const auto line = text.find("first-paint");
    if (!reported && line != std::string::npos && text.find('\n', line) != std::string::npos) {
      reported = true;
      out.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                   .count();
    }
  }
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  const auto at = text.find("rss-kb=");
  const std::string when = !reported || at == std::string::npos ? " before its first paint" : "";
  if (WIFSIGNALED(status))
    return "was ended by signal " + std::to_string(WTERMSIG(status)) + when;
  if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
    return "ended with status " + std::to_string(WEXITSTATUS(status)) + when;
  if (!when.empty()) return "ended without reporting its first paint";
  out.rssKb = std::atol(text.c_str() + at + 7);
  return {};
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

struct Program {
  const char* name;
  std::vector<std::string> command;
  std::vector<std::string> env;
  std::vector<double> ms, kb;
  double medianMs() const { return median(ms); }
  double medianKb() const { return median(kb); }
};

// Runs the programs in turn, round after round, so that a change in the
// machine's load touches them alike.
bool measureInTurn(std::vector<Program>& programs, int rounds) {
  for (int i = 0; i < rounds; ++i) {
    for (Program& p : programs) {
      Sample s;
      const std::string failure = measure(p.command, p.env, s);
      if (!failure.empty()) {
        std::fprintf(stderr, "quenta10-gui-footprint: %s (%s) %s\n", p.name,
                     p.command[0].c_str(), failure.c_str());
        return false;
      }
      p.ms.push_back(s.ms);
      p.kb.push_back(static_cast<double>(s.rssKb));
    }
  }
  for (const Program& p : programs)
    std::printf("%-22s first paint %7.1f ms   resident %8.0f kB\n", p.name, p.medianMs(),
                p.medianKb());
  return true;
}

std::string folderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

constexpr tool::Usage kUsage = {
    "quenta10-gui-footprint",
    "usage: quenta10-gui-footprint [PROGRAM [ROUNDS]]\n"
    "       quenta10-gui-footprint --help\n"
    "  PROGRAM    the program measured (default: quenta10 beside this tool)\n"
    "  ROUNDS     how many times each window is started, the medians taken (default 9)\n"
    "Prints the memory and first paint of PROGRAM's window against a bare Qt window and\n"
    "a one-label window, on the platform QT_QPA_PLATFORM names (offscreen when none);\n"
    "the exit status is 1 when a goal is missed, 2 when nothing could be measured.\n"
    "The tool starts itself with --bare and --label for the two windows.\n"};

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--bare") == 0) return runWindow(argc, argv, false);
  if (argc > 1 && std::strcmp(argv[1], "--label") == 0) return runWindow(argc, argv, true);
  std::vector<const char*> given;
  for (int i = 1; i < argc; ++i) {
    if (tool::Usage::AsksForHelp(argv[i])) return kUsage.Help();
    if (argv[i][0] == '-') return kUsage.RefuseOption(argv[i]);
    given.push_back(argv[i]);
  }
  if (given.size() > 2) return kUsage.Refuse("more than a program and a number of rounds given");
  int rounds = 9;
  if (given.size() == 2) {
    char* end = nullptr;
    const long value = std::strtol(given[1], &end, 10);
    if (end == given[1] || *end != '\0' || value < 1 || value > INT_MAX) {
      return kUsage.Refuse(
          ("ROUNDS is not a whole number of at least 1: " + std::string(given[1])).c_str());
    }
    rounds = static_cast<int>(value);
  }

  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) {
    std::fprintf(stderr, "quenta10-gui-footprint: cannot find this tool's own file: %s\n",
                 std::strerror(errno));
    return 2;
  }
  self[n] = '\0';
  const std::string program = !given.empty() ? given[0] : folderOf(self) + "/quenta10";
  // A program that cannot be run is named before anything is measured.
  struct stat file {};
  const char* unusable = stat(program.c_str(), &file) != 0 ? std::strerror(errno)
                         : S_ISDIR(file.st_mode)          ? "it is a folder"
                         : access(program.c_str(), X_OK) != 0 ? std::strerror(errno)
                                                               : nullptr;
  if (unusable) {
    std::fprintf(stderr, "quenta10-gui-footprint: the program %s cannot be run: %s\n",
                 program.c_str(), unusable);
    return 2;
  }

  std::printf("platform %s, median of %d runs\n", std::getenv("QT_QPA_PLATFORM"), rounds);
  std::vector<Program> programs = {
      {"bare window", {self, "--bare"}, {}, {}, {}},
      {"one-label window", {self, "--label"}, {}, {}, {}},
      {"quenta10", {program}, {"QUENTA10_FIRST_PAINT_EXIT=1"}, {}, {}}};
  if (!measureInTurn(programs, rounds)) return 2;
  const double memory = programs[2].medianKb() / programs[0].medianKb();
  const double paint = programs[2].medianMs() / programs[1].medianMs();
  std::printf("memory      %.2fx the bare window's      (goal at most 1.5x)\n", memory);
  std::printf("first paint %.2fx the one-label window's (goal at most 2x)\n", paint);
  return memory <= 1.5 && paint <= 2.0 ? 0 : 1;
}
