#include "graph/SafeFileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
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
    default: break;
  }
  std::string text = std::strerror(error);
  return text + ".";
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

bool WriteAll(int fd, std::string_view content) {
  const char* p = content.data();
  std::size_t left = content.size();
  while (left > 0) {
    const ssize_t n = write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::optional<std::string> WriteFileReplacing(const std::string& path, std::string_view content) {
  if (path.empty()) return "No file name was given.";

  std::string target = path;
  struct stat link {};
  if (lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    char resolved[PATH_MAX];
    if (!realpath(path.c_str(), resolved)) return "It is a link to a file that does not exist.";
    target = resolved;
  }

  struct stat old {};
  const bool exists = stat(target.c_str(), &old) == 0;
  if (exists) {
    if (S_ISDIR(old.st_mode)) return "It is a folder.";
    if (!S_ISREG(old.st_mode)) return "It is not an ordinary file.";
    if (access(target.c_str(), W_OK) != 0) return "The file is read-only, or you may not change it.";
  } else if (errno != ENOENT) {
    return ErrorText(errno);
  }

  std::string folder, name;
  SplitPath(target, folder, name);
  if (name.empty()) return "No file name was given.";
  std::string temp = folder + "/." + name + ".XXXXXX";
  int fd = mkstemp(temp.data());
  if (fd < 0) return ErrorText(errno);

  // Drops the temporary file (closing it while open) and tells why.
  auto abandon = [&](int error) -> std::optional<std::string> {
    if (fd >= 0) close(fd);
    unlink(temp.c_str());
    return ErrorText(error);
  };
  if (exists) {
    // The owner may differ (a file of another user in a shared folder);
    // keeping it is attempted, the permissions are kept in any case.
    if (fchown(fd, old.st_uid, old.st_gid) != 0) {
      // Not the owner's to give away: the new file stays the writer's own.
    }
    if (fchmod(fd, old.st_mode & 07777) != 0) return abandon(errno);
  } else if (fchmod(fd, NewFileMode()) != 0) {
    return abandon(errno);
  }
  if (!WriteAll(fd, content) || fsync(fd) != 0) return abandon(errno);
  const int closed = close(fd);
  fd = -1;
  if (closed != 0 || rename(temp.c_str(), target.c_str()) != 0) return abandon(errno);
  // The rename itself reaches the disk with its folder.
  const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return std::nullopt;
}

}  // namespace quenta
