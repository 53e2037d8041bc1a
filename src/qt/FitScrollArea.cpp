#include "qt/FitScrollArea.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScrollBar>
#include <QScreen>

namespace qtui {

namespace {
// Room left on the screen for the window's frame and title bar.
constexpr int kFrameAllowanceWide = 16;
constexpr int kFrameAllowanceHigh = 48;
}  // namespace

FitScrollArea::FitScrollArea(QWidget* parent) : QScrollArea(parent) {}

QSize FitScrollArea::sizeHint() const {
  const int f = 2 * frameWidth();
  const QSize whole = widget() ? widget()->size() + QSize(f, f) : QScrollArea::sizeHint();
  QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return whole;
  const QSize room =
      screen->availableGeometry().size() - QSize(kFrameAllowanceWide, kFrameAllowanceHigh);
  QSize want = whole.boundedTo(room);
  // A scroll bar needed one way takes room the other way: the area grows by
  // it where the screen allows, so that one bar does not bring the other.
  if (want.height() < whole.height())
    want.rwidth() = std::min(room.width(), want.width() + verticalScrollBar()->sizeHint().width());
  if (want.width() < whole.width())
    want.rheight() =
        std::min(room.height(), want.height() + horizontalScrollBar()->sizeHint().height());
  return want;
}

QSize FitScrollArea::minimumSizeHint() const { return QSize(120, 80); }

}  // namespace qtui
