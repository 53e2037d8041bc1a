#include "qt/ModalPressGuard.h"

#include <cstdint>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleHints>
#include <QWidget>

#include "qt/Binder.h"

namespace qtui {

namespace {

// Longer than the delay before a held key repeats on any usual desktop
// (X's own is 660 ms), and so longer than the gap between a key's repeats.
constexpr qint64 kLongestRepeatDelay = 1000;  // ms

class ModalPressGuard : public QObject {
 public:
  explicit ModalPressGuard(QObject* parent) : QObject(parent) {}

 protected:
  // Input events are seen where the window system delivers them and again
  // on each widget they reach, and so are counted more than once: a press
  // seen again joins its own series, a key press seen again is its own
  // repeat, and neither changes what is dropped.
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Show:
      case QEvent::Hide:
        if (auto* w = qobject_cast<QWidget*>(watched);
            w && !event->spontaneous() && w->isWindow() && w->isModal()) {
          if (event->type() == QEvent::Show) Binder::endScrollBarPresses();
          crossed();
        }
        return false;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        return event->spontaneous() && !pressTaken(static_cast<const QMouseEvent&>(*event));
      case QEvent::KeyPress:
        return event->spontaneous() && !keyPressTaken(static_cast<const QKeyEvent&>(*event));
      case QEvent::KeyRelease:
        if (event->spontaneous()) keyReleased(static_cast<const QKeyEvent&>(*event));
        return false;
      default:
        return false;
    }
  }

 private:
  // A modal window opened or closed: the series under way and the keys
  // held cross it.
  void crossed() {
    if (seriesGoesOn()) series_.crossed = true;
    forgetLetGoKeys();
    for (HeldKey& k : held_) k.crossed = true;
  }

  bool seriesGoesOn() const {
    return series_.last.isValid() && series_.last.elapsed() < QApplication::doubleClickInterval();
  }

  bool pressTaken(const QMouseEvent& press) {
    const QPoint at = press.globalPosition().toPoint();
    const int distance = QGuiApplication::styleHints()->mouseDoubleClickDistance();
    const bool sameSeries = seriesGoesOn() && qAbs(at.x() - series_.at.x()) <= distance &&
                            qAbs(at.y() - series_.at.y()) <= distance;
    if (!sameSeries) series_.crossed = false;
    series_.at = at;
    series_.last.start();
    return !series_.crossed;
  }

  // The scan code where the window system gives one (a key's text changes
  // with the modifiers between press and release), else the key.
  static std::uint64_t keyId(const QKeyEvent& e) {
    if (e.nativeScanCode() != 0) return (std::uint64_t{1} << 32) | e.nativeScanCode();
    return static_cast<std::uint32_t>(e.key());
  }

  bool keyPressTaken(const QKeyEvent& press) {
    const std::uint64_t id = keyId(press);
    if (id == 0) return true;
    forgetLetGoKeys();
    for (HeldKey& k : held_) {
      if (k.id != id) continue;
      // Not let go since its last press: a repeat.
      k.last.start();
      return !k.crossed;
    }
    held_.push_back({id, {}, false});
    held_.back().last.start();
    return true;
  }

  void keyReleased(const QKeyEvent& release) {
    if (release.isAutoRepeat()) return;
    const std::uint64_t id = keyId(release);
    std::erase_if(held_, [id](const HeldKey& k) { return k.id == id; });
  }

  void forgetLetGoKeys() {
    std::erase_if(held_, [](const HeldKey& k) { return k.last.elapsed() > kLongestRepeatDelay; });
  }

  struct {
    QElapsedTimer last;  // the series' latest press
    QPoint at;
    bool crossed = false;
  } series_;

  struct HeldKey {
    std::uint64_t id;
    QElapsedTimer last;  // its latest press or repeat
    bool crossed;
  };
  std::vector<HeldKey> held_;
};

}  // namespace

void installModalPressGuard() {
  static QPointer<ModalPressGuard> guard;
  if (guard || !qApp) return;
  guard = new ModalPressGuard(qApp);
  qApp->installEventFilter(guard);
}

}  // namespace qtui
