#include "ui/Control.h"

#include <algorithm>
#include <stdexcept>

#include "ui/Form.h"
#include "ui/TextChars.h"

namespace ui {

const char* kindName(Kind kind) {
  switch (kind) {
    case Kind::TextBox: return "TextBox";
    case Kind::Label: return "Label";
    case Kind::DropDownList: return "DropDownList";
    case Kind::ComboBox: return "ComboBox";
    case Kind::CheckBox: return "CheckBox";
    case Kind::OptionButton: return "OptionButton";
    case Kind::ScrollBar: return "ScrollBar";
    case Kind::CommandButton: return "CommandButton";
    case Kind::Frame: return "Frame";
    case Kind::PictureBox: return "PictureBox";
    case Kind::Timer: return "Timer";
    case Kind::Line: return "Line";
    case Kind::Graph: return "Graph";
  }
  return "Control";
}

Control::Control(Form& form, Kind kind, std::string name, int index)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index) {
  if (kind == Kind::Label || kind == Kind::Frame || kind == Kind::CommandButton ||
      kind == Kind::CheckBox || kind == Kind::OptionButton)
    backColor_ = colors::buttonFace;
  form_.registerControl(this);
}

Control::~Control() { form_.unregisterControl(this); }

std::string Control::id() const {
  return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

void Control::changed(Prop prop) {
  noteChange(prop);
  if (listener_) listener_->propertyChanged(*this, prop);
}

void Control::setVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  changed(Prop::Visible);
}

void Control::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  changed(Prop::Enabled);
}

void Control::setBackColor(Color color) {
  if (backColor_ == color) return;
  backColor_ = color;
  changed(Prop::BackColor);
}

void Control::setForeColor(Color color) {
  if (foreColor_ == color) return;
  foreColor_ = color;
  changed(Prop::ForeColor);
}

void Control::setFontName(const std::string& name) {
  fontName_ = name;
  changed(Prop::Font);
}

void Control::setFontSize(double points) {
  fontSize_ = points;
  changed(Prop::Font);
}

void Control::setFontBold(bool bold) {
  fontBold_ = bold;
  changed(Prop::Font);
}

void Control::move(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  changed(Prop::Geometry);
}

void Control::setFocus() { form_.setActiveControl(this); }

bool Control::hasFocus() const { return form_.activeControl() == this; }

namespace {

void appendUtf8(std::string& out, int cp) {
  auto c = static_cast<unsigned>(cp);
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

void setVisible(std::initializer_list<Control*> controls, bool visible) {
  for (Control* c : controls) c->setVisible(visible);
}

bool applyTypedChar(std::string& text, int character) {
  if (character == 8) {
    if (text.empty()) return false;
    // Drop the last UTF-8 character, continuation bytes included.
    text = DropRightChars(text, 1);
    return true;
  }
  if (character < 32 || character == 127 || character > 0x10FFFF) return false;
  appendUtf8(text, character);
  return true;
}

// ---- TextBox ---------------------------------------------------------------

TextBox::TextBox(Form& form, std::string name, int index)
    : Control(form, Kind::TextBox, std::move(name), index) {}

void TextBox::setText(const std::string& text) {
  if (text_ == text) return;
  text_ = text;
  // A new text puts the caret at its end, as typing does.
  selStart_ = textLength();
  selLength_ = 0;
  changed(Prop::Text);
  if (onChange) onChange();
}

int TextBox::textLength() const { return static_cast<int>(CharCount(text_)); }

void TextBox::setSelStart(int start) {
  selStart_ = std::clamp(start, 0, textLength());
  selLength_ = 0;
  changed(Prop::Selection);
}

void TextBox::setSelLength(int length) {
  selLength_ = std::clamp(length, 0, textLength() - selStart_);
  changed(Prop::Selection);
}

void TextBox::selectAll() {
  selStart_ = 0;
  selLength_ = textLength();
  changed(Prop::Selection);
}

void TextBox::focusWithTextSelected() {
  form().setActiveControl(this);
  selectAll();
}

void TextBox::click() {
  if (onClick) onClick();
}

void TextBox::receiveChar(int character) {
  if (locked_ || !enabled()) return;
  // As in a real text box: the character replaces the selection, or goes in
  // at the caret; backspace removes the selection, or else the character
  // before the caret. The caret ends up after what was typed.
  const std::size_t from = CharOffset(text_, static_cast<std::size_t>(selStart_));
  const std::size_t to = CharOffset(text_, static_cast<std::size_t>(selStart_ + selLength_));
  std::string head = text_.substr(0, from);
  const bool removesSelection = to > from && character == 8;
  if (!removesSelection && !applyTypedChar(head, character)) return;
  const std::string next = head + text_.substr(to);
  selStart_ = static_cast<int>(CharCount(head));
  selLength_ = 0;
  if (next == text_) {
    changed(Prop::Selection);
    return;
  }
  text_ = next;
  changed(Prop::Text);
  changed(Prop::Selection);
  if (onChange) onChange();
}

void TextBox::focusLeft() {
  if (selLength_ == 0) return;
  selStart_ += selLength_;
  selLength_ = 0;
  changed(Prop::Selection);
}

// ---- Label, Frame, CommandButton -------------------------------------------

Label::Label(Form& form, std::string name, int index)
    : Control(form, Kind::Label, std::move(name), index) {}

void Label::setCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  changed(Prop::Text);
}

Frame::Frame(Form& form, std::string name, int index)
    : Control(form, Kind::Frame, std::move(name), index) {}

void Frame::setCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  changed(Prop::Text);
}

CommandButton::CommandButton(Form& form, std::string name, int index)
    : Control(form, Kind::CommandButton, std::move(name), index) {}

void CommandButton::setCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  changed(Prop::Text);
}

void CommandButton::click() {
  if (onClick) onClick();
}

// ---- CheckBox, OptionButton ------------------------------------------------

CheckBox::CheckBox(Form& form, std::string name, int index)
    : Control(form, Kind::CheckBox, std::move(name), index) {}

void CheckBox::setCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  changed(Prop::Text);
}

void CheckBox::setValue(int value) {
  if (value < Unchecked || value > Grayed) value = Unchecked;
  if (value_ == value) return;
  value_ = value;
  changed(Prop::Value);
  if (onClick) onClick();
}

OptionButton::OptionButton(Form& form, std::string name, std::string group, int index)
    : Control(form, Kind::OptionButton, std::move(name), index), group_(std::move(group)) {}

void OptionButton::setCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  changed(Prop::Text);
}

void OptionButton::setValue(bool value) {
  if (!value) {
    if (!value_) return;
    value_ = false;
    changed(Prop::Value);
    return;
  }
  if (value_) return;
  for (Control* c : form().controls()) {
    if (c == this || c->kind() != Kind::OptionButton) continue;
    auto* sibling = static_cast<OptionButton*>(c);
    if (sibling->group_ == group_ && sibling->value_) {
      sibling->value_ = false;
      sibling->changed(Prop::Value);
    }
  }
  value_ = true;
  changed(Prop::Value);
  if (onClick) onClick();
}

// ---- ScrollBar -------------------------------------------------------------

ScrollBar::ScrollBar(Form& form, std::string name, int index)
    : Control(form, Kind::ScrollBar, std::move(name), index) {}

int ScrollBar::clamp(int value) const {
  int lo = std::min(min_, max_);
  int hi = std::max(min_, max_);
  return std::clamp(value, lo, hi);
}

void ScrollBar::setValue(int value) {
  value = clamp(value);
  if (value == value_) return;
  value_ = value;
  changed(Prop::Value);
  if (onChange) onChange();
}

void ScrollBar::reclamp() {
  changed(Prop::Range);
  setValue(value_);
}

void ScrollBar::setMin(int min) {
  min_ = min;
  reclamp();
}

void ScrollBar::setMax(int max) {
  max_ = max;
  reclamp();
}

void ScrollBar::setSmallChange(int step) {
  smallChange_ = step;
  changed(Prop::Range);
}

void ScrollBar::setLargeChange(int step) {
  largeChange_ = step;
  changed(Prop::Range);
}

// ---- Lists -----------------------------------------------------------------

const std::string& ListControl::list(int i) const {
  static const std::string empty;
  if (i < 0 || i >= listCount()) return empty;
  return items_[static_cast<std::size_t>(i)].text;
}

std::int16_t ListControl::itemData(int i) const {
  if (i < 0 || i >= listCount()) return 0;
  return items_[static_cast<std::size_t>(i)].itemData;
}

void ListControl::setItemData(int i, std::int16_t data) {
  if (i < 0 || i >= listCount()) return;
  items_[static_cast<std::size_t>(i)].itemData = data;
  changed(Prop::List);
}

void ListControl::addItem(const std::string& text) { addItem(text, 0); }

void ListControl::addItem(const std::string& text, std::int16_t itemData) {
  items_.push_back({text, itemData});
  newIndex_ = listCount() - 1;
  changed(Prop::List);
}

void ListControl::clear() {
  items_.clear();
  listIndex_ = -1;
  newIndex_ = -1;
  changed(Prop::List);
}

int ListControl::findExact(const std::string& text) const {
  for (int i = 0; i < listCount(); ++i)
    if (items_[static_cast<std::size_t>(i)].text == text) return i;
  return -1;
}

DropDownList::DropDownList(Form& form, std::string name, int index)
    : ListControl(form, Kind::DropDownList, std::move(name), index) {}

std::string DropDownList::text() const { return list(listIndex_); }

void DropDownList::setText(const std::string& text) {
  int i = findExact(text);
  if (i < 0) return;
  setListIndex(i);
}

void DropDownList::setListIndex(int index) {
  if (index < -1 || index >= listCount()) return;
  listIndex_ = index;
  changed(Prop::ListIndex);
  if (onClick) onClick();
}

ComboBox::ComboBox(Form& form, std::string name, int index)
    : ListControl(form, Kind::ComboBox, std::move(name), index) {}

void ComboBox::setText(const std::string& text) {
  if (text_ == text) return;
  text_ = text;
  listIndex_ = findExact(text);
  changed(Prop::Text);
  if (onChange) onChange();
}

void ComboBox::clear() {
  ListControl::clear();
  if (!text_.empty()) {
    text_.clear();
    changed(Prop::Text);
  }
}

void ComboBox::setListIndex(int index) {
  if (index < -1 || index >= listCount()) return;
  listIndex_ = index;
  if (index >= 0) text_ = list(index);
  changed(Prop::Text);
  if (onClick) onClick();
}

void ComboBox::receiveChar(int character) {
  if (!enabled()) return;
  std::string next = text_;
  if (applyTypedChar(next, character)) setText(next);
}

// ---- PictureBox, Timer -----------------------------------------------------

PictureBox::PictureBox(Form& form, std::string name, int index)
    : Control(form, Kind::PictureBox, std::move(name), index) {}

void PictureBox::setPicture(const std::string& path) {
  picture_ = path;
  changed(Prop::Picture);
}

void PictureBox::clearDrawing() {
  drawn_.clear();
  changed(Prop::Drawing);
}

void PictureBox::drawText(const DrawnText& text) {
  drawn_.push_back(text);
  changed(Prop::Drawing);
}

namespace {
// Never destroyed: window instances that own timers may outlive static
// objects at program exit.
std::vector<Timer*>& timerRegistry() {
  static auto* timers = new std::vector<Timer*>;
  return *timers;
}
}  // namespace

Timer::Timer(Form& form, std::string name, int index)
    : Control(form, Kind::Timer, std::move(name), index) {
  setVisible(false);
  timerRegistry().push_back(this);
}

Timer::~Timer() {
  auto& timers = timerRegistry();
  timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
}

const std::vector<Timer*>& Timer::all() { return timerRegistry(); }

void Timer::setInterval(int ms) {
  interval_ = std::max(0, ms);
  changed(Prop::Interval);
}

void Timer::noteChange(Prop prop) {
  if (prop == Prop::Enabled || prop == Prop::Interval) ++generation_;
}

void Timer::tick() {
  if (running() && onTimer) onTimer();
}

}  // namespace ui
