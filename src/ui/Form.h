// Forms (windows) of the headless window layer.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace ui {

class Form;

enum class MousePointer { Default = 0, Hourglass = 11 };
enum class ShowMode { Modeless, Modal };

enum class FormProp { Caption, Shown, Pointer, Geometry, Focus, BackColor };

class FormListener {
 public:
  virtual ~FormListener() = default;
  virtual void formChanged(Form& form, FormProp prop) = 0;
};

// A control array: elements addressed by index, sparse indices allowed.
template <typename T>
class ControlArray {
 public:
  ControlArray(Form& form, std::string name) : form_(form), name_(std::move(name)) {}
  T& add(int index) {
    auto& slot = elements_[index];
    if (!slot) slot = std::make_unique<T>(form_, name_, index);
    return *slot;
  }
  T& operator[](int index) const {
    auto it = elements_.find(index);
    if (it == elements_.end())
      throw std::out_of_range("control array " + name_ + " has no element " + std::to_string(index));
    return *it->second;
  }
  T& operator()(int index) const { return (*this)[index]; }
  bool contains(int index) const { return elements_.count(index) != 0; }
  int lbound() const { return elements_.empty() ? 0 : elements_.begin()->first; }
  int ubound() const { return elements_.empty() ? -1 : elements_.rbegin()->first; }
  const std::string& name() const { return name_; }

 private:
  Form& form_;
  std::string name_;
  std::map<int, std::unique_ptr<T>> elements_;
};

class Form {
 public:
  explicit Form(std::string name);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }

  // A form is loaded on first reference: the accessor of each window
  // (F_QuentaDesignForm() and the like) loads it before handing it out.
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& caption);

  // Loads the form (running its Load handler) on first use.
  void load();
  bool loaded() const { return loaded_; }
  // Shows the form. A modal show returns only when the form is hidden again;
  // handlers that run after the hide inside the form's own handler finish
  // before it returns.
  void show(ShowMode mode = ShowMode::Modeless);
  void hide();
  // Runs the Unload handler, hides the form and marks it not loaded; the
  // next use loads it again.
  void unload();
  bool shown() const { return shown_; }
  // Whether the form is shown modally; false once it is hidden.
  bool modal() const { return modal_; }

  MousePointer mousePointer() const { return pointer_; }
  void setMousePointer(MousePointer pointer);

  Color backColor() const { return backColor_; }
  void setBackColor(Color color);

  // Position and size in twips.
  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }
  void setLeft(int twips);
  void setTop(int twips);
  void setSize(int width, int height);

  // The window sees every key before the control with the focus.
  bool keyPreview() const { return keyPreview_; }
  void setKeyPreview(bool on) { keyPreview_ = on; }

  Handler onLoad;
  Handler onActivate;
  Handler onUnload;
  KeyDownHandler onKeyDown;
  KeyPressHandler onKeyPress;

  // The control with the focus, nullptr for none.
  Control* activeControl() const { return active_; }
  // Moves the focus: LostFocus of the old control, then GotFocus of the new.
  void setActiveControl(Control* control);
  // Moves the focus as the press of a click or a pick does, before it acts.
  // False when a message box or modal window opened meanwhile (leaving a
  // box calculates, say): that box took the press, and the click or pick
  // never happens.
  bool focusForPress(Control& control);

  const std::vector<Control*>& controls() const { return controls_; }
  // Finds a control by "NAME" or "NAME(INDEX)"; nullptr when there is none.
  Control* find(const std::string& id) const;

  // Key input as the user makes it. keyDown runs the window's KeyDown (with
  // key preview) and then the focused control's; keyPress runs the window's
  // KeyPress and then that of `target`, and returns the character left
  // (0 when swallowed). userKey does both for the control that had the focus
  // when the key went down and delivers what is left of the character to it.
  void keyDown(int keyCode, int shift = 0);
  int keyPress(int character, Control* target);
  void userKey(int keyCode, int character, int shift = 0);

  void setListener(FormListener* listener) { listener_ = listener; }
  FormListener* listener() const { return listener_; }

 private:
  friend class Control;
  void registerControl(Control* control);
  void unregisterControl(Control* control);
  void changed(FormProp prop);

  std::string name_;
  std::string caption_;
  bool loaded_ = false;
  bool loading_ = false;
  bool shown_ = false;
  bool modal_ = false;
  MousePointer pointer_ = MousePointer::Default;
  Color backColor_ = colors::buttonFace;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool keyPreview_ = false;
  Control* active_ = nullptr;
  std::vector<Control*> controls_;
  FormListener* listener_ = nullptr;
};

}  // namespace ui
