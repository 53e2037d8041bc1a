// The "Select File" save dialog opens in the folder of the file chosen
// last, else in the documents folder, else the home folder (never in the
// folder the program was started from), and shows the size, type and date
// of each file whole.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <string>

#include "qt/QtServices.h"
#include "qt/QtTestSupport.h"

namespace {

// Shows the service's dialog, proposing `lastName`; returns the folder it
// opened in, and whether it came to list `entries` names with each detail
// column and its heading within the column's width, and no scrolling across.
std::pair<std::string, bool> ShowDialog(const std::string& lastName, int entries) {
  qtui::QtServices services;
  std::pair<std::string, bool> shown;
  QElapsedTimer waited;
  waited.start();
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    auto* view = dialog ? dialog->findChild<QTreeView*>() : nullptr;
    if (!view) return;
    shown.first = dialog->directory().absolutePath().toStdString();
    shown.second = view->model()->rowCount(view->rootIndex()) == entries &&
                   view->horizontalScrollBar()->maximum() == 0;
    for (int column = 1; column <= 3; ++column) {
      int widest = view->header()->sectionSizeHint(column);
      for (int row = 0; row < entries; ++row)
        widest = std::max(widest, view->fontMetrics().horizontalAdvance(
                                      view->model()->index(row, column, view->rootIndex()).data().toString()));
      shown.second = shown.second && view->header()->sectionSize(column) >= widest;
    }
    // The folder is read and the columns sized a moment after the dialog shows.
    if (shown.second || waited.elapsed() > 5000) dialog->reject();
  });
  poll.start(20);
  ui::SaveDialogRequest request{"Select File", "Apps (*.txt)|*.txt|All files (*.*)|*.*", lastName, "txt"};
  EXPECT_EQ(services.saveFileDialog(request), std::nullopt);
  return shown;
}

TEST(SaveDialog, OpensInTheLastFilesFolderElseDocumentsElseHomeWithItsColumnsWhole) {
  const qttest::ScopedHome home;
  ASSERT_TRUE(home.valid());
  auto at = [&](const char* name) { return home.filePath(name).toStdString(); };

  EXPECT_EQ(qtui::saveDialogFolder("").toStdString(), at(""));
  ASSERT_TRUE(QDir(home.path()).mkpath("Documents"));
  ASSERT_TRUE(QDir(home.path()).mkpath("saves/archive"));
  for (const char* name : {"saves/older curve data of the KD part.txt", "saves/notes.txt"}) {
    QFile file(home.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(3000, 'x'));
  }
  // The first save of the run; a folder that is gone (a save failed there).
  EXPECT_EQ(ShowDialog("", 0).first, at("Documents"));
  EXPECT_EQ(qtui::saveDialogFolder(at("missing/data.txt")).toStdString(), at("Documents"));
  EXPECT_EQ(ShowDialog(at("saves/data.txt"), 3), std::pair(at("saves"), true));
}

}  // namespace
