// Pictures of the program folder load whatever bytes the folder's name
// holds, and by a name in another letter case.
#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "qt/FrontEnd.h"

namespace {

namespace fs = std::filesystem;

TEST(Pictures, LoadFromAFolderWhoseNameIsNotUtf8) {
  const fs::path folder = fs::temp_directory_path() /
                          ("quenta-pictures-" + std::to_string(::getpid())) / "caf\xE9";
  fs::create_directories(folder);
  fs::copy_file(fs::path(QUENTA_PROGRAM_FOLDER) / "kd.jpg", folder / "KD.JPG");
  bool exists = false;
  const QImage picture = qtui::loadPicture((folder / "kd.jpg").string(), &exists);
  EXPECT_TRUE(exists);
  EXPECT_FALSE(picture.isNull());
  // The program's own backslashes separate folders too.
  EXPECT_FALSE(qtui::loadPicture(folder.string() + "\\KD.JPG").isNull());

  std::ofstream(folder / "bad.jpg") << "not a picture";
  EXPECT_TRUE(qtui::loadPicture((folder / "bad.jpg").string(), &exists).isNull());
  EXPECT_TRUE(exists);
  EXPECT_TRUE(qtui::loadPicture((folder / "none.jpg").string(), &exists).isNull());
  EXPECT_FALSE(exists);
  fs::remove_all(folder.parent_path());
}

}  // namespace
