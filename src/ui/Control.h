// The headless window layer: window controls with the event rules the
// program logic relies on.
//
//  - A property write in code that raises an event runs the handler inside
//    the write, nested, to its end; nothing is queued or deferred and there
//    is no re-entrancy guard.
//  - The control already holds its new value when its handler runs.
//  - A write that leaves a text, a check box value, an option button value
//    or a scroll position as it was raises nothing.
//  - Writing a drop-down list's text or list index always raises Click.
//
// No Qt here: the Qt front end mirrors these objects as widgets through a
// ControlListener and feeds user input back through the same writes.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace ui {

// Colours as RGB numbers: red + green * 256 + blue * 65536.
using Color = std::uint32_t;
constexpr Color rgb(int r, int g, int b) {
  return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int red(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int green(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blue(Color c) { return static_cast<int>((c >> 16) & 0xFF); }
namespace colors {
constexpr Color black = rgb(0, 0, 0);
constexpr Color white = rgb(255, 255, 255);
constexpr Color red = rgb(255, 0, 0);
constexpr Color blue = rgb(0, 0, 255);
constexpr Color lightGrey = rgb(0xC0, 0xC0, 0xC0);
// The system's button face, the default back colour of frames and labels.
constexpr Color buttonFace = rgb(0xF0, 0xF0, 0xF0);
}  // namespace colors

enum class Kind {
  TextBox,
  Label,
  DropDownList,  // pick-only list whose entries carry a 16-bit item code
  ComboBox,      // editable combo: the user may pick or type
  CheckBox,
  OptionButton,
  ScrollBar,
  CommandButton,
  Frame,
  PictureBox,
  Timer,
  Line,   // a line drawn on the window
  Graph,  // a charting control (ui/GraphControl.h)
};
const char* kindName(Kind kind);

// What changed, for listeners that mirror a control.
enum class Prop {
  Text,
  Visible,
  Enabled,
  BackColor,
  ForeColor,
  Font,
  List,       // entries added, removed or their item data changed
  ListIndex,
  Value,      // check box, option button, scroll bar position
  Range,      // scroll bar min / max / steps
  Interval,   // timer interval or enabled state
  Picture,
  Geometry,
  Focus,
  Selection,  // text box selection start / length
  Drawing,    // what is drawn on a picture box or a graph
};

class Control;
class Form;

class ControlListener {
 public:
  virtual ~ControlListener() = default;
  virtual void propertyChanged(Control& control, Prop prop) = 0;
};

using Handler = std::function<void()>;
// Key codes and characters are passed by reference: a handler may change
// them, and 0 swallows the key.
using KeyDownHandler = std::function<void(int& keyCode, int shift)>;
using KeyPressHandler = std::function<void(int& keyAscii)>;

class Control {
 public:
  Control(Form& form, Kind kind, std::string name, int index = -1);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Kind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  // Index within its control array, -1 for a control that is not in one.
  int index() const { return index_; }
  // "T_Specs(1)" for an array element, the plain name otherwise.
  std::string id() const;
  Form& form() const { return form_; }

  // The control's own Visible flag, not whether its window is shown.
  bool visible() const { return visible_; }
  void setVisible(bool visible);
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  Color backColor() const { return backColor_; }
  void setBackColor(Color color);
  Color foreColor() const { return foreColor_; }
  void setForeColor(Color color);
  const std::string& fontName() const { return fontName_; }
  void setFontName(const std::string& name);
  double fontSize() const { return fontSize_; }
  void setFontSize(double points);
  bool fontBold() const { return fontBold_; }
  void setFontBold(bool bold);

  // Position and size in twips.
  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }
  void move(int left, int top, int width, int height);

  // Focus moves from code raise the losing control's LostFocus, then the
  // gaining control's GotFocus, synchronously.
  void setFocus();
  bool hasFocus() const;

  Handler onGotFocus;
  Handler onLostFocus;
  KeyDownHandler onKeyDown;
  KeyPressHandler onKeyPress;

  // The text a person reads on the control: text, caption or selected entry.
  virtual std::string displayText() const { return {}; }
  // A character that reached the control after the key handlers let it
  // through (typing into a text box, for instance).
  virtual void receiveChar(int character) { (void)character; }
  // The focus moved from this control to another one of its window.
  virtual void focusLeft() {}

  void setListener(ControlListener* listener) { listener_ = listener; }
  ControlListener* listener() const { return listener_; }

 protected:
  void changed(Prop prop);
  // Called on every change before the listener hears of it.
  virtual void noteChange(Prop prop) { (void)prop; }

 private:
  Form& form_;
  Kind kind_;
  std::string name_;
  int index_;
  bool visible_ = true;
  bool enabled_ = true;
  Color backColor_ = colors::white;
  Color foreColor_ = colors::black;
  std::string fontName_ = "MS Sans Serif";
  double fontSize_ = 8.25;
  bool fontBold_ = false;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  ControlListener* listener_ = nullptr;
};

// Sets the Visible flag of each control in turn.
void setVisible(std::initializer_list<Control*> controls, bool visible);

// Appends the UTF-8 form of a character code to a text, or removes the last
// character for a backspace (8). Other control characters change nothing.
// Returns whether the text changed. (A text box types at its caret.)
bool applyTypedChar(std::string& text, int character);

class TextBox : public Control {
 public:
  TextBox(Form& form, std::string name, int index = -1);
  const std::string& text() const { return text_; }
  // Raises Change when the text differs from what it was.
  void setText(const std::string& text);
  bool locked() const { return locked_; }
  void setLocked(bool locked) { locked_ = locked; }
  bool multiLine() const { return multiLine_; }
  void setMultiLine(bool multiLine) { multiLine_ = multiLine; }
  // The selection, in characters. Writing the start empties the selection
  // (the caret stands there); both are kept within the text.
  int selStart() const { return selStart_; }
  int selLength() const { return selLength_; }
  void setSelStart(int start);
  void setSelLength(int length);
  // Selects the whole text.
  void selectAll();
  // Takes the focus in its window (LostFocus and GotFocus run as for any
  // move) and selects the whole text, also when it had the focus already:
  // what the user types next replaces the text, and Enter sends it. How a
  // box is handed back to the user after the program refused what it holds.
  void focusWithTextSelected();
  // Raises Click, as a click of the mouse into the box does.
  void click();
  Handler onChange;
  Handler onClick;
  std::string displayText() const override { return text_; }
  void receiveChar(int character) override;
  // Losing the focus ends the selection; the caret stays at its end.
  void focusLeft() override;

 private:
  int textLength() const;
  std::string text_;
  int selStart_ = 0;
  int selLength_ = 0;
  bool locked_ = false;
  bool multiLine_ = false;
};

class Label : public Control {
 public:
  Label(Form& form, std::string name, int index = -1);
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& caption);
  std::string displayText() const override { return caption_; }

 private:
  std::string caption_;
};

class Frame : public Control {
 public:
  Frame(Form& form, std::string name, int index = -1);
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& caption);
  std::string displayText() const override { return caption_; }

 private:
  std::string caption_;
};

class CommandButton : public Control {
 public:
  CommandButton(Form& form, std::string name, int index = -1);
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& caption);
  // The default button is pressed by Enter in its dialog.
  bool isDefault() const { return default_; }
  void setDefault(bool isDefault) { default_ = isDefault; }
  // The cancel button is pressed by Escape in its window.
  bool isCancel() const { return cancel_; }
  void setCancel(bool isCancel) { cancel_ = isCancel; }
  // Raises Click, as a press of the button does.
  void click();
  Handler onClick;
  std::string displayText() const override { return caption_; }

 private:
  std::string caption_;
  bool default_ = false;
  bool cancel_ = false;
};

class CheckBox : public Control {
 public:
  enum { Unchecked = 0, Checked = 1, Grayed = 2 };
  CheckBox(Form& form, std::string name, int index = -1);
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& caption);
  int value() const { return value_; }
  // Raises Click when the value changes.
  void setValue(int value);
  Handler onClick;
  std::string displayText() const override { return caption_; }

 private:
  std::string caption_;
  int value_ = Unchecked;
};

// Option buttons of the same group (on the same form) exclude each other.
class OptionButton : public Control {
 public:
  OptionButton(Form& form, std::string name, std::string group, int index = -1);
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& caption);
  const std::string& group() const { return group_; }
  bool value() const { return value_; }
  // Selecting deselects the siblings first, then raises Click when the button
  // was not selected before. Writing False raises nothing.
  void setValue(bool value);
  Handler onClick;
  std::string displayText() const override { return caption_; }

 private:
  std::string caption_;
  std::string group_;
  bool value_ = false;
};

class ScrollBar : public Control {
 public:
  ScrollBar(Form& form, std::string name, int index = -1);
  int min() const { return min_; }
  int max() const { return max_; }
  int value() const { return value_; }
  int smallChange() const { return smallChange_; }
  int largeChange() const { return largeChange_; }
  // Clamped to the range; a new position raises Change.
  void setValue(int value);
  // A new bound that moves the position raises Change.
  void setMin(int min);
  void setMax(int max);
  void setSmallChange(int step);
  void setLargeChange(int step);
  Handler onChange;
  std::string displayText() const override { return std::to_string(value_); }

 private:
  int clamp(int value) const;
  void reclamp();
  int min_ = 0;
  int max_ = 32767;
  int value_ = 0;
  int smallChange_ = 1;
  int largeChange_ = 1;
};

struct ListItem {
  std::string text;
  std::int16_t itemData = 0;
};

// Behaviour shared by the two kinds of list.
class ListControl : public Control {
 public:
  using Control::Control;
  int listCount() const { return static_cast<int>(items_.size()); }
  int listIndex() const { return listIndex_; }
  const std::string& list(int i) const;
  std::int16_t itemData(int i) const;
  void setItemData(int i, std::int16_t data);
  // Index of the entry added last, -1 before any.
  int newIndex() const { return newIndex_; }
  const std::vector<ListItem>& items() const { return items_; }
  // Adding and clearing raise nothing; Clear leaves the list index at -1.
  void addItem(const std::string& text);
  void addItem(const std::string& text, std::int16_t itemData);
  void clear();
  // First entry with exactly this text, -1 when there is none.
  int findExact(const std::string& text) const;

 protected:
  std::vector<ListItem> items_;
  int listIndex_ = -1;
  int newIndex_ = -1;
};

// A drop-down list: an entry can only be picked.
class DropDownList : public ListControl {
 public:
  DropDownList(Form& form, std::string name, int index = -1);
  // The selected entry's text, "" when none is selected.
  std::string text() const;
  // Selects the first entry with exactly this text and raises Click, also
  // when it was already selected. A text the list does not hold changes
  // nothing and raises nothing.
  void setText(const std::string& text);
  // Selects an entry (-1 for none) and raises Click, also when unchanged.
  // An index outside the list changes nothing and raises nothing.
  void setListIndex(int index);
  Handler onClick;
  std::string displayText() const override { return text(); }
};

// An editable combo box: the user picks (Click) or types (Change).
class ComboBox : public ListControl {
 public:
  ComboBox(Form& form, std::string name, int index = -1);
  const std::string& text() const { return text_; }
  // Raises Change when the text differs; the list index follows the text.
  void setText(const std::string& text);
  // Empties the list and its text; raises nothing.
  void clear();
  // Selects an entry, takes its text and raises Click (a pick).
  void setListIndex(int index);
  Handler onClick;
  Handler onChange;
  std::string displayText() const override { return text_; }
  void receiveChar(int character) override;

 private:
  std::string text_;
};

// Text drawn on a picture box, at a pixel position of its inside (the top
// left of the text cell), turned counter-clockwise by an angle in degrees.
struct DrawnText {
  std::string text;
  int x = 0, y = 0;
  double angle = 0;
  bool operator==(const DrawnText&) const = default;
};

class PictureBox : public Control {
 public:
  PictureBox(Form& form, std::string name, int index = -1);
  // Path of the picture file shown, "" for none.
  const std::string& picture() const { return picture_; }
  void setPicture(const std::string& path);
  std::string displayText() const override { return picture_; }

  // What is drawn on the box's kept image: clearing empties it.
  const std::vector<DrawnText>& drawnTexts() const { return drawn_; }
  void clearDrawing();
  void drawText(const DrawnText& text);
  // The inside of the box in twips (within its one-pixel border).
  int scaleWidth() const { return width() > 30 ? width() - 30 : 0; }
  int scaleHeight() const { return height() > 30 ? height() - 30 : 0; }

 private:
  std::string picture_;
  std::vector<DrawnText> drawn_;
};

class Timer : public Control {
 public:
  Timer(Form& form, std::string name, int index = -1);
  ~Timer() override;
  int interval() const { return interval_; }
  void setInterval(int ms);
  // A timer runs while it is enabled and its interval is above 0.
  bool running() const { return enabled() && interval_ > 0; }
  Handler onTimer;
  // Runs the timer's handler once (the front end's or the clock's tick).
  void tick();
  // Every timer that exists, in order of creation.
  static const std::vector<Timer*>& all();
  // Counts the starts, stops and interval changes: a clock restarts the
  // countdown when it sees a new one.
  unsigned generation() const { return generation_; }

 protected:
  void noteChange(Prop prop) override;

 private:
  int interval_ = 0;
  unsigned generation_ = 0;
};

}  // namespace ui
