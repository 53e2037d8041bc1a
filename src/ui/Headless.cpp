#include "ui/Headless.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/TextChars.h"

namespace ui {

namespace {

std::string num(double v) {
  char buf[64];
  if (std::fabs(v - std::round(v)) < 1e-9)
    std::snprintf(buf, sizeof buf, "%.0f", v);
  else
    std::snprintf(buf, sizeof buf, "%.6g", v);
  return buf;
}

// Letter paper with quarter-inch margins, in twips.
constexpr double kShortSide = 11520;
constexpr double kLongSide = 15120;

}  // namespace

std::string colorText(Color color) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", red(color), green(color), blue(color));
  return buf;
}

std::string quoteText(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      default: out += c;
    }
  }
  return out + "\"";
}

// ---- RecordingPrinter ------------------------------------------------------

void RecordingPrinter::failAfter(int afterOps, int number, const std::string& description) {
  failCountdown_ = afterOps;
  failNumber_ = number;
  failDescription_ = description;
}

void RecordingPrinter::countOperation() {
  if (failCountdown_ >= 0) {
    if (failCountdown_ == 0) {
      failCountdown_ = -1;
      throw PrinterError(failNumber_, failDescription_);
    }
    --failCountdown_;
  }
}

void RecordingPrinter::record(const std::string& op, bool marks) {
  countOperation();
  pending_.push_back(op);
  if (marks) marked_ = true;
}

void RecordingPrinter::setOrientation(Orientation orientation) {
  record(std::string("orientation ") +
         (orientation == Orientation::Landscape ? "landscape" : "portrait"));
  orientation_ = orientation;
}

double RecordingPrinter::pageWidth() const {
  return orientation_ == Orientation::Landscape ? kLongSide : kShortSide;
}

double RecordingPrinter::pageHeight() const {
  return orientation_ == Orientation::Landscape ? kShortSide : kLongSide;
}

void RecordingPrinter::setScale(double twipsPerUnit) {
  record("scale " + num(twipsPerUnit));
  scale_ = twipsPerUnit > 0 ? twipsPerUnit : 1;
}

void RecordingPrinter::setDrawWidth(int dots) {
  record("drawwidth " + std::to_string(dots));
  drawWidth_ = dots;
}

void RecordingPrinter::setForeColor(Color color) {
  record("forecolor " + colorText(color));
  foreColor_ = color;
}

void RecordingPrinter::setFontName(const std::string& name) {
  record("font " + quoteText(name));
  fontName_ = name;
}

void RecordingPrinter::setFontSize(double points) {
  record("fontsize " + num(points));
  fontSize_ = points;
}

void RecordingPrinter::setFontBold(bool bold) {
  record(std::string("bold ") + (bold ? "on" : "off"));
  bold_ = bold;
}

void RecordingPrinter::print(const std::string& text, bool lineBreak) {
  record("text " + num(x_) + "," + num(y_) + " " + quoteText(text), true);
  if (lineBreak) {
    x_ = 0;
    y_ += textHeight(text);
  } else {
    x_ += textWidth(text);
  }
}

double RecordingPrinter::textWidth(const std::string& text) const {
  // An average character of a proportional font is about half its height.
  return std::round(static_cast<double>(CharCount(text)) * fontSize_ * 10.0) / scale_;
}

double RecordingPrinter::textHeight(const std::string&) const {
  return std::round(fontSize_ * 20.0 * 1.15) / scale_;
}

void RecordingPrinter::drawn(const std::string& op, double x1, double y1, double x2, double y2,
                             const std::string& color) {
  record(op + " " + num(x1) + "," + num(y1) + " " + num(x2) + "," + num(y2) + color, true);
  x_ = x2;
  y_ = y2;
}

void RecordingPrinter::line(double x1, double y1, double x2, double y2) {
  drawn("line", x1, y1, x2, y2, "");
}

void RecordingPrinter::line(double x1, double y1, double x2, double y2, Color color) {
  std::string colour = " ";
  colour += colorText(color);
  drawn("line", x1, y1, x2, y2, colour);
}

void RecordingPrinter::box(double x1, double y1, double x2, double y2, Color color) {
  std::string colour = " ";
  colour += colorText(color);
  drawn("box", x1, y1, x2, y2, colour);
}

void RecordingPrinter::paintPicture(const std::string& path, double x, double y, double width,
                                    double height) {
  record("picture " + quoteText(path) + " " + num(x) + "," + num(y) + " " + num(width) + "x" +
         num(height),
         true);
}

void RecordingPrinter::paintPicture(const PictureBox& box, double x, double y, double width,
                                    double height) {
  if (!box.picture().empty()) {
    paintPicture(box.picture(), x, y, width, height);
    return;
  }
  record("picture of " + box.form().name() + "." + box.id() + " " + num(x) + "," + num(y) + " " +
             num(width) + "x" + num(height),
         true);
}

void RecordingPrinter::printForm(Form& form) {
  record("window " + quoteText(form.name()), true);
  endDoc();
}

void RecordingPrinter::newPage() {
  record("newpage", true);
  x_ = 0;
  y_ = 0;
}

void RecordingPrinter::endDoc() {
  // A document on which nothing was drawn prints no page: nothing is sent,
  // and its settings (orientation, font) stay for the next document.
  if (!marked_) {
    countOperation();
    x_ = 0;
    y_ = 0;
    return;
  }
  record("enddoc");
  documents_.push_back(pending_);
  auto finished = std::move(pending_);
  pending_.clear();
  marked_ = false;
  x_ = 0;
  y_ = 0;
  if (onDocument) onDocument(finished);
}

void RecordingPrinter::killDoc() {
  pending_.clear();
  marked_ = false;
  x_ = 0;
  y_ = 0;
}

// ---- Clock -----------------------------------------------------------------

void Clock::sync() {
  const auto& timers = Timer::all();
  for (auto it = entries_.begin(); it != entries_.end();) {
    if (std::find(timers.begin(), timers.end(), it->first) == timers.end())
      it = entries_.erase(it);
    else
      ++it;
  }
  for (const Timer* t : timers) {
    auto it = entries_.find(t);
    if (it == entries_.end() || it->second.generation != t->generation()) {
      entries_[t] = {now_ + t->interval(), t->generation()};
    }
  }
}

void Clock::advance(int ms) {
  const long long target = now_ + std::max(0, ms);
  for (;;) {
    sync();
    const Timer* next = nullptr;
    long long due = 0;
    for (const Timer* t : Timer::all()) {
      if (!t->running()) continue;
      long long d = entries_[t].due;
      if (d <= target && (!next || d < due)) {
        next = t;
        due = d;
      }
    }
    if (!next) break;
    now_ = due;
    entries_[next].due = due + next->interval();
    const_cast<Timer*>(next)->tick();
  }
  now_ = target;
}

// ---- HeadlessServices ------------------------------------------------------

MsgResult HeadlessServices::messageBox(const MessageBoxRequest& request) {
  messages.push_back(request);
  if (onMessageBox) return onMessageBox(request);
  return request.buttons == MsgButtons::YesNo ? MsgResult::Yes : MsgResult::Ok;
}

void HeadlessServices::runModal(Form& form) {
  if (onRunModal) {
    onRunModal(form);
    return;
  }
  form.hide();
}

void HeadlessServices::formShown(Form& form) {
  if (onFormShown) onFormShown(form);
}

void HeadlessServices::formHidden(Form& form) {
  if (onFormHidden) onFormHidden(form);
}

void HeadlessServices::shellOpen(const std::string& address) {
  opened.push_back(address);
  if (onShellOpen) onShellOpen(address);
}

std::optional<std::string> HeadlessServices::saveFileDialog(const SaveDialogRequest& request) {
  if (onSaveDialog) return onSaveDialog(request);
  return std::nullopt;
}

void HeadlessServices::programEnding() {
  if (onProgramEnding) onProgramEnding();
}

ScopedServices::ScopedServices(Services& s) : previous_(&services()) { setServices(&s); }

ScopedServices::~ScopedServices() { setServices(previous_); }

}  // namespace ui
