#include "ui/Form.h"

#include <algorithm>

#include "ui/Services.h"

namespace ui {

Form::Form(std::string name) : name_(std::move(name)) {}

Form::~Form() {
  // Controls are members of derived forms and are destroyed before this;
  // nothing refers to them any more.
  active_ = nullptr;
}

void Form::registerControl(Control* control) { controls_.push_back(control); }

void Form::unregisterControl(Control* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  if (active_ == control) active_ = nullptr;
}

void Form::changed(FormProp prop) {
  if (listener_) listener_->formChanged(*this, prop);
}

void Form::setCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  changed(FormProp::Caption);
}

void Form::load() {
  if (loaded_ || loading_) return;
  loading_ = true;
  loaded_ = true;
  try {
    if (onLoad) onLoad();
  } catch (...) {
    loading_ = false;
    throw;
  }
  loading_ = false;
}

void Form::show(ShowMode mode) {
  load();
  bool wasShown = shown_;
  shown_ = true;
  modal_ = mode == ShowMode::Modal;
  if (!wasShown) {
    changed(FormProp::Shown);
    services().formShown(*this);
  } else if (!modal_) {
    services().formRaised(*this);
  }
  if (onActivate) onActivate();
  if (modal_) {
    noteModalOpened();
    services().runModal(*this);
  }
}

void Form::hide() {
  if (!shown_) return;
  shown_ = false;
  // A hidden window is neither modal nor modeless; the next show decides.
  modal_ = false;
  changed(FormProp::Shown);
  services().formHidden(*this);
}

void Form::unload() {
  if (!loaded_) return;
  if (onUnload) onUnload();
  hide();
  loaded_ = false;
}

void Form::setMousePointer(MousePointer pointer) {
  if (pointer_ == pointer) return;
  pointer_ = pointer;
  changed(FormProp::Pointer);
}

void Form::setBackColor(Color color) {
  if (backColor_ == color) return;
  backColor_ = color;
  changed(FormProp::BackColor);
}

void Form::setLeft(int twips) {
  left_ = twips;
  changed(FormProp::Geometry);
}

void Form::setTop(int twips) {
  top_ = twips;
  changed(FormProp::Geometry);
}

void Form::setSize(int width, int height) {
  width_ = width;
  height_ = height;
  changed(FormProp::Geometry);
}

void Form::setActiveControl(Control* control) {
  if (control == active_) return;
  Control* old = active_;
  active_ = control;
  changed(FormProp::Focus);
  if (old) old->focusLeft();
  if (old && old->onLostFocus) old->onLostFocus();
  // A LostFocus handler may have moved the focus elsewhere: GotFocus goes
  // only to a control that still has it.
  if (control && active_ == control && control->onGotFocus) control->onGotFocus();
}

bool Form::focusForPress(Control& control) {
  const unsigned modals = modalsOpened();
  setActiveControl(&control);
  return modalsOpened() == modals;
}

Control* Form::find(const std::string& id) const {
  for (Control* c : controls_)
    if (c->id() == id) return c;
  return nullptr;
}

void Form::keyDown(int keyCode, int shift) {
  Control* target = active_;
  if (keyPreview_ && onKeyDown) onKeyDown(keyCode, shift);
  if (keyCode != 0 && target && target->onKeyDown) target->onKeyDown(keyCode, shift);
}

int Form::keyPress(int character, Control* target) {
  if (character == 0) return 0;
  if (keyPreview_ && onKeyPress) onKeyPress(character);
  if (character != 0 && target && target->onKeyPress) target->onKeyPress(character);
  return character;
}

void Form::userKey(int keyCode, int character, int shift) {
  // The character goes to the control that had the focus when the key went
  // down, even when a key handler has moved the focus since.
  Control* target = active_;
  keyDown(keyCode, shift);
  if (character == 0) return;
  int left = keyPress(character, target);
  if (left != 0 && target) target->receiveChar(left);
}

}  // namespace ui
