// Keeps the widgets of a form's window in step with the form's controls.
//
// Each control of the form is found in the window by its object name (the
// control's name, an array element as NAME_INDEX). A write to a control in
// the program logic updates its widget without feeding back into the
// program; a user action on a widget becomes the same write to the control
// that the program would make, and so raises the same handlers.
#pragma once

#include <functional>
#include <unordered_map>
#include <vector>

#include <QObject>
#include <QSize>
#include <QString>

#include "ui/Form.h"

class QComboBox;
class QKeyEvent;
class QWidget;

namespace qtui {

class Binder : public QObject, public ui::FormListener, public ui::ControlListener {
  Q_OBJECT

 public:
  // Binds the form to its top-level window and brings the window in step
  // with the form. `userMayClose` says whether the close box closes it.
  Binder(ui::Form& form, QWidget& window, bool userMayClose = true);
  ~Binder() override;
  Binder(const Binder&) = delete;
  Binder& operator=(const Binder&) = delete;

  ui::Form& form() const { return form_; }
  QWidget& window() const { return window_; }

  QWidget* widgetFor(const ui::Control& control) const;
  // The control a widget (or the nearest of its ancestors) stands for;
  // nullptr when none does.
  ui::Control* controlFor(const QObject* object) const;
  // Controls without a widget of the right kind (timers have no widget).
  const std::vector<ui::Control*>& unbound() const { return unbound_; }

  // The binder of a form's window, nullptr when it has none.
  static Binder* of(const ui::Form& form);
  // "T_Specs_1" for T_Specs(1), the plain name otherwise.
  static QString widgetName(const ui::Control& control);

  // Brings every widget in step with its control.
  void syncAll();
  // Brings the window to the front and makes it the active one, as showing
  // it does.
  void bringToFront();

  // A modal box is opening: every scroll bar pressed on any window
  // lets go where its control stands (one click, one step; a drag ends on
  // the value the bar holds), so that no repeat steps on behind the box.
  static void endScrollBarPresses();

  void propertyChanged(ui::Control& control, ui::Prop prop) override;
  void formChanged(ui::Form& form, ui::FormProp prop) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void bind(ui::Control& control, QWidget* widget);
  void connectUserInput(ui::Control& control, QWidget* widget);
  // Gives an editable list its text box, on its first show.
  void makeEditable(ui::Control& control, QComboBox* combo);
  void apply(ui::Control& control, ui::Prop prop);
  void applyAll(ui::Control& control);
  // Runs a write that stands for a user action, then brings the widget back
  // in step with the control (the program may have refused the input).
  void userAction(ui::Control& control, const std::function<void()>& write);
  bool handleKey(QWidget* receiver, QKeyEvent* event);
  void focusArrived(QWidget* widget);
  void closeRequested();
  void applyShown();
  void applyPointer();
  void applyFocus();
  void updateFormSize();
  bool windowClaimsKeys() const;
  // The shown and enabled command button in a role: the default button
  // (Enter) or the cancel button (Escape).
  ui::CommandButton* shownButton(bool (ui::CommandButton::*role)() const) const;
  ui::CommandButton* defaultButton() const;
  ui::CommandButton* cancelButton() const;

  ui::Form& form_;
  QWidget& window_;
  bool userMayClose_;
  std::unordered_map<const ui::Control*, QWidget*> widgets_;
  std::unordered_map<const QObject*, ui::Control*> controls_;
  std::vector<ui::Control*> unbound_;
  bool positioned_ = false;  // the program placed the window
  QSize placedFor_;          // the window size the program placed it for
  bool shownOnce_ = false;
  bool busy_ = false;        // this form holds the busy pointer
  bool writingSize_ = false;
};

}  // namespace qtui
