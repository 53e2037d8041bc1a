#include "Runner.h"

#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <istream>
#include <iterator>
#include <ostream>

#include "GraphDump.h"
#include "ProgramFolderText.h"
#include "graph/GraphForm.h"
#include "graph/GraphWindow.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "military/EntryModes.h"
#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/GraphControl.h"
#include "ui/Headless.h"

namespace script {

using ui::quoteText;

// ---- Parsing ---------------------------------------------------------------

std::vector<std::string> splitLine(const std::string& line) {
  std::vector<std::string> args;
  const std::size_t n = line.size();
  auto blank = [&](std::size_t i) { return line[i] == ' ' || line[i] == '\t'; };
  std::size_t i = 0;
  for (;;) {
    while (i < n && blank(i)) ++i;
    if (i >= n || line[i] == '#') break;
    std::string arg;
    if (line[i] == '"') {
      for (++i;; ) {
        if (i >= n) throw ScriptError{"a quoted argument is not closed"};
        char c = line[i++];
        if (c == '"') break;
        if (c != '\\') {
          arg += c;
          continue;
        }
        if (i >= n) throw ScriptError{"a quoted argument is not closed"};
        switch (char e = line[i++]) {
          case '"': case '\\': arg += e; break;
          case 'r': arg += '\r'; break;
          case 'n': arg += '\n'; break;
          case 't': arg += '\t'; break;
          default: throw ScriptError{std::string("unknown escape \\") + e};
        }
      }
      if (i < n && !blank(i)) throw ScriptError{"a closing quote must be followed by a blank"};
    } else {
      while (i < n && !blank(i) && line[i] != '#') {
        if (line[i] == '"') throw ScriptError{"a quote may only start an argument"};
        arg += line[i++];
      }
    }
    args.push_back(std::move(arg));
  }
  return args;
}

namespace {

// A whole argument as a number of type T; nothing when any of it is not.
template <typename T>
std::optional<T> parseAs(const std::string& text) {
  T value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// A key's character: one character (UTF-8), ^A..^Z for the control
// characters 1-26, or a character code of two or more digits.
std::optional<int> parseKeyChar(const std::string& text) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  if (text.size() == 1) return s[0];
  if (text.size() == 2 && s[0] == '^' && s[1] >= 'A' && s[1] <= 'Z') return s[1] - 'A' + 1;
  std::size_t len = s[0] >= 0xF0 ? 4 : s[0] >= 0xE0 ? 3 : s[0] >= 0xC0 ? 2 : 0;
  if (len == text.size()) {
    int code = s[0] & (0x7F >> len);
    for (std::size_t i = 1; i < len; ++i) {
      if ((s[i] & 0xC0) != 0x80) return std::nullopt;
      code = (code << 6) | (s[i] & 0x3F);
    }
    return code;
  }
  if (std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return parseAs<int>(text);
  return std::nullopt;
}

std::string boolText(bool value) { return value ? "True" : "False"; }

// As on the real window: a scroll bar is used with the mouse and takes no
// focus, so using one is not leaving the box that has it.
bool takesFocus(ui::Kind kind) {
  return kind != ui::Kind::Label && kind != ui::Kind::Frame && kind != ui::Kind::Timer &&
         kind != ui::Kind::Line && kind != ui::Kind::Graph && kind != ui::Kind::ScrollBar;
}

ui::Color defaultBack(ui::Kind kind) {
  switch (kind) {
    case ui::Kind::Label: case ui::Kind::Frame: case ui::Kind::CommandButton:
    case ui::Kind::CheckBox: case ui::Kind::OptionButton:
      return ui::colors::buttonFace;
    default:
      return ui::colors::white;
  }
}

const char* defaultProperty(ui::Kind kind) {
  switch (kind) {
    case ui::Kind::TextBox: case ui::Kind::DropDownList: case ui::Kind::ComboBox: return "Text";
    case ui::Kind::ScrollBar: return "Value";
    case ui::Kind::PictureBox: return "Picture";
    case ui::Kind::Timer: return "Interval";
    default: return "Caption";
  }
}

// The property names `show` knows, spelled as they are printed.
std::optional<std::string> propertyName(const std::string& name) {
  static const char* const names[] = {"Text", "Caption", "Visible", "Enabled", "BackColor",
                                      "ForeColor", "Value", "ListIndex", "ListCount", "List",
                                      "Min", "Max", "Picture", "Interval", "SelStart",
                                      "SelLength"};
  auto lower = [](std::string s) {
    for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return s;
  };
  for (const char* known : names)
    if (lower(known) == lower(name)) return known;
  return std::nullopt;
}

// A single-valued property of a control; nothing when it has no such one.
std::optional<std::string> propertyValue(const ui::Control& c, const std::string& p) {
  using K = ui::Kind;
  const K k = c.kind();
  if (p == "Visible") return boolText(c.visible());
  if (p == "Enabled") return boolText(c.enabled());
  if (p == "BackColor") return std::to_string(c.backColor());
  if (p == "ForeColor") return std::to_string(c.foreColor());
  if (p == "Text" && (k == K::TextBox || k == K::DropDownList || k == K::ComboBox))
    return quoteText(c.displayText());
  if (p == "Caption" && (k == K::Label || k == K::Frame || k == K::CommandButton ||
                         k == K::CheckBox || k == K::OptionButton))
    return quoteText(c.displayText());
  if (auto* list = dynamic_cast<const ui::ListControl*>(&c)) {
    if (p == "ListIndex") return std::to_string(list->listIndex());
    if (p == "ListCount") return std::to_string(list->listCount());
  }
  if (auto* box = dynamic_cast<const ui::CheckBox*>(&c); box && p == "Value")
    return std::to_string(box->value());
  if (auto* option = dynamic_cast<const ui::OptionButton*>(&c); option && p == "Value")
    return boolText(option->value());
  if (auto* bar = dynamic_cast<const ui::ScrollBar*>(&c)) {
    if (p == "Value") return std::to_string(bar->value());
    if (p == "Min") return std::to_string(bar->min());
    if (p == "Max") return std::to_string(bar->max());
  }
  if (auto* box = dynamic_cast<const ui::TextBox*>(&c)) {
    if (p == "SelStart") return std::to_string(box->selStart());
    if (p == "SelLength") return std::to_string(box->selLength());
  }
  if (k == K::PictureBox && p == "Picture") return quoteText(c.displayText());
  if (auto* timer = dynamic_cast<const ui::Timer*>(&c); timer && p == "Interval")
    return std::to_string(timer->interval());
  return std::nullopt;
}

// A text cut after each line feed: every line keeps its own line break,
// the last one has none when the text does not end with one.
std::vector<std::string> splitAfterLineFeeds(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    lines.push_back(text.substr(start, end - start));
    start = end;
  }
  return lines;
}

std::size_t lineCount(const std::string& text) { return splitAfterLineFeeds(text).size(); }

// A recorded line "line X1,Y1 X2,Y2[ COLOUR]" split into its start, its
// end and its colour; false for any other operation.
bool lineParts(const std::string& op, std::string& start, std::string& end, std::string& colour) {
  if (!op.starts_with("line ")) return false;
  const std::size_t a = op.find(' ', 5);
  if (a == std::string::npos) return false;
  const std::size_t b = op.find(' ', a + 1);
  start = op.substr(5, a - 5);
  end = op.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
  colour = b == std::string::npos ? "" : op.substr(b + 1);
  return true;
}

// Whether line b goes on from the end of line a in the same colour.
bool continues(const std::string& a, const std::string& b) {
  std::string aStart, aEnd, aColour, bStart, bEnd, bColour;
  return lineParts(a, aStart, aEnd, aColour) && lineParts(b, bStart, bEnd, bColour) &&
         aEnd == bStart && aColour == bColour;
}

}  // namespace

// A curve is printed as hundreds of segments, each going on from the end
// of the one before (two curves drawn in turn interleave theirs): a run of
// three or more is told as its first segments, a count, and its last ones.
std::vector<std::string> foldCurves(const std::vector<std::string>& ops) {
  return FoldRuns(
      ops.size(), 2, [](std::size_t, std::size_t) { return true; },
      [&](std::size_t a, std::size_t b) { return continues(ops[a], ops[b]); },
      [&](std::size_t i) { return ops[i]; },
      [](std::size_t, std::size_t length, std::size_t blocks) {
        return "... " + std::to_string((blocks - 2) * length) + " more segments ...";
      });
}

namespace {

// One line of `dump`: the control's kind, flags and what it shows.
std::string describe(const ui::Control& c) {
  std::string s = c.id() + " " + ui::kindName(c.kind()) + (c.visible() ? " visible" : " hidden") +
                  (c.enabled() ? " enabled" : " disabled") + (c.hasFocus() ? " focus" : "");
  const std::string shown = quoteText(c.displayText());
  switch (c.kind()) {
    case ui::Kind::TextBox: {
      auto& box = static_cast<const ui::TextBox&>(c);
      s += box.multiLine() ? " text=" + std::to_string(lineCount(box.text())) + " lines" : " text=" + shown;
      if (box.locked()) s += " locked";
      break;
    }
    case ui::Kind::DropDownList: case ui::Kind::ComboBox: {
      auto& list = static_cast<const ui::ListControl&>(c);
      s += " text=" + shown + " index=" + std::to_string(list.listIndex()) +
           " count=" + std::to_string(list.listCount());
      break;
    }
    case ui::Kind::CheckBox: case ui::Kind::OptionButton:
      s += " caption=" + shown + " value=" + *propertyValue(c, "Value");
      break;
    case ui::Kind::ScrollBar:
      s += " value=" + *propertyValue(c, "Value") + " min=" + *propertyValue(c, "Min") +
           " max=" + *propertyValue(c, "Max");
      break;
    case ui::Kind::PictureBox: s += " picture=" + shown; break;
    case ui::Kind::Line: break;
    case ui::Kind::Graph: {
      auto& g = static_cast<const ui::GraphControl&>(c);
      s += " style=" + std::to_string(g.style()) + " curves=" + std::to_string(g.curveCount()) +
           " points=" + std::to_string(g.pointCount());
      break;
    }
    case ui::Kind::Timer: s += " interval=" + *propertyValue(c, "Interval"); break;
    default: s += " caption=" + shown; break;
  }
  if (c.foreColor() != ui::colors::black) s += " fore=" + std::to_string(c.foreColor());
  if (c.backColor() != defaultBack(c.kind())) s += " back=" + std::to_string(c.backColor());
  return s;
}

template <typename T>
void erase(std::vector<T*>& v, T* item) {
  v.erase(std::remove(v.begin(), v.end(), item), v.end());
}

}  // namespace

// ---- The runner --------------------------------------------------------------

Runner::Runner(std::ostream& out, std::ostream& err) : out_(out), err_(err) {
  installServices();
  // The session is the whole program, military entry and graph included.
  quenta::InstallMilitaryEntry();
  quenta::InstallGraphWindow();
}

Runner::~Runner() {
  beUnprivileged(false);
  scope_.reset();
  services_.reset();
  if (!scratch_.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(scratch_, ec);
  }
}

const std::string& Runner::scratchFolder() {
  if (scratch_.empty()) {
    std::error_code ec;
    std::string pattern =
        (std::filesystem::temp_directory_path(ec) / "quenta10-script-XXXXXX").string();
    if (ec || !mkdtemp(pattern.data())) fail("no folder could be made for the session's files");
    scratch_ = pattern;
  }
  return scratch_;
}

bool Runner::beUnprivileged(bool on) {
  // Only a session of the superuser changes user, to "nobody", keeping the
  // right to change back; any other user's session is bound already.
  if (on == unprivileged_ || (getuid() != 0 && !unprivileged_)) return true;
  if (on) {
    ::chmod(scratchFolder().c_str(), 0711);  // its files stay in reach
    if (setresgid(65534, 65534, 0) != 0 || setresuid(65534, 65534, 0) != 0) return false;
  } else if (setresuid(0, 0, 0) != 0 || setresgid(0, 0, 0) != 0) {
    return false;
  }
  // A change of user closes the process to tracers, the leak checker of
  // the sanitizer builds among them, which looks in at the end.
  prctl(PR_SET_DUMPABLE, 1);
  unprivileged_ = on;
  return true;
}

std::string Runner::scratchPath(const std::string& name) {
  if (name.empty() || name.front() == '/') return name;
  return scratchFolder() + "/" + name;
}

void Runner::sayLines(const std::string& heading, const std::string& text, std::size_t most) {
  const auto lines = splitAfterLineFeeds(text);
  say(heading + std::to_string(lines.size()) + (lines.size() == 1 ? " line" : " lines"));
  for (std::size_t i = 0; i < lines.size() && i < most; ++i) say("  " + quoteText(lines[i]));
}

void Runner::showFile(const std::string& name, std::size_t most) {
  namespace fs = std::filesystem;
  const fs::path path = scratchPath(name);
  std::error_code ec;
  const auto status = fs::status(path, ec);
  if (!fs::exists(status)) {
    say("file " + name + ": none");
  } else if (fs::is_directory(status)) {
    say("file " + name + ": a folder");
  } else {
    std::ifstream in(path, std::ios::binary);
    if (!in) fail("the file " + name + " cannot be read");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    sayLines("file " + name + ": ", text, most);
  }
}

void Runner::addForm(ui::Form& form) { extraForms_.push_back(&form); }

void Runner::installServices() {
  scope_.reset();
  services_ = std::make_unique<ui::HeadlessServices>();
  auto& s = *services_;
  s.onMessageBox = [this](const ui::MessageBoxRequest& r) { return answerMessageBox(r); };
  s.onRunModal = [this](ui::Form& form) { runModal(form); };
  s.onFormShown = [this](ui::Form& form) { formShown(form); };
  s.onFormHidden = [this](ui::Form& form) { formHidden(form); };
  s.onShellOpen = [this](const std::string& address) { say("open " + address); };
  s.onSaveDialog = [this](const ui::SaveDialogRequest& r) { return answerSaveDialog(r); };
  s.onProgramEnding = [this] { programEnding(); };
  s.recordingPrinter().onDocument = [this](const std::vector<std::string>& ops) {
    printDocument(ops);
  };
  scope_ = std::make_unique<ui::ScopedServices>(s);
}

void Runner::say(const std::string& line) {
  // Names in the session's folder read relative to it, and the program
  // folder reads the same wherever the session runs.
  std::string text = line;
  if (!scratch_.empty()) {
    const std::string prefix = scratch_ + "/";
    for (std::size_t at; (at = text.find(prefix)) != std::string::npos;)
      text.erase(at, prefix.size());
  }
  out_ << tool::WithProgramFolderNamed(std::move(text)) << '\n' << std::flush;
}

void Runner::fail(const std::string& message) {
  if (!failure_) failure_ = "line " + std::to_string(line_) + ": " + message;
  throw ScriptError{*failure_};
}

void Runner::failAtEnd(const std::string& message) {
  if (!failure_) failure_ = "end of script: " + message;
  throw ScriptError{*failure_};
}

bool Runner::readCommand(Args& args) {
  // A failure the program's logic swallowed still ends the run.
  if (failure_) throw ScriptError{*failure_};
  std::string text;
  for (errno = 0; std::getline(*in_, text); errno = 0) {
    ++line_;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    try {
      args = splitLine(text);
    } catch (const ScriptError& e) {
      fail(e.message);
    }
    if (!args.empty()) return true;
  }
  // A read error is no end of the script: the rest of it was never seen.
  // Standard input is read through the C library, which keeps its read
  // errors to itself.
  if (in_->bad() || (in_ == &std::cin && std::ferror(stdin))) {
    const int error = errno;
    ++line_;
    fail("the script cannot be read" + (error != 0 ? ": " + std::string(std::strerror(error)) : ""));
  }
  return false;
}

int Runner::run(std::istream& script) {
  in_ = &script;
  line_ = 0;
  failure_.reset();
  ended_ = false;
  try {
    Args args;
    while (!ended_ && readCommand(args)) {
      try {
        execute(args);
      } catch (const ui::ProgramEnd&) {
        programEnding();
      }
      if (failure_) throw ScriptError{*failure_};
    }
    return 0;
  } catch (const ScriptError& e) {
    err_ << e.message << std::endl;
    return 2;
  } catch (const std::exception& e) {
    err_ << "line " << line_ << ": the program failed: " << e.what() << std::endl;
  } catch (...) {
    err_ << "line " << line_ << ": the program failed with an unknown exception" << std::endl;
  }
  return 1;
}

// ---- What the user notices ---------------------------------------------------

ui::MsgResult Runner::answerMessageBox(const ui::MessageBoxRequest& r) {
  const bool yesNo = r.buttons == ui::MsgButtons::YesNo;
  const std::string box = "the message box " + quoteText(r.title);
  const std::string expected = yesNo ? "\"answer yes\" or \"answer no\"" : "\"answer ok\"";
  say("msgbox " + quoteText(r.title) + " " + quoteText(r.text) + (yesNo ? " yesno" : " ok"));
  Args a;
  if (!readCommand(a)) failAtEnd(box + " is not answered");
  if (a[0] != "answer" || a.size() != 2) fail(box + " is open: expected " + expected);
  if (!yesNo && a[1] == "ok") return ui::MsgResult::Ok;
  if (yesNo && a[1] == "yes") return ui::MsgResult::Yes;
  if (yesNo && a[1] == "no") return ui::MsgResult::No;
  fail(box + " has no button " + quoteText(a[1]) + ": expected " + expected);
}

std::optional<std::string> Runner::answerSaveDialog(const ui::SaveDialogRequest& r) {
  const std::string dialog = "the save dialog " + quoteText(r.title);
  say("savedialog " + quoteText(r.title) + " " + quoteText(r.defaultName));
  Args a;
  if (!readCommand(a)) failAtEnd(dialog + " is not answered");
  // The name is confirmed as typed: a file of that name is replaced.
  if (a[0] == "save" && a.size() == 2) return scratchPath(ui::addDefaultExtension(a[1], r.defaultExt));
  if (a[0] == "cancel" && a.size() == 1) return std::nullopt;
  fail(dialog + " is open: expected \"save PATH\" or \"cancel\"");
}

void Runner::runModal(ui::Form& form) {
  if (announcedModal_ != &form) say("show " + form.name() + " (modal)");
  announcedModal_ = nullptr;
  modal_.push_back(&form);
  struct Pop {
    std::vector<ui::Form*>& stack;
    ~Pop() { stack.pop_back(); }
  } pop{modal_};
  Args args;
  while (form.shown()) {
    if (!readCommand(args)) failAtEnd("the dialog " + form.name() + " is still open");
    execute(args);
  }
}

void Runner::formShown(ui::Form& form) {
  if (std::find(seen_.begin(), seen_.end(), &form) == seen_.end()) seen_.push_back(&form);
  erase(shown_, &form);
  shown_.push_back(&form);
  say("show " + form.name() + (form.modal() ? " (modal)" : ""));
  if (form.modal()) announcedModal_ = &form;
}

void Runner::formHidden(ui::Form& form) {
  erase(shown_, &form);
  say("hide " + form.name());
}

void Runner::printDocument(const std::vector<std::string>& operations) {
  say("print document " + std::to_string(++documents_));
  for (const auto& op : foldCurves(operations)) say("  " + op);
}

void Runner::programEnding() {
  if (ended_) return;
  ended_ = true;
  say("end");
}

// ---- Names -------------------------------------------------------------------

ui::Form* Runner::focusedForm() const {
  if (!modal_.empty()) return modal_.back();
  return shown_.empty() ? nullptr : shown_.back();
}

ui::Form* Runner::findForm(const std::string& name) {
  for (auto* list : {&seen_, &extraForms_})
    for (ui::Form* form : *list)
      if (form->name() == name) return form;
  // Referring to one of the program's windows loads it, as in the program.
  if (name == "F_QuentaMainForm") return &quenta::F_QuentaMainForm();
  if (name == "F_QuentaDesignForm") return &quenta::F_QuentaDesignForm();
  if (name == "F_QuentaGrafForm") return &quenta::F_QuentaGrafForm();
  return nullptr;
}

ui::Control& Runner::control(const std::string& name) {
  ui::Form* form = nullptr;
  std::string id = name;
  if (auto dot = name.find('.'); dot != std::string::npos) {
    form = findForm(name.substr(0, dot));
    if (!form) fail("unknown window " + name.substr(0, dot));
    id = name.substr(dot + 1);
  } else if (!(form = focusedForm())) {
    fail("no window is open to look up " + name + " in");
  }
  ui::Control* c = form->find(id);
  if (!c) fail("unknown control " + id + " in " + form->name());
  return *c;
}

// A control the user is about to use: it must be within reach. A control
// that takes the focus gets it first, as a click into it gives it.
ui::Control& Runner::userControl(const std::string& name, bool focus) {
  ui::Control& c = control(name);
  ui::Form& form = c.form();
  if (!form.shown()) fail(name + ": the window " + form.name() + " is not shown");
  if (!modal_.empty() && modal_.back() != &form)
    fail(name + ": the dialog " + modal_.back()->name() + " is open");
  if (!c.visible()) fail(name + " is not visible");
  if (!c.enabled()) fail(name + " is not enabled");
  if (focus && takesFocus(c.kind())) form.setActiveControl(&c);
  return c;
}

// A control the user presses to click or pick: it must be within reach, and
// gets the focus first. nullptr when a box that opened as the focus came
// (leaving a box calculates) took the press: the click or pick never happens.
ui::Control* Runner::pressControl(const std::string& name) {
  ui::Control& c = userControl(name, false);
  if (takesFocus(c.kind()) && !c.form().focusForPress(c)) return nullptr;
  return &c;
}

// ---- Commands ----------------------------------------------------------------

void Runner::execute(const Args& args) {
  const std::string& cmd = args[0];
  const std::size_t count = args.size() - 1;
  auto usage = [&](std::size_t min, std::size_t max, const char* text) {
    if (count < min || count > max) fail(std::string("usage: ") + text);
  };
  auto number = [&](const std::string& text) {
    auto n = parseAs<int>(text);
    if (!n) fail("not a whole number: " + quoteText(text));
    return *n;
  };
  auto kindOf = [&](const std::string& name) { return control(name).kind(); };

  if (cmd == "start") {
    usage(0, 0, "start");
    if (!modal_.empty()) fail("start: the dialog " + modal_.back()->name() + " is open");
    seen_.clear();
    shown_.clear();
    announcedModal_ = nullptr;
    installServices();  // a fresh clock and printer for the new session
    quenta::ResetForms();
    quenta::Main();
  } else if (cmd == "pick") {
    usage(2, 2, "pick CONTROL TEXT");
    auto* list = dynamic_cast<ui::ListControl*>(&control(args[1]));
    if (!list) fail(args[1] + " is not a list");
    int index = list->findExact(args[2]);
    if (index < 0) fail(args[1] + " has no entry " + quoteText(args[2]));
    if (!pressControl(args[1])) return;
    if (auto* drop = dynamic_cast<ui::DropDownList*>(list)) drop->setListIndex(index);
    else static_cast<ui::ComboBox*>(list)->setListIndex(index);
  } else if (cmd == "type") {
    usage(2, 2, "type CONTROL TEXT");
    ui::Control& c = control(args[1]);
    auto* text = dynamic_cast<ui::TextBox*>(&c);
    auto* combo = dynamic_cast<ui::ComboBox*>(&c);
    if (!text && !combo) fail(args[1] + " does not take typed text");
    if (text && text->locked()) fail(args[1] + " is locked");
    userControl(args[1], true);
    if (text) text->setText(args[2]);
    else combo->setText(args[2]);
  } else if (cmd == "focus") {
    usage(1, 1, "focus CONTROL");
    if (!takesFocus(kindOf(args[1]))) fail(args[1] + " cannot take the focus");
    userControl(args[1], true);
  } else if (cmd == "key") {
    usage(1, 2, "key CODE [CHAR]");
    int code = number(args[1]);
    int character = 0;
    if (count == 2) {
      auto ch = parseKeyChar(args[2]);
      if (!ch) fail("not a character: " + quoteText(args[2]));
      character = *ch;
    }
    ui::Form* form = focusedForm();
    if (!form) fail("no window is open to take the key");
    form->userKey(code, character);
  } else if (cmd == "click") {
    usage(1, 2, "click CONTROL [BUTTON]");
    auto kind = kindOf(args[1]);
    if (kind != ui::Kind::CommandButton && kind != ui::Kind::CheckBox &&
        kind != ui::Kind::OptionButton && kind != ui::Kind::TextBox && kind != ui::Kind::Graph)
      fail(args[1] + " cannot be clicked");
    if (count == 2 && kind != ui::Kind::Graph) fail("only a graph takes a button code");
    ui::Control* pressed = pressControl(args[1]);
    if (!pressed) return;
    ui::Control& c = *pressed;
    // A graph hears which button: 1 left (the default), 2 right, 4 middle.
    if (auto* graph = dynamic_cast<ui::GraphControl*>(&c)) graph->buttonDown(count == 2 ? number(args[2]) : 1);
    else if (auto* button = dynamic_cast<ui::CommandButton*>(&c)) button->click();
    else if (auto* text = dynamic_cast<ui::TextBox*>(&c)) text->click();
    else if (auto* box = dynamic_cast<ui::CheckBox*>(&c))
      box->setValue(box->value() == ui::CheckBox::Checked ? ui::CheckBox::Unchecked
                                                          : ui::CheckBox::Checked);
    else static_cast<ui::OptionButton&>(c).setValue(true);
  } else if (cmd == "scroll") {
    usage(2, 2, "scroll CONTROL VALUE");
    auto* bar = dynamic_cast<ui::ScrollBar*>(&control(args[1]));
    if (!bar) fail(args[1] + " is not a scroll bar");
    int value = number(args[2]);
    if (value < bar->min() || value > bar->max())
      fail(args[1] + " goes from " + std::to_string(bar->min()) + " to " +
           std::to_string(bar->max()));
    userControl(args[1], true);
    bar->setValue(value);
  } else if (cmd == "close") {
    // The window's close box.
    usage(1, 1, "close FORM");
    ui::Form* form = findForm(args[1]);
    if (!form) fail("unknown window " + args[1]);
    if (!form->shown()) fail("close: the window " + form->name() + " is not shown");
    form->unload();
  } else if (cmd == "pointer") {
    // The pointer moves over a graph to the point of these axis values.
    usage(3, 3, "pointer GRAPH X Y");
    auto* graph = dynamic_cast<ui::GraphControl*>(&control(args[1]));
    if (!graph) fail(args[1] + " is not a graph");
    auto x = parseAs<double>(args[2]);
    auto y = parseAs<double>(args[3]);
    if (!x || !y) fail("pointer: X and Y must be numbers");
    userControl(args[1], false);
    graph->pointerAt(*x, *y);
  } else if (cmd == "graph") {
    // The graph's state, or the calls made on it since the last look.
    usage(1, 2, "graph GRAPH [calls]");
    auto* graph = dynamic_cast<ui::GraphControl*>(&control(args[1]));
    if (!graph) fail(args[1] + " is not a graph");
    if (count == 2 && args[2] != "calls") fail("usage: graph GRAPH [calls]");
    say(args[1] + ":");
    if (count == 2) {
      for (const auto& line : DescribeGraphCalls(graph->calls())) say("  " + line);
      graph->clearCalls();
    } else {
      for (const auto& line : DescribeGraph(*graph)) say("  " + line);
    }
  } else if (cmd == "answer") {
    fail("no message box is open");
  } else if (cmd == "save" || cmd == "cancel") {
    fail("no save dialog is open");
  } else if (cmd == "wait") {
    usage(1, 1, "wait MS");
    int ms = number(args[1]);
    if (ms < 0) fail("wait: the time must not be negative");
    services_->clock().advance(ms);
  } else if (cmd == "show") {
    usage(1, 3, "show CONTROL [PROPERTY [LINES]]");
    show(args);
  } else if (cmd == "dump") {
    usage(0, 1, "dump [FORM]");
    ui::Form* form = count ? findForm(args[1]) : focusedForm();
    if (!form) fail(count ? "unknown window " + args[1] : "no window is open");
    dump(*form);
  } else if (cmd == "state") {
    usage(1, 1, "state RECORD.FIELD");
    auto value = stateField(args[1]);
    if (!value) fail("unknown state field " + args[1]);
    say(args[1] + " = " + *value);
  } else if (cmd == "mkdir") {
    usage(1, 1, "mkdir NAME");
    std::error_code ec;
    std::filesystem::create_directories(scratchPath(args[1]), ec);
    if (ec) fail("mkdir: " + args[1] + ": " + ec.message());
  } else if (cmd == "writefile") {
    usage(2, 2, "writefile NAME TEXT");
    std::ofstream file(scratchPath(args[1]), std::ios::binary | std::ios::trunc);
    if (!(file << args[2]) || !file.flush()) fail("writefile: " + args[1] + " cannot be written");
  } else if (cmd == "showfile") {
    usage(1, 2, "showfile NAME [LINES]");
    const int most = count == 2 ? number(args[2]) : -1;
    showFile(args[1], most < 0 ? SIZE_MAX : static_cast<std::size_t>(most));
  } else if (cmd == "chmod") {
    usage(2, 2, "chmod MODE NAME");
    unsigned mode = 0;
    const auto [end, ec] = std::from_chars(args[1].data(), args[1].data() + args[1].size(), mode, 8);
    if (ec != std::errc() || end != args[1].data() + args[1].size() || mode > 07777)
      fail("chmod: not an octal mode: " + quoteText(args[1]));
    if (::chmod(scratchPath(args[2]).c_str(), mode) != 0) fail("chmod: " + args[2] + " cannot be changed");
  } else if (cmd == "unprivileged") {
    usage(1, 1, "unprivileged on|off");
    if (args[1] != "on" && args[1] != "off") fail("usage: unprivileged on|off");
    if (!beUnprivileged(args[1] == "on")) fail("unprivileged: the user cannot be changed");
  } else if (cmd == "filelimit") {
    // The largest file the session may write, as `ulimit -f` sets it; the
    // transcript so far must stay below it.
    usage(1, 1, "filelimit BYTES|none");
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = limit.rlim_max;
    if (args[1] != "none") {
      const int bytes = number(args[1]);
      if (bytes < 0) fail("filelimit: the limit must not be negative");
      limit.rlim_cur = static_cast<rlim_t>(bytes);
    }
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) fail("filelimit: the limit cannot be set");
  } else if (cmd == "printerfail") {
    // The printer operation AFTER operations from now fails with this error.
    usage(3, 3, "printerfail AFTER NUMBER DESCRIPTION");
    int after = number(args[1]);
    if (after < 0) fail("printerfail: AFTER must not be negative");
    services_->recordingPrinter().failAfter(after, number(args[2]), args[3]);
  } else {
    fail("unknown command " + quoteText(cmd));
  }
}

void Runner::show(const Args& args) {
  const std::string& name = args[1];
  std::string prop = args.size() > 2 ? args[2] : "";
  // A window's own Caption or Visible: `show FORM.Caption` or `show FORM`.
  ui::Form* form = nullptr;
  auto dot = name.find('.');
  if (dot != std::string::npos) {
    ui::Form* owner = findForm(name.substr(0, dot));
    std::string rest = name.substr(dot + 1);
    if (owner && !owner->find(rest) && prop.empty() && propertyName(rest)) {
      form = owner;
      prop = rest;
    }
  } else {
    ui::Form* focused = focusedForm();
    if (!focused || !focused->find(name)) form = findForm(name);
  }
  if (form) {
    auto p = propertyName(prop.empty() ? "Caption" : prop);
    if (p == "Caption") say(form->name() + ".Caption = " + quoteText(form->caption()));
    else if (p == "Visible") say(form->name() + ".Visible = " + boolText(form->shown()));
    else fail("the window " + form->name() + " has no property " + prop);
    return;
  }
  const ui::Control& c = control(name);
  auto p = propertyName(prop.empty() ? defaultProperty(c.kind()) : prop);
  auto* list = dynamic_cast<const ui::ListControl*>(&c);
  if (p == "List" && list) {
    int n = list->listCount();
    say(name + ".List = " + std::to_string(n) + (n == 1 ? " entry" : " entries"));
    for (int i = 0; i < n; ++i)
      say("  " + std::to_string(i) + " " + quoteText(list->list(i)) +
          (c.kind() == ui::Kind::DropDownList ? " data=" + std::to_string(list->itemData(i)) : ""));
    return;
  }
  if (auto* box = dynamic_cast<const ui::TextBox*>(&c); box && box->multiLine() && p == "Text") {
    // A long text may be shown by its first lines.
    std::size_t most = SIZE_MAX;
    if (args.size() > 3) {
      const auto n = parseAs<int>(args[3]);
      if (!n || *n < 0) fail("not a line count: " + quoteText(args[3]));
      most = static_cast<std::size_t>(*n);
    }
    sayLines(name + ".Text = ", box->text(), most);
    return;
  }
  if (args.size() > 3) fail("only a text of several lines is shown by its first lines");
  auto value = p ? propertyValue(c, *p) : std::nullopt;
  if (!value) fail(name + " has no property " + prop);
  say(name + "." + *p + " = " + *value);
}

void Runner::dump(ui::Form& form) {
  say("form " + form.name() + " " + quoteText(form.caption()) +
      (form.shown() ? " shown" : " hidden"));
  std::vector<ui::Control*> controls = form.controls();
  std::sort(controls.begin(), controls.end(), [](const ui::Control* a, const ui::Control* b) {
    return a->name() != b->name() ? a->name() < b->name() : a->index() < b->index();
  });
  for (const ui::Control* c : controls) say(describe(*c));
}

int run(std::istream& script, std::ostream& out, std::ostream& err) {
  Runner runner(out, err);
  return runner.run(script);
}

}  // namespace script
