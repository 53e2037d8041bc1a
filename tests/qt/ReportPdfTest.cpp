// The results report through the Qt printer: on a system without a printer
// the page becomes a PDF file, whose text (read back with pdftotext) holds
// every row with its value beside the label, in Arial or a face metric-
// compatible with it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "mainwindow/Commands.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "mainwindow/Report.h"
#include "qt/QtServices.h"
#include "qt/QtTestSupport.h"
#include "ui/Headless.h"

namespace {

using qttest::PdfServices;

class ReportPdf : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!QApplication::instance()) {
      static int argc = 1;
      static char name[] = "test_qt";
      static char* argv[] = {name, nullptr};
      static QApplication app(argc, argv);
    }
    if (!QPrinterInfo::availablePrinters().isEmpty())
      GTEST_SKIP() << "a printer is set up here: the report would go to paper";
    ASSERT_TRUE(folder.isValid());
    qtui::installFontSubstitutions();
    services = std::make_unique<PdfServices>();
    services->qtPrinter().setPdfFolder(folder.path());
    services->qtPrinter().onPdfWritten = [this](const QString& path) { pdfs << path; };
    scope = std::make_unique<ui::ScopedServices>(*services);
    quenta::ResetForms();
    quenta::SetProgramFolder(QUENTA_PROGRAM_FOLDER);
    quenta::Main();
  }
  void TearDown() override {
    quenta::ResetForms();
    scope.reset();
    services.reset();
  }

  static QString pdfText(const QString& path) { return qttest::PdfText(path); }

  QTemporaryDir folder;
  QStringList pdfs;
  std::unique_ptr<PdfServices> services;
  std::unique_ptr<ui::ScopedServices> scope;
};

TEST_F(ReportPdf, ThePagePrintsEveryRowBesideItsLabel) {
  quenta::MainForm& f = quenta::F_QuentaMainForm();
  f.CB_Type.setText("KD");
  f.CB_Case.setText("05");
  f.CB_Volt.setText("100");
  f.CB_Dielectric.setText("Z5U");
  quenta::Command1_Click();
  ASSERT_TRUE(f.Command2.enabled());
  quenta::Command2_Click();
  ASSERT_TRUE(services->messages.empty()) << services->messages[0].text;
  ASSERT_EQ(pdfs.size(), 1);

  const QString text = pdfText(pdfs[0]);
  const QStringList lines = text.split('\n', Qt::SkipEmptyParts);
  // Every label is followed on its own line by its value.
  for (const quenta::ReportRow& row : quenta::ReportRows()) {
    const QString label = QString::fromStdString(row.label).trimmed();
    const QString value = QString::fromStdString(row.value).trimmed();
    bool found = false;
    for (const QString& line : lines) {
      const QString simple = line.simplified();
      if (simple.startsWith(label) && simple.endsWith(value.simplified())) found = true;
    }
    EXPECT_TRUE(found) << label.toStdString() << " / " << value.toStdString() << "\n"
                       << text.toStdString();
  }
  EXPECT_TRUE(text.contains("The Z5U dielectric is no longer offered"));
  EXPECT_TRUE(text.contains("This part # is not valid"));
  EXPECT_TRUE(text.contains("KD051E156Z...")) << text.toStdString();

  // Arial is drawn with a metric-compatible face where the system has no
  // Arial, so the columns keep their proportions.
  QProcess fonts;
  fonts.start("pdffonts", {pdfs[0]});
  ASSERT_TRUE(fonts.waitForFinished(30000));
  const QString used = QString::fromUtf8(fonts.readAllStandardOutput());
  EXPECT_TRUE(used.contains("Arial") || used.contains("LiberationSans") || used.contains("Arimo"))
      << used.toStdString();
}

}  // namespace
