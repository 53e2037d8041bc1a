#include "qt/ScreenFit.h"

#include <algorithm>

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLayout>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QVBoxLayout>
#include <QWindow>

namespace qtui {

namespace {

// The frame a window system typically draws around a window, in logical
// pixels: a title bar and thin borders. Used until the real one is known.
const QMargins kFrameEstimate(4, 36, 4, 4);

QSize validOr(QSize size, QSize fallback) { return size.isValid() ? size : fallback; }

}  // namespace

FitArea::FitArea(QWidget* content, QWidget* parent) : QScrollArea(parent), content_(content) {
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::NoFocus);
  // The content keeps the size this area gives it; beyond it, it is
  // centred across and kept at the top.
  setWidgetResizable(false);
  setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  viewport()->setAutoFillBackground(false);
  if (!content->layout() && content->minimumSize().isNull())
    content->setMinimumSize(content->size());
  // The content joins the scrolled view when the window first shows
  // (showEvent): the scroll area would measure it at once, before the
  // program has set up what it shows.
  content->setParent(this);
  content->hide();
  // The window paints the form's background; the content shows it.
  content->setAutoFillBackground(false);
  content->installEventFilter(this);
  // The control that gets the focus scrolls into view, whoever moved it.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now && widget() && widget()->isAncestorOf(now)) ensureWidgetVisible(now, 8, 8);
  });
}

void FitArea::showEvent(QShowEvent* event) {
  if (!widget()) {
    content_->setAttribute(Qt::WA_Resized);  // sized here, not by the scroll area
    setWidget(content_);
    content_->setAutoFillBackground(false);
    sizeContent();
  }
  QScrollArea::showEvent(event);
}

QSize FitArea::naturalSize() const {
  const QWidget* c = content_;
  QSize size = c->layout() ? validOr(c->sizeHint(), c->minimumSize()) : c->minimumSize();
  size = size.expandedTo(c->minimumSize()).boundedTo(c->maximumSize());
  // Lines that wrap take the height they need at that width.
  if (c->layout() && c->layout()->hasHeightForWidth())
    size.setHeight(std::max(size.height(), c->heightForWidth(size.width())));
  return size;
}

QSize FitArea::smallestSize() const {
  const QWidget* c = content_;
  if (fixedSize()) return naturalSize();
  QSize size = c->layout() ? validOr(c->minimumSizeHint(), c->minimumSize()) : c->minimumSize();
  return size.expandedTo(c->minimumSize());
}

bool FitArea::fixedSize() const {
  const QWidget* c = content_;
  if (c->layout()) return c->layout()->sizeConstraint() == QLayout::SetFixedSize;
  return c->minimumSize() == c->maximumSize();
}

namespace {

// The window's inside for the content at `want`, as far as the screen has
// room, with a scroll bar beside the content where it does not fit.
QSize withinScreen(const FitArea& area, QSize want) {
  const QSize room = clientArea(*area.window());
  QSize size = want;
  const int barWidth = area.verticalScrollBar()->sizeHint().width();
  const int barHeight = area.horizontalScrollBar()->sizeHint().height();
  if (want.height() > room.height()) size.rwidth() += barWidth;
  if (want.width() > room.width()) size.rheight() += barHeight;
  return size.boundedTo(room);
}

}  // namespace

QSize FitArea::sizeHint() const { return withinScreen(*this, naturalSize()); }

QSize FitArea::minimumSizeHint() const {
  return fixedSize() ? sizeHint() : withinScreen(*this, smallestSize());
}

void FitArea::refreshSizes() {
  for (QLayout* layout : content_->findChildren<QLayout*>()) layout->invalidate();
  contentChanged();
}

void FitArea::sizeContent() {
  if (sizing_) return;
  sizing_ = true;
  const QSize natural = naturalSize();
  const QSize smallest = smallestSize();
  QSize room = maximumViewportSize();
  QSize size = natural.boundedTo(room).expandedTo(smallest);
  // A scroll bar in one direction takes room from the other.
  if (size.height() > room.height()) room.rwidth() -= verticalScrollBar()->sizeHint().width();
  if (size.width() > room.width()) room.rheight() -= horizontalScrollBar()->sizeHint().height();
  size = natural.boundedTo(room).expandedTo(smallest);
  if (content_->size() != size) content_->resize(size);
  sizing_ = false;
}

void FitArea::contentChanged() {
  updateGeometry();
  sizeContent();
}

bool FitArea::event(QEvent* event) {
  // Another screen has another room.
  if (event->type() == QEvent::ScreenChangeInternal) updateGeometry();
  return QScrollArea::event(event);
}

bool FitArea::eventFilter(QObject* watched, QEvent* event) {
  if (watched == content_ && event->type() == QEvent::LayoutRequest) {
    // The content's sizes change with what it shows: settle its layout
    // first, then the window's.
    if (QLayout* layout = content_->layout()) layout->activate();
    contentChanged();
  }
  return QScrollArea::eventFilter(watched, event);
}

void FitArea::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  sizeContent();
}

// ---- Widest texts ------------------------------------------------------------

namespace {

constexpr const char* kWidestText = "widestText";

void fitWidth(QWidget& widget) {
  const int width = widthForText(widget, widget.property(kWidestText).toString());
  widget.setMinimumWidth(width);
  if (widget.sizePolicy().horizontalPolicy() == QSizePolicy::Fixed) widget.setMaximumWidth(width);
}

// Fits a widget again when its font or style changes.
class WidestTextWatch : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
      fitWidth(*static_cast<QWidget*>(watched));
    return false;
  }
};

}  // namespace

int widthForText(const QWidget& widget, const QString& text) {
  const QFontMetrics metrics = widget.fontMetrics();
  // Qt's text boxes keep a small margin on each side of the text and room
  // for the caret.
  const QSize inside(metrics.horizontalAdvance(text) + 2 * 2 + 1, metrics.height());
  if (auto* combo = qobject_cast<const QComboBox*>(&widget)) {
    // Wide enough whether or not the list takes typing (editable lists
    // become so when they first show).
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.frame = combo->hasFrame();
    int width = 0;
    for (bool editable : {false, true}) {
      option.editable = editable;
      const QSize size =
          combo->style()->sizeFromContents(QStyle::CT_ComboBox, &option, inside, combo);
      width = std::max(width, size.width());
    }
    return width;
  }
  if (auto* edit = qobject_cast<const QLineEdit*>(&widget)) {
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth,
                                                                       &option, edit)
                                        : 0;
    const QMargins margins = edit->textMargins();
    const QSize text = inside + QSize(margins.left() + margins.right(), 0);
    return edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, edit).width();
  }
  return metrics.horizontalAdvance(text);
}

void fitWidestTexts(QWidget& content) {
  auto* watch = new WidestTextWatch(&content);
  for (QWidget* widget : content.findChildren<QWidget*>()) {
    if (!widget->property(kWidestText).isValid()) continue;
    fitWidth(*widget);
    widget->installEventFilter(watch);
  }
}

// ---- The window ----------------------------------------------------------------

QWidget* fitToScreen(QWidget* content) {
  fitWidestTexts(*content);
  auto* window = new QWidget(nullptr, content->windowFlags());
  window->setObjectName(content->objectName());
  window->setWindowTitle(content->windowTitle());
  window->setWindowIcon(content->windowIcon());
  auto* area = new FitArea(content);
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(area);
  // A window whose content has one size has that size (as far as the
  // screen has room).
  if (content->layout() && content->layout()->sizeConstraint() == QLayout::SetFixedSize)
    layout->setSizeConstraint(QLayout::SetFixedSize);
  return window;
}

FitArea* fitAreaOf(const QWidget& window) {
  return window.findChild<FitArea*>(QString(), Qt::FindDirectChildrenOnly);
}

QMargins frameMargins(const QWidget& window) {
  if (window.isVisible() && window.windowHandle()) {
    const QMargins real = window.windowHandle()->frameMargins();
    if (!real.isNull()) return real;
  }
  return kFrameEstimate;
}

QSize clientArea(const QWidget& window) {
  QScreen* screen = window.screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
  return screen->availableGeometry().size().shrunkBy(frameMargins(window));
}

}  // namespace qtui
