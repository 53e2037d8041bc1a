#include "graph/SafeFileWrite.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace quenta {

namespace {

std::string ErrorText(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return "The folder does not exist.";
    case EACCES:
    case EPERM: return "You may not write in that folder.";
    case EROFS: return "The disk is read-only.";
    case ENOSPC: return "The disk is full.";
    case EDQUOT: return "The disk quota is used up.";
    case ENAMETOOLONG: return "The name is too long.";
    case EFBIG: return "The data is larger than the file-size limit allows.";
    case ELOOP: return "The name leads round a loop of links.";
    // Only reading a file with holes that was opened for writing alone, to
    // give its holes room where the disk cannot reserve it, gives EBADF.
    case EBADF: return "The file may be written but not read, and the disk cannot reserve room for it.";
    default: break;
  }
  std::string text = std::strerror(error);
  return text + ".";
}

// Why writing in a folder failed. A folder such as the kernel's process
// folder answers "no such file" to a new name although it exists.
std::string FailureText(int error, const std::string& folder) {
  struct stat st {};
  if (error == ENOENT && stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
    return "No new file can be made in that folder.";
  return ErrorText(error);
}

// Folder and last part of a path ("a/b.txt" gives "a" and "b.txt").
void SplitPath(const std::string& path, std::string& folder, std::string& name) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) {
    folder = ".";
    name = path;
  } else {
    folder = slash == 0 ? "/" : path.substr(0, slash);
    name = path.substr(slash + 1);
  }
}

mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// Writes the text into the file from byte `at` on; `written`, when given,
// counts the bytes that reached the file, also when the write fails.
bool WriteAll(int fd, std::string_view content, off_t at = 0, std::size_t* written = nullptr) {
  const char* p = content.data();
  std::size_t left = content.size();
  while (left > 0) {
    const ssize_t n = pwrite(fd, p, left, at);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    at += n;
    left -= static_cast<std::size_t>(n);
    if (written) *written += static_cast<std::size_t>(n);
  }
  return true;
}

int ReserveWithFallocate(int fd, long long length) {
  return fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(length)) == 0 ? 0 : errno;
}

RoomReservation gReserveRoom = ReserveWithFallocate;

// While it lives, a write beyond the file-size limit fails with EFBIG
// instead of ending the program with SIGXFSZ.
class FileSizeSignalIgnored {
 public:
  FileSizeSignalIgnored() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    restore_ = sigaction(SIGXFSZ, &ignore, &old_) == 0;
  }
  ~FileSizeSignalIgnored() {
    if (restore_) sigaction(SIGXFSZ, &old_, nullptr);
  }
  FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
  FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;

 private:
  struct sigaction old_ {};
  bool restore_ = false;
};

// The hidden temporary name beside `name`, made from it and kept within
// the folder's longest name (cut at a whole character), so that every
// name the folder takes can be replaced this way.
std::string TemporaryPattern(const std::string& folder, const std::string& name) {
  const std::string suffix = ".XXXXXX";
  const long longest = pathconf(folder.c_str(), _PC_NAME_MAX);
  const std::size_t limit = longest > 0 ? static_cast<std::size_t>(longest) : NAME_MAX;
  std::size_t keep = name.size();
  if (limit > suffix.size() + 1 && 1 + keep + suffix.size() > limit) {
    keep = limit - suffix.size() - 1;
    while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
  }
  return folder + "/." + name.substr(0, keep) + suffix;
}

// Writes the text to a temporary file beside the target, which then takes
// the target's place. Returns 0 or the error; `inPlace` tells that the
// temporary file could not be made or could not take the target's place
// (a folder the user may not add to, another user's file in a shared
// folder), where writing the target itself may still succeed.
int ReplaceThroughTemporary(const std::string& folder, const std::string& name,
                            const std::string& target, const struct stat* old,
                            std::string_view content, bool& inPlace) {
  inPlace = false;
  std::string temp = TemporaryPattern(folder, name);
  int fd = mkstemp(temp.data());
  if (fd < 0) {
    inPlace = true;
    return errno;
  }
  // Drops the temporary file (closing it while open) and passes the error on.
  auto abandon = [&](int error) {
    if (fd >= 0) close(fd);
    unlink(temp.c_str());
    return error;
  };
  if (old) {
    // The owner may differ (a file of another user in a shared folder);
    // keeping it is attempted, the permissions are kept in any case.
    if (fchown(fd, old->st_uid, old->st_gid) != 0) {
      // Not the owner's to give away: the new file stays the writer's own.
    }
    if (fchmod(fd, old->st_mode & 07777) != 0) return abandon(errno);
  } else if (fchmod(fd, NewFileMode()) != 0) {
    return abandon(errno);
  }
  if (!WriteAll(fd, content) || fsync(fd) != 0) return abandon(errno);
  const int closed = close(fd);
  fd = -1;
  if (closed != 0) return abandon(errno);
  if (rename(temp.c_str(), target.c_str()) != 0) {
    inPlace = true;
    return abandon(errno);
  }
  // The rename itself reaches the disk with its folder.
  const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return 0;
}

// Reads the whole old content of the open file, when it can be read and is
// no larger than a copy kept in memory may be.
bool ReadOldContent(int fd, std::string& content) {
  constexpr off_t kLargestKept = 64 * 1024 * 1024;
  struct stat st {};
  if (fstat(fd, &st) != 0 || st.st_size > kLargestKept) return false;
  content.resize(static_cast<std::size_t>(st.st_size));
  std::size_t got = 0;
  while (got < content.size()) {
    const ssize_t n = pread(fd, content.data() + got, content.size() - got, static_cast<off_t>(got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    got += static_cast<std::size_t>(n);
  }
  return true;
}

// Gives room on the disk to the holes in the first `span` bytes of the
// open file (described by `st`) by writing zeros over each block there
// that reads as zeros, which leaves its content as it was also where the
// disk runs out part-way. Returns 0 or the error.
int FillHoles(int fd, const struct stat& st, off_t span) {
  const auto blockSize = static_cast<std::size_t>(st.st_blksize > 0 ? st.st_blksize : 4096);
  std::string block(blockSize, '\0');
  const std::string zeros(blockSize, '\0');
  for (off_t at = 0; at < span;) {
    const auto want = static_cast<std::size_t>(std::min<off_t>(span - at, static_cast<off_t>(blockSize)));
    const ssize_t n = pread(fd, block.data(), want, at);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) break;
    const auto got = static_cast<std::size_t>(n);
    if (std::string_view(block.data(), got).find_first_not_of('\0') == std::string_view::npos &&
        !WriteAll(fd, std::string_view(zeros.data(), got), at))
      return errno;
    at += n;
  }
  return fsync(fd) == 0 ? 0 : errno;
}

// Makes sure of the room for the text in the open file before anything of
// its old content changes: reserved where the file system can reserve
// room, else by giving room to the holes in the part of the old file the
// text overwrites, and by writing first the part of the text that lies
// beyond the old end, which is cut off again when it does not fit. Returns
// 0 or the error; `kept` then tells that the file is as it was.
int MakeRoom(int fd, std::string_view content, bool& kept) {
  kept = true;
  const auto size = static_cast<off_t>(content.size());
  if (size == 0) return 0;
  const int reserved = gReserveRoom(fd, size);
  if (reserved == 0) return 0;
  if (reserved != EOPNOTSUPP && reserved != ENOSYS) return reserved;
  struct stat st {};
  if (fstat(fd, &st) != 0) return errno;
  const off_t oldSize = st.st_size;
  // Only the blocks the file holds on the disk count as its room; a file
  // with holes holds less than its size.
  const off_t overwritten = std::min(size, oldSize);
  if (static_cast<off_t>(st.st_blocks) * 512 < overwritten) {
    const int error = FillHoles(fd, st, overwritten);
    if (error != 0) return error;
  }
  if (size <= oldSize) return 0;  // the text fits in the room the file has
  const std::string_view beyond = content.substr(static_cast<std::size_t>(oldSize));
  if (WriteAll(fd, beyond, oldSize) && fsync(fd) == 0) return 0;
  const int error = errno;
  kept = ftruncate(fd, oldSize) == 0 && fsync(fd) == 0;
  return error;
}

// Writes the text into the target itself. A new file that fails is
// removed again. An existing file is changed only once the text is sure to
// fit: within the file-size limit, and with its room on the disk made
// first. `kept` tells, on a failure, that an existing file is as it was.
int WriteInPlace(const std::string& target, bool exists, std::string_view content, bool& kept) {
  kept = true;
  const auto size = static_cast<off_t>(content.size());
  if (!exists) {
    const int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    int error = WriteAll(fd, content) && fsync(fd) == 0 ? 0 : errno;
    if (close(fd) != 0 && error == 0) error = errno;
    if (error != 0) unlink(target.c_str());
    return error;
  }
  struct rlimit limit {};
  if (getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
      content.size() > limit.rlim_cur)
    return EFBIG;
  // Opened for reading too where the file may be read, so that its old
  // content can be put back should the write still fail.
  int fd = open(target.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) fd = open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  std::string oldContent;
  const bool haveOld = ReadOldContent(fd, oldContent);
  int error = MakeRoom(fd, content, kept);
  std::size_t written = 0;
  if (error == 0 &&
      (!WriteAll(fd, content, 0, &written) || ftruncate(fd, size) != 0 || fsync(fd) != 0)) {
    // With the room made, only a fault of the disk gets here, or a file
    // that needs new room where it is overwritten (on a copy-on-write
    // disk). The old content goes back over the bytes the write reached,
    // which hold their room now; the rest never changed.
    error = errno;
    const std::string_view reached =
        std::string_view(oldContent).substr(0, std::min(written, oldContent.size()));
    kept = haveOld && WriteAll(fd, reached) &&
           ftruncate(fd, static_cast<off_t>(oldContent.size())) == 0 && fsync(fd) == 0;
  }
  if (close(fd) != 0 && error == 0) {
    error = errno;
    kept = false;
  }
  return error;
}

}  // namespace

std::optional<std::string> WriteFileReplacing(const std::string& path, std::string_view content) {
  if (path.empty()) return "No file name was given.";
  const FileSizeSignalIgnored fileSizeSignalIgnored;

  std::string target = path;
  struct stat link {};
  if (lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    char resolved[PATH_MAX];
    if (!realpath(path.c_str(), resolved))
      return errno == ENOENT ? "It is a link to a file that does not exist." : ErrorText(errno);
    target = resolved;
  }

  struct stat old {};
  const bool exists = stat(target.c_str(), &old) == 0;
  if (exists) {
    if (S_ISDIR(old.st_mode)) return "It is a folder.";
    if (!S_ISREG(old.st_mode)) return "It is not an ordinary file.";
    if (access(target.c_str(), W_OK) != 0)
      return errno == EROFS ? ErrorText(EROFS) : "The file is read-only, or you may not change it.";
  } else if (errno != ENOENT) {
    return ErrorText(errno);
  }

  std::string folder, name;
  SplitPath(target, folder, name);
  if (name.empty()) return "No file name was given.";
  bool inPlace = false, kept = true;
  int error = ReplaceThroughTemporary(folder, name, target, exists ? &old : nullptr, content, inPlace);
  if (error != 0 && inPlace) error = WriteInPlace(target, exists, content, kept);
  if (error == 0) return std::nullopt;
  std::string text = FailureText(error, folder);
  if (exists) text += kept ? " The old file is unchanged." : " The old file may have been changed.";
  return text;
}

RoomReservation SetRoomReservation(RoomReservation reserve) {
  const RoomReservation previous = gReserveRoom;
  gReserveRoom = reserve ? reserve : ReserveWithFallocate;
  return previous;
}

}  // namespace quenta
