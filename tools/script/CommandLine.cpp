// The command line of quenta10-script: [--folder DIR] [SCRIPT].
#include <filesystem>
#include <fstream>
#include <iostream>

#include "Runner.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"

namespace script {

int runMain(int argc, char** argv) {
  namespace fs = std::filesystem;
  fs::path folder = QUENTA_PROGRAM_FOLDER;
  std::string scriptPath;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--folder" && i + 1 < argc) {
      folder = argv[++i];
    } else if (arg.empty() || arg[0] == '-' || !scriptPath.empty()) {
      std::cerr << "usage: quenta10-script [--folder DIR] [SCRIPT]\n";
      return 2;
    } else {
      scriptPath = arg;
    }
  }
  std::error_code ec;
  folder = fs::absolute(folder, ec).lexically_normal();
  if (ec || !fs::is_directory(folder, ec)) {
    std::cerr << "quenta10-script: the program folder " << folder.string()
              << " does not exist\n";
    return 2;
  }
  if (!folder.has_filename() && folder.has_parent_path() && folder != folder.root_path())
    folder = folder.parent_path();
  quenta::SetProgramFolder(folder.string());

  std::ifstream file;
  if (!scriptPath.empty()) {
    file.open(scriptPath);
    if (!file) {
      std::cerr << "quenta10-script: cannot read the script " << scriptPath << "\n";
      return 2;
    }
  }
  int rc = run(scriptPath.empty() ? std::cin : file, std::cout, std::cerr);
  // The windows go before the statics they register with (the timer list).
  quenta::ResetForms();
  return rc;
}

}  // namespace script
