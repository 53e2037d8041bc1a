// quenta10-peak-rss COMMAND [ARGUMENTS...]: runs the command with its
// standard input and output on /dev/null and prints its peak resident size
// in KiB, or exits with 1 when it could not be run or failed.
//
// A process started by fork or vfork counts the resident size of the
// process that started it in its own peak, so a measurement must start
// the command from a process smaller than the command: this one uses
// nothing beyond the C library.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "ToolUsage.h"

namespace {

constexpr tool::Usage kUsage = {
    "quenta10-peak-rss",
    "usage: quenta10-peak-rss COMMAND [ARGUMENTS...]\n"
    "       quenta10-peak-rss --help\n"
    "  COMMAND    the path of the program to run (not looked up in PATH), with its\n"
    "             ARGUMENTS; its peak resident size is printed in KiB, and the exit\n"
    "             status is 1 when it could not be run or did not end with 0\n"};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return kUsage.Refuse("no command given");
  if (tool::Usage::AsksForHelp(argv[1])) return kUsage.Help();
  if (argv[1][0] == '-') return kUsage.RefuseOption(argv[1]);
  const pid_t pid = fork();
  if (pid < 0) return 1;
  if (pid == 0) {
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
      dup2(null, STDIN_FILENO);
      dup2(null, STDOUT_FILENO);
    }
    execv(argv[1], argv + 1);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return 1;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return 1;
  std::printf("%ld\n", usage.ru_maxrss);
  return 0;
}
