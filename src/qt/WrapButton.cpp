#include "qt/WrapButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace qtui {

WrapButton::WrapButton(QWidget* parent) : QPushButton(parent) {}

void WrapButton::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  p.drawControl(QStyle::CE_PushButton, option);
  p.setPen(option.palette.color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                QPalette::ButtonText));
  p.drawText(rect().adjusted(4, 2, -4, -2), Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic,
             caption);
}

}  // namespace qtui
