// quenta10-shown-texts: runs every selection the main window offers
// through the headless program and prints everything the window shows
// after each calculation, so that two builds can be compared line for line.
//
//   quenta10-shown-texts [--curve-values] [FOLDER] > dump
//       FOLDER is the program folder (default: the build's own). Each
//       calculation prints its label, any message or dialog, every control
//       whose state changed since the calculation before (visible and
//       enabled flags, colours, text, list entries), and the voltage
//       panel's three texts at every scroll position. --curve-values adds
//       the capacitance-change curve's values at full precision.
//   quenta10-shown-texts --compare OLD NEW [MAX_ULPS]
//       Compares two dumps: every line byte for byte, except curve values,
//       which may differ by at most MAX_ULPS units in the last place
//       (default 64). Exit code 0 when they agree.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ProgramFolderText.h"
#include "SelectionSweep.h"
#include "ToolUsage.h"
#include "catalogue/CapEntry.h"
#include "catalogue/DesignState.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "ui/Headless.h"
#include "ui/TextChars.h"

namespace quenta {
namespace {

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\\') {
      out += "\\\\";
    } else {
      out += c;
    }
  }
  return out;
}

// One line per control: flags, colours, font and text; list entries on
// a line of their own.
std::string ControlState(const ui::Control& c) {
  char flags[64];
  std::snprintf(flags, sizeof flags, "%c%c %06x/%06x %.2f%s ", c.visible() ? 'v' : '-',
                c.enabled() ? 'e' : '-', static_cast<unsigned>(c.backColor()),
                static_cast<unsigned>(c.foreColor()), c.fontSize(), c.fontBold() ? "b" : "");
  std::string line = c.id() + " " + flags + c.fontName() + " \"" +
                     Escaped(tool::WithProgramFolderNamed(c.displayText())) + "\"";
  if (const auto* list = dynamic_cast<const ui::ListControl*>(&c)) {
    line.append("\n").append(c.id()).append(" list");
    for (const ui::ListItem& item : list->items()) line.append(" |").append(Escaped(item.text));
  }
  return line;
}

class Dump {
 public:
  explicit Dump(bool curveValues) : curveValues_(curveValues) {}

  void Calculation(MainForm& w, const std::string& label) {
    out_ << "= " << label << "\n";
    w.Command1.click();
    Changes(w);
    if (w.Frame26.visible()) Panel(w);
    if (curveValues_) Curve();
  }

  void Note(const std::string& line) { out_ << line << "\n"; }

  void Changes(MainForm& w) {
    for (const ui::Control* c : w.controls()) {
      std::string state = ControlState(*c);
      std::string& before = shown_[c->id()];
      if (state != before) {
        out_ << state << "\n";
        before = std::move(state);
      }
    }
  }

  std::string Text() const { return out_.str(); }

 private:
  // The panel's texts at every position of its scroll bar; the bar is put
  // back where the calculation left it.
  void Panel(MainForm& w) {
    const int kept = w.HScroll1.value();
    for (int p = 0; p <= w.HScroll1.max(); ++p) {
      w.HScroll1.setValue(p);
      out_ << "panel " << p << " " << w.Text2.text() << "|" << w.Text3.text() << "|"
           << w.Text4.text() << "\n";
    }
    w.HScroll1.setValue(kept);
    Changes(w);
  }

  void Curve() {
    const CapVoltageCurve& c = gCurve;
    char line[128];
    for (std::size_t i = 0; i < c.GraphY1.size(); ++i) {
      std::snprintf(line, sizeof line, "curve %zu %.17g %.17g %.17g\n", i, c.GraphY1[i],
                    c.GraphY2[i], c.GraphY3[i]);
      out_ << line;
    }
  }

  bool curveValues_;
  std::map<std::string, std::string> shown_;
  std::ostringstream out_;
};

int RunDump(bool curveValues, const std::string& folder) {
  ui::HeadlessServices services;
  ui::ScopedServices scope(services);
  Dump dump(curveValues);
  services.onMessageBox = [&](const ui::MessageBoxRequest& r) {
    dump.Note("message " + Escaped(r.title) + ": " + Escaped(tool::WithProgramFolderNamed(r.text)));
    return ui::MsgResult::Ok;
  };
  // The re-entry dialog's proposal is accepted.
  services.onRunModal = [&](ui::Form& form) {
    auto& d = static_cast<CapEntryForm&>(form);
    dump.Note("dialog " + Escaped(d.caption()) + ": " + Escaped(d.Label1.caption()) + " [" +
              d.Text1.text() + "]");
    if (d.shown()) d.B_CalcOK.click();
  };
  if (const std::string refusal = tool::ProgramFolderRefusal("quenta10-shown-texts", folder);
      !refusal.empty()) {
    std::cerr << refusal;
    return 2;
  }
  SetProgramFolder(folder);
  ResetForms();
  // What the start-up said, for when it ends the program.
  std::string said;
  const auto onMessage = services.onMessageBox;
  services.onMessageBox = [&](const ui::MessageBoxRequest& r) {
    said += r.title + ": " + ui::WithLineFeeds(r.text) + "\n";
    return onMessage(r);
  };
  try {
    Main();
  } catch (const ui::ProgramEnd&) {
    std::cerr << "quenta10-shown-texts: the program ended at start-up"
              << (said.empty() ? "\n" : ", saying:\n" + said);
    return 2;
  }
  services.onMessageBox = onMessage;
  MainForm& w = F_QuentaMainForm();
  dump.Changes(w);
  const sweep::Counts counts = sweep::ForEveryCalculation(
      w, [&](const std::string&, const std::string& label) { dump.Calculation(w, label); });
  ResetForms();
  std::cout << dump.Text();
  std::cerr << counts.series << " series, " << counts.cases << " cases, " << counts.calculations
            << " calculations\n";
  return 0;
}

std::vector<std::string> Lines(const std::string& path) {
  std::error_code ec;
  const bool folder = std::filesystem::is_directory(path, ec);
  std::ifstream in;
  if (!folder) in.open(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; in && std::getline(in, line);) lines.push_back(line);
  if (folder || !in.is_open() || in.bad()) {
    std::cerr << "quenta10-shown-texts: cannot read the dump " << ui::EscapeNonText(path)
              << (folder ? ": it is a folder\n" : "\n");
    std::exit(2);
  }
  return lines;
}

// Distance of two doubles in units in the last place; huge across signs.
std::uint64_t Ulps(double a, double b) {
  if (a == b) return 0;
  if (std::isnan(a) || std::isnan(b) || std::signbit(a) != std::signbit(b)) return UINT64_MAX;
  const auto x = std::bit_cast<std::int64_t>(a);
  const auto y = std::bit_cast<std::int64_t>(b);
  return static_cast<std::uint64_t>(x > y ? x - y : y - x);
}

bool CurveValues(const std::string& line, std::string& point, double (&v)[3]) {
  std::istringstream in(line);
  std::string word;
  if (!(in >> word >> point >> v[0] >> v[1] >> v[2]) || word != "curve") return false;
  return true;
}

int RunCompare(const std::string& oldPath, const std::string& newPath, std::uint64_t maxUlps) {
  const std::vector<std::string> a = Lines(oldPath);
  const std::vector<std::string> b = Lines(newPath);
  if (a.size() != b.size()) {
    std::cout << "the dumps differ in length: " << a.size() << " and " << b.size() << " lines\n";
  }
  std::string label;
  long textDiffs = 0, curveDiffs = 0, curvePoints = 0;
  std::uint64_t worst = 0;
  std::string worstAt;
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    if (a[i].starts_with("= ")) label = a[i];
    std::string pa, pb;
    double va[3], vb[3];
    if (CurveValues(a[i], pa, va) && CurveValues(b[i], pb, vb) && pa == pb) {
      ++curvePoints;
      for (int k = 0; k < 3; ++k) {
        const std::uint64_t u = Ulps(va[k], vb[k]);
        if (u == 0) continue;
        ++curveDiffs;
        if (u > worst) {
          worst = u;
          worstAt = label + ", " + a[i];
        }
      }
      continue;
    }
    if (a[i] != b[i]) {
      if (++textDiffs <= 20) {
        std::cout << "line " << i + 1 << " (" << label << ")\n  old: " << a[i]
                  << "\n  new: " << b[i] << "\n";
      }
    }
  }
  std::cout << a.size() << " lines, " << textDiffs << " differing texts; " << curvePoints
            << " curve points, " << curveDiffs << " values moved, at most " << worst
            << " units in the last place" << (worstAt.empty() ? "" : " (" + worstAt + ")")
            << "\n";
  return textDiffs == 0 && a.size() == b.size() && worst <= maxUlps ? 0 : 1;
}

}  // namespace
}  // namespace quenta

namespace {

constexpr tool::Usage kUsage = {
    "quenta10-shown-texts",
    "usage: quenta10-shown-texts [--curve-values] [FOLDER]\n"
    "       quenta10-shown-texts --compare OLD NEW [MAX_ULPS]\n"
    "       quenta10-shown-texts --help\n"
    "  FOLDER           the program folder (default: the build's own); every text the\n"
    "                   main window shows over every selection it offers is printed\n"
    "  --curve-values   also print the capacitance-change curve's values\n"
    "  --compare        compare two such dumps: texts byte for byte, curve values within\n"
    "                   MAX_ULPS units in the last place (default 64); exit status 0 when\n"
    "                   they agree\n"};

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (const std::string& a : args)
    if (tool::Usage::AsksForHelp(a.c_str())) return kUsage.Help();
  if (!args.empty() && args[0] == "--compare") {
    if (args.size() < 3 || args.size() > 4)
      return kUsage.Refuse("--compare takes OLD NEW [MAX_ULPS]");
    std::uint64_t maxUlps = 64;
    if (args.size() == 4) {
      const std::string& text = args[3];
      const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), maxUlps);
      if (ec != std::errc() || end != text.data() + text.size())
        return kUsage.Refuse(("MAX_ULPS is not a whole number: " + text).c_str());
    }
    return quenta::RunCompare(args[1], args[2], maxUlps);
  }
  bool curveValues = false;
  std::string folder = QUENTA_PROGRAM_FOLDER;
  bool folderGiven = false;
  for (const std::string& a : args) {
    if (a == "--curve-values") {
      curveValues = true;
    } else if (a.starts_with("-")) {
      return kUsage.RefuseOption(a.c_str());
    } else if (folderGiven) {
      return kUsage.Refuse(("more than one folder: " + folder + ", " + a).c_str());
    } else {
      folder = a;
      folderGiven = true;
    }
  }
  return quenta::RunDump(curveValues, folder);
}
