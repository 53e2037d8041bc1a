// quenta10-peak-rss COMMAND [ARGUMENTS...]: runs the command with its
// standard input and output on /dev/null and prints its peak resident size
// in KiB, or says on standard error why not (the command could not be
// run, or did not end with 0) and exits with 1.
//
// A process started by fork or vfork counts the resident size of the
// process that started it in its own peak, so a measurement must start
// the command from a process smaller than the command: this one uses
// nothing beyond the C library.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "ToolUsage.h"

namespace {

constexpr tool::Usage kUsage = {
    "quenta10-peak-rss",
    "usage: quenta10-peak-rss COMMAND [ARGUMENTS...]\n"
    "       quenta10-peak-rss --help\n"
    "  COMMAND    the path of the program to run (not looked up in PATH), with its\n"
    "             ARGUMENTS; its peak resident size is printed in KiB; when it could\n"
    "             not be run or did not end with 0, standard error says so and the\n"
    "             exit status is 1\n"};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return kUsage.Refuse("no command given");
  if (tool::Usage::AsksForHelp(argv[1])) return kUsage.Help();
  if (argv[1][0] == '-') return kUsage.RefuseOption(argv[1]);
  // The child reports a failed exec through a pipe that the exec closes.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    std::fprintf(stderr, "quenta10-peak-rss: cannot start %s: %s\n", argv[1], std::strerror(errno));
    return 1;
  }
  const pid_t pid = fork();
  if (pid < 0) {
    std::fprintf(stderr, "quenta10-peak-rss: cannot start %s: %s\n", argv[1], std::strerror(errno));
    return 1;
  }
  if (pid == 0) {
    close(report[0]);
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
      dup2(null, STDIN_FILENO);
      dup2(null, STDOUT_FILENO);
    }
    execv(argv[1], argv + 1);
    const int error = errno;
    (void)!write(report[1], &error, sizeof error);
    _exit(127);
  }
  close(report[1]);
  int execError = 0;
  ssize_t got = 0;
  do {
    got = read(report[0], &execError, sizeof execError);
  } while (got < 0 && errno == EINTR);
  close(report[0]);
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) {
    std::fprintf(stderr, "quenta10-peak-rss: cannot wait for %s: %s\n", argv[1], std::strerror(errno));
    return 1;
  }
  if (got == static_cast<ssize_t>(sizeof execError)) {
    struct stat file {};
    const bool folder = stat(argv[1], &file) == 0 && S_ISDIR(file.st_mode);
    std::fprintf(stderr, "quenta10-peak-rss: cannot run %s: %s\n", argv[1],
                 folder ? "it is a folder" : std::strerror(execError));
    return 1;
  }
  if (WIFSIGNALED(status)) {
    std::fprintf(stderr, "quenta10-peak-rss: %s was ended by signal %d\n", argv[1],
                 WTERMSIG(status));
    return 1;
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "quenta10-peak-rss: %s ended with status %d\n", argv[1],
                 WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    return 1;
  }
  std::printf("%ld\n", usage.ru_maxrss);
  return 0;
}
