// A push button whose caption breaks onto further lines where it is too
// wide for the button, as the program's tall buttons expect.
#pragma once

#include <QPushButton>

namespace qtui {

class WrapButton : public QPushButton {
  Q_OBJECT

 public:
  explicit WrapButton(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace qtui
