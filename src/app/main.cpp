// quenta10: the program entry. Shows the main window and runs Qt's event
// loop; the program logic runs on the window layer behind the Qt widgets.
#include <clocale>
#include <cstdio>
#include <exception>
#include <memory>

#include <QApplication>
#include <QFont>
#include <QMessageBox>

#include "app/ProgramFolder.h"
#include "app/StartupCheck.h"
#include "graph/GraphWindow.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "military/EntryModes.h"
#include "qt/Binder.h"
#include "qt/FirstPaint.h"
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

  // The start-up check, when asked for, has its own services.
  std::unique_ptr<qtui::QtServices> services;
  quenta::app::StartupCheckServices* checkServices = nullptr;
  if (quenta::app::StartupCheckRequested()) {
    auto check = std::make_unique<quenta::app::StartupCheckServices>();
    checkServices = check.get();
    services = std::move(check);
  } else {
    services = std::make_unique<qtui::QtServices>();
  }
  ui::setServices(services.get());

  int status = 0;
  auto fail = [&](const QString& text) {
    if (checkServices) {
      std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    } else {
      QMessageBox::critical(nullptr, "Quenta10", text);
    }
    status = 1;
  };
  try {
    // The program's files live beside the executable, wherever it is
    // started from and whatever its folder is called.
    const std::string folder = quenta::app::ExecutableFolder(argc > 0 ? argv[0] : nullptr);
    if (folder.empty()) throw std::runtime_error("the program's own folder cannot be found");
    quenta::SetProgramFolder(folder);
    quenta::InstallMilitaryEntry();
    quenta::InstallGraphWindow();
    qtui::Binder* main = qtui::windowFor(quenta::F_QuentaMainForm());
    if (!main) throw std::runtime_error("the main window could not be built");
    // For measuring the start (bench/gui): report the memory held at the
    // main window's first paint, then end.
    if (qEnvironmentVariableIsSet("QUENTA10_FIRST_PAINT_EXIT"))
      qtui::reportFirstPaint(main->window(), qtui::requestEnd);
    quenta::Main();
    if (qtui::endRequested()) {
      status = 1;  // the start-up reported why it could not go on
    } else if (checkServices) {
      status = quenta::app::FinishStartupCheck(*checkServices, folder);
    } else {
      status = QApplication::exec();
    }
  } catch (const ui::ProgramEnd&) {
    // Ended during start-up, after saying why.
    status = 1;
  } catch (const std::exception& e) {
    fail(QString("The program could not start:\n%1").arg(e.what()));
  } catch (...) {
    fail("The program could not start.");
  }
  qtui::closeAllWindows();
  ui::setServices(nullptr);
  return status;
}
