#include "qt/Appearance.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QStringList>
#include <QVariant>

#include "qt/FrontEnd.h"
#include "qt/QtServices.h"

namespace qtui {

// ---- Text ------------------------------------------------------------------

namespace {

bool isSymbolFont(const ui::Control& c) {
  return QString::fromStdString(c.fontName()).compare("Symbol", Qt::CaseInsensitive) == 0;
}

// The Symbol font draws Latin letters as Greek ones ("D" is the capital
// delta). Fonts here are Unicode, so the letters are translated instead.
QString symbolText(const QString& text) {
  static const char16_t upper[] = u"ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ";
  static const char16_t lower[] = u"αβχδεφγηιϕκλμνοπθρστυϖωξψζ";
  QString out;
  for (QChar ch : text) {
    ushort u = ch.unicode();
    if (u >= 'A' && u <= 'Z')
      out += QChar(upper[u - 'A']);
    else if (u >= 'a' && u <= 'z')
      out += QChar(lower[u - 'a']);
    else
      out += ch;
  }
  return out;
}

}  // namespace

QString captionOf(const ui::Control& c) {
  // A carriage return, alone or before a line feed, breaks the line.
  const QString text = messageText(c.displayText());
  return isSymbolFont(c) ? symbolText(text) : text;
}

QString editorText(const std::string& text) {
  QString out = toQ(text);
  out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return out;
}

std::string boxText(const QString& editor) {
  QString out = editor;
  out.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return fromQ(out);
}

// ---- Colours and fonts -----------------------------------------------------

namespace {

ui::Color defaultBack(ui::Kind kind) {
  switch (kind) {
    case ui::Kind::TextBox:
    case ui::Kind::DropDownList:
    case ui::Kind::ComboBox:
    case ui::Kind::PictureBox:
    case ui::Kind::ScrollBar: return ui::colors::white;
    default: return ui::colors::buttonFace;
  }
}

}  // namespace

void applyColors(const ui::Control& c, QWidget* w) {
  QPalette::ColorRole backRole = QPalette::Window;
  QPalette::ColorRole foreRole = QPalette::WindowText;
  switch (c.kind()) {
    case ui::Kind::TextBox:
    case ui::Kind::DropDownList:
    case ui::Kind::ComboBox:
      backRole = QPalette::Base;
      foreRole = QPalette::Text;
      break;
    case ui::Kind::CommandButton:
      backRole = QPalette::Button;
      foreRole = QPalette::ButtonText;
      break;
    default: break;
  }
  const bool customBack = c.backColor() != defaultBack(c.kind());
  const bool customFore = c.foreColor() != ui::colors::black;
  if (c.kind() == ui::Kind::Label) w->setAutoFillBackground(customBack);
  // A widget in the window's own colours keeps them as they are.
  if (!customBack && !customFore && !w->testAttribute(Qt::WA_SetPalette)) return;
  QPalette pal;  // inherits every role it does not set
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    if (customBack) pal.setColor(group, backRole, qcolor(c.backColor()));
    // Text on a background of the program's choosing is in the program's
    // text colour too, whatever colours the desktop uses.
    if (customBack || customFore) pal.setColor(group, foreRole, qcolor(c.foreColor()));
  }
  w->setPalette(pal);
}

namespace {

bool isDefaultFont(const ui::Control& c) {
  return c.fontName() == "MS Sans Serif" && c.fontSize() == 8.25 && !c.fontBold();
}

constexpr const char* kDesignFont = "quentaDesignFont";

}  // namespace

void applyFont(const ui::Control& c, QWidget* w) {
  // The window's own design (from its .ui file) stands for the program's
  // default font; only a font the program sets replaces it.
  const QVariant design = w->property(kDesignFont);
  if (isDefaultFont(c)) {
    if (design.isValid()) w->setFont(design.value<QFont>());
    return;
  }
  if (!design.isValid()) w->setProperty(kDesignFont, w->font());
  // Sizes are relative to the window's readable default font, which stands
  // for the 8.25 point system font the program's sizes are measured from.
  QFont base = w->parentWidget() ? w->parentWidget()->font() : QApplication::font();
  QFont f = base;
  const QString name = QString::fromStdString(c.fontName());
  static const QStringList systemFaces = {"MS Sans Serif", "Arial", "Symbol", "System",
                                          "Microsoft Sans Serif", "Tahoma"};
  if (!systemFaces.contains(name, Qt::CaseInsensitive)) f.setFamilies({name});
  const double basePoints = base.pointSizeF() > 0 ? base.pointSizeF() : 9.0;
  if (c.fontSize() > 0) f.setPointSizeF(c.fontSize() * basePoints / 8.25);
  f.setBold(c.fontBold());
  w->setFont(f);
}

// ---- Pictures --------------------------------------------------------------

void fitPicture(QLabel* label) {
  QPixmap source = label->property(kSourcePixmap).value<QPixmap>();
  if (source.isNull()) {
    label->setPixmap(QPixmap());
    return;
  }
  QSize box = label->contentsRect().size();
  if (box.isEmpty()) box = source.size();
  const qreal dpr = label->devicePixelRatioF();
  QPixmap scaled =
      source.scaled(box * dpr, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  scaled.setDevicePixelRatio(dpr);
  label->setPixmap(scaled);
}

namespace {

// Text the program drew on a picture box, at its pixel positions inside the
// box, each turned counter-clockwise by its angle about its origin.
void renderDrawing(const ui::PictureBox& box, QLabel* label) {
  const QSize size = label->contentsRect().size();
  if (size.isEmpty()) return;
  const qreal dpr = label->devicePixelRatioF();
  QPixmap image(size * dpr);
  image.setDevicePixelRatio(dpr);
  image.fill(qcolor(box.backColor()));
  QPainter p(&image);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setFont(label->font());
  p.setPen(label->palette().color(QPalette::WindowText));
  const QFontMetricsF fm(label->font());
  for (const ui::DrawnText& t : box.drawnTexts()) {
    p.save();
    p.translate(t.x, t.y);
    // The angle turns counter-clockwise on the screen; Qt turns clockwise.
    p.rotate(-t.angle);
    p.drawText(QPointF(0, fm.ascent()), toQ(t.text));
    p.restore();
  }
  p.end();
  label->setPixmap(image);
}

}  // namespace

void showPicture(const ui::PictureBox& box, QLabel* label) {
  if (!box.drawnTexts().empty() || label->property("quentaDrawn").toBool()) {
    label->setProperty("quentaDrawn", true);
    renderDrawing(box, label);
  } else {
    fitPicture(label);
  }
}

// ---- Labels ----------------------------------------------------------------

void fitPlacedLabel(QLabel* label) {
  QWidget* parent = label->parentWidget();
  if (!parent || parent->layout() || label->wordWrap()) return;
  constexpr const char* kDesignRect = "quentaDesignRect";
  if (!label->property(kDesignRect).isValid()) label->setProperty(kDesignRect, label->geometry());
  QRect r = label->property(kDesignRect).toRect();
  const int need = label->sizeHint().width();
  if (need > r.width()) {
    const int grow = need - r.width();
    const Qt::Alignment a = label->alignment();
    if (a & Qt::AlignRight) r.setLeft(r.left() - grow);
    else if (a & Qt::AlignHCenter) r.adjust(-grow / 2, 0, grow - grow / 2, 0);
    else r.setRight(r.right() + grow);
  }
  if (r != label->geometry()) label->setGeometry(r);
}

}  // namespace qtui
