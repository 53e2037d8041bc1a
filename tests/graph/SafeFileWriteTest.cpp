// Writing a file whole: a new file, a replaced file that keeps its
// permissions, and the targets that are refused or fail (a folder in its
// place, a missing folder, a read-only file), which leave nothing behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
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
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const auto& entry : fs::directory_iterator(folder)) out.push_back(entry.path().filename());
    std::sort(out.begin(), out.end());
    return out;
  }
  fs::path folder;
};

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

TEST_F(SafeFileWrite, RefusesAReadOnlyFileAndAFolderThatMayNotBeWritten) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  write(path("locked.txt"), "kept");
  chmod(path("locked.txt").c_str(), 0444);
  EXPECT_EQ(WriteFileReplacing(path("locked.txt"), "x"),
            "The file is read-only, or you may not change it.");
  EXPECT_EQ(read(path("locked.txt")), "kept");
  fs::create_directory(path("closed"));
  chmod(path("closed").c_str(), 0555);
  EXPECT_EQ(WriteFileReplacing(path("closed/data.txt"), "x"), "You may not write in that folder.");
  EXPECT_TRUE(fs::is_empty(path("closed")));
  EXPECT_EQ(names(), (std::vector<std::string>{"closed", "locked.txt"}));
}

}  // namespace
}  // namespace quenta
