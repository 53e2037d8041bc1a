// Writing a whole file so that a failure never leaves half of it behind:
// the text goes to a temporary file beside the target, which then takes
// the target's place in one step, keeping the permissions of the file it
// replaces. Where the folder takes no temporary file, or the rename is
// refused, a file the user may write is written in place instead.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quenta {

// Writes `content` to the file at `path`, creating it or replacing it
// whole. Returns nothing on success, else why it failed, as a sentence for
// the user; then no file was created or changed. A target that exists but
// may not be written (a folder, a read-only file) is refused before
// anything is written, since replacing it would get round its protection.
// A symbolic link is followed: the file it points to is replaced. Written
// in place, an existing file is changed only once the text is sure to fit
// (file-size limit, room on the disk), so only a fault of the disk itself
// can leave it part-written. A write beyond the file-size limit fails with
// a message and does not end the program.
std::optional<std::string> WriteFileReplacing(const std::string& path, std::string_view content);

}  // namespace quenta
