#include "qt/ModalPressGuard.h"

#include <algorithm>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include "qt/Binder.h"

namespace qtui {

namespace {

class ModalPressGuard : public QObject {
 public:
  explicit ModalPressGuard(QObject* parent) : QObject(parent) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::Show) {
      if (auto* w = qobject_cast<QWidget*>(watched); w && w->isWindow() && w->isModal()) {
        Binder::endScrollBarPresses();
        opened(w);
      }
      return false;
    }
    if ((type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick) || shown_.empty())
      return false;
    forgetOld();
    // A press is dropped where the window system delivers it, before the
    // window gives the control under the pointer the focus, and where it
    // reaches a control directly.
    const QObject* target = watched;
    if (auto* w = qobject_cast<QWidget*>(watched)) target = w->window();
    return std::any_of(shown_.begin(), shown_.end(), [target](const Opened& o) {
      return o.window.data() == target || o.handle.data() == target;
    });
  }

 private:
  struct Opened {
    QPointer<QWidget> window;
    QPointer<QWindow> handle;
    QElapsedTimer since;
  };

  void opened(QWidget* window) {
    std::erase_if(shown_, [window](const Opened& o) { return o.window == window; });
    forgetOld();
    shown_.push_back({window, window->windowHandle(), {}});
    shown_.back().since.start();
  }

  void forgetOld() {
    const int interval = QApplication::doubleClickInterval();
    std::erase_if(shown_, [interval](const Opened& o) {
      return !o.window || !o.window->isVisible() || o.since.elapsed() >= interval;
    });
  }

  std::vector<Opened> shown_;
};

}  // namespace

void installModalPressGuard() {
  static QPointer<ModalPressGuard> guard;
  if (guard || !qApp) return;
  guard = new ModalPressGuard(qApp);
  qApp->installEventFilter(guard);
}

}  // namespace qtui
