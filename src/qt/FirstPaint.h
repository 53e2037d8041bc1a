// Measuring the program's start: the moment a window first reaches the
// screen, and the memory the process holds then.
#pragma once

#include <functional>

class QWidget;

namespace qtui {

// Once `window` has painted for the first time, prints one line
// "first-paint rss-kb=N" on standard output (flushed at once) and runs
// `then`.
void reportFirstPaint(QWidget& window, std::function<void()> then);

}  // namespace qtui
