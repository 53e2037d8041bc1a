// The command line of quenta10-script: [--folder DIR] [SCRIPT].
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "ProgramFolderText.h"
#include "Runner.h"
#include "ToolUsage.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "ui/TextChars.h"

namespace script {

namespace {

constexpr tool::Usage kUsage = {
    "quenta10-script",
    "usage: quenta10-script [--folder DIR] [SCRIPT]\n"
    "       quenta10-script --help\n"
    "  SCRIPT         the session script to run (default: standard input); what the\n"
    "                 user would see is printed on standard output\n"
    "  --folder DIR   the program folder (default: the build's own)\n"};

}  // namespace

int runMain(int argc, char** argv) {
  namespace fs = std::filesystem;
  fs::path folder = QUENTA_PROGRAM_FOLDER;
  std::string scriptPath;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (tool::Usage::AsksForHelp(argv[i])) return kUsage.Help();
    if (arg == "--folder") {
      if (i + 1 == argc) return kUsage.Refuse("--folder needs a folder");
      folder = argv[++i];
    } else if (arg.starts_with("-")) {
      return kUsage.RefuseOption(argv[i]);
    } else if (arg.empty() || !scriptPath.empty()) {
      return kUsage.Refuse(arg.empty() ? "an empty script name" : "more than one script given");
    } else {
      scriptPath = arg;
    }
  }
  std::error_code ec;
  folder = fs::absolute(folder, ec).lexically_normal();
  if (const std::string refusal = tool::ProgramFolderRefusal("quenta10-script", folder);
      !refusal.empty()) {
    std::cerr << refusal;
    return 2;
  }
  if (!folder.has_filename() && folder.has_parent_path() && folder != folder.root_path())
    folder = folder.parent_path();
  quenta::SetProgramFolder(folder.string());

  // A named script that is not a readable file (a folder opens, but reads
  // as empty) runs nothing and is refused.
  std::ifstream file;
  if (!scriptPath.empty()) {
    const std::string shown = ui::EscapeNonText(scriptPath);
    if (fs::is_directory(scriptPath, ec)) {
      std::cerr << "quenta10-script: the script " << shown << " is a folder, not a file\n";
      return 2;
    }
    errno = 0;
    file.open(scriptPath);
    if (!file) {
      std::cerr << "quenta10-script: cannot read the script " << shown
                << (errno != 0 ? std::string(": ") + std::strerror(errno) : "") << "\n";
      return 2;
    }
  }
  int rc = run(scriptPath.empty() ? std::cin : file, std::cout, std::cerr);
  // The windows go before the statics they register with (the timer list).
  quenta::ResetForms();
  return rc;
}

}  // namespace script
