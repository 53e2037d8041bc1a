#include "qt/Binder.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWindow>

#include "ui/GraphControl.h"
#include "ui/Line.h"

#include "qt/Appearance.h"
#include "qt/FrontEnd.h"
#include "qt/GraphWidget.h"
#include "qt/KeyMap.h"
#include "qt/QtServices.h"
#include "qt/ScreenFit.h"

namespace qtui {

namespace {

using ui::Kind;

std::unordered_map<const ui::Form*, Binder*>& binders() {
  static std::unordered_map<const ui::Form*, Binder*> map;
  return map;
}

// The widget class that shows each kind of control; nullptr for none.
const char* widgetClass(Kind kind) {
  switch (kind) {
    case Kind::TextBox: return "QLineEdit";
    case Kind::Label: return "QLabel";
    case Kind::Frame: return "QGroupBox";
    case Kind::DropDownList:
    case Kind::ComboBox: return "QComboBox";
    case Kind::CheckBox: return "QCheckBox";
    case Kind::OptionButton: return "QRadioButton";
    case Kind::ScrollBar: return "QScrollBar";
    case Kind::CommandButton: return "QPushButton";
    case Kind::PictureBox: return "QLabel";
    case Kind::Line: return "qtui::LineWidget";
    case Kind::Graph: return "qtui::GraphWidget";
    case Kind::Timer: return nullptr;
  }
  return nullptr;
}

bool widgetFits(Kind kind, QWidget* widget) {
  // A multi-line text box shows in a plain text editor.
  if (kind == Kind::TextBox && widget->inherits("QPlainTextEdit")) return true;
  const char* cls = widgetClass(kind);
  if (!cls || !widget->inherits(cls)) return false;
  // A combo box becomes editable when it is first shown (Binder::makeEditable).
  if (auto* combo = qobject_cast<QComboBox*>(widget))
    return kind == Kind::ComboBox || !combo->isEditable();
  if (auto* bar = qobject_cast<QScrollBar*>(widget)) return bar->orientation() == Qt::Horizontal;
  return true;
}

bool takesFocus(Kind kind) {
  switch (kind) {
    case Kind::Label:
    case Kind::Frame:
    case Kind::PictureBox:
    case Kind::Line:
    case Kind::Graph:
    case Kind::Timer: return false;
    default: return true;
  }
}

// ---- Lists -----------------------------------------------------------------

void applyList(const ui::ListControl& list, QComboBox* combo) {
  const auto& items = list.items();
  const int n = combo->count();
  const int want = list.listCount();
  if (want == n + 1 && (n == 0 || combo->itemText(n - 1) == toQ(items[n - 1].text))) {
    combo->addItem(toQ(items.back().text), items.back().itemData);
  } else if (want == n) {
    for (int i = 0; i < n; ++i) {
      const auto& item = items[static_cast<std::size_t>(i)];
      if (combo->itemText(i) != toQ(item.text)) combo->setItemText(i, toQ(item.text));
      combo->setItemData(i, item.itemData);
    }
  } else {
    combo->clear();
    for (const auto& item : items) combo->addItem(toQ(item.text), item.itemData);
  }
}

void applySelection(const ui::Control& c, QComboBox* combo) {
  if (c.kind() == Kind::DropDownList) {
    const auto& list = static_cast<const ui::DropDownList&>(c);
    if (combo->currentIndex() != list.listIndex()) combo->setCurrentIndex(list.listIndex());
  } else {
    const auto& box = static_cast<const ui::ComboBox&>(c);
    if (combo->currentIndex() != box.listIndex()) combo->setCurrentIndex(box.listIndex());
    if (combo->currentText() != toQ(box.text())) combo->setEditText(toQ(box.text()));
  }
}

// ---- Scroll bars -----------------------------------------------------------

void applyRange(const ui::ScrollBar& s, QScrollBar* bar) {
  // A scroll bar whose Min is above its Max runs the other way.
  bar->setRange(std::min(s.min(), s.max()), std::max(s.min(), s.max()));
  bar->setInvertedAppearance(s.min() > s.max());
  bar->setInvertedControls(s.min() > s.max());
  bar->setSingleStep(std::max(1, s.smallChange()));
  bar->setPageStep(std::max(1, s.largeChange()));
}

}  // namespace

// ---- Binding ---------------------------------------------------------------

Binder::Binder(ui::Form& form, QWidget& window, bool userMayClose)
    : form_(form), window_(window), userMayClose_(userMayClose) {
  binders()[&form_] = this;
  QHash<QString, QWidget*> byName;
  for (QWidget* widget : window_.findChildren<QWidget*>())
    if (!byName.contains(widget->objectName())) byName.insert(widget->objectName(), widget);
  for (ui::Control* control : form_.controls()) {
    if (control->kind() == Kind::Timer) {
      new QtTimer(static_cast<ui::Timer&>(*control), this);
      continue;
    }
    QWidget* widget = byName.value(widgetName(*control));
    if (!widget || !widgetFits(control->kind(), widget)) {
      qWarning("%s: no %s named %s", form_.name().c_str(), widgetClass(control->kind()),
               qPrintable(widgetName(*control)));
      unbound_.push_back(control);
      continue;
    }
    bind(*control, widget);
  }
  window_.installEventFilter(this);
  form_.setListener(this);
  syncAll();
}

Binder::~Binder() {
  if (busy_) QApplication::restoreOverrideCursor();
  form_.setListener(nullptr);
  for (auto& [control, widget] : widgets_) {
    const_cast<ui::Control*>(control)->setListener(nullptr);
    if (control->kind() == Kind::Graph) static_cast<GraphWidget*>(widget)->setModel(nullptr);
  }
  auto it = binders().find(&form_);
  if (it != binders().end() && it->second == this) binders().erase(it);
}

Binder* Binder::of(const ui::Form& form) {
  auto it = binders().find(&form);
  return it == binders().end() ? nullptr : it->second;
}

QString Binder::widgetName(const ui::Control& control) {
  QString name = toQ(control.name());
  if (control.index() >= 0) name += QString("_%1").arg(control.index());
  return name;
}

QWidget* Binder::widgetFor(const ui::Control& control) const {
  auto it = widgets_.find(&control);
  return it == widgets_.end() ? nullptr : it->second;
}

ui::Control* Binder::controlFor(const QObject* object) const {
  for (; object; object = object->parent()) {
    auto it = controls_.find(object);
    if (it != controls_.end() && takesFocus(it->second->kind())) return it->second;
    if (object == &window_) break;
  }
  return nullptr;
}

void Binder::bind(ui::Control& control, QWidget* widget) {
  widgets_[&control] = widget;
  controls_[widget] = &control;
  control.setListener(this);
  widget->installEventFilter(this);
  switch (control.kind()) {
    case Kind::TextBox:
      if (static_cast<ui::TextBox&>(control).locked()) {
        if (auto* editor = qobject_cast<QPlainTextEdit*>(widget))
          editor->setReadOnly(true);
        else
          static_cast<QLineEdit*>(widget)->setReadOnly(true);
      }
      break;
    case Kind::Label: static_cast<QLabel*>(widget)->setTextFormat(Qt::PlainText); break;
    case Kind::DropDownList:
    case Kind::ComboBox:
      // The mouse wheel changes a list only when the list has the focus; it
      // never gives the focus. (An editable list gets its text box when it
      // is first shown, makeEditable: most of them are hidden for good, and
      // building one costs more than any other widget.)
      widget->setFocusPolicy(Qt::StrongFocus);
      break;
    case Kind::OptionButton:
      // The program decides which option is selected, including none.
      static_cast<QRadioButton*>(widget)->setAutoExclusive(false);
      break;
    case Kind::ScrollBar:
      // Change is raised when the thumb is let go, not while it is dragged.
      static_cast<QScrollBar*>(widget)->setTracking(false);
      break;
    case Kind::CommandButton: {
      auto* button = static_cast<QPushButton*>(widget);
      button->setAutoDefault(false);
      button->setDefault(static_cast<ui::CommandButton&>(control).isDefault());
      break;
    }
    case Kind::Graph:
      static_cast<GraphWidget*>(widget)->setModel(&static_cast<ui::GraphControl&>(control));
      break;
    default: break;
  }
  connectUserInput(control, widget);
}

void Binder::connectUserInput(ui::Control& control, QWidget* widget) {
  ui::Control* c = &control;
  switch (control.kind()) {
    case Kind::TextBox:
      if (auto* editor = qobject_cast<QPlainTextEdit*>(widget)) {
        connect(editor, &QPlainTextEdit::textChanged, this, [this, c, editor] {
          const std::string text = boxText(editor->toPlainText());
          userAction(*c, [&] { static_cast<ui::TextBox*>(c)->setText(text); });
        });
        break;
      }
      connect(static_cast<QLineEdit*>(widget), &QLineEdit::textEdited, this,
              [this, c](const QString& text) {
                userAction(*c, [&] { static_cast<ui::TextBox*>(c)->setText(fromQ(text)); });
              });
      break;
    case Kind::DropDownList:
      connect(static_cast<QComboBox*>(widget), &QComboBox::activated, this, [this, c](int index) {
        userAction(*c, [&] { static_cast<ui::DropDownList*>(c)->setListIndex(index); });
      });
      break;
    case Kind::ComboBox:
      connect(static_cast<QComboBox*>(widget), &QComboBox::activated, this, [this, c](int index) {
        userAction(*c, [&] { static_cast<ui::ComboBox*>(c)->setListIndex(index); });
      });
      break;
    case Kind::CheckBox:
      connect(static_cast<QCheckBox*>(widget), &QCheckBox::clicked, this, [this, c](bool checked) {
        userAction(*c, [&] {
          static_cast<ui::CheckBox*>(c)->setValue(checked ? ui::CheckBox::Checked
                                                          : ui::CheckBox::Unchecked);
        });
      });
      break;
    case Kind::OptionButton:
      connect(static_cast<QRadioButton*>(widget), &QRadioButton::clicked, this, [this, c] {
        userAction(*c, [&] { static_cast<ui::OptionButton*>(c)->setValue(true); });
      });
      break;
    case Kind::ScrollBar:
      connect(static_cast<QScrollBar*>(widget), &QScrollBar::valueChanged, this,
              [this, c](int value) {
                userAction(*c, [&] { static_cast<ui::ScrollBar*>(c)->setValue(value); });
              });
      break;
    case Kind::CommandButton:
      connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this, [this, c] {
        userAction(*c, [&] { static_cast<ui::CommandButton*>(c)->click(); });
      });
      break;
    case Kind::Graph: {
      auto* graph = static_cast<GraphWidget*>(widget);
      auto* model = static_cast<ui::GraphControl*>(c);
      connect(graph, &GraphWidget::pointerMoved, this, [this, c, model](double h, double v) {
        userAction(*c, [&] { model->pointerMove(h, v); });
      });
      connect(graph, &GraphWidget::buttonPressed, this, [this, c, model](int button) {
        userAction(*c, [&] { model->buttonDown(button); });
      });
      break;
    }
    default: break;
  }
}

void Binder::makeEditable(ui::Control& control, QComboBox* combo) {
  if (combo->isEditable()) return;
  {
    const QSignalBlocker blocker(combo);
    combo->setEditable(true);
  }
  // Typing must reach the program letter by letter, as typed: no inline
  // completion and no entries added by Enter.
  combo->setCompleter(nullptr);
  combo->setInsertPolicy(QComboBox::NoInsert);
  ui::Control* c = &control;
  connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, c](const QString& text) {
    userAction(*c, [&] { static_cast<ui::ComboBox*>(c)->setText(fromQ(text)); });
  });
  apply(control, ui::Prop::Text);
}

void Binder::userAction(ui::Control& control, const std::function<void()>& write) {
  // While a modal box of another run is open nothing done on this window
  // reaches the program (a scroll bar's repeat still firing behind it, say):
  // the widget goes back to what its control holds.
  if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != &window_) {
    applyAll(control);
    return;
  }
  callLayer([&] {
    // The press gave the control the focus before it became a click or a
    // pick: the program hears of that first (leaving a box calculates), as
    // in the order the user acted. A box that opened meanwhile took the
    // press, and the click does not happen.
    if (form_.activeControl() != &control && controlFor(QApplication::focusWidget()) == &control &&
        !form_.focusForPress(control))
      return;
    write();
  });
  if (!endRequested()) applyAll(control);
}

void Binder::endScrollBarPresses() {
  for (auto& [form, binder] : binders()) {
    (void)form;
    for (auto& [control, widget] : binder->widgets_) {
      if (control->kind() != Kind::ScrollBar) continue;
      auto* bar = static_cast<QScrollBar*>(widget);
      {
        // The release a pressed bar would have had: its repeat stops, a
        // drag ends. Nothing of it reaches the program.
        const QSignalBlocker blocker(bar);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(), QPointF(), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(bar, &release);
      }
      binder->apply(*const_cast<ui::Control*>(control), ui::Prop::Value);
    }
  }
}

// ---- From the controls to the widgets ----------------------------------------

void Binder::syncAll() {
  for (auto& [control, widget] : widgets_) {
    (void)widget;
    applyAll(*const_cast<ui::Control*>(control));
  }
  window_.setWindowTitle(toQ(form_.caption()));
  formChanged(form_, ui::FormProp::BackColor);
  // A position the program gave before the window existed.
  if (form_.left() != 0 || form_.top() != 0) formChanged(form_, ui::FormProp::Geometry);
  applyPointer();
  applyShown();
}

void Binder::applyAll(ui::Control& control) {
  for (ui::Prop prop : {ui::Prop::List, ui::Prop::Text, ui::Prop::ListIndex, ui::Prop::Value,
                        ui::Prop::Range, ui::Prop::Visible, ui::Prop::Enabled, ui::Prop::Font,
                        ui::Prop::BackColor, ui::Prop::ForeColor}) {
    apply(control, prop);
  }
  // A picture box keeps what the window was built with until the program
  // gives it a picture of its own.
  if (control.kind() == Kind::PictureBox &&
      !static_cast<ui::PictureBox&>(control).picture().empty())
    apply(control, ui::Prop::Picture);
  if (control.kind() == Kind::Line || control.kind() == Kind::Graph ||
      (control.kind() == Kind::PictureBox &&
       !static_cast<ui::PictureBox&>(control).drawnTexts().empty()))
    apply(control, ui::Prop::Drawing);
}

void Binder::propertyChanged(ui::Control& control, ui::Prop prop) { apply(control, prop); }

void Binder::apply(ui::Control& control, ui::Prop prop) {
  QWidget* w = widgetFor(control);
  if (!w) return;
  const QSignalBlocker blocker(w);
  const Kind kind = control.kind();
  switch (prop) {
    case ui::Prop::Visible: w->setVisible(control.visible()); return;
    case ui::Prop::Enabled: w->setEnabled(control.enabled()); return;
    case ui::Prop::BackColor:
    case ui::Prop::ForeColor: applyColors(control, w); return;
    case ui::Prop::Font:
      applyFont(control, w);
      apply(control, ui::Prop::Text);  // the Symbol face changes the letters shown
      return;
    case ui::Prop::Geometry:
    case ui::Prop::Focus:
    case ui::Prop::Interval: return;
    default: break;
  }

  switch (kind) {
    case Kind::TextBox:
      if (auto* editor = qobject_cast<QPlainTextEdit*>(w)) {
        if (prop != ui::Prop::Text) break;
        const QString text = editorText(static_cast<ui::TextBox&>(control).text());
        if (editor->toPlainText() != text) editor->setPlainText(text);
        break;
      }
      if (prop == ui::Prop::Text) {
        auto* edit = static_cast<QLineEdit*>(w);
        QString text = toQ(static_cast<ui::TextBox&>(control).text());
        if (edit->text() != text) edit->setText(text);
      }
      if (prop == ui::Prop::Selection) {
        auto* edit = static_cast<QLineEdit*>(w);
        const auto& box = static_cast<ui::TextBox&>(control);
        if (box.selLength() > 0)
          edit->setSelection(box.selStart(), box.selLength());
        else
          edit->setCursorPosition(box.selStart());
      }
      break;
    case Kind::Label:
      if (prop == ui::Prop::Text) {
        static_cast<QLabel*>(w)->setText(captionOf(control));
        fitPlacedLabel(static_cast<QLabel*>(w));
      }
      break;
    case Kind::Frame:
      if (prop == ui::Prop::Text) static_cast<QGroupBox*>(w)->setTitle(captionOf(control));
      break;
    case Kind::CommandButton:
      if (prop == ui::Prop::Text) static_cast<QPushButton*>(w)->setText(captionOf(control));
      break;
    case Kind::CheckBox: {
      auto* box = static_cast<QCheckBox*>(w);
      const auto& check = static_cast<ui::CheckBox&>(control);
      if (prop == ui::Prop::Text) box->setText(captionOf(control));
      if (prop == ui::Prop::Value) {
        box->setTristate(check.value() == ui::CheckBox::Grayed);
        box->setCheckState(check.value() == ui::CheckBox::Checked   ? Qt::Checked
                           : check.value() == ui::CheckBox::Grayed ? Qt::PartiallyChecked
                                                                     : Qt::Unchecked);
      }
      break;
    }
    case Kind::OptionButton: {
      auto* radio = static_cast<QRadioButton*>(w);
      if (prop == ui::Prop::Text) radio->setText(captionOf(control));
      if (prop == ui::Prop::Value)
        radio->setChecked(static_cast<ui::OptionButton&>(control).value());
      break;
    }
    case Kind::DropDownList:
    case Kind::ComboBox: {
      auto* combo = static_cast<QComboBox*>(w);
      // The editable combo's line edit signals on its own.
      const QSignalBlocker editBlocker(combo->lineEdit());
      if (prop == ui::Prop::List) applyList(static_cast<ui::ListControl&>(control), combo);
      if (prop == ui::Prop::List || prop == ui::Prop::ListIndex || prop == ui::Prop::Text)
        applySelection(control, combo);
      break;
    }
    case Kind::ScrollBar: {
      auto* bar = static_cast<QScrollBar*>(w);
      const auto& s = static_cast<ui::ScrollBar&>(control);
      if (prop == ui::Prop::Range) applyRange(s, bar);
      if (prop == ui::Prop::Range || prop == ui::Prop::Value) bar->setValue(s.value());
      break;
    }
    case Kind::Graph:
      if (prop == ui::Prop::Drawing) w->update();
      break;
    case Kind::Line:
      if (prop == ui::Prop::Drawing) {
        const auto& line = static_cast<ui::Line&>(control);
        auto sign = [](int d) { return (d > 0) - (d < 0); };
        static_cast<LineWidget*>(w)->setLine(sign(line.x2() - line.x1()), sign(line.y2() - line.y1()),
                                             qcolor(line.borderColor()), line.borderWidth());
      }
      break;
    case Kind::PictureBox:
      if (prop == ui::Prop::Drawing)
        showPicture(static_cast<ui::PictureBox&>(control), static_cast<QLabel*>(w));
      if (prop == ui::Prop::Picture) {
        auto* label = static_cast<QLabel*>(w);
        const std::string& path = static_cast<ui::PictureBox&>(control).picture();
        label->setProperty(kSourcePixmap,
                           path.empty() ? QPixmap() : QPixmap::fromImage(loadPicture(path)));
        fitPicture(label);
      }
      break;
    default: break;
  }
}

// ---- The window ---------------------------------------------------------------

void Binder::formChanged(ui::Form& form, ui::FormProp prop) {
  (void)form;
  switch (prop) {
    case ui::FormProp::Caption: window_.setWindowTitle(toQ(form_.caption())); break;
    case ui::FormProp::Shown: applyShown(); break;
    case ui::FormProp::Pointer: applyPointer(); break;
    case ui::FormProp::Focus: applyFocus(); break;
    case ui::FormProp::BackColor: {
      QPalette pal;
      if (form_.backColor() != ui::colors::buttonFace) {
        // The form's own background with the program's black text, also
        // on a desktop whose colours are dark.
        pal.setColor(QPalette::Window, qcolor(form_.backColor()));
        pal.setColor(QPalette::WindowText, qcolor(ui::colors::black));
      }
      window_.setPalette(pal);
      window_.setAutoFillBackground(form_.backColor() != ui::colors::buttonFace);
      break;
    }
    case ui::FormProp::Geometry:
      // The program places windows by their left and top edge (centring);
      // their size follows from the layout.
      if (writingSize_) break;
      positioned_ = true;
      placedFor_ = QSize(twipsToPixels(form_.width()), twipsToPixels(form_.height()));
      window_.move(twipsToPixels(form_.left()), twipsToPixels(form_.top()));
      break;
  }
}

void Binder::updateFormSize() {
  writingSize_ = true;
  form_.setSize(pixelsToTwips(window_.width()), pixelsToTwips(window_.height()));
  writingSize_ = false;
}

void Binder::bringToFront() {
  window_.raise();
  window_.activateWindow();
}

void Binder::applyShown() {
  if (!form_.shown()) {
    if (window_.isVisible()) window_.hide();
    return;
  }
  if (window_.isVisible()) return;
  const Qt::WindowModality modality = form_.modal() ? Qt::ApplicationModal : Qt::NonModal;
  window_.setWindowModality(modality);
  if (form_.modal()) {
    QWidget* owner = QApplication::activeWindow();
    if (owner && owner != &window_) {
      window_.winId();
      if (window_.windowHandle() && owner->windowHandle())
        window_.windowHandle()->setTransientParent(owner->windowHandle());
    }
  }
  if (!shownOnce_) {
    shownOnce_ = true;
    // The window's natural size, as far as the screen has room for it with
    // its frame; adjustSize alone would keep it within two thirds of the
    // screen.
    if (FitArea* area = fitAreaOf(window_)) area->refreshSizes();
    window_.adjustSize();
    window_.resize(window_.sizeHint()
                       .boundedTo(clientArea(window_))
                       .expandedTo(window_.minimumSizeHint()));
    updateFormSize();
    QScreen* screen = window_.screen();
    if (screen) {
      // Placed by its frame, title bar included.
      const QRect area = screen->availableGeometry();
      const QSize framed = window_.size().grownBy(frameMargins(window_));
      QPoint at;
      if (!positioned_) {
        at = area.center() - QPoint(framed.width() / 2, framed.height() / 2);
      } else {
        // The program centred the window for the size its form had then;
        // the window keeps that centre at its real size.
        const QSize grown = window_.size() - placedFor_;
        at = window_.pos() - QPoint(grown.width() / 2, grown.height() / 2);
      }
      // It stays on the screen as far as it fits, its title bar first.
      at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - framed.width())));
      at.setY(std::max(area.top(), std::min(at.y(), area.bottom() + 1 - framed.height())));
      window_.move(at);
    }
  }
  window_.show();
  bringToFront();
  // The focus starts on the control the program chose, else on the first
  // control of the tab order.
  if (form_.activeControl()) {
    applyFocus();
  } else if (!window_.focusWidget() || !controlFor(window_.focusWidget())) {
    for (QWidget* w = window_.nextInFocusChain(); w && w != &window_; w = w->nextInFocusChain()) {
      if (controlFor(w) && w->isVisibleTo(&window_) && w->isEnabled() &&
          (w->focusPolicy() & Qt::TabFocus)) {
        w->setFocus(Qt::TabFocusReason);
        break;
      }
    }
  }
}

void Binder::applyPointer() {
  const bool wantBusy = form_.mousePointer() == ui::MousePointer::Hourglass;
  if (wantBusy && !busy_) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    busy_ = true;
  } else if (!wantBusy && busy_) {
    QApplication::restoreOverrideCursor();
    busy_ = false;
  }
}

void Binder::applyFocus() {
  ui::Control* active = form_.activeControl();
  QWidget* w = active ? widgetFor(*active) : nullptr;
  if (!w || QApplication::focusWidget() == w) return;
  w->setFocus(Qt::OtherFocusReason);
}

// ---- From the user to the controls -------------------------------------------

bool Binder::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      auto* widget = qobject_cast<QWidget*>(watched);
      if (!widget) break;
      if (widget == &window_) {
        // Keys reach the window itself only when no control has the focus,
        // or when a control let them pass up; the latter ran already. The
        // window's own focus widget tells: a key passed up after a message
        // box has closed may arrive while no window is active yet.
        if (controlFor(QApplication::focusWidget()) || controlFor(window_.focusWidget())) break;
      } else {
        auto it = controls_.find(widget);
        if (it == controls_.end() || !takesFocus(it->second->kind())) break;
      }
      return handleKey(widget, static_cast<QKeyEvent*>(event));
    }
    case QEvent::FocusIn:
      if (watched != &window_) focusArrived(static_cast<QWidget*>(watched));
      break;
    case QEvent::MouseButtonRelease: {
      // A click into a text box raises its Click.
      auto it = controls_.find(static_cast<QWidget*>(watched));
      if (it != controls_.end() && it->second->kind() == Kind::TextBox &&
          static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        ui::Control* c = it->second;
        userAction(*c, [&] { static_cast<ui::TextBox*>(c)->click(); });
      }
      break;
    }
    case QEvent::Show:
      if (auto it = controls_.find(watched);
          it != controls_.end() && it->second->kind() == Kind::ComboBox)
        makeEditable(*it->second, static_cast<QComboBox*>(watched));
      break;
    case QEvent::Wheel:
      // A list without the focus lets the wheel pass to the window, which
      // scrolls where it has to.
      if (auto* combo = qobject_cast<QComboBox*>(watched);
          combo && controls_.count(combo) && !combo->hasFocus()) {
        event->ignore();
        return true;
      }
      break;
    case QEvent::Close:
      if (watched == &window_) {
        event->ignore();
        closeRequested();
        return true;
      }
      break;
    case QEvent::Resize:
      if (watched == &window_) {
        if (shownOnce_) updateFormSize();
      } else if (auto* label = qobject_cast<QLabel*>(watched)) {
        auto it = controls_.find(label);
        if (it != controls_.end() && it->second->kind() == Kind::PictureBox)
          showPicture(static_cast<ui::PictureBox&>(*it->second), label);
      }
      break;
    default: break;
  }
  return QObject::eventFilter(watched, event);
}

bool Binder::windowClaimsKeys() const { return form_.keyPreview() && form_.onKeyDown != nullptr; }

ui::CommandButton* Binder::shownButton(bool (ui::CommandButton::*role)() const) const {
  for (ui::Control* c : form_.controls()) {
    if (c->kind() != Kind::CommandButton) continue;
    auto* button = static_cast<ui::CommandButton*>(c);
    QWidget* w = widgetFor(*button);
    if ((button->*role)() && w && w->isVisible() && w->isEnabled()) return button;
  }
  return nullptr;
}

ui::CommandButton* Binder::defaultButton() const { return shownButton(&ui::CommandButton::isDefault); }

ui::CommandButton* Binder::cancelButton() const { return shownButton(&ui::CommandButton::isCancel); }

bool Binder::handleKey(QWidget* receiver, QKeyEvent* event) {
  const KeyInput in = translateKey(*event);
  if (in.keyCode == 9) return false;  // Tab only moves the focus
  ui::Control* focused = nullptr;
  if (auto it = controls_.find(receiver); it != controls_.end()) focused = it->second;
  int left = in.character;
  callLayer([&] {
    // A focus change still waiting in the queue is made now, so that the
    // key goes to the control the user is typing into.
    if (focused && form_.activeControl() != focused) form_.setActiveControl(focused);
    ui::Control* target = form_.activeControl();
    if (in.keyCode != 0) form_.keyDown(in.keyCode, in.shift);
    if (in.character != 0) left = form_.keyPress(in.character, target);
  });
  if (endRequested()) return true;
  if (in.character != 0 && left == 0) return true;  // swallowed

  auto* button = qobject_cast<QPushButton*>(receiver);
  ui::Control* buttonControl = button ? focused : nullptr;
  auto press = [this](ui::Control& c) {
    userAction(c, [&] { static_cast<ui::CommandButton&>(c).click(); });
  };
  // Enter and Space never press a focused button by themselves: a window
  // that handles its keys (Enter and Space calculate) has already acted on
  // them, and pressing the button too would act twice.
  if (in.keyCode == 13) {
    if (buttonControl && !windowClaimsKeys()) {
      press(*buttonControl);
      return true;
    }
    if (ui::CommandButton* def = defaultButton()) {
      press(*def);
      return true;
    }
    return button || qobject_cast<QComboBox*>(receiver);
  }
  if (in.keyCode == 27) {
    if (ui::CommandButton* cancel = cancelButton()) {
      press(*cancel);
      return true;
    }
  }
  if (in.keyCode == 32 && button) {
    if (buttonControl && !windowClaimsKeys()) press(*buttonControl);
    return true;
  }
  // Space has reached a drop-down list, which has no use for it: it opens
  // no popup (Qt's list would open one).
  if (in.keyCode == 32 && focused && focused->kind() == Kind::DropDownList) return true;
  if (in.character != 0 && left != in.character) {
    // A key handler replaced the character: type the new one instead.
    QLineEdit* edit = qobject_cast<QLineEdit*>(receiver);
    if (auto* combo = qobject_cast<QComboBox*>(receiver)) edit = combo->lineEdit();
    if (edit && !edit->isReadOnly() && focused) {
      {
        const QSignalBlocker blocker(edit);
        if (left == 8) {
          edit->backspace();
        } else if (left >= 32) {
          const char32_t ch = static_cast<char32_t>(left);
          edit->insert(QString::fromUcs4(&ch, 1));
        }
      }
      const std::string text = fromQ(edit->text());
      userAction(*focused, [&] {
        if (focused->kind() == Kind::TextBox)
          static_cast<ui::TextBox*>(focused)->setText(text);
        else if (focused->kind() == Kind::ComboBox)
          static_cast<ui::ComboBox*>(focused)->setText(text);
      });
    }
    return true;
  }
  return false;
}

void Binder::focusArrived(QWidget* widget) {
  auto it = controls_.find(widget);
  if (it == controls_.end() || !takesFocus(it->second->kind())) return;
  ui::Control* control = it->second;
  // The program hears of the new focus after Qt has finished moving it, and
  // only when it is still there.
  QMetaObject::invokeMethod(
      this,
      [this, control] {
        if (controlFor(QApplication::focusWidget()) != control) return;
        if (form_.activeControl() == control) return;
        callLayer([&] { form_.setActiveControl(control); });
      },
      Qt::QueuedConnection);
}

void Binder::closeRequested() {
  if (!userMayClose_) return;
  QMetaObject::invokeMethod(
      this,
      [this] {
        callLayer([&] { form_.unload(); });
        // A program with no window left on screen is over.
        if (endWhenNoWindowLeft() && !endRequested() && !anyWindowShown()) requestEnd();
      },
      Qt::QueuedConnection);
}

}  // namespace qtui
