// Print Graph and the graph-data window on Qt: without a printer every
// graph becomes a PDF of one landscape page, the drawn pages' texts read
// back with pdftotext and their curves print red and blue; the data
// window's editor shows the text line by line and hands edits back with
// CR LF.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "graph/GraphDataWindow.h"
#include "graph/GraphForm.h"
#include "qt/Binder.h"
#include "qt/FrontEnd.h"
#include "qt/QtServices.h"
#include "qt/QtTestSupport.h"
#include "ui/Headless.h"

namespace {

using qttest::PdfServices;
using qttest::RunPdfTool;

// The graph window of an X7R part on Qt, printing to PDF files.
class GraphPrintPdf : public ::testing::Test {
 protected:
  void SetUp() override {
    // The test program's environment provides the application.
    if (!QPrinterInfo::availablePrinters().isEmpty())
      GTEST_SKIP() << "a printer is set up here: the pages would go to paper";
    ASSERT_TRUE(folder.isValid());
    qtui::installFontSubstitutions();
    services.qtPrinter().setPdfFolder(folder.path());
    services.qtPrinter().onPdfWritten = [this](const QString& path) { pdfs << path; };
    scope = std::make_unique<ui::ScopedServices>(services);
    form = &qttest::OpenGraphWindowOfX7rPart();
    qttest::BindWindow(*form, window, binder);
  }
  void TearDown() override {
    binder.reset();
    window.reset();
    quenta::ResetForms();
    scope.reset();
  }
  // Prints the graph of a kind; the PDF written, "" for none.
  QString print(int kind) {
    form->GrafName.setListIndex(kind);
    const qsizetype before = pdfs.size();
    form->Command1.click();
    EXPECT_TRUE(services.messages.empty()) << services.messages.back().text;
    return pdfs.size() == before + 1 ? pdfs.back() : QString();
  }
  // One landscape page.
  static void ExpectOneLandscapePage(const QString& pdf) {
    const QString info = RunPdfTool("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    const QRegularExpressionMatch size =
        QRegularExpression("Page size:\\s+([0-9.]+) x ([0-9.]+) pts").match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    EXPECT_GT(size.captured(1).toDouble(), size.captured(2).toDouble());
  }

  QTemporaryDir folder;
  QStringList pdfs;
  PdfServices services;
  std::unique_ptr<ui::ScopedServices> scope;
  quenta::GraphForm* form = nullptr;
  std::unique_ptr<QWidget> window;
  std::unique_ptr<qtui::Binder> binder;
};

TEST_F(GraphPrintPdf, TheEsrAndImpedancePageReadsBackWithItsCurvesInColour) {
  const QString pdf = print(0);
  ASSERT_FALSE(pdf.isEmpty());
  ExpectOneLandscapePage(pdf);
  const QString text = RunPdfTool("pdftotext", {"-layout", pdf, "-"}).simplified();
  for (const char* expected :
       {"Quenta10 Graph KD051C225M", "ESR (Ohms) & Impedance (Ohms) VS Frequency (kHz)",
        "Frequency: 100, ESR: ", "Frequency (kHz)", "100000", "1000"}) {
    EXPECT_TRUE(text.contains(expected)) << expected << "\n" << text.toStdString();
  }
  RunPdfTool("pdftoppm", {"-png", "-r", "50", "-singlefile", pdf, folder.filePath("page")});
  const QImage image(folder.filePath("page.png"));
  ASSERT_FALSE(image.isNull());
  int red = 0, blue = 0, green = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 80 && c.blue() < 80) ++red;
      if (c.blue() > 200 && c.red() < 80 && c.green() < 80) ++blue;
      if (c.green() > 200 && c.red() < 80 && c.blue() < 80) ++green;
    }
  }
  EXPECT_GT(red, 100);
  EXPECT_GT(blue, 100);
  EXPECT_GT(green, 20);  // the cursor line
}

TEST_F(GraphPrintPdf, EveryOtherGraphPrintsOneLandscapePage) {
  const char* titles[] = {"", "Temperature Rise (deg. C) VS Applied Current (Amps RMS)",
                          "Maximum Current (Amps RMS) VS Frequency (kHz)",
                          "Maximum Ripple Voltage (Volts RMS) VS Frequency (kHz)"};
  for (int kind = 1; kind <= 5; ++kind) {
    SCOPED_TRACE(kind);
    const QString pdf = print(kind);
    ASSERT_FALSE(pdf.isEmpty());
    ExpectOneLandscapePage(pdf);
    if (kind <= 3) {
      const QString text = RunPdfTool("pdftotext", {"-layout", pdf, "-"}).simplified();
      EXPECT_TRUE(text.contains(titles[kind])) << text.toStdString();
    }
  }
}

// The lines in a fixed-pitch font, so that the blanks between the columns
// line them up.
TEST(GraphDataEditor, ShowsTheLinesAndHandsEditsBackWithCrLf) {
  ui::HeadlessServices services;
  ui::ScopedServices scope(services);
  quenta::ResetGraphDataForm();
  quenta::GraphDataForm& form = quenta::Graph_Data();
  std::unique_ptr<QWidget> window;
  std::unique_ptr<qtui::Binder> binder;
  qttest::BindWindow(form, window, binder);
  EXPECT_TRUE(binder->unbound().empty());
  auto* editor = window->findChild<QPlainTextEdit*>("RichTextBox1");
  ASSERT_TRUE(editor);
  EXPECT_TRUE(QFontInfo(editor->font()).fixedPitch()) << QFontInfo(editor->font()).family().toStdString();
  form.RichTextBox1.setText("FREQ (kHz), Phase Angle(Deg)\r\n1 ,  -89.9");
  EXPECT_EQ(editor->toPlainText(), "FREQ (kHz), Phase Angle(Deg)\n1 ,  -89.9");
  EXPECT_EQ(editor->document()->blockCount(), 2);
  editor->moveCursor(QTextCursor::End);
  QTest::keyClick(editor, Qt::Key_Return);
  QTest::keyClicks(editor, "3");
  EXPECT_EQ(form.RichTextBox1.text(), "FREQ (kHz), Phase Angle(Deg)\r\n1 ,  -89.9\r\n3");
  binder.reset();
  quenta::ResetGraphDataForm();
}

}  // namespace
