#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "catalogue/DesignState.h"
#include "script/Runner.h"
#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/Printer.h"
#include "ui/Services.h"

namespace {

using script::splitLine;
using Args = std::vector<std::string>;

Args split(const std::string& line) { return splitLine(line); }

std::string splitError(const std::string& line) {
  try {
    splitLine(line);
  } catch (const script::ScriptError& e) {
    return e.message;
  }
  return "no error";
}

TEST(SplitLine, BlanksQuotesEscapesAndComments) {
  EXPECT_EQ(split("  type\tT_Frequency   250 "), (Args{"type", "T_Frequency", "250"}));
  EXPECT_EQ(split("type T \"two words\" \"\""), (Args{"type", "T", "two words", ""}));
  EXPECT_EQ(split(R"(x "a \"q\" \\ b\r\n\t")"), (Args{"x", "a \"q\" \\ b\r\n\t"}));
  EXPECT_EQ(split("# a comment"), Args{});
  EXPECT_EQ(split("click B_Quit # why"), (Args{"click", "B_Quit"}));
  EXPECT_EQ(split("key 13#comment"), (Args{"key", "13"}));
  EXPECT_EQ(split("type T \"a # b\""), (Args{"type", "T", "a # b"}));
  EXPECT_EQ(split(""), Args{});
}

TEST(SplitLine, MalformedLines) {
  EXPECT_EQ(splitError("type T \"open"), "a quoted argument is not closed");
  EXPECT_EQ(splitError("type T \"ends in \\"), "a quoted argument is not closed");
  EXPECT_EQ(splitError(R"(type T "\x")"), "unknown escape \\x");
  EXPECT_EQ(splitError(R"(type T "a"b)"), "a closing quote must be followed by a blank");
  EXPECT_EQ(splitError(R"(type T a"b")"), "a quote may only start an argument");
}

// A dialog with its own controls; OK asks before it closes.
struct Dialog : ui::Form {
  Dialog() : ui::Form("F_Dialog") {
    setCaption("Name");
    OK.onClick = [this] {
      if (ui::msgBox("Keep " + Name.text() + "?", ui::MsgButtons::YesNo, "Confirm") ==
          ui::MsgResult::Yes)
        hide();
    };
    Name.onGotFocus = [this] { Name.setBackColor(ui::colors::lightGrey); };
  }
  ui::TextBox Name{*this, "Name"};
  ui::CommandButton OK{*this, "OK"};
  ui::CommandButton Bye{*this, "Bye"};
};

// A small window whose button opens a modal dialog from inside its handler.
struct Owner : ui::Form {
  Owner() : ui::Form("F_Owner") {
    Open.setCaption("Open");
    Open.onClick = [this] {
      Result.setCaption("opening");
      dialog->show(ui::ShowMode::Modal);
      // Runs only after the dialog is hidden.
      Result.setCaption("back: " + dialog->Name.text());
    };
    Quit.onClick = [] { ui::endProgram(); };
    Report.onClick = [this] {
      auto& printer = ui::services().printer();
      printer.print("Hi");
      printer.endDoc();
      ui::services().shellOpen("https://example.test/a b");
      auto path = ui::services().saveFileDialog({"Save As", "*.txt", "out.txt", ""});
      Result.setCaption(path ? *path : "cancelled");
    };
    Tick.setInterval(100);
    Tick.onTimer = [this] { Entry.setText(Entry.text() + "t"); };
    Hidden.setVisible(false);
    Off.setEnabled(false);
  }
  ui::CommandButton Open{*this, "Open"};
  ui::CommandButton Quit{*this, "Quit"};
  ui::CommandButton Hidden{*this, "Hidden"};
  ui::CommandButton Off{*this, "Off"};
  ui::Label Result{*this, "Result"};
  ui::TextBox Entry{*this, "Entry"};
  ui::CommandButton Report{*this, "Report"};
  ui::Timer Tick{*this, "Tick"};
  ui::ScrollBar Level{*this, "Level"};
  Dialog* dialog = nullptr;
};

struct Session : ::testing::Test {
  Session() {
    owner.dialog = &dialog;
    dialog.Bye.onClick = [] { ui::endProgram(); };
  }
  // Runs a script with the owner window shown, as a program would show it.
  int run(const std::string& text) {
    owner.hide();
    dialog.hide();
    script::Runner runner(out, err);
    runner.addForm(owner);
    runner.addForm(dialog);
    owner.show();
    std::istringstream in(text);
    return runner.run(in);
  }
  Owner owner;
  Dialog dialog;
  std::ostringstream out, err;
};

TEST_F(Session, ModalDialogFromAHandlerIsAnsweredAndReturns) {
  int rc = run(
      "click Open\n"
      "  type Name \"Ann Lee\"   # resolves in the dialog\n"
      "  show Name BackColor\n"
      "  click OK\n"
      "  answer no\n"
      "  click OK\n"
      "  answer yes\n"
      "show Result\n"
      "show F_Dialog.Visible\n");
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(out.str(),
            "show F_Owner\n"
            "show F_Dialog (modal)\n"
            "Name.BackColor = 12632256\n"
            "msgbox \"Confirm\" \"Keep Ann Lee?\" yesno\n"
            "msgbox \"Confirm\" \"Keep Ann Lee?\" yesno\n"
            "hide F_Dialog\n"
            "Result.Caption = \"back: Ann Lee\"\n"
            "F_Dialog.Visible = False\n");
}

TEST_F(Session, ProgramEndInsideADialogStopsTheScript) {
  int rc = run("click Open\nclick Bye\nclick Nowhere\n");
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(out.str(), "show F_Owner\nshow F_Dialog (modal)\nend\n");
  EXPECT_EQ(owner.Result.caption(), "opening");  // the handler was unwound
}

TEST_F(Session, PrintingShellSaveDialogTimersAndState) {
  quenta::gResults.ThermalRes = 0.1;
  quenta::gTemps.TempRise = 15;
  int rc = run(
      "click Report\nsave \"/tmp/a b.txt\"\nshow Result\nclick Report\ncancel\n"
      "wait 250\nshow Entry\nstate ElectricalResults.ThermalRes\nstate OperatingTemps.TempRise\n");
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(out.str(),
            "show F_Owner\n"
            "print document 1\n  text 0,0 \"Hi\"\n  enddoc\n"
            "open https://example.test/a b\n"
            "savedialog \"Save As\" \"out.txt\"\n"
            "Result.Caption = \"/tmp/a b.txt\"\n"
            "print document 2\n  text 0,0 \"Hi\"\n  enddoc\n"
            "open https://example.test/a b\n"
            "savedialog \"Save As\" \"out.txt\"\n"
            "Entry.Text = \"tt\"\n"
            "ElectricalResults.ThermalRes = 0.10000000000000001\n"
            "OperatingTemps.TempRise = 15\n");
  EXPECT_EQ(owner.Result.caption(), "cancelled");
}

struct ErrorCase {
  const char* script;
  const char* error;
};

TEST_F(Session, ScriptFaultsEndTheRunWithAClearError) {
  const ErrorCase cases[] = {
      {"show Result\nclik Open\n", "line 2: unknown command \"clik\"\n"},
      {"click Nowhere\n", "line 1: unknown control Nowhere in F_Owner\n"},
      {"click F_Else.Open\n", "line 1: unknown window F_Else\n"},
      {"click Open\nclick OK\nclick OK\n",
       "line 3: the message box \"Confirm\" is open: expected \"answer yes\" or \"answer no\"\n"},
      {"click Open\nclick OK\nanswer ok\n",
       "line 3: the message box \"Confirm\" has no button \"ok\": expected \"answer yes\" or "
       "\"answer no\"\n"},
      {"click Open\nclick OK\n# nothing more\n",
       "end of script: the message box \"Confirm\" is not answered\n"},
      {"click Open\ntype Name x\n", "end of script: the dialog F_Dialog is still open\n"},
      {"click Open\nclick F_Owner.Quit\n", "line 2: F_Owner.Quit: the dialog F_Dialog is open\n"},
      {"answer ok\n", "line 1: no message box is open\n"},
      {"click Report\nanswer ok\n",
       "line 2: the save dialog \"Save As\" is open: expected \"save PATH\" or \"cancel\"\n"},
      {"click Hidden\n", "line 1: Hidden is not visible\n"},
      {"click Off\n", "line 1: Off is not enabled\n"},
      {"click Result\n", "line 1: Result cannot be clicked\n"},
      {"pick Entry x\n", "line 1: Entry is not a list\n"},
      {"type Entry\n", "line 1: usage: type CONTROL TEXT\n"},
      {"key x\n", "line 1: not a whole number: \"x\"\n"},
      {"key 65 AB\n", "line 1: not a character: \"AB\"\n"},
      {"show Result Text\n", "line 1: Result has no property Text\n"},
      {"state ChipDesign.Nothing\n", "line 1: unknown state field ChipDesign.Nothing\n"},
      {"type Entry \"open\n", "line 1: a quoted argument is not closed\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    out.str("");
    err.str("");
    EXPECT_EQ(run(c.script), 2);
    EXPECT_EQ(err.str(), c.error);
  }
}

TEST_F(Session, KeysFocusAndCharacters) {
  std::vector<int> seen;
  owner.setKeyPreview(true);
  owner.onKeyPress = [&](int& ch) { seen.push_back(ch); };
  EXPECT_EQ(run("focus Entry\nkey 65 A\nkey 13 ^M\nkey 48 0\nkey 0 176\nkey 0 \u00B5\n"), 0)
      << err.str();
  EXPECT_EQ(seen, (std::vector<int>{'A', 13, '0', 176, 0xB5}));
  EXPECT_EQ(owner.Entry.text(), "A0\u00B0\u00B5");
}

// As on the real window, a scroll bar takes no focus: using it is not
// leaving the box that has the focus. A box that opens as a click gives
// the focus (leaving a box that asks) takes the press: the click never
// happens, also for a pick from a list.
TEST_F(Session, ScrollBarsTakeNoFocusAndABoxOpeningOnTheFocusTakesTheClick) {
  int left = 0;
  owner.Entry.onLostFocus = [&] {
    ++left;
    ui::msgBox("Left");
  };
  EXPECT_EQ(run("focus Entry\nscroll Level 5\nshow Level\nclick Open\nanswer ok\nshow Result\n"),
            0)
      << err.str();
  EXPECT_EQ(owner.Level.value(), 5);
  EXPECT_EQ(left, 1);
  EXPECT_EQ(out.str(), "show F_Owner\nLevel.Value = 5\nmsgbox \"\" \"Left\" ok\nResult.Caption = \"\"\n");
  EXPECT_EQ(run("focus Level\n"), 2);
  EXPECT_EQ(err.str(), "line 1: Level cannot take the focus\n");
}

// A window whose button saves a multi-line text where the save dialog says.
struct Notes : ui::Form {
  Notes() : ui::Form("F_Notes") {
    Text.setMultiLine(true);
    Text.setText("first\r\nsecond");
    Save.onClick = [this] {
      ui::SaveDialogRequest request{"Save Notes", "Text (*.txt)|*.txt", "", "txt"};
      if (auto path = ui::services().saveFileDialog(request)) {
        std::ofstream(*path, std::ios::binary) << Text.text() << "\r\n";
        ui::msgBox("Saved " + *path);
      }
    };
  }
  ui::TextBox Text{*this, "Text"};
  ui::CommandButton Save{*this, "Save"};
};

TEST(SessionFiles, SavedNamesGetTheExtensionAndLiveInTheSessionsFolder) {
  Notes notes;
  std::ostringstream out, err;
  script::Runner runner(out, err);
  runner.addForm(notes);
  notes.show();
  std::istringstream in(
      "show Text\n"
      "click Save\nsave notes\nanswer ok\n"
      "showfile notes.txt\n"
      "mkdir dir\nwritefile dir/a.txt \"x\\r\\ny\"\nshowfile dir/a.txt\n"
      "showfile dir\nshowfile none.txt\n"
      "dump F_Notes\n");
  EXPECT_EQ(runner.run(in), 0) << err.str();
  EXPECT_EQ(out.str(),
            "show F_Notes\n"
            "Text.Text = 2 lines\n  \"first\\r\\n\"\n  \"second\"\n"
            "savedialog \"Save Notes\" \"\"\n"
            "msgbox \"\" \"Saved notes.txt\" ok\n"
            "file notes.txt: 2 lines\n  \"first\\r\\n\"\n  \"second\\r\\n\"\n"
            "file dir/a.txt: 2 lines\n  \"x\\r\\n\"\n  \"y\"\n"
            "file dir: a folder\n"
            "file none.txt: none\n"
            "form F_Notes \"\" shown\n"
            "Save CommandButton visible enabled focus caption=\"\"\n"
            "Text TextBox visible enabled text=2 lines\n");
}

}  // namespace

namespace {

TEST(FoldCurves, RunsOfSegmentsAreToldByTheirEnds) {
  using Ops = std::vector<std::string>;
  // One curve, then two curves drawn in turn; grid lines and a lone
  // segment stay as they are.
  const Ops ops = {"drawwidth 12",
                   "line 1,1 2,2 #FF0000", "line 2,2 3,3 #FF0000", "line 3,3 4,4 #FF0000",
                   "line 4,4 5,5 #FF0000",
                   "line 1,9 2,9 #FF0000", "line 1,8 2,8 #0000FF", "line 2,9 3,9 #FF0000",
                   "line 2,8 3,8 #0000FF", "line 3,9 4,9 #FF0000", "line 3,8 4,8 #0000FF",
                   "line 10,0 10,50 #707070", "line 20,0 20,50 #707070",
                   "line 5,5 6,6 #00FF00", "enddoc"};
  EXPECT_EQ(script::foldCurves(ops),
            (Ops{"drawwidth 12", "line 1,1 2,2 #FF0000", "... 2 more segments ...",
                 "line 4,4 5,5 #FF0000", "line 1,9 2,9 #FF0000", "line 1,8 2,8 #0000FF",
                 "... 2 more segments ...", "line 3,9 4,9 #FF0000", "line 3,8 4,8 #0000FF",
                 "line 10,0 10,50 #707070", "line 20,0 20,50 #707070", "line 5,5 6,6 #00FF00",
                 "enddoc"}));
}

}  // namespace
