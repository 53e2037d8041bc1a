// The widgets that show the window layer's graph control and lines.
#pragma once

#include <QColor>
#include <QWidget>

namespace ui {
class GraphControl;
}

class QPainter;

namespace qtui {

// Paints a graph control: the frame of the plot, logarithmic or linear axes
// with their grid and tick labels, the curves (two curves blue and red, a
// single curve red) clipped to the plot, and the cursor lines on top, drawn
// so that they invert what lies beneath them. Pointer moves and button
// presses over it are passed on in the control's drawing units.
class GraphWidget : public QWidget {
  Q_OBJECT

 public:
  explicit GraphWidget(QWidget* parent = nullptr);
  void setModel(const ui::GraphControl* model);
  const ui::GraphControl* model() const { return model_; }

  // The colours of the curves.
  static QColor curveColor(int curve, int curveCount);

  // Paints a graph into a rectangle of any paint device.
  static void paint(QPainter& painter, const ui::GraphControl& model, const QRectF& area,
                    const QFont& font);
  // Drawing units of a point of a rectangle, and the reverse.
  static QPointF toUnits(const QRectF& area, const QPointF& pixel);
  static QPointF toPixels(const QRectF& area, double h, double v);

 signals:
  // The pointer moved to (h, v) in drawing units.
  void pointerMoved(double h, double v);
  // A button went down: 1 left, 2 right, 4 middle.
  void buttonPressed(int button);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const ui::GraphControl* model_ = nullptr;
};

// A straight line across its widget: horizontal, vertical or from corner to
// corner, in a colour and width of its own.
class LineWidget : public QWidget {
  Q_OBJECT

 public:
  explicit LineWidget(QWidget* parent = nullptr);
  // The direction of the line: dx and dy are the signs of its run and rise
  // (y down); a zero sign gives a horizontal or vertical line.
  void setLine(int dx, int dy, const QColor& color, int width);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int dx_ = 1, dy_ = 0;
  QColor color_ = Qt::black;
  int width_ = 1;
};

}  // namespace qtui
