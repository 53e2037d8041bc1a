// Draws the series pictures of the main window: a technical rendering of
// each package style (single chips with their terminations, stacks of chips
// with strip or wire leads, coated parts) in an oblique view, and writes
// them as JPEG files into the program folder.
//
//   quenta10-gen-pictures <folder>     writes the pictures into folder
//   quenta10-gen-pictures --help       prints the usage
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "GeneratedFile.h"

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 270;
constexpr int kQuality = 88;

const QColor kCeramic(0xC8, 0xA2, 0x6B);
const QColor kTermination(0xB9, 0xBE, 0xC4);
const QColor kLead(0xA8, 0xAE, 0xB5);
const QColor kGoldLead(0xD4, 0xB0, 0x4A);
const QColor kCoating(0x2F, 0x6C, 0xB0);
const QColor kOutline(0x3A, 0x3A, 0x3A);
const QColor kText(0x30, 0x30, 0x30);
const QColor kDimension(0x60, 0x60, 0x60);

// The oblique depth direction: up and to the right.
QPointF depthOffset(double depth) { return {depth * 0.55, -depth * 0.38}; }

// A box in oblique view: front face, top face and right side face.
// (left, top) is the top-left corner of the front face.
void box(QPainter& p, double left, double top, double w, double h, double depth, QColor colour) {
  const QPointF d = depthOffset(depth);
  const QPointF a(left, top), b(left + w, top), c(left + w, top + h), e(left, top + h);
  p.setPen(QPen(kOutline, 1.0));
  p.setBrush(colour.lighter(118));
  p.drawPolygon(QPolygonF({a, a + d, b + d, b}));
  p.setBrush(colour.darker(125));
  p.drawPolygon(QPolygonF({b, b + d, c + d, c}));
  p.setBrush(colour);
  p.drawPolygon(QPolygonF({a, b, c, e}));
}

// One chip: ceramic body between two terminations.
void chip(QPainter& p, double left, double top, double w, double h, double depth,
          double termWidth) {
  box(p, left, top, termWidth, h, depth, kTermination);
  box(p, left + termWidth, top, w - 2 * termWidth, h, depth, kCeramic);
  // Faint lines of the internal layers on the front face.
  p.setPen(QPen(kCeramic.darker(112), 0.8));
  for (double y = top + 4; y < top + h - 3; y += 4)
    p.drawLine(QPointF(left + termWidth + 3, y), QPointF(left + w - termWidth - 3, y));
  box(p, left + w - termWidth, top, termWidth, h, depth, kTermination);
}

// A stack of chips, the lowest at `bottom`.
void stack(QPainter& p, double left, double bottom, double w, double chipHeight, int chips,
           double depth, double termWidth) {
  for (int i = 0; i < chips; ++i) {
    const double top = bottom - (i + 1) * chipHeight;
    chip(p, left, top, w, chipHeight - 1.5, depth, termWidth);
  }
}

enum class Foot { Outward, Under, Straight };

// A strip lead on one end of a stack: a flat strip on the end face from the
// top of the stack down to the board, then formed as `foot` says.
void stripLead(QPainter& p, bool rightSide, double stackLeft, double stackRight, double top,
               double bottom, double depth, double thickness, Foot foot, QColor colour,
               double reach = 22) {
  const double x = rightSide ? stackRight : stackLeft - thickness;
  const double footTop = bottom + 10;
  switch (foot) {
    case Foot::Outward: {
      box(p, x, top + 2, thickness, footTop - top - 2 + thickness, depth, colour);
      const double fx = rightSide ? x : x - reach;
      box(p, fx, footTop, reach + thickness, thickness, depth, colour);
      break;
    }
    case Foot::Under: {
      const double fx = rightSide ? stackRight - reach : stackLeft - thickness;
      box(p, fx, footTop, reach + thickness, thickness, depth, colour);
      box(p, x, top + 2, thickness, footTop - top - 2, depth, colour);
      break;
    }
    case Foot::Straight:
      box(p, x, top + 2, thickness, footTop - top + 38, depth, colour);
      break;
  }
}

// A round wire lead from a point downward, with a small outward kink.
void wireLead(QPainter& p, QPointF from, double length, double outward, double diameter) {
  QPainterPath path(from);
  path.lineTo(from + QPointF(0, 12));
  path.lineTo(from + QPointF(outward, 24));
  path.lineTo(from + QPointF(outward, length));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kOutline, diameter + 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path);
  p.setPen(QPen(kLead.lighter(110), diameter, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path);
}

// The board line under a part.
void board(QPainter& p, double y) {
  p.setPen(QPen(QColor(0x9A, 0x9A, 0x9A), 1.0, Qt::DashLine));
  p.drawLine(QPointF(24, y), QPointF(kWidth - 24, y));
}

// A dimension arrow with its letter.
void dimension(QPainter& p, QPointF a, QPointF b, const QString& label, QPointF labelAt) {
  p.setPen(QPen(kDimension, 1.0));
  p.drawLine(a, b);
  const QPointF dir = (b - a) / std::hypot(b.x() - a.x(), b.y() - a.y());
  const QPointF n(-dir.y(), dir.x());
  auto head = [&](QPointF tip, QPointF along) {
    p.setBrush(kDimension);
    p.drawPolygon(QPolygonF({tip, tip - along * 7 + n * 3, tip - along * 7 - n * 3}));
  };
  head(b, dir);
  head(a, -dir);
  QFont f = p.font();
  f.setPointSizeF(9);
  f.setItalic(true);
  p.setFont(f);
  p.setPen(kText);
  p.drawText(QRectF(labelAt.x() - 20, labelAt.y() - 10, 40, 20), Qt::AlignCenter, label);
}

void caption(QPainter& p, const QString& line1, const QString& line2 = {}) {
  QFont f("DejaVu Sans");
  f.setPointSizeF(9.5);
  f.setBold(true);
  p.setFont(f);
  p.setPen(kText);
  p.drawText(QRectF(8, kHeight - 42, kWidth - 16, 18), Qt::AlignCenter, line1);
  if (!line2.isEmpty()) {
    f.setBold(false);
    f.setPointSizeF(8.5);
    p.setFont(f);
    p.drawText(QRectF(8, kHeight - 24, kWidth - 16, 18), Qt::AlignCenter, line2);
  }
}

// ---- The package styles -------------------------------------------------------

struct StackStyle {
  int chips = 3;
  double width = 150;
  double chipHeight = 22;
  double depth = 70;
  double leadThickness = 4;
  Foot foot = Foot::Outward;
  QColor leadColour = kLead;
};

void leadedStack(QPainter& p, const StackStyle& s, double bottom = 185) {
  const double left = (kWidth - s.width) / 2 - 18;
  const double top = bottom - s.chips * s.chipHeight;
  board(p, bottom + 10 + s.leadThickness);
  // The far lead first, so that the stack covers it where it should.
  stripLead(p, false, left, left + s.width, top, bottom, s.depth, s.leadThickness, s.foot,
            s.leadColour);
  stack(p, left, bottom, s.width, s.chipHeight, s.chips, s.depth, 14);
  stripLead(p, true, left, left + s.width, top, bottom, s.depth, s.leadThickness, s.foot,
            s.leadColour);
}

void drawKd(QPainter& p) {
  leadedStack(p, StackStyle{});
  caption(p, "Chip stack with L-formed strip leads", "surface mount, leads formed outward");
}

void drawKd9(QPainter& p) {
  StackStyle s;
  s.width = 170;
  s.depth = 90;
  s.leadThickness = 7;
  leadedStack(p, s);
  caption(p, "Chip stack with heavy strip leads", "wide body, leads formed outward");
}

void drawKd5(QPainter& p) {
  StackStyle s;
  s.foot = Foot::Straight;
  leadedStack(p, s, 160);
  caption(p, "Chip stack with straight strip leads", "for through-hole mounting");
}

void drawWb(QPainter& p) {
  StackStyle s;
  s.chips = 4;
  s.chipHeight = 20;
  s.foot = Foot::Under;
  leadedStack(p, s);
  caption(p, "Chip stack with J-formed strip leads", "leads formed under the body");
}

void drawPj(QPainter& p) {
  const double width = 160, chipHeight = 22, depth = 60, bottom = 160;
  const double left = (kWidth - width) / 2 - 16;
  const double top = bottom - 3 * chipHeight;
  board(p, bottom + 46);
  // A row of pins on each end face.
  auto pins = [&](bool right) {
    const double x = right ? left + width + 1 : left - 6;
    for (int i = 3; i >= 0; --i) {
      const QPointF d = depthOffset(depth * (0.15 + 0.23 * i));
      box(p, x + d.x(), top + 4 + d.y(), 5, bottom - top + 40, 3, kLead);
    }
  };
  pins(false);
  stack(p, left, bottom, width, chipHeight, 3, depth, 14);
  pins(true);
  caption(p, "Chip stack with pin-row leads", "through-hole pins on both ends");
}

void drawNx(QPainter& p) {
  StackStyle s;
  s.chips = 2;
  s.chipHeight = 26;
  s.width = 170;
  s.foot = Foot::Under;
  s.leadThickness = 5;
  leadedStack(p, s);
  caption(p, "Chip stack with flat leads", "leads formed under the body as pads");
}

// A coated part: the chips inside a rounded coating, wire leads below.
void coated(QPainter& p, bool radial) {
  p.setPen(QPen(kOutline, 1.2));
  if (radial) {
    const QRectF body(110, 34, 140, 110);
    wireLead(p, QPointF(body.left() + 35, body.bottom() - 6), 62, -10, 4);
    wireLead(p, QPointF(body.right() - 35, body.bottom() - 6), 62, 10, 4);
    QLinearGradient g(body.topLeft(), body.bottomRight());
    g.setColorAt(0, kCoating.lighter(135));
    g.setColorAt(1, kCoating.darker(120));
    p.setBrush(g);
    p.setPen(QPen(kOutline, 1.2));
    p.drawRoundedRect(body, 28, 28);
    // The chips shown through a cut-away window.
    p.setBrush(Qt::white);
    p.drawRect(QRectF(body.left() + 22, body.top() + 24, body.width() - 44, 58));
    stack(p, body.left() + 28, body.top() + 78, body.width() - 66, 17, 3, 14, 8);
    board(p, body.bottom() + 56);
  } else {
    const QRectF body(100, 70, 160, 76);
    p.setPen(QPen(kOutline, 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(30, body.center().y()), QPointF(body.left() + 5, body.center().y()));
    p.drawLine(QPointF(body.right() - 5, body.center().y()),
               QPointF(kWidth - 30, body.center().y()));
    p.setPen(QPen(kLead.lighter(110), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(30, body.center().y()), QPointF(body.left() + 5, body.center().y()));
    p.drawLine(QPointF(body.right() - 5, body.center().y()),
               QPointF(kWidth - 30, body.center().y()));
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0, kCoating.lighter(140));
    g.setColorAt(1, kCoating.darker(125));
    p.setBrush(g);
    p.setPen(QPen(kOutline, 1.2));
    p.drawRoundedRect(body, 20, 20);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(body.left() + 18, body.top() + 10, body.width() - 36, 42));
    stack(p, body.left() + 24, body.top() + 48, body.width() - 56, 12, 3, 10, 7);
  }
}

void drawGz(QPainter& p) {
  coated(p, true);
  caption(p, "Coated chip stack with radial wire leads", "cut-away view");
}

void drawGjw(QPainter& p) {
  coated(p, false);
  caption(p, "Coated chip stack with axial wire leads", "cut-away view");
}

void drawKff(QPainter& p) {
  const double width = 120, chipHeight = 22, depth = 52, bottom = 185;
  const double left = 70;
  const double top = bottom - 3 * chipHeight;
  board(p, bottom + 14);
  // Two stacks one behind the other, held by common strip leads.
  const QPointF back = depthOffset(depth + 6);
  stripLead(p, false, left + back.x(), left + width + back.x(), top + back.y(),
            bottom + back.y(), depth, 4, Foot::Outward, kLead);
  stack(p, left + back.x(), bottom + back.y(), width, chipHeight, 3, depth, 12);
  stripLead(p, true, left + back.x(), left + width + back.x(), top + back.y(),
            bottom + back.y(), depth, 4, Foot::Outward, kLead);
  stripLead(p, false, left, left + width, top, bottom, depth, 4, Foot::Outward, kLead);
  stack(p, left, bottom, width, chipHeight, 3, depth, 12);
  stripLead(p, true, left, left + width, top, bottom, depth, 4, Foot::Outward, kLead);
  caption(p, "Double chip stack with L-formed strip leads", "two stacks side by side");
}

void drawKdz(QPainter& p) {
  StackStyle s;
  s.leadColour = kGoldLead;
  leadedStack(p, s);
  caption(p, "Chip stack with L-formed strip leads", "high-temperature construction");
}

void singleChip(QPainter& p, double w, double h, double depth) {
  const double left = (kWidth - w - depthOffset(depth).x()) / 2;
  const double top = 150 - h;
  board(p, top + h + 1);
  chip(p, left, top, w, h, depth, w * 0.14);
  dimension(p, QPointF(left, top + h + 18), QPointF(left + w, top + h + 18), "L",
            QPointF(left + w / 2, top + h + 30));
  const QPointF d = depthOffset(depth);
  dimension(p, QPointF(left + w + 10, top + h + 4), QPointF(left + w + 10 + d.x(), top + h + 4 + d.y()),
            "W", QPointF(left + w + 24 + d.x() / 2, top + h + 12 + d.y() / 2));
  dimension(p, QPointF(left - 14, top), QPointF(left - 14, top + h), "T",
            QPointF(left - 26, top + h / 2));
}

void drawSmallChip(QPainter& p) {
  singleChip(p, 130, 40, 80);
  caption(p, "Single chip with end terminations", "sizes 0805 to 1812");
}

void drawLargeChip(QPainter& p) {
  singleChip(p, 190, 48, 130);
  caption(p, "Single chip with end terminations", "sizes 1825 to 3640");
}

void drawDq(QPainter& p, bool style10) {
  StackStyle s;
  s.chips = style10 ? 2 : 4;
  s.chipHeight = style10 ? 24 : 19;
  s.width = style10 ? 130 : 170;
  s.depth = style10 ? 60 : 90;
  s.leadThickness = 5;
  s.foot = style10 ? Foot::Under : Foot::Outward;
  leadedStack(p, s);
  caption(p, "Chip stack with strip leads", style10 ? "style 10, leads formed under the body"
                                                    : "styles 12 and 20, leads formed outward");
}

void drawBw(QPainter& p) {
  const double width = 160, chipHeight = 24, depth = 70, bottom = 180;
  const double left = (kWidth - width) / 2 - 18;
  board(p, bottom + 1);
  // Common end terminations over the whole stack.
  box(p, left - 3, bottom - 3 * chipHeight, 6, 3 * chipHeight - 1.5, depth, kTermination);
  stack(p, left, bottom, width, chipHeight, 3, depth, 16);
  box(p, left + width - 3, bottom - 3 * chipHeight, 6, 3 * chipHeight - 1.5, depth, kTermination);
  caption(p, "Leadless chip stack", "common end terminations");
}

void drawM123(QPainter& p) {
  singleChip(p, 140, 42, 90);
  caption(p, "MIL-PRF-123 chip", "single chip with end terminations");
}

struct Picture {
  const char* file;
  std::function<void(QPainter&)> draw;
};

bool write(const QString& folder, const Picture& picture) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    picture.draw(p);
  }
  const QString path = QDir(folder).filePath(QString::fromLatin1(picture.file));
  if (!image.save(path, "JPG", kQuality)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

constexpr const char* kUsage =
    "usage: quenta10-gen-pictures <folder>\n"
    "       quenta10-gen-pictures --help\n"
    "  <folder>   where the series pictures (JPEG files) are written\n";

}  // namespace

int main(int argc, char** argv) {
  generator::CommandLine line;
  if (const auto exit =
          generator::ReadCommandLine(argc, argv, {"quenta10-gen-pictures", kUsage}, {}, line))
    return *exit;
  // Drawing needs no screen.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(line.folder.c_str());

  const std::vector<Picture> pictures = {
      {"kd.jpg", drawKd},
      {"kd9.jpg", drawKd9},
      {"kd5.jpg", drawKd5},
      {"wb.jpg", drawWb},
      {"pj2.jpg", drawPj},
      {"nx-style.jpg", drawNx},
      {"gz.jpg", drawGz},
      {"kff.jpg", drawKff},
      {"kdz.jpg", drawKdz},
      {"gjw.jpg", drawGjw},
      {"smallchip.jpg", drawSmallChip},
      {"largechip.jpg", drawLargeChip},
      {"dq10.jpg", [](QPainter& p) { drawDq(p, true); }},
      {"dq20.jpg", [](QPainter& p) { drawDq(p, false); }},
      {"bw.jpg", drawBw},
      {"m123.jpg", drawM123},
  };
  bool ok = true;
  for (const Picture& picture : pictures) ok = write(folder, picture) && ok;
  return ok ? 0 : 1;
}
