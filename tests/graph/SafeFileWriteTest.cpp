// Writing a file whole: a new file, a replaced file that keeps its
// permissions, and the targets that are refused or fail (a folder in its
// place, a missing folder, a read-only file), which leave nothing behind.
// A file the user may write in a folder that takes no temporary file is
// written in place; a file-size limit or a full disk leaves it whole, also
// where the file system cannot reserve room.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "graph/SafeFileWrite.h"

namespace quenta {
namespace {

namespace fs = std::filesystem;

class SafeFileWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "safe-write-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(folder, ec);
  }
  std::string path(const std::string& name) const { return (folder / name).string(); }
  static std::string read(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void write(const std::string& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
  }
  static mode_t mode(const std::string& file) {
    struct stat st {};
    stat(file.c_str(), &st);
    return st.st_mode & 07777;
  }
  // Every name in the folder: a failed write leaves no temporary file.
  std::vector<std::string> names(const std::string& within = "") const {
    std::vector<std::string> out;
    for (const auto& entry : fs::directory_iterator(folder / within)) out.push_back(entry.path().filename());
    std::sort(out.begin(), out.end());
    return out;
  }
  fs::path folder;
};

// What a write said: "saved", or its message.
std::string said(const std::optional<std::string>& error) { return error.value_or("saved"); }

using Said = std::optional<std::vector<std::string>>;

// Runs `body` in a child process, whose rights and limits end with it, and
// returns its exit status and what it said, joined by "|". A body that
// cannot set itself up says nothing, and the child ends with status 2.
std::pair<int, std::string> inChild(const std::function<Said()>& body) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return {-1, ""};
  const pid_t child = fork();
  if (child == 0) {
    close(pipeEnds[0]);
    const Said parts = body();
    if (!parts) _exit(2);
    std::string text;
    for (const auto& part : *parts) text.append(text.empty() ? "" : "|").append(part);
    _exit(write(pipeEnds[1], text.data(), text.size()) == ssize_t(text.size()) ? 0 : 1);
  }
  close(pipeEnds[1]);
  std::string text;
  char buffer[256];
  for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  close(pipeEnds[0]);
  int status = -1;
  waitpid(child, &status, 0);
  return {status, text};
}

// Gives up the superuser's rights, whose writes no permission stops.
bool asAnotherUser() { return geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0); }

TEST_F(SafeFileWrite, CreatesANewFileWithTheUsualPermissions) {
  const mode_t mask = umask(022);
  EXPECT_EQ(WriteFileReplacing(path("data.txt"), "a\r\nb\r\n"), std::nullopt);
  umask(mask);
  EXPECT_EQ(read(path("data.txt")), "a\r\nb\r\n");
  EXPECT_EQ(mode(path("data.txt")), 0644u);
  EXPECT_EQ(names(), (std::vector<std::string>{"data.txt"}));
  // An empty text makes an empty file.
  EXPECT_EQ(WriteFileReplacing(path("empty.txt"), ""), std::nullopt);
  EXPECT_EQ(read(path("empty.txt")), "");
}

TEST_F(SafeFileWrite, ReplacesAnExistingFileWholeKeepingItsPermissions) {
  write(path("data.txt"), "an older and much longer text than the new one\r\n");
  chmod(path("data.txt").c_str(), 0640);
  EXPECT_EQ(WriteFileReplacing(path("data.txt"), "new\r\n"), std::nullopt);
  EXPECT_EQ(read(path("data.txt")), "new\r\n");
  EXPECT_EQ(mode(path("data.txt")), 0640u);
  EXPECT_EQ(names(), (std::vector<std::string>{"data.txt"}));
}

TEST_F(SafeFileWrite, FollowsALinkToTheFileItNames) {
  write(path("real.txt"), "old");
  fs::create_symlink(path("real.txt"), path("link.txt"));
  EXPECT_EQ(WriteFileReplacing(path("link.txt"), "new"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(path("link.txt")));
  EXPECT_EQ(read(path("real.txt")), "new");
}

TEST_F(SafeFileWrite, RefusesAFolderInPlaceOfTheFile) {
  fs::create_directory(path("data.txt"));
  write(path("data.txt/inside"), "kept");
  EXPECT_EQ(WriteFileReplacing(path("data.txt"), "x"), "It is a folder.");
  EXPECT_EQ(read(path("data.txt/inside")), "kept");
  EXPECT_EQ(names(), (std::vector<std::string>{"data.txt"}));
}

TEST_F(SafeFileWrite, FailsForAMissingFolderOrNoName) {
  EXPECT_EQ(WriteFileReplacing(path("missing/data.txt"), "x"), "The folder does not exist.");
  EXPECT_TRUE(names().empty());
  EXPECT_EQ(WriteFileReplacing("", "x"), "No file name was given.");
  // A file standing where a folder of the path should be.
  write(path("plain"), "kept");
  EXPECT_EQ(WriteFileReplacing(path("plain/data.txt"), "x"), "The folder does not exist.");
  EXPECT_EQ(read(path("plain")), "kept");
}

// Checked as a user whom permissions bind: the superuser's writes no
// permission stops, so a superuser gives up its rights in a child.
TEST_F(SafeFileWrite, RefusesAReadOnlyFileAndAFolderThatMayNotBeWritten) {
  fs::permissions(folder, fs::perms::all);
  write(path("locked.txt"), "kept");
  chmod(path("locked.txt").c_str(), 0444);
  fs::create_directory(path("closed"));
  chmod(path("closed").c_str(), 0555);
  const auto [status, text] = inChild([&]() -> Said {
    if (!asAnotherUser()) return std::nullopt;
    return std::vector{said(WriteFileReplacing(path("locked.txt"), "x")),
                       said(WriteFileReplacing(path("closed/data.txt"), "x"))};
  });
  if (WIFEXITED(status) && WEXITSTATUS(status) == 2) GTEST_SKIP() << "no other user";
  EXPECT_EQ(status, 0) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  EXPECT_EQ(text, "The file is read-only, or you may not change it.|You may not write in that folder.");
  EXPECT_EQ(read(path("locked.txt")), "kept");
  EXPECT_TRUE(fs::is_empty(path("closed")));
  EXPECT_EQ(names(), (std::vector<std::string>{"closed", "locked.txt"}));
}

// Under a file-size limit smaller than the text the write fails, and the
// old file stays whole with no temporary file left, whether it is replaced
// or, in a folder that takes no new name, written in place (which shortens
// a longer old text to the new one).
TEST_F(SafeFileWrite, AFileSizeLimitLeavesTheOldFileWhole) {
  fs::permissions(folder, fs::perms::all);
  write(path("data.txt"), "old");
  chmod(path("data.txt").c_str(), 0666);
  fs::create_directory(path("closed"));
  write(path("closed/data.txt"), "an older and longer text\r\n");
  chmod(path("closed/data.txt").c_str(), 0666);
  chmod(path("closed").c_str(), 0555);
  const auto [status, text] = inChild([&]() -> Said {
    const rlimit limit{1000, RLIM_INFINITY};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0 || !asAnotherUser()) return std::nullopt;
    return std::vector{said(WriteFileReplacing(path("closed/data.txt"), "new\r\n")),
                       said(WriteFileReplacing(path("closed/data.txt"), std::string(2000, 'y'))),
                       said(WriteFileReplacing(path("data.txt"), std::string(2000, 'y')))};
  });
  if (WIFEXITED(status) && WEXITSTATUS(status) == 2) GTEST_SKIP() << "no other user";
  EXPECT_EQ(status, 0) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  const std::string tooLarge =
      "The data is larger than the file-size limit allows. The old file is unchanged.";
  EXPECT_EQ(text, "saved|" + tooLarge + "|" + tooLarge);
  EXPECT_EQ(read(path("closed/data.txt")), "new\r\n");
  EXPECT_EQ(read(path("data.txt")), "old");
  EXPECT_EQ(names(), (std::vector<std::string>{"closed", "data.txt"}));
  EXPECT_EQ(names("closed"), (std::vector<std::string>{"data.txt"}));
}

TEST_F(SafeFileWrite, NamesALoopOfLinks) {
  fs::create_symlink("loop", path("loop"));
  EXPECT_EQ(WriteFileReplacing(path("loop"), "x"), "The name leads round a loop of links.");
  EXPECT_EQ(WriteFileReplacing(path("loop/data.txt"), "x"), "The name leads round a loop of links.");
  EXPECT_EQ(names(), (std::vector<std::string>{"loop"}));
}

// A small disk of its own, mounted in the child's own view of the mounts.
bool mountDisk(const std::string& at, const char* options) {
  return unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
         mount("tmpfs", at.c_str(), "tmpfs", 0, options) == 0;
}

TEST_F(SafeFileWrite, AReadOnlyOrFullDiskKeepsTheOldFile) {
  fs::permissions(folder, fs::perms::all);
  fs::create_directory(path("disk"));
  const auto [status, text] = inChild([&]() -> Said {
    const std::string disk = path("disk");
    if (!mountDisk(disk, "size=64k")) return std::nullopt;
    fs::create_directory(disk + "/closed");
    write(disk + "/closed/data.txt", "old");
    chmod((disk + "/closed/data.txt").c_str(), 0666);
    if (mount(nullptr, disk.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) return std::nullopt;
    std::vector<std::string> out{said(WriteFileReplacing(disk + "/closed/data.txt", "x")),
                                 said(WriteFileReplacing(disk + "/new.txt", "x"))};
    if (mount(nullptr, disk.c_str(), nullptr, MS_REMOUNT, nullptr) != 0) return std::nullopt;
    // Written in place, the file is not begun when the room runs out.
    chmod((disk + "/closed").c_str(), 0555);
    std::ofstream filler(disk + "/filler", std::ios::binary);
    for (int i = 0; i < 64 && filler; ++i) filler << std::string(4096, 'f') << std::flush;
    if (!asAnotherUser()) return std::nullopt;
    out.push_back(said(WriteFileReplacing(disk + "/closed/data.txt", std::string(20000, 'y'))));
    out.push_back(read(disk + "/closed/data.txt"));
    return out;
  });
  if (WIFEXITED(status) && WEXITSTATUS(status) == 2) GTEST_SKIP() << "no disk could be mounted";
  EXPECT_EQ(status, 0);
  EXPECT_EQ(text,
            "The disk is read-only.|The disk is read-only.|The disk is full. The old file is "
            "unchanged.|old");
}

// A file system that cannot reserve room (fallocate answers EOPNOTSUPP, as
// on NFSv3 and many FUSE file systems): written in place on a full disk,
// the old file stays whole, also where it spans more than one page or has a
// hole that takes new room when it is overwritten, and where it is too
// large for its old content to be kept for putting back. One with holes
// that may not be read is refused, as its holes cannot be found. A text
// that fits in the old file's room, or one for which room is left, is
// written whole.
TEST_F(SafeFileWrite, WithoutReservationAFullDiskKeepsTheOldFile) {
  fs::permissions(folder, fs::perms::all);
  fs::create_directory(path("disk"));
  const std::string older(6000, 'o');
  const auto [status, text] = inChild([&]() -> Said {
    const std::string disk = path("disk");
    if (!mountDisk(disk, "size=64k")) return std::nullopt;
    SetRoomReservation([](int, long long) { return int(EOPNOTSUPP); });
    fs::create_directory(disk + "/closed");
    const std::string file = disk + "/closed/data.txt";
    write(file, older);
    chmod(file.c_str(), 0666);
    // A file with a hole: overwriting the hole takes new room.
    const std::string holed = disk + "/closed/holed.txt";
    write(holed, std::string(4096, 'o'));
    if (truncate(holed.c_str(), 200000) != 0) return std::nullopt;
    chmod(holed.c_str(), 0666);
    const std::string holedBefore = read(holed);
    // Larger than a copy of the old content kept in memory may be.
    const std::string large = disk + "/closed/large.txt";
    write(large, std::string(4096, 'o'));
    if (truncate(large.c_str(), 65 << 20) != 0) return std::nullopt;
    chmod(large.c_str(), 0666);
    const std::string largeBefore = read(large);
    // One with holes that may be written but not read, so not searched for them.
    const std::string writeOnly = disk + "/closed/write-only.txt";
    write(writeOnly, std::string(4096, 'o'));
    if (truncate(writeOnly.c_str(), 200000) != 0) return std::nullopt;
    chmod(writeOnly.c_str(), 0222);
    chmod((disk + "/closed").c_str(), 0555);
    std::ofstream filler(disk + "/filler", std::ios::binary);
    for (int i = 0; i < 64 && filler; ++i) filler << std::string(4096, 'f') << std::flush;
    filler.close();
    chmod((disk + "/filler").c_str(), 0666);
    if (!asAnotherUser()) return std::nullopt;
    std::vector<std::string> out{said(WriteFileReplacing(file, std::string(20000, 'y')))};
    out.push_back(read(file) == older ? "old kept" : "old changed");
    out.push_back(said(WriteFileReplacing(file, "short\r\n")));
    out.push_back(read(file));
    out.push_back(said(WriteFileReplacing(holed, std::string(100000, 'y'))));
    out.push_back(read(holed) == holedBefore ? "holed kept" : "holed changed");
    out.push_back(said(WriteFileReplacing(large, std::string(20000, 'y'))));
    out.push_back(read(large) == largeBefore ? "large kept" : "large changed");
    out.push_back(said(WriteFileReplacing(writeOnly, std::string(20000, 'y'))));
    // Room again.
    if (truncate((disk + "/filler").c_str(), 0) != 0) return std::nullopt;
    out.push_back(said(WriteFileReplacing(file, std::string(20000, 'y'))));
    out.push_back(read(file) == std::string(20000, 'y') ? "new whole" : "new damaged");
    out.push_back(said(WriteFileReplacing(large, std::string(20000, 'y'))));
    out.push_back(read(large) == std::string(20000, 'y') ? "new whole" : "new damaged");
    return out;
  });
  if (WIFEXITED(status) && WEXITSTATUS(status) == 2) GTEST_SKIP() << "no disk could be mounted";
  EXPECT_EQ(status, 0);
  EXPECT_EQ(text,
            "The disk is full. The old file is unchanged.|old kept|saved|short\r\n|"
            "The disk is full. The old file is unchanged.|holed kept|"
            "The disk is full. The old file is unchanged.|large kept|"
            "The file may be written but not read, and the disk cannot reserve room for it. "
            "The old file is unchanged.|saved|new whole|saved|new whole");
}

}  // namespace
}  // namespace quenta
