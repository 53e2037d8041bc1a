// A scroll area for a window laid out at fixed positions: it asks for the
// whole of its content, as far as the screen has room for it with the
// window's frame, and scrolls the content as one when the window is smaller.
#pragma once

#include <QScrollArea>

namespace qtui {

class FitScrollArea : public QScrollArea {
  Q_OBJECT

 public:
  explicit FitScrollArea(QWidget* parent = nullptr);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
};

}  // namespace qtui
