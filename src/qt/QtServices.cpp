#include "qt/QtServices.h"

#include <algorithm>

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTreeView>
#include <QUrl>

#include "qt/Binder.h"
#include "qt/FrontEnd.h"
#include "qt/ModalPressGuard.h"
#include "qt/ScreenFit.h"
#include "ui/Control.h"
#include "ui/Form.h"

namespace qtui {

// ---- Timers ------------------------------------------------------------------

QtTimer::QtTimer(ui::Timer& timer, QObject* parent) : QObject(parent), timer_(timer) {
  connect(&qtimer_, &QTimer::timeout, this, [this] { callLayer([&] { timer_.tick(); }); });
  timer_.setListener(this);
  update();
}

QtTimer::~QtTimer() {
  if (timer_.listener() == this) timer_.setListener(nullptr);
}

void QtTimer::propertyChanged(ui::Control& control, ui::Prop prop) {
  (void)control;
  if (prop == ui::Prop::Enabled || prop == ui::Prop::Interval) update();
}

void QtTimer::update() {
  if (timer_.running())
    qtimer_.start(timer_.interval());  // a new interval or a restart counts afresh
  else
    qtimer_.stop();
}

// ---- Texts -------------------------------------------------------------------

QString messageText(const std::string& text) {
  QString out = toQ(text);
  out.replace("\r\n", "\n");
  out.replace('\r', '\n');
  return out;
}

QString dialogFilter(const std::string& filter) {
  const QStringList parts = toQ(filter).split('|');
  QStringList out;
  static const QRegularExpression trailingPatterns(R"(\s*\([^()]*\)\s*$)");
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    description.remove(trailingPatterns);
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    out << QString("%1 (%2)").arg(description.trimmed(), patterns.simplified());
  }
  if (parts.size() % 2 == 1 && !parts.back().isEmpty()) out << parts.back();
  return out.join(";;");
}

void installFontSubstitutions() {
  const QStringList sans = {"Liberation Sans", "Arimo", "Nimbus Sans", "Helvetica", "DejaVu Sans"};
  QFont::insertSubstitutions("Arial", sans);
  QFont::insertSubstitutions("MS Sans Serif", sans);
  QFont::insertSubstitutions("Microsoft Sans Serif", sans);
  QFont::insertSubstitutions("Times New Roman", {"Liberation Serif", "Tinos", "Nimbus Roman"});
  QFont::insertSubstitutions("Courier New", {"Liberation Mono", "Cousine", "Nimbus Mono PS"});
}

// ---- Printer -------------------------------------------------------------------

namespace {

// The margins of a printer's printable area, which a page written to a
// PDF file keeps: a quarter inch on every side, as most printers have.
const QMarginsF kPrintableAreaMargins(18, 18, 18, 18);  // points

}  // namespace

QString pdfFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
  return QDir::homePath();
}

QString saveDialogFolder(const std::string& lastName) {
  if (!lastName.empty()) {
    const QString folder = QFileInfo(toQ(lastName)).absolutePath();
    if (QFileInfo(folder).isDir()) return folder;
  }
  return pdfFolder();
}

void showDetailColumnsWhole(QFileDialog& dialog) {
  auto* view = dialog.findChild<QTreeView*>();
  if (!view) return;  // a dialog of the desktop's own
  // Size, type and date as wide as what they show, the name taking the
  // rest, in a dialog wide enough for all four (within the screen).
  QHeaderView* header = view->header();
  header->setStretchLastSection(false);
  header->setSectionResizeMode(QHeaderView::ResizeToContents);
  header->setSectionResizeMode(0, QHeaderView::Stretch);
  const QScreen* screen = dialog.screen();
  const int room = screen ? screen->availableGeometry().width() * 9 / 10 : 900;
  const int wanted = dialog.fontMetrics().averageCharWidth() * 110;
  dialog.resize(std::max(dialog.sizeHint().width(), std::min(wanted, room)), dialog.sizeHint().height());
}

namespace {

QString newPdfPath(const QString& chosenFolder) {
  const QString folder = chosenFolder.isEmpty() ? pdfFolder() : chosenFolder;
  const QString stem =
      "Quenta10 printout " + QDateTime::currentDateTime().toString("yyyy-MM-dd hh.mm.ss");
  QString path = QDir(folder).filePath(stem + ".pdf");
  for (int n = 2; QFileInfo::exists(path); ++n)
    path = QDir(folder).filePath(QString("%1 (%2).pdf").arg(stem).arg(n));
  return path;
}

[[noreturn]] void printerFailed(const QString& what) {
  throw ui::PrinterError(482, "Printer error: " + fromQ(what));
}

}  // namespace

QtPrinter::QtPrinter() = default;

QtPrinter::~QtPrinter() {
  if (painter_ && painter_->isActive()) {
    printer_->abort();
    painter_->end();
  }
}

QPrinter& QtPrinter::device() const {
  if (!printer_) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdfPath_.clear();
    if (QPrinterInfo::availablePrinters().isEmpty()) {
      pdfPath_ = newPdfPath(pdfFolder_);
      printer_->setOutputFormat(QPrinter::PdfFormat);
      printer_->setOutputFileName(pdfPath_);
      printer_->setPageMargins(kPrintableAreaMargins, QPageLayout::Point);
    }
    printer_->setPageOrientation(orientation_ == ui::Orientation::Landscape
                                     ? QPageLayout::Landscape
                                     : QPageLayout::Portrait);
  }
  return *printer_;
}

void QtPrinter::begin() {
  if (painter_ && painter_->isActive()) return;
  QPrinter& printer = device();
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(&printer)) {
    painter_.reset();
    const QString target = pdfPath_.isEmpty() ? printer.printerName() : pdfPath_;
    printer_.reset();
    printerFailed("the document could not be started on " + target + ".");
  }
  pageMarked_ = false;
}

double QtPrinter::toDevice(double twips) const { return twips * device().resolution() / 1440.0; }

double QtPrinter::toTwips(double devicePixels) const {
  return devicePixels * 1440.0 / device().resolution();
}

QPointF QtPrinter::devicePoint(double x, double y) const {
  return QPointF(unitsToDevice(x), unitsToDevice(y));
}

QPen QtPrinter::pen(ui::Color color) const {
  // At least one device pixel, so a line never vanishes.
  const double width = std::max(1.0, toDevice(std::max(1, drawWidth_) * ui::kTwipsPerDot));
  return QPen(qcolor(color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QFont QtPrinter::currentFont() const {
  QFont font(toQ(fontName_));
  font.setPointSizeF(fontSize_ > 0 ? fontSize_ : 1);
  font.setBold(bold_);
  return font;
}

void QtPrinter::setOrientation(ui::Orientation orientation) {
  orientation_ = orientation;
  // Takes effect on the next page of a document under way.
  if (printer_)
    printer_->setPageOrientation(orientation == ui::Orientation::Landscape ? QPageLayout::Landscape
                                                                           : QPageLayout::Portrait);
}

double QtPrinter::pageWidth() const { return toTwips(device().pageRect(QPrinter::DevicePixel).width()); }

double QtPrinter::pageHeight() const {
  return toTwips(device().pageRect(QPrinter::DevicePixel).height());
}

void QtPrinter::setFontName(const std::string& name) { fontName_ = name; }
void QtPrinter::setFontSize(double points) { fontSize_ = points; }
void QtPrinter::setFontBold(bool bold) { bold_ = bold; }

void QtPrinter::print(const std::string& text, bool lineBreak) {
  begin();
  const QFont font = currentFont();
  painter_->setFont(font);
  painter_->setPen(qcolor(foreColor_));
  const QFontMetricsF metrics(font, &device());
  painter_->drawText(devicePoint(x_, y_) + QPointF(0, metrics.ascent()), toQ(text));
  pageMarked_ = true;
  if (lineBreak) {
    x_ = 0;
    y_ += textHeight(text);
  } else {
    x_ += textWidth(text);
  }
}

double QtPrinter::textWidth(const std::string& text) const {
  return toTwips(QFontMetricsF(currentFont(), &device()).horizontalAdvance(toQ(text))) / scale_;
}

double QtPrinter::textHeight(const std::string& text) const {
  (void)text;
  return toTwips(QFontMetricsF(currentFont(), &device()).lineSpacing()) / scale_;
}

void QtPrinter::line(double x1, double y1, double x2, double y2) {
  line(x1, y1, x2, y2, foreColor_);
}

void QtPrinter::line(double x1, double y1, double x2, double y2, ui::Color color) {
  begin();
  painter_->setPen(pen(color));
  painter_->drawLine(devicePoint(x1, y1), devicePoint(x2, y2));
  pageMarked_ = true;
  x_ = x2;
  y_ = y2;
}

void QtPrinter::box(double x1, double y1, double x2, double y2, ui::Color color) {
  begin();
  painter_->setPen(pen(color));
  painter_->setBrush(Qt::NoBrush);
  painter_->drawRect(QRectF(devicePoint(x1, y1), devicePoint(x2, y2)).normalized());
  pageMarked_ = true;
  x_ = x2;
  y_ = y2;
}

void QtPrinter::paintPicture(const std::string& path, double x, double y, double width,
                             double height) {
  bool exists = false;
  const QImage image = loadPicture(path, &exists);
  if (image.isNull()) {
    if (!exists) throw ui::PrinterError(53, "File not found: " + path);
    throw ui::PrinterError(481, "Invalid picture: " + path);
  }
  begin();
  painter_->drawImage(QRectF(devicePoint(x, y), devicePoint(x + width, y + height)), image);
  pageMarked_ = true;
}

void QtPrinter::paintPicture(const ui::PictureBox& box, double x, double y, double width,
                             double height) {
  if (!box.picture().empty()) {
    paintPicture(box.picture(), x, y, width, height);
    return;
  }
  // The image the box's window shows in it (a picture the front end drew).
  const Binder* binder = Binder::of(box.form());
  const auto* label = binder ? qobject_cast<const QLabel*>(binder->widgetFor(box)) : nullptr;
  if (!label) return;
  QPixmap image = label->property(kSourcePixmap).value<QPixmap>();
  if (image.isNull()) image = label->pixmap();
  if (image.isNull()) return;
  begin();
  painter_->drawPixmap(QRectF(devicePoint(x, y), devicePoint(x + width, y + height)), image,
                       QRectF(image.rect()));
  pageMarked_ = true;
}

void QtPrinter::printForm(ui::Form& form) {
  Binder* binder = windowFor(form);
  if (!binder) printerFailed("the window " + toQ(form.name()) + " cannot be printed.");
  // The whole form, also where a small screen shows only part of it, on the
  // form's background.
  QWidget* shown = &binder->window();
  if (FitArea* area = fitAreaOf(*shown)) shown = area->content();
  const qreal ratio = shown->devicePixelRatioF();
  QPixmap image(shown->size() * ratio);
  image.setDevicePixelRatio(ratio);
  image.fill(shown->palette().color(QPalette::Window));
  shown->render(&image);
  begin();
  if (pageMarked_) newPage();
  // The window at its size on screen, made smaller when the page is.
  const QSizeF logical = image.deviceIndependentSize();
  double width = logical.width() * twipsPerPixel();
  double height = logical.height() * twipsPerPixel();
  const double fit = std::min({1.0, pageWidth() / width, pageHeight() / height});
  width *= fit;
  height *= fit;
  painter_->drawPixmap(QRectF(0, 0, toDevice(width), toDevice(height)), image,
                       QRectF(image.rect()));
  pageMarked_ = true;
  endDoc();
}

void QtPrinter::newPage() {
  begin();
  if (!printer_->newPage()) printerFailed("a new page could not be started.");
  pageMarked_ = false;
  x_ = 0;
  y_ = 0;
}

void QtPrinter::endDoc() {
  x_ = 0;
  y_ = 0;
  if (!painter_ || !painter_->isActive()) return;  // nothing drawn: nothing to print
  const bool ok = painter_->end();
  painter_.reset();
  const QString pdf = pdfPath_;
  printer_.reset();
  if (!ok) printerFailed("the document could not be finished.");
  if (!pdf.isEmpty()) {
    if (onPdfWritten) {
      onPdfWritten(pdf);
    } else {
      QMessageBox::information(QApplication::activeWindow(), "Quenta10",
                               "No printer is set up, so the printout was saved as a PDF file:\n" +
                                   QDir::toNativeSeparators(pdf));
    }
  }
}

void QtPrinter::killDoc() {
  x_ = 0;
  y_ = 0;
  if (painter_ && painter_->isActive()) {
    printer_->abort();
    painter_->end();
  }
  painter_.reset();
  if (!pdfPath_.isEmpty()) QFile::remove(pdfPath_);
  printer_.reset();
}

// ---- Services ----------------------------------------------------------------------

QtServices::QtServices() {
  // The boxes and dialogs the program opens end the gesture under way and
  // take no press of it.
  installModalPressGuard();
}

QtServices::~QtServices() = default;

ui::MsgResult QtServices::messageBox(const ui::MessageBoxRequest& request) {
  if (endRequested()) throw ui::ProgramEnd{};
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  switch (request.icon) {
    case ui::MsgIcon::None: break;
    case ui::MsgIcon::Question: icon = QMessageBox::Question; break;
    case ui::MsgIcon::Exclamation: icon = QMessageBox::Warning; break;
    case ui::MsgIcon::Critical: icon = QMessageBox::Critical; break;
    case ui::MsgIcon::Information: icon = QMessageBox::Information; break;
  }
  const bool yesNo = request.buttons == ui::MsgButtons::YesNo;
  QMessageBox box(icon, request.title.empty() ? QString("Quenta10") : toQ(request.title),
                  messageText(request.text),
                  yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  if (yesNo) {
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
  }
  const int answer = box.exec();
  if (endRequested()) throw ui::ProgramEnd{};
  if (!yesNo) return ui::MsgResult::Ok;
  return answer == QMessageBox::Yes ? ui::MsgResult::Yes : ui::MsgResult::No;
}

void QtServices::runModal(ui::Form& form) {
  if (endRequested()) throw ui::ProgramEnd{};
  if (!windowFor(form)) {
    // Without a window the dialog could never be answered.
    qWarning("no window for the dialog %s", form.name().c_str());
    return;
  }
  if (form.shown()) {
    QEventLoop loop;
    modal_.push_back({&form, &loop});
    loop.exec(QEventLoop::DialogExec);
    modal_.erase(std::remove_if(modal_.begin(), modal_.end(),
                                [&](const ModalLoop& m) { return m.loop == &loop; }),
                 modal_.end());
  }
  // The program ended while the dialog was open: every handler that waits
  // on it unwinds as well.
  if (endRequested()) throw ui::ProgramEnd{};
}

void QtServices::formShown(ui::Form& form) {
  if (!windowFor(form)) qWarning("no window for the form %s", form.name().c_str());
}

void QtServices::formRaised(ui::Form& form) {
  if (Binder* binder = windowFor(form)) binder->bringToFront();
}

void QtServices::formHidden(ui::Form& form) {
  for (const ModalLoop& m : modal_)
    if (m.form == &form) m.loop->quit();
}

ui::Printer& QtServices::printer() {
  if (!printer_) printer_ = std::make_unique<QtPrinter>();
  return *printer_;
}

void QtServices::shellOpen(const std::string& address) {
  if (QDesktopServices::openUrl(QUrl::fromUserInput(toQ(address)))) return;
  // The desktop has no browser to hand the address to: the user hears so,
  // with the address to open by other means.
  ui::MessageBoxRequest request;
  request.text = "No web browser could be started to open\n" + address;
  request.icon = ui::MsgIcon::Exclamation;
  messageBox(request);
}

std::optional<std::string> QtServices::saveFileDialog(const ui::SaveDialogRequest& request) {
  if (endRequested()) throw ui::ProgramEnd{};
  // The dialog adds the default extension to a name typed without one and
  // asks before it lets an existing file be replaced.
  QFileDialog dialog(QApplication::activeWindow(), toQ(request.title));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(dialogFilter(request.filter));
  dialog.setDefaultSuffix(toQ(request.defaultExt));
  // In the folder of the name proposed (the last one chosen), else in the
  // documents folder, never in the folder the program was started from.
  dialog.setDirectory(saveDialogFolder(request.defaultName));
  if (!request.defaultName.empty()) dialog.selectFile(QFileInfo(toQ(request.defaultName)).fileName());
  showDetailColumnsWhole(dialog);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  if (endRequested()) throw ui::ProgramEnd{};
  const QStringList chosen = dialog.selectedFiles();
  if (!accepted || chosen.isEmpty() || chosen.front().isEmpty()) return std::nullopt;
  return fromQ(chosen.front());
}

int QtServices::screenWidth() const {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? pixelsToTwips(screen->geometry().width()) : Services::screenWidth();
}

int QtServices::screenHeight() const {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? pixelsToTwips(screen->geometry().height()) : Services::screenHeight();
}

double QtServices::twipsPerPixelX() const { return twipsPerPixel(); }

double QtServices::twipsPerPixelY() const { return twipsPerPixel(); }

bool QtServices::textExtent(const ui::Control& control, const std::string& text, int& width,
                            int& height) {
  // Measured in the font of the control's widget, building its window when
  // it has none yet.
  Binder* binder = windowFor(control.form());
  QWidget* widget = binder ? binder->widgetFor(control) : nullptr;
  if (!widget) return Services::textExtent(control, text, width, height);
  const QFontMetrics fm(widget->font());
  width = fm.horizontalAdvance(toQ(text));
  height = fm.height();
  return true;
}

void QtServices::programEnding() { requestEnd(); }

}  // namespace qtui
