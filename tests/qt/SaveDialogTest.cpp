// The "Select File" save dialog: it opens in the folder of the file chosen
// last, else in the documents folder, else the home folder (never in the
// folder the program was started from), and shows the size, type and
// date of each file whole.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <string>

#include "qt/FrontEnd.h"
#include "qt/QtServices.h"

namespace {

// HOME (and the desktop's settings under it) in a folder of the test's own.
class SaveDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home.isValid());
    savedHome = qgetenv("HOME");
    savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath(".config").toUtf8());
  }
  void TearDown() override {
    qputenv("HOME", savedHome);
    if (savedConfig.isNull())
      qunsetenv("XDG_CONFIG_HOME");
    else
      qputenv("XDG_CONFIG_HOME", savedConfig);
  }
  std::string path(const QString& name) const { return home.filePath(name).toStdString(); }

  QTemporaryDir home;
  QByteArray savedHome, savedConfig;
};

TEST_F(SaveDialog, OpensInTheLastFilesFolderElseDocumentsElseHome) {
  EXPECT_EQ(qtui::saveDialogFolder("").toStdString(), home.path().toStdString());
  ASSERT_TRUE(QDir(home.path()).mkpath("Documents"));
  ASSERT_TRUE(QDir(home.path()).mkpath("saves"));
  EXPECT_EQ(qtui::saveDialogFolder("").toStdString(), path("Documents"));
  EXPECT_EQ(qtui::saveDialogFolder(path("saves/data.txt")).toStdString(), path("saves"));
  // A folder that is gone (the last save failed there, say).
  EXPECT_EQ(qtui::saveDialogFolder(path("missing/data.txt")).toStdString(), path("Documents"));
}

// What the service's dialog showed: the folder it opened in, and whether
// each detail column showed what it holds whole, with no scrolling across.
struct Shown {
  QString folder;
  bool whole = false;
};
Shown ShowDialog(const std::string& lastName, int entries) {
  qtui::QtServices services;
  Shown shown;
  QElapsedTimer waited;
  waited.start();
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    auto* view = dialog->findChild<QTreeView*>();
    const bool listed = view && view->model()->rowCount(view->rootIndex()) == entries;
    if (!listed && waited.elapsed() < 5000) return;
    shown.folder = dialog->directory().absolutePath();
    if (view) {
      // Each text of a column, and its heading, within the column's width.
      const QHeaderView* header = view->header();
      shown.whole = view->horizontalScrollBar()->maximum() == 0;
      for (int column = 1; column <= 3; ++column) {
        int widest = header->sectionSizeHint(column);
        for (int row = 0; row < entries; ++row) {
          const QString text = view->model()->index(row, column, view->rootIndex()).data().toString();
          widest = std::max(widest, view->fontMetrics().horizontalAdvance(text));
        }
        shown.whole = shown.whole && header->sectionSize(column) >= widest;
      }
    }
    dialog->reject();
  });
  poll.start(20);
  ui::SaveDialogRequest request;
  request.title = "Select File";
  request.filter = "Apps (*.txt)|*.txt|All files (*.*)|*.*";
  request.defaultName = lastName;
  request.defaultExt = "txt";
  EXPECT_EQ(services.saveFileDialog(request), std::nullopt);
  return shown;
}

TEST_F(SaveDialog, ShowsTheFolderOfTheLastFileWithItsColumnsWhole) {
  ASSERT_TRUE(QDir(home.path()).mkpath("Documents"));
  ASSERT_TRUE(QDir(home.path()).mkpath("saves/archive"));
  for (const char* name : {"saves/older curve data of the KD part.txt", "saves/notes.txt"}) {
    QFile file(home.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(3000, 'x'));
  }
  // The first save of the run.
  EXPECT_EQ(ShowDialog("", 0).folder.toStdString(), path("Documents"));
  const Shown again = ShowDialog(path("saves/data.txt"), 3);
  EXPECT_EQ(again.folder.toStdString(), path("saves"));
  EXPECT_TRUE(again.whole);
}

}  // namespace
