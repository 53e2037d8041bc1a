// The results report through the Qt printer: on a system without a printer
// the page becomes a PDF file, whose text (read back with pdftotext) holds
// every row with its value beside the label, in Arial or a face metric-
// compatible with it, within the margins a printer would keep. The file
// goes to the documents folder, else the home folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "mainwindow/Commands.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "mainwindow/PrintScreen.h"
#include "mainwindow/Report.h"
#include "qt/FrontEnd.h"
#include "qt/QtServices.h"
#include "qt/QtTestSupport.h"
#include "ui/Headless.h"

namespace {

using qttest::PdfServices;

class ReportPdf : public ::testing::Test {
 protected:
  void SetUp() override {
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
    qtui::closeAllWindows();
    quenta::ResetForms();
    scope.reset();
    services.reset();
  }

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

  const QString text = qttest::PdfText(pdfs[0]);
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
  const QString used = qttest::RunPdfTool("pdffonts", {pdfs[0]});
  EXPECT_TRUE(used.contains("Arial") || used.contains("LiberationSans") || used.contains("Arimo"))
      << used.toStdString();
}

// A printer prints only within its printable area; a page saved as PDF
// keeps the same margins, a quarter inch, so nothing sits at the edge.
TEST_F(ReportPdf, PagesKeepAPrintersMargins) {
  quenta::Command1_Click();
  quenta::Command2_Click();
  quenta::Command5_Click();  // Print Screen: the window as a picture
  ASSERT_EQ(pdfs.size(), 2);

  const QString words = qttest::RunPdfTool("pdftotext", {"-bbox", pdfs[0], "-"});
  static const QRegularExpression corner(R"re(xMin="([\d.]+)" yMin="([\d.]+)")re");
  int count = 0;
  for (const auto& m : corner.globalMatch(words)) {
    ++count;
    EXPECT_GE(m.captured(1).toDouble(), 17.9);
    EXPECT_GE(m.captured(2).toDouble(), 17.9);
  }
  EXPECT_GT(count, 10);

  // The window's picture: white paper up to the margins, then the form.
  qttest::RunPdfTool("pdftoppm",
                     {"-r", "72", "-png", "-singlefile", pdfs[1], folder.filePath("screen")});
  const QImage page(folder.filePath("screen.png"));
  ASSERT_FALSE(page.isNull());
  for (int i = 0; i < 17; ++i) {
    for (int j = 0; j < page.height(); j += 7) EXPECT_EQ(page.pixel(i, j), qRgb(255, 255, 255));
    for (int j = 0; j < page.width(); j += 7) EXPECT_EQ(page.pixel(j, i), qRgb(255, 255, 255));
  }
  EXPECT_NE(page.pixel(20, 20), qRgb(255, 255, 255));
}

TEST(PdfFolder, IsTheDocumentsFolderElseHome) {
  const qttest::ScopedHome home;
  ASSERT_TRUE(home.valid());
  EXPECT_EQ(qtui::pdfFolder(), home.path());
  ASSERT_TRUE(QDir(home.path()).mkdir("Documents"));
  EXPECT_EQ(qtui::pdfFolder(), home.filePath("Documents"));
}

}  // namespace
