// The usage of a maintainer tool, as every tool answers it: --help (or -h)
// prints the whole usage on standard output and ends with 0; a command
// line the tool does not take is named on standard error, the usage
// follows, and the tool ends with 2. Only the C library is used, so that
// a tool that must stay small (quenta10-peak-rss) can use it too.
#pragma once

#include <cstdio>
#include <cstring>

namespace tool {

struct Usage {
  const char* tool;  // the tool's name, "quenta10-gen-pictures"
  const char* text;  // the whole usage, "usage: quenta10-gen-pictures ...\n..."

  // Whether the argument asks for the usage.
  static bool AsksForHelp(const char* arg) {
    return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0;
  }

  // Prints the usage for --help; the exit status.
  int Help() const {
    std::fputs(text, stdout);
    return 0;
  }

  // Refuses the command line, saying why ("unknown option --x"); the exit
  // status.
  int Refuse(const char* why) const {
    std::fprintf(stderr, "%s: %s\n%s", tool, why, text);
    return 2;
  }

  // Refuses an option the tool does not take.
  int RefuseOption(const char* option) const {
    std::fprintf(stderr, "%s: unknown option %s\n%s", tool, option, text);
    return 2;
  }
};

}  // namespace tool
