#include "qt/ModalPressGuard.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleHints>
#include <QWidget>
#include <QWindow>

#include "qt/Binder.h"

namespace qtui {

namespace {

// How far before a modal window's appearance a press may be stamped and
// still be judged on the window system's clock: a press stamped earlier
// still comes from another clock, or from before a wrap of it, and is
// judged by when it is read alone, so that nothing stays dropped.
constexpr qint64 kLongestLag = 5000;  // ms

// When the user made an input event: the window system's timestamp, or,
// for an event that carries none, when the program read it. Only times of
// one kind are compared.
struct UserTime {
  qint64 ms = 0;
  bool stamped = false;

  // Whether this comes less than `limit` ms after `earlier` (or with it).
  bool within(const UserTime& earlier, qint64 limit) const {
    return stamped == earlier.stamped && ms >= earlier.ms && ms - earlier.ms < limit;
  }
  bool sameInstant(const UserTime& other) const {
    return stamped == other.stamped && ms == other.ms;
  }
};

class ModalPressGuard : public QObject {
 public:
  explicit ModalPressGuard(QObject* parent) : QObject(parent) { clock_.start(); }

 protected:
  // Input events are seen where the window system delivers them and again
  // on each widget they reach, and so are counted more than once: a press
  // seen again joins its own series, a key press seen again is its own
  // repeat, and neither changes what is dropped.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->isInputEvent() && event->spontaneous())
      noteLatest(static_cast<const QInputEvent&>(*event));
    switch (event->type()) {
      case QEvent::Show:
      case QEvent::Hide:
        if (auto* w = qobject_cast<QWidget*>(watched);
            w && !event->spontaneous() && w->isWindow() && w->isModal()) {
          if (event->type() == QEvent::Show) {
            Binder::endScrollBarPresses();
            opened(w);
          }
          crossed();
        }
        return false;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        return event->spontaneous() &&
               !pressTaken(watched, static_cast<const QMouseEvent&>(*event));
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
  UserTime timeOf(const QInputEvent& e) const {
    if (e.timestamp() != 0) return {static_cast<qint64>(e.timestamp()), true};
    return {clock_.elapsed(), false};
  }

  // The latest stamped input event and when it was read: the link between
  // the window system's clock and the program's. (An event seen again on
  // the widgets it reaches keeps the time it was first read.)
  void noteLatest(const QInputEvent& e) {
    const auto stamp = static_cast<qint64>(e.timestamp());
    if (stamp == 0 || (latest_ && latest_->stamp == stamp)) return;
    latest_ = Latest{stamp, clock_.elapsed()};
  }

  // Now on the window system's clock, as far as the program can tell: the
  // latest event's stamp plus the time since it was read. The event was
  // made before it was read, so this can only come early, never late.
  std::optional<qint64> userClockNow() const {
    if (!latest_) return std::nullopt;
    return latest_->stamp + (clock_.elapsed() - latest_->readAt);
  }

  // A modal window opened or closed: the series under way and the keys
  // down cross it. (Whether a series goes on across it is known by its
  // next press.)
  void crossed() {
    ++boundaries_;
    for (HeldKey& k : keys_) k.crossed = true;
  }

  // A modal window appeared: for the double-click interval it takes no
  // press, counted from when the program shows it and from that moment on
  // the window system's clock; the window is remembered while it is up.
  void opened(QWidget* window) {
    forgetClosed();
    std::erase_if(opened_, [window](const Opening& o) { return o.window == window; });
    opened_.push_back({window, window->windowHandle(), clock_.elapsed(), userClockNow()});
  }

  void forgetClosed() {
    std::erase_if(opened_, [](const Opening& o) { return !o.window || !o.window->isVisible(); });
  }

  // Whether a press made at `t` reaches a modal window that has just
  // appeared: where the window system delivers it, before the window gives
  // the control under the pointer the focus, or where it reaches a control
  // directly. It has when it is read within the double-click interval of
  // the window's appearance (the window came up late after a busy moment),
  // or when it was made within that interval or before it (the program,
  // busy, reads it late); a press stamped far before the appearance is
  // judged by when it is read alone.
  bool onJustOpened(const QObject* watched, const UserTime& t) {
    forgetClosed();
    if (auto* w = qobject_cast<const QWidget*>(watched)) watched = w->window();
    const qint64 now = clock_.elapsed();
    const int interval = QApplication::doubleClickInterval();
    return std::any_of(opened_.begin(), opened_.end(), [&](const Opening& o) {
      if (o.window.data() != watched && o.handle.data() != watched) return false;
      if (now - o.at < interval) return true;
      return t.stamped && o.userAt && t.ms < *o.userAt + interval && t.ms > *o.userAt - kLongestLag;
    });
  }

  bool pressTaken(const QObject* watched, const QMouseEvent& press) {
    const UserTime t = timeOf(press);
    const QPoint at = press.globalPosition().toPoint();
    const int distance = QGuiApplication::styleHints()->mouseDoubleClickDistance();
    const bool sameSeries = series_.valid &&
                            t.within(series_.last, QApplication::doubleClickInterval()) &&
                            qAbs(at.x() - series_.at.x()) <= distance &&
                            qAbs(at.y() - series_.at.y()) <= distance;
    if (!sameSeries)
      series_.crossed = false;
    else if (series_.boundaries != boundaries_)
      series_.crossed = true;  // a modal window came or went since its last press
    // A press on a window that has just appeared was made before the user
    // could read it, and so is the rest of its series.
    if (onJustOpened(watched, t)) series_.crossed = true;
    series_.valid = true;
    series_.last = t;
    series_.at = at;
    series_.boundaries = boundaries_;
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
    const UserTime t = timeOf(press);
    auto k = std::find_if(keys_.begin(), keys_.end(), [id](const HeldKey& h) { return h.id == id; });
    if (k == keys_.end()) {
      keys_.push_back({id, t, false});
      return true;
    }
    // A repeat says so, or comes at one instant with the release before it
    // (or is the same press seen again). Any other press is the key pressed
    // anew, also one whose release never arrived: a release addressed to a
    // window that a box blocks is dropped before any filter sees it.
    const bool repeat = press.isAutoRepeat() || t.sameInstant(k->last);
    if (!repeat) k->crossed = false;
    k->last = t;
    return !k->crossed;
  }

  void keyReleased(const QKeyEvent& release) {
    const std::uint64_t id = keyId(release);
    for (HeldKey& k : keys_)
      if (k.id == id) k.last = timeOf(release);
  }

  QElapsedTimer clock_;
  // Modal windows that opened or closed so far.
  std::uint64_t boundaries_ = 0;

  struct Latest {
    qint64 stamp;   // the window system's, ms
    qint64 readAt;  // ms of clock_
  };
  std::optional<Latest> latest_;

  struct Opening {
    QPointer<QWidget> window;
    QPointer<QWindow> handle;
    qint64 at;                     // ms of clock_
    std::optional<qint64> userAt;  // on the window system's clock, when known
  };
  std::vector<Opening> opened_;

  struct {
    bool valid = false;
    UserTime last;  // the series' latest press
    QPoint at;
    std::uint64_t boundaries = 0;  // boundaries_ at that press
    bool crossed = false;
  } series_;

  // One entry a key ever pressed.
  struct HeldKey {
    std::uint64_t id;
    UserTime last;  // its latest press, repeat or release
    bool crossed;   // down (or its release one of a repeat's pair) at a boundary
  };
  std::vector<HeldKey> keys_;
};

}  // namespace

void installModalPressGuard() {
  static QPointer<ModalPressGuard> guard;
  if (guard || !qApp) return;
  guard = new ModalPressGuard(qApp);
  qApp->installEventFilter(guard);
}

}  // namespace qtui
