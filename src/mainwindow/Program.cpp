#include "mainwindow/Program.h"

#include "mainwindow/MainForm.h"

namespace quenta {

namespace {
std::string& folder() {
  static std::string path;
  return path;
}
}  // namespace

void SetProgramFolder(const std::string& path) { folder() = path; }

const std::string& ProgramFolder() { return folder(); }

void Main() { F_QuentaMainForm().show(); }

}  // namespace quenta
