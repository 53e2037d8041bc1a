#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace quenta {

// What stands under a name in a folder.
enum class FileKind {
  Missing,     // nothing of that name
  Regular,     // a file (directly or through a link)
  Directory,   // a folder
  Pipe,        // a named pipe, which must never be opened for reading
  BrokenLink,  // a link to something that does not exist
  LinkLoop,    // a link that leads round a loop of links
  Special,     // a device or a socket
};

struct FoundFile {
  FileKind Kind = FileKind::Missing;
  std::filesystem::path Path;  // empty when Missing
};

// What stands at path, links followed. What cannot be examined (no
// permission on the way, a folder on the way that is a loop of links) is
// taken as missing.
FileKind FileKindAt(const std::filesystem::path& path);

// Finds a file in a folder by name without regard to (ASCII) letter case,
// as the program's data files are named on the systems they come from
// ("CLCMinCAP.DAT" may be stored as "clcmincap.dat"). The exact name is
// tried first and wins whatever it is, so a folder that can be entered but
// not listed still works; only then is the folder listed, where a regular
// file is preferred among case variants, and among several the first in
// name order is taken. Paths are kept as the bytes the system gives. An
// empty folder names no folder (nothing is looked up in the current one).
FoundFile LookUpFile(const std::filesystem::path& folder, std::string_view name);

// The regular file LookUpFile finds; nothing for anything else.
std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view name);

// What a found non-file is, for a message: "a folder", "a named pipe", ...
const char* FileKindText(FileKind kind);

}  // namespace quenta
