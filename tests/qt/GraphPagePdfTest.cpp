// The graph page and the graph-data window on Qt: without a printer the
// drawn page becomes a PDF of one landscape page whose texts read back
// with pdftotext and whose curves are red and blue; the data window's
// editor shows the text line by line and hands edits back with CR LF.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <memory>

#include "graph/GraphDataWindow.h"
#include "graph/GraphPrintout.h"
#include "qt/Binder.h"
#include "qt/FrontEnd.h"
#include "qt/QtServices.h"
#include "ui/Headless.h"

namespace {

void EnsureApplication() {
  if (!QApplication::instance()) {
    static int argc = 1;
    static char name[] = "test_qt";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
  }
}

QString RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) {
    ADD_FAILURE() << program.toStdString() << " (Debian poppler-utils) failed";
    return {};
  }
  return QString::fromUtf8(p.readAllStandardOutput());
}

// An ESR and impedance page over 1 to 100000 kHz from a made-up part.
quenta::GraphPage EsrPage() {
  quenta::GraphPage page;
  page.kind = 0;
  page.range = quenta::PageRangeFor(0, "1", "100000");
  page.header = "Quenta10 Graph KD015A685K   25 \u00B0C Amb.    25 \u00B0C Internal    ";
  page.readouts = {"1000", "0.0553", "1.59"};
  page.axes = {1e5f, 1, 0, 0};
  page.model = [](const quenta::PageSweep& sweep, quenta::PagePoints& points) {
    for (int i = 1; i <= sweep.count; ++i) {
      const double f = std::pow(10.0, double(i) / sweep.count * sweep.decades.count + sweep.decades.low);
      points.y1[static_cast<std::size_t>(i)] = 20 + 4e6 / f;
      points.y2[static_cast<std::size_t>(i)] = 1e9 / f + f / 1e4;
    }
  };
  return page;
}

TEST(GraphPagePdf, OneLandscapePageWithItsTextsAndColouredCurves) {
  EnsureApplication();
  if (!QPrinterInfo::availablePrinters().isEmpty())
    GTEST_SKIP() << "a printer is set up here: the page would go to paper";
  qtui::installFontSubstitutions();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  qtui::QtPrinter printer;
  printer.setPdfFolder(folder.path());
  QStringList pdfs;
  printer.onPdfWritten = [&](const QString& path) { pdfs << path; };

  quenta::DrawGraphPage(printer, EsrPage());
  ASSERT_EQ(pdfs.size(), 1);
  EXPECT_EQ(printer.orientation(), ui::Orientation::Portrait);  // given back
  EXPECT_EQ(printer.scale(), 1);

  const QString info = RunTool("pdfinfo", {pdfs[0]});
  EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
  const QRegularExpressionMatch size =
      QRegularExpression("Page size:\\s+([0-9.]+) x ([0-9.]+) pts").match(info);
  ASSERT_TRUE(size.hasMatch()) << info.toStdString();
  EXPECT_GT(size.captured(1).toDouble(), size.captured(2).toDouble());  // landscape

  const QString text = RunTool("pdftotext", {"-layout", pdfs[0], "-"}).simplified();
  for (const char* expected :
       {"Quenta10 Graph KD015A685K", "ESR (Ohms) & Impedance (Ohms) VS Frequency (kHz)",
        "Frequency: 1000, ESR: 0.0553, Impedance: 1.59", "Frequency (kHz)", "100000"}) {
    EXPECT_TRUE(text.contains(expected)) << expected << "\n" << text.toStdString();
  }

  // The curves print in their colours.
  RunTool("pdftoppm", {"-png", "-r", "50", "-singlefile", pdfs[0], folder.filePath("page")});
  const QImage image(folder.filePath("page.png"));
  ASSERT_FALSE(image.isNull());
  EXPECT_GT(image.width(), image.height());
  int red = 0, blue = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 80 && c.blue() < 80) ++red;
      if (c.blue() > 200 && c.red() < 80 && c.green() < 80) ++blue;
    }
  }
  EXPECT_GT(red, 100);
  EXPECT_GT(blue, 100);
}

TEST(GraphDataEditor, ShowsTheLinesAndHandsEditsBackWithCrLf) {
  EnsureApplication();
  ui::HeadlessServices services;
  ui::ScopedServices scope(services);
  quenta::ResetGraphDataForm();
  quenta::GraphDataForm& form = quenta::Graph_Data();
  std::unique_ptr<QWidget> window(qtui::createFormWidget("Graph_Data"));
  ASSERT_TRUE(window);
  auto binder = std::make_unique<qtui::Binder>(form, *window);
  EXPECT_TRUE(binder->unbound().empty());
  auto* editor = window->findChild<QPlainTextEdit*>("RichTextBox1");
  ASSERT_TRUE(editor);
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
