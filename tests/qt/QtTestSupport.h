// Shared by the Qt tests: services that print to PDF files, the text of a
// PDF file, and the graph window opened on an X7R part as the Graph
// command opens it.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QInputEvent>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>

#include "graph/GraphForm.h"
#include "graph/GraphWindow.h"
#include "mainwindow/Commands.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "qt/Binder.h"
#include "qt/FrontEnd.h"
#include "qt/QtServices.h"
#include "ui/Headless.h"

namespace qttest {

// The user's clock: the time at which the tests' gestures are made, as a
// window system stamps them, in milliseconds that run with real time. Far
// from QTest's own clock, which starts at 0.
constexpr int kUserClockStart = 10'000'000;
inline int UserNow() {
  static const QElapsedTimer clock = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return kUserClockStart + static_cast<int>(clock.elapsed());
}

// QTest stamps its mouse events on a clock of its own, which moves on by
// half a second a click whatever the time, where a window system's runs
// with real time and the program compares the two. Restamps them on the
// user's clock before the program sees them (installed after the program's
// own filters, it is asked first).
inline void StampQTestMouseEventsOnTheUserClock() {
  class Restamp : public QObject {
   public:
    using QObject::QObject;

   protected:
    bool eventFilter(QObject*, QEvent* event) override {
      switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
          if (auto* e = static_cast<QInputEvent*>(event); e->timestamp() < kUserClockStart)
            e->setTimestamp(static_cast<quint64>(UserNow()));
          break;
        default:
          break;
      }
      return false;
    }
  };
  QCoreApplication::instance()->installEventFilter(new Restamp(QCoreApplication::instance()));
}

// Builds a form's window from its designer file and binds it to the form.
inline void BindWindow(ui::Form& form, std::unique_ptr<QWidget>& window,
                       std::unique_ptr<qtui::Binder>& binder) {
  window.reset(qtui::createFormWidget(form.name()));
  ASSERT_TRUE(window) << form.name();
  binder = std::make_unique<qtui::Binder>(form, *window);
}

// Headless dialogs, the Qt printer.
class PdfServices : public ui::HeadlessServices {
 public:
  ui::Printer& printer() override { return printer_; }
  qtui::QtPrinter& qtPrinter() { return printer_; }

 private:
  qtui::QtPrinter printer_;
};

// HOME, and the desktop's settings under it, in a temporary folder while it
// lives; the folders the program looks up (Documents) are made there.
class ScopedHome {
 public:
  ScopedHome() : savedHome_(qgetenv("HOME")), savedConfig_(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("HOME", home_.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home_.filePath(".config").toUtf8());
  }
  ~ScopedHome() {
    qputenv("HOME", savedHome_);
    if (savedConfig_.isNull())
      qunsetenv("XDG_CONFIG_HOME");
    else
      qputenv("XDG_CONFIG_HOME", savedConfig_);
  }
  ScopedHome(const ScopedHome&) = delete;
  ScopedHome& operator=(const ScopedHome&) = delete;
  bool valid() const { return home_.isValid(); }
  QString path() const { return home_.path(); }
  QString filePath(const QString& name) const { return home_.filePath(name); }

 private:
  QTemporaryDir home_;
  QByteArray savedHome_, savedConfig_;
};

// What a tool of Debian's poppler-utils prints (pdftotext, pdfinfo, ...).
inline QString RunPdfTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) {
    ADD_FAILURE() << program.toStdString() << " (Debian poppler-utils) failed on "
                  << args.join(' ').toStdString();
    return {};
  }
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of a PDF file, laid out as on the page.
inline QString PdfText(const QString& path) { return RunPdfTool("pdftotext", {"-layout", path, "-"}); }

// Starts the program on the services in force, calculates the KD 05 100 V
// X7R 2.2 µF part and presses Graph; returns the graph window.
inline quenta::GraphForm& OpenGraphWindowOfX7rPart() {
  quenta::InstallGraphWindow();
  quenta::ResetForms();
  quenta::SetProgramFolder(QUENTA_PROGRAM_FOLDER);
  quenta::Main();
  auto& m = quenta::F_QuentaMainForm();
  for (auto [list, text] : {std::pair{&m.CB_Type, "KD"}, {&m.CB_Case, "05"}, {&m.CB_Volt, "100"},
                            {&m.CB_Dielectric, "X7R"}, {&m.CB_Cap, " 2.2 \u00B5F"}})
    list->setText(text);
  quenta::Command3_Click();
  return quenta::F_QuentaGrafForm();
}

}  // namespace qttest
