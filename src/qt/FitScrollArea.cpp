#include "qt/FitScrollArea.h"

#include <QGuiApplication>
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
  QSize want = widget() ? widget()->size() + QSize(f, f) : QScrollArea::sizeHint();
  QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    const QSize room = screen->availableGeometry().size() -
                       QSize(kFrameAllowanceWide, kFrameAllowanceHigh);
    want = want.boundedTo(room);
  }
  return want;
}

QSize FitScrollArea::minimumSizeHint() const { return QSize(120, 80); }

}  // namespace qtui
