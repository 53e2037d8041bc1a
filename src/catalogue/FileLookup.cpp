#include "catalogue/FileLookup.h"

#include <string>
#include <system_error>

namespace quenta {

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

bool IsRegularFile(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view name) {
  if (name.empty() || name.find('/') != std::string_view::npos) return std::nullopt;
  const std::filesystem::path exact = folder / std::filesystem::path(std::string(name));
  if (IsRegularFile(exact)) return exact;

  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  if (ec) return std::nullopt;
  std::optional<std::filesystem::path> found;
  std::string foundName;
  // A failed step ends the iteration; what was found so far stands.
  for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
    const std::string entryName = it->path().filename().string();
    if (!EqualIgnoringCase(entryName, name) || !IsRegularFile(it->path())) continue;
    if (!found || entryName < foundName) {
      found = it->path();
      foundName = entryName;
    }
  }
  return found;
}

}  // namespace quenta
