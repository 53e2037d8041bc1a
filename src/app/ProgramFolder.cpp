#include "app/ProgramFolder.h"

#include <cstring>
#include <filesystem>
#include <system_error>

namespace quenta::app {

std::string ExecutableFolder(const char* argv0) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path executable = fs::read_symlink("/proc/self/exe", ec);
  if (ec || !executable.is_absolute()) {
    if (argv0 == nullptr || std::strchr(argv0, '/') == nullptr) return {};
    executable = fs::absolute(fs::path(argv0), ec);
    if (ec) return {};
    // Started through a link (bin/quenta10 of an install), the program is
    // where the link leads.
    if (fs::path target = fs::canonical(executable, ec); !ec) executable = target;
  }
  return executable.parent_path().string();
}

}  // namespace quenta::app
