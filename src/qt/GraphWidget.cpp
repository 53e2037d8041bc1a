#include "qt/GraphWidget.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "ui/GraphControl.h"

namespace qtui {

namespace {

using G = ui::GraphControl;

const QColor kMajorGrid(0xB4, 0xB4, 0xB4);
const QColor kMinorGrid(0xE2, 0xE2, 0xE2);
const QColor kZeroLine(0x70, 0x70, 0x70);

QRectF plotRect(const QRectF& area) {
  const QPointF topLeft = GraphWidget::toPixels(area, G::kPlotLeft, G::kPlotBottom + G::kPlotHeight);
  const QPointF bottomRight = GraphWidget::toPixels(area, G::kPlotLeft + G::kPlotWidth, G::kPlotBottom);
  return QRectF(topLeft, bottomRight);
}

void drawGrid(QPainter& p, const QRectF& plot, const ui::GraphAxis& x, const ui::GraphAxis& y) {
  p.setRenderHint(QPainter::Antialiasing, false);
  const auto xTicks = G::ticks(x);
  const auto yTicks = G::ticks(y);
  for (bool major : {false, true}) {
    p.setPen(QPen(major ? kMajorGrid : kMinorGrid, 0));
    for (const auto& t : xTicks) {
      if (t.major != major) continue;
      const double px = plot.left() + ui::axisFraction(x, t.value) * plot.width();
      p.drawLine(QPointF(px, plot.top()), QPointF(px, plot.bottom()));
    }
    for (const auto& t : yTicks) {
      if (t.major != major) continue;
      const double py = plot.bottom() - ui::axisFraction(y, t.value) * plot.height();
      p.drawLine(QPointF(plot.left(), py), QPointF(plot.right(), py));
    }
  }
  // The zero line of a linear scale that runs through zero.
  if (!y.logarithmic && y.min < 0 && y.max > 0) {
    p.setPen(QPen(kZeroLine, 0));
    const double py = plot.bottom() - ui::axisFraction(y, 0) * plot.height();
    p.drawLine(QPointF(plot.left(), py), QPointF(plot.right(), py));
  }
  p.setPen(QPen(Qt::black, 0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(plot);
}

void drawLabels(QPainter& p, const QRectF& area, const QRectF& plot, const ui::GraphAxis& x,
                const ui::GraphAxis& y) {
  const QFontMetricsF fm(p.font());
  p.setPen(Qt::black);
  constexpr double kGap = 4;  // the least room between two labels
  // Left of the plot, right-aligned, from the bottom up; a label that would
  // touch the one below it is left out.
  std::vector<QRectF> drawn;
  double lastTop = 1e9;
  for (const auto& t : G::ticks(y)) {
    if (!t.major) continue;
    const QString text = QString::fromStdString(t.label);
    const double py = plot.bottom() - ui::axisFraction(y, t.value) * plot.height();
    QRectF r(area.left(), py - fm.height() / 2, plot.left() - area.left() - kGap, fm.height());
    if (r.bottom() > lastTop - 1) continue;
    p.drawText(r, Qt::AlignRight | Qt::AlignVCenter, text);
    lastTop = r.top();
    const double w = fm.horizontalAdvance(text);
    drawn.push_back(QRectF(r.right() - w, r.top(), w, r.height()));
  }
  // Along the bottom, centred under their lines, but clear of the labels
  // beside the plot (the first one moves right of the bottom one); a label
  // that would touch the one before it is left out.
  double lastRight = -1e9;
  for (const auto& t : G::ticks(x)) {
    if (!t.major) continue;
    const QString text = QString::fromStdString(t.label);
    const double w = fm.horizontalAdvance(text);
    const double px = plot.left() + ui::axisFraction(x, t.value) * plot.width();
    QRectF r(px - w / 2, plot.bottom() + 3, w, fm.height());
    for (const QRectF& beside : drawn)
      if (r.intersects(beside.adjusted(-kGap, 0, kGap, 0))) r.moveLeft(beside.right() + kGap);
    if (r.right() > area.right()) r.moveRight(area.right());
    if (r.left() < lastRight + kGap) continue;
    p.drawText(r, Qt::AlignCenter, text);
    lastRight = r.right();
  }
}

void drawCurves(QPainter& p, const ui::GraphControl& m, const QRectF& plot,
                const ui::GraphAxis& x, const ui::GraphAxis& y) {
  p.save();
  p.setClipRect(plot);
  p.setRenderHint(QPainter::Antialiasing, false);
  const int count = m.drawnCurves();
  for (int c = 0; c < count; ++c) {
    const auto& curve = m.curves()[static_cast<std::size_t>(c)];
    const int last = m.lastDrawnPoint(curve);
    QPainterPath path;
    bool open = false;
    for (int i = 1; i <= last; ++i) {
      const double fx = ui::axisFraction(x, curve.x[static_cast<std::size_t>(i)]);
      const double fy = ui::axisFraction(y, curve.y[static_cast<std::size_t>(i)]);
      // A value the axis cannot show breaks the curve; values far off the
      // plot are held within a range the painter handles, well beyond what
      // the clip lets through.
      if (!std::isfinite(fx) || !std::isfinite(fy)) {
        open = false;
        continue;
      }
      const QPointF pt(plot.left() + std::clamp(fx, -1000.0, 1000.0) * plot.width(),
                       plot.bottom() - std::clamp(fy, -1000.0, 1000.0) * plot.height());
      if (open) {
        path.lineTo(pt);
      } else {
        path.moveTo(pt);
        open = true;
      }
    }
    p.setPen(QPen(GraphWidget::curveColor(c + 1, count), 2, Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
  }
  p.restore();
}

void drawOverlay(QPainter& p, const ui::GraphControl& m, const QRectF& area, const QRectF& plot) {
  p.save();
  p.setClipRect(plot);
  p.setRenderHint(QPainter::Antialiasing, false);
  for (const auto& line : m.overlay()) {
    const QPointF a = GraphWidget::toPixels(area, line.x1, line.y1);
    const QPointF b = GraphWidget::toPixels(area, line.x2, line.y2);
    if (line.exclusiveOr) {
      // Inverts what lies beneath: drawn twice, a pixel comes back.
      p.setCompositionMode(QPainter::CompositionMode_Difference);
      p.setPen(QPen(Qt::white, 1));
    } else {
      p.setCompositionMode(QPainter::CompositionMode_SourceOver);
      p.setPen(QPen(Qt::black, 1));
    }
    p.drawLine(a, b);
  }
  p.restore();
}

}  // namespace

GraphWidget::GraphWidget(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphWidget::setModel(const ui::GraphControl* model) {
  model_ = model;
  update();
}

QColor GraphWidget::curveColor(int curve, int curveCount) {
  if (curveCount >= 2 && curve == 1) return QColor(0, 0, 255);
  return QColor(255, 0, 0);
}

QPointF GraphWidget::toUnits(const QRectF& area, const QPointF& pixel) {
  return QPointF((pixel.x() - area.left()) / area.width() * G::kUnitsWide,
                 (area.bottom() - pixel.y()) / area.height() * G::kUnitsHigh);
}

QPointF GraphWidget::toPixels(const QRectF& area, double h, double v) {
  return QPointF(area.left() + h / G::kUnitsWide * area.width(),
                 area.bottom() - v / G::kUnitsHigh * area.height());
}

void GraphWidget::paint(QPainter& p, const ui::GraphControl& m, const QRectF& area,
                        const QFont& font) {
  p.save();
  p.fillRect(area, Qt::white);
  p.setFont(font);
  const QRectF plot = plotRect(area);
  const ui::GraphAxis x = m.xAxis();
  const ui::GraphAxis y = m.yAxis();
  drawGrid(p, plot, x, y);
  drawLabels(p, area, plot, x, y);
  drawCurves(p, m, plot, x, y);
  drawOverlay(p, m, area, plot);
  p.restore();
}

void GraphWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!model_) {
    p.fillRect(rect(), Qt::white);
    return;
  }
  QFont f = font();
  f.setPointSizeF(std::max(6.0, f.pointSizeF() * 0.9));
  paint(p, *model_, QRectF(rect()), f);
}

void GraphWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPointF u = toUnits(QRectF(rect()), event->position());
  emit pointerMoved(u.x(), u.y());
}

void GraphWidget::mousePressEvent(QMouseEvent* event) {
  switch (event->button()) {
    case Qt::LeftButton: emit buttonPressed(1); break;
    case Qt::RightButton: emit buttonPressed(2); break;
    case Qt::MiddleButton: emit buttonPressed(4); break;
    default: break;
  }
}

// ---- Lines ------------------------------------------------------------------

LineWidget::LineWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineWidget::setLine(int dx, int dy, const QColor& color, int width) {
  dx_ = dx;
  dy_ = dy;
  color_ = color;
  width_ = std::max(1, width);
  update();
}

void LineWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, dx_ != 0 && dy_ != 0);
  p.setPen(QPen(color_, width_, Qt::SolidLine, Qt::FlatCap));
  const QRectF r = QRectF(rect()).adjusted(width_ / 2.0, width_ / 2.0, -width_ / 2.0, -width_ / 2.0);
  if (dy_ == 0) {
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
  } else if (dx_ == 0) {
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
  } else {
    const QPointF start(dx_ > 0 ? r.left() : r.right(), dy_ > 0 ? r.top() : r.bottom());
    const QPointF end(dx_ > 0 ? r.right() : r.left(), dy_ > 0 ? r.bottom() : r.top());
    p.drawLine(start, end);
  }
}

}  // namespace qtui
