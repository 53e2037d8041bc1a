#include "catalogue/FileLookup.h"

#include <string>
#include <system_error>
#include <utility>

namespace quenta {

namespace {

namespace fs = std::filesystem;

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace

FileKind FileKindAt(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  switch (status.type()) {
    case fs::file_type::regular: return FileKind::Regular;
    case fs::file_type::directory: return FileKind::Directory;
    case fs::file_type::fifo: return FileKind::Pipe;
    case fs::file_type::not_found: {
      std::error_code linkEc;
      return fs::is_symlink(fs::symlink_status(path, linkEc)) ? FileKind::BrokenLink
                                                              : FileKind::Missing;
    }
    case fs::file_type::none:
    case fs::file_type::unknown: {
      // A loop counts only where the name itself is a link; a loop in the
      // folders on the way leaves the name unreachable, as does a folder
      // without permission.
      std::error_code linkEc;
      if (ec == std::errc::too_many_symbolic_link_levels &&
          fs::is_symlink(fs::symlink_status(path, linkEc)))
        return FileKind::LinkLoop;
      return FileKind::Missing;
    }
    default: return FileKind::Special;
  }
}

FoundFile LookUpFile(const fs::path& folder, std::string_view name) {
  if (folder.empty() || name.empty() || name.find('/') != std::string_view::npos) return {};
  const fs::path exact = folder / fs::path(std::string(name));
  if (const FileKind kind = FileKindAt(exact); kind != FileKind::Missing) return {kind, exact};

  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return {};
  FoundFile found;
  std::string foundName;
  // A failed step ends the iteration; what was found so far stands.
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    const std::string entryName = it->path().filename().string();
    if (!EqualIgnoringCase(entryName, name)) continue;
    const FileKind kind = FileKindAt(it->path());
    if (kind == FileKind::Missing) continue;
    // A regular file beats anything else; among equals the name decides.
    const bool regular = kind == FileKind::Regular;
    bool better = true;
    if (found.Kind != FileKind::Missing) {
      const bool foundRegular = found.Kind == FileKind::Regular;
      better = regular != foundRegular ? regular : entryName < foundName;
    }
    if (better) {
      found = {kind, it->path()};
      foundName = entryName;
    }
  }
  return found;
}

std::optional<fs::path> FindFileIgnoringCase(const fs::path& folder, std::string_view name) {
  FoundFile found = LookUpFile(folder, name);
  if (found.Kind != FileKind::Regular) return std::nullopt;
  return std::move(found.Path);
}

const char* FileKindText(FileKind kind) {
  switch (kind) {
    case FileKind::Missing: return "nothing";
    case FileKind::Regular: return "a file";
    case FileKind::Directory: return "a folder";
    case FileKind::Pipe: return "a named pipe";
    case FileKind::BrokenLink: return "a link to a file that does not exist";
    case FileKind::LinkLoop: return "a loop of symbolic links";
    case FileKind::Special: return "a device or socket";
  }
  return "not a file";
}

}  // namespace quenta
