#include "qt/FrontEnd.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>

#include <QApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QScreen>

#include "catalogue/FileLookup.h"
#include "qt/Binder.h"
#include "qt/ScreenFit.h"
#include "ui/Form.h"
#include "ui/Services.h"
#include "ui_CapEntry.h"
#include "ui_DesignForm.h"
#include "ui_GraphDataForm.h"
#include "ui_GraphForm.h"
#include "ui_MainForm.h"

namespace qtui {

// ---- The end of the program ------------------------------------------------

namespace {
bool& ending() {
  static bool flag = false;
  return flag;
}
}  // namespace

void requestEnd() {
  ending() = true;
  // Leaves the main loop and every nested one; loops started later return
  // at once.
  QCoreApplication::exit(0);
}

bool endRequested() { return ending(); }

void unexpectedError(const char* what) noexcept {
  try {
    if (!endRequested()) {
      QMessageBox::critical(QApplication::activeWindow(), "Quenta10",
                            QString("An unexpected error stopped the program:\n%1").arg(what));
    }
  } catch (...) {
  }
  requestEnd();
}

void catchLayerException(std::exception_ptr error) noexcept {
  try {
    std::rethrow_exception(error);
  } catch (const ui::ProgramEnd&) {
    requestEnd();
  } catch (const std::exception& e) {
    unexpectedError(e.what());
  } catch (...) {
    unexpectedError("unknown error");
  }
}

// ---- Windows of the forms --------------------------------------------------

namespace {

// The picture the main window shows in its corner: a multilayer chip with
// its two terminations and the electrode layers of a cut-open body.
QPixmap chipPicture() {
  const int size = 256;
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF body(24, 84, 208, 96);
  const double cap = 44;
  // Shadow.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 40));
  p.drawRoundedRect(body.translated(6, 8), 14, 14);
  // Ceramic body.
  QLinearGradient ceramic(body.topLeft(), body.bottomLeft());
  ceramic.setColorAt(0, QColor(0xE3, 0xCF, 0xA6));
  ceramic.setColorAt(1, QColor(0xB8, 0x9A, 0x6A));
  p.setBrush(ceramic);
  p.drawRoundedRect(body, 10, 10);
  // Electrode layers, alternately joined to the left and right ends.
  p.setPen(QPen(QColor(0x6E, 0x5A, 0x3C), 3, Qt::SolidLine, Qt::RoundCap));
  const int layers = 7;
  for (int i = 0; i < layers; ++i) {
    const double y = body.top() + 16 + i * (body.height() - 32) / (layers - 1);
    const bool fromLeft = i % 2 == 0;
    const double x1 = fromLeft ? body.left() + cap : body.left() + cap + 22;
    const double x2 = fromLeft ? body.right() - cap - 22 : body.right() - cap;
    p.drawLine(QPointF(x1, y), QPointF(x2, y));
  }
  // Metal terminations.
  p.setPen(QPen(QColor(0x70, 0x74, 0x7A), 2));
  for (double left : {body.left(), body.right() - cap}) {
    const QRectF end(left, body.top() - 4, cap, body.height() + 8);
    QLinearGradient metal(end.topLeft(), end.topRight());
    metal.setColorAt(0, QColor(0xF4, 0xF6, 0xF8));
    metal.setColorAt(0.5, QColor(0xB9, 0xBE, 0xC4));
    metal.setColorAt(1, QColor(0xE2, 0xE5, 0xE8));
    p.setBrush(metal);
    p.drawRoundedRect(end, 10, 10);
  }
  return pixmap;
}

// The parts of the main window that come and go with a calculation (the
// voltage-coefficient panel), with a notice (the notices, one of which
// blinks) or with the entry option (the three entry panels, which take
// turns in the same cells, and the part-number rows): each keeps its place
// while hidden, with everything in it, so the window has one size from the
// start and nothing else moves when one of them shows or hides. The series
// pictures share a fixed area of their own.
const char* const kMainWindowReserved[] = {
    // Notices and the voltage-coefficient panel.
    "Frame26", "Label3", "L_NonStandard", "Label2", "Label10", "LineFreqText", "Label4",
    "L_Invalid_Mil",
    // The maker's entry panel, then the two military ones.
    "Frame1", "Frame3", "Frame2", "Frame5", "Frame8", "Frame4", "CK_ManCap", "CK_Comm",
    "Frame13", "Frame14", "Frame15", "Frame16", "Frame17", "Frame18", "Frame19",
    "Frame20", "Frame21", "Frame22", "Frame23", "Frame24", "Frame25",
    // The part-number rows of each entry option.
    "L_Specs_6", "T_Specs_0", "L_Mil_Prf", "T_Mil_Prf", "L_Norvel_PN", "T_Norvel_Equiv",
    "Label1_2"};
// The design window shows either the first five values or, in their place,
// the notice that there is no design: it has the same size either way, the
// one it is centred by.
const char* const kDesignWindowReserved[] = {"Label1_0", "Text1_0", "Label1_1", "Text1_1",
                                             "Label1_2", "Text1_2", "Label1_3", "Text1_3",
                                             "Label1_4", "Text1_4", "Label2"};

// The banner of the graph window: the chip and the program's name on a
// band of the window's grey.
QPixmap bannerPicture(const QPixmap& chip) {
  const QSize size(314, 47);
  QPixmap pixmap(size);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient band(0, 0, 0, size.height());
  band.setColorAt(0, QColor(0x1F, 0x3A, 0x68));
  band.setColorAt(1, QColor(0x10, 0x22, 0x40));
  p.fillRect(pixmap.rect(), band);
  p.drawPixmap(QRect(6, 2, 43, 43), chip);
  QFont name("Liberation Sans");
  name.setPixelSize(22);
  name.setBold(true);
  p.setFont(name);
  p.setPen(Qt::white);
  p.drawText(QRect(58, 0, 250, 30), Qt::AlignLeft | Qt::AlignVCenter, "Quenta10");
  QFont tag("Liberation Sans");
  tag.setPixelSize(11);
  p.setFont(tag);
  p.setPen(QColor(0xC8, 0xD6, 0xEE));
  p.drawText(QRect(58, 27, 250, 16), Qt::AlignLeft | Qt::AlignVCenter,
             "Multilayer ceramic capacitor curves");
  return pixmap;
}

template <std::size_t N>
void keepSpaceWhenHidden(QWidget& window, const char* const (&names)[N]) {
  auto keep = [](QWidget* w) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
  };
  for (const char* name : names) {
    QWidget* w = window.findChild<QWidget*>(name);
    if (!w) continue;
    keep(w);
    for (QWidget* inside : w->findChildren<QWidget*>()) keep(inside);
  }
}

template <typename UiForm>
QWidget* buildForm() {
  auto* widget = new QWidget;
  UiForm form;
  form.setupUi(widget);
  return widget;
}

std::map<std::string, FormWindow>& entries() {
  static std::map<std::string, FormWindow> map = [] {
    std::map<std::string, FormWindow> m;
    m["F_QuentaMainForm"] = {[] {
                               QWidget* w = buildForm<Ui::F_QuentaMainForm>();
                               keepSpaceWhenHidden(*w, kMainWindowReserved);
                               const QPixmap chip = chipPicture();
                               if (auto* picture = w->findChild<QLabel*>("Picture1"))
                                 picture->setProperty(kSourcePixmap, chip);
                               w->setWindowIcon(QIcon(chip));
                               return w;
                             },
                             true};
    m["F_QuentaDesignForm"] = {[] {
                                 QWidget* w = buildForm<Ui::F_QuentaDesignForm>();
                                 keepSpaceWhenHidden(*w, kDesignWindowReserved);
                                 w->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint |
                                                   Qt::WindowTitleHint |
                                                   Qt::WindowCloseButtonHint);
                                 return w;
                               },
                               true};
    // The graph-data window: a plain window the user may resize and close.
    m["Graph_Data"] = {[] {
                         QWidget* w = buildForm<Ui::Graph_Data>();
                         // The columns of the list are set apart by blanks:
                         // a fixed-pitch font lines them up.
                         if (auto* list = w->findChild<QPlainTextEdit*>("RichTextBox1")) {
                           QFont font = list->font();
                           font.setFamilies({"Liberation Mono", "DejaVu Sans Mono", "Monospace"});
                           font.setStyleHint(QFont::Monospace);
                           font.setFixedPitch(true);
                           list->setFont(font);
                         }
                         return w;
                       },
                       true};
    m["F_QuentaGrafForm"] = {[] {
                               QWidget* w = buildForm<Ui::F_QuentaGrafForm>();
                               const QPixmap chip = chipPicture();
                               if (auto* banner = w->findChild<QLabel*>("Picture1"))
                                 banner->setProperty(kSourcePixmap, bannerPicture(chip));
                               w->setWindowIcon(QIcon(chip));
                               return w;
                             },
                             true};
    // The capacitance dialog: a fixed size, no minimize or maximize button.
    // Its close box cancels it, as Escape does (the dialog's own handlers).
    m["F_CapEntry"] = {[] {
                         QWidget* w = buildForm<Ui::F_CapEntry>();
                         w->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint |
                                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
                         return w;
                       },
                       true};
    return m;
  }();
  return map;
}

struct CreatedWindow {
  std::unique_ptr<QWidget> widget;
  std::unique_ptr<Binder> binder;
};

// The windows made by windowFor, until closeAllWindows destroys them at the
// end of the run. The map itself is never destroyed: the program may also
// end by exit() from inside any event loop, a message box's or a dialog's
// included (Qt's X platform does so when the display goes away), and the
// static objects, the forms among them, are then destroyed in an order of
// their own while the windows are still up. Left alone, the windows touch
// no form that may be gone, stay reachable (no leak to report), and go with
// the process.
std::map<const ui::Form*, CreatedWindow>& created() {
  static auto* const map = new std::map<const ui::Form*, CreatedWindow>;
  return *map;
}

}  // namespace

void registerFormWindow(const std::string& formName, FormWindow entry) {
  entries()[formName] = std::move(entry);
}

QWidget* createFormWidget(const std::string& formName) {
  auto it = entries().find(formName);
  return it == entries().end() ? nullptr : fitToScreen(it->second.create());
}

Binder* windowFor(ui::Form& form) {
  if (Binder* existing = Binder::of(form)) return existing;
  auto it = entries().find(form.name());
  if (it == entries().end()) return nullptr;
  CreatedWindow window;
  window.widget.reset(createFormWidget(form.name()));
  window.binder = std::make_unique<Binder>(form, *window.widget, it->second.userMayClose);
  Binder* binder = window.binder.get();
  created()[&form] = std::move(window);
  return binder;
}

void closeAllWindows() {
  for (auto& [form, window] : created()) {
    (void)form;
    window.binder.reset();  // lets go of the controls before their widgets go
    window.widget.reset();
  }
  created().clear();
}

bool anyWindowShown() {
  for (auto& [form, window] : created()) {
    (void)form;
    if (window.widget->isVisible()) return true;
  }
  return false;
}

namespace {
bool& endWhenNoWindow() {
  static bool on = false;
  return on;
}
}  // namespace

void setEndWhenNoWindowLeft(bool on) { endWhenNoWindow() = on; }

bool endWhenNoWindowLeft() { return endWhenNoWindow(); }

// ---- Units and files -------------------------------------------------------

double twipsPerPixel() {
  QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
  return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int twipsToPixels(double twips) { return static_cast<int>(std::lround(twips / twipsPerPixel())); }

int pixelsToTwips(double pixels) { return static_cast<int>(std::lround(pixels * twipsPerPixel())); }

QImage loadPicture(const std::string& path, bool* exists) {
  std::string written = path;
  std::replace(written.begin(), written.end(), '\\', '/');
  const std::filesystem::path asWritten(written);
  const auto file =
      quenta::FindFileIgnoringCase(asWritten.parent_path(), asWritten.filename().string());
  if (exists) *exists = file.has_value();
  if (!file) return {};
  std::ifstream in(*file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return QImage::fromData(
      QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

QString toQ(const std::string& text) { return QString::fromStdString(text); }

std::string fromQ(const QString& text) { return text.toStdString(); }

QColor qcolor(ui::Color color) {
  return QColor(ui::red(color), ui::green(color), ui::blue(color));
}

}  // namespace qtui
