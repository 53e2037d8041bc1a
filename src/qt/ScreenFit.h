// Keeping every window of the program within the screen it is on.
//
// A form's window holds its content (the widgets built from its .ui file)
// in a FitArea. The window asks for the content's natural size, never more
// than the screen can show; where the screen has less room (a small screen,
// a large scale, a large font), the content shrinks to its minimum size and
// then scrolls, so every control can still be reached. Where the window is
// larger than the content needs, the content keeps its natural size and
// the extra room goes to the margins around it.
//
// Content with a layout gives its natural and minimum size through the
// layout; content placed at fixed positions, without a layout, gives them
// through its own size and minimum size. A content of fixed size (a layout
// with the fixed size constraint) makes a window of fixed size.
#pragma once

#include <QMargins>
#include <QScrollArea>
#include <QSize>

class QScreen;

namespace qtui {

class FitArea : public QScrollArea {
  Q_OBJECT

 public:
  // Takes over `content` as its own.
  explicit FitArea(QWidget* content, QWidget* parent = nullptr);

  QWidget* content() const { return content_; }
  // The size the content takes where it has room: its layout's preferred
  // size (with wrapped lines at that width), or its own minimum size.
  QSize naturalSize() const;
  // The content's natural size, as far as the screen has room for it.
  QSize sizeHint() const override;
  // The content's minimum size, as far as the screen has room for it.
  QSize minimumSizeHint() const override;
  // Forgets the sizes the content's layouts hold. Widgets hidden before
  // their window was ever shown do not tell their layouts so.
  void refreshSizes();

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QSize smallestSize() const;
  bool fixedSize() const;
  void sizeContent();
  void contentChanged();

  QWidget* content_;
  bool sizing_ = false;
};

// Makes each text box and list of `content` that names its widest text
// (the string property "widestText" of its .ui file) wide enough to show
// that text whole in its current font, now and whenever its font or style
// changes. A box of fixed width gets exactly that width.
void fitWidestTexts(QWidget& content);

// The width a text box or list needs to show `text` whole.
int widthForText(const QWidget& widget, const QString& text);

// Builds the top-level window around a form's content: the window takes
// over the content's window flags, title and icon, and shows the content in
// a FitArea. The content's widest texts are fitted (fitWidestTexts).
QWidget* fitToScreen(QWidget* content);

// The FitArea of a window built by fitToScreen, nullptr for another.
FitArea* fitAreaOf(const QWidget& window);

// The window frame (title bar and borders) of a top-level widget: the
// window system's once the window is shown, an estimate before.
QMargins frameMargins(const QWidget& window);

// The room a window's inside may take on the screen it is on: the screen's
// available area less the window frame.
QSize clientArea(const QWidget& window);

}  // namespace qtui
