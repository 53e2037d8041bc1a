// quenta10: the program entry. Shows the main window and runs Qt's event
// loop; the program logic runs on the window layer behind the Qt widgets.
#include <clocale>
#include <exception>

#include <QApplication>
#include <QFont>
#include <QMessageBox>

#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "milspec/EntryModes.h"
#include "qt/FrontEnd.h"
#include "qt/QtServices.h"
#include "ui/Services.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Qt adopts the user's locale for the C library; the program's number
  // texts always use "." whatever the locale says.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName("Quenta10");
  QApplication::setStyle("Fusion");
  // The program decides when it ends (Quit, or closing the main window).
  QApplication::setQuitOnLastWindowClosed(false);
  qtui::setEndWhenNoWindowLeft(true);
  qtui::installFontSubstitutions();
  QFont font("Liberation Sans");
  font.setPointSizeF(10);
  QApplication::setFont(font);

  qtui::QtServices services;
  ui::setServices(&services);

  int status = 0;
  try {
    // The program's files live beside the executable, wherever it is
    // started from.
    quenta::SetProgramFolder(QCoreApplication::applicationDirPath().toStdString());
    quenta::InstallMilitaryEntry();
    if (!qtui::windowFor(quenta::F_QuentaMainForm()))
      throw std::runtime_error("the main window could not be built");
    quenta::Main();
    if (!qtui::endRequested()) status = QApplication::exec();
  } catch (const ui::ProgramEnd&) {
    // Ended during start-up.
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, "Quenta10",
                          QString("The program could not start:\n%1").arg(e.what()));
    status = 1;
  } catch (...) {
    QMessageBox::critical(nullptr, "Quenta10", "The program could not start.");
    status = 1;
  }
  qtui::closeAllWindows();
  ui::setServices(nullptr);
  return status;
}
