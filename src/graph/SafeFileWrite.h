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
// whole. Returns nothing on success, else why it failed, as sentences for
// the user; then no file was created or changed, and for a file that was
// to be replaced they end by saying that the old file is unchanged. A
// target that exists but may not be written (a folder, a read-only file)
// is refused before anything is written, since replacing it would get
// round its protection. A symbolic link is followed: the file it points to
// is replaced. Written in place, an existing file is changed only once the
// text is sure to fit (file-size limit, room on the disk, made where the
// file system cannot reserve room by giving the old file's holes their
// room and writing the text's part beyond the old end first). Should the
// write still fail part-way (a fault of the disk, a copy-on-write disk),
// the old content is put back over what was written; only where that
// fails too does the message say the old file may have been changed. A
// write beyond the file-size limit fails with a message and does not end
// the program.
std::optional<std::string> WriteFileReplacing(const std::string& path, std::string_view content);

// How room on the disk is reserved for a file written in place: given the
// open file and the length, 0 or the error. By default fallocate, keeping
// the file's size. A test puts in one that answers EOPNOTSUPP, as a file
// system does that cannot reserve room; nullptr puts fallocate back.
// Returns the reservation it replaces.
using RoomReservation = int (*)(int fd, long long length);
RoomReservation SetRoomReservation(RoomReservation reserve);

}  // namespace quenta
