#include "qt/FirstPaint.h"

#include <cstdio>
#include <fstream>
#include <string>

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

namespace qtui {

namespace {

// The resident memory of this process in kilobytes, 0 when unknown.
long residentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return 0;
}

class FirstPaintWatch : public QObject {
 public:
  FirstPaintWatch(QWidget& window, std::function<void()> then)
      : QObject(&window), then_(std::move(then)) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);  // the first paint only
      // Reported once the paint has been handled and put on the screen.
      QTimer::singleShot(0, this, [this] {
        std::printf("first-paint rss-kb=%ld\n", residentKilobytes());
        std::fflush(stdout);
        if (then_) then_();
      });
    }
    return false;
  }

 private:
  std::function<void()> then_;
};

}  // namespace

void reportFirstPaint(QWidget& window, std::function<void()> then) {
  new FirstPaintWatch(window, std::move(then));
}

}  // namespace qtui
