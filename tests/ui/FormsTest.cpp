// Forms, focus, the key pipeline, nested handler cascades, modal dialogs,
// the recording printer and the end of the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Form.h"
#include "ui/Headless.h"
#include "ui/Services.h"

namespace {

using Log = std::vector<std::string>;

struct Dialog : ui::Form {
  Dialog() : ui::Form("F_Dialog") {}
  ui::TextBox Answer{*this, "Answer"};
  ui::CommandButton OK{*this, "OK"};
};

TEST(Form, LoadsOnFirstUseAndAgainAfterUnload) {
  ui::HeadlessServices services;
  ui::ScopedServices scope(services);
  ui::Form form("F");
  Log log;
  form.onLoad = [&] {
    log.push_back("load");
    form.load();  // referring to itself inside Load does not load again
  };
  form.onActivate = [&] { log.push_back("activate"); };
  form.onUnload = [&] { log.push_back(std::string("unload shown=") + (form.shown() ? "1" : "0")); };
  services.onFormShown = [&](ui::Form& f) { log.push_back("shown " + f.name()); };
  services.onFormHidden = [&](ui::Form& f) { log.push_back("hidden " + f.name()); };

  form.show();
  form.hide();
  form.hide();
  form.unload();
  form.unload();
  EXPECT_FALSE(form.loaded());
  form.show();
  EXPECT_EQ(log, (Log{"load", "shown F", "activate", "hidden F", "unload shown=0", "load",
                      "shown F", "activate"}));
  log.clear();
  form.unload();
  EXPECT_EQ(log, (Log{"unload shown=1", "hidden F"}));
}

TEST(Form, MousePointerIsAPlainPropertyLastWriteWins) {
  ui::Form form("F");
  using P = ui::MousePointer;
  for (P p : {P::Hourglass, P::Hourglass, P::Default}) form.setMousePointer(p);
  EXPECT_EQ(form.mousePointer(), P::Default);
}

TEST(Form, ModalDialogFromInsideHandlerAnsweredByHook) {
  ui::HeadlessServices services;
  ui::ScopedServices scope(services);
  ui::Form main("F_Main");
  ui::CommandButton open(main, "Open");
  Dialog dialog;
  Log log;
  dialog.OK.onClick = [&] {
    dialog.hide();
    log.push_back("after hide, answer " + dialog.Answer.text());
  };
  services.onRunModal = [&](ui::Form& f) {
    ASSERT_EQ(&f, &dialog);
    EXPECT_TRUE(dialog.shown());
    dialog.Answer.setText("42");
    dialog.OK.click();
    log.push_back(std::string("hook ends, shown=") + (dialog.shown() ? "1" : "0"));
  };
  open.onClick = [&] {
    log.push_back("before show");
    dialog.show(ui::ShowMode::Modal);
    log.push_back("show returned " + dialog.Answer.text());
  };
  open.click();
  EXPECT_EQ(log, (Log{"before show", "after hide, answer 42", "hook ends, shown=0",
                      "show returned 42"}));
  EXPECT_FALSE(dialog.shown());
  EXPECT_FALSE(dialog.modal());
}

TEST(Focus, LostThenGotAndNothingForSameControl) {
  ui::Form form("F");
  ui::TextBox a(form, "A"), b(form, "B");
  Log log;
  a.onGotFocus = [&] { log.push_back("a got"); };
  a.onLostFocus = [&] { log.push_back("a lost"); };
  b.onGotFocus = [&] { log.push_back("b got"); };
  a.setFocus();
  a.setFocus();
  b.setFocus();
  EXPECT_EQ(log, (Log{"a got", "a lost", "b got"}));
  EXPECT_EQ(form.activeControl(), &b);
}

struct KeyForm : ui::Form {
  KeyForm() : ui::Form("F") { setKeyPreview(true); }
  ui::TextBox A{*this, "A"};
  ui::TextBox B{*this, "B"};
  ui::CommandButton Calc{*this, "Calc"};
  Log log;
};

TEST(Keys, PreviewOrderAndSwallowing) {
  KeyForm f;
  f.onKeyDown = [&](int& code, int) { f.log.push_back("form down " + std::to_string(code)); };
  f.onKeyPress = [&](int& ch) {
    f.log.push_back("form press " + std::to_string(ch));
    if (ch == 'x') ch = 0;                // swallowed
    if (ch >= 'a' && ch <= 'z') ch -= 32;  // upper-cased for the control
  };
  f.A.onKeyPress = [&](int& ch) { f.log.push_back("ctl press " + std::to_string(ch)); };
  f.A.setFocus();
  f.userKey(65, 'a');
  f.userKey(88, 'x');
  f.userKey(13, 0);
  EXPECT_EQ(f.log, (Log{"form down 65", "form press 97", "ctl press 65", "form down 88",
                        "form press 120", "form down 13"}));
  EXPECT_EQ(f.A.text(), "A");

  f.setKeyPreview(false);  // without preview the window sees nothing
  f.log.clear();
  f.userKey(66, 'b');
  EXPECT_EQ(f.log, (Log{"ctl press 98"}));
  EXPECT_EQ(f.A.text(), "Ab");

  f.A.onKeyPress = [&](int& ch) { ch = 0; };  // the control swallows too
  f.userKey(67, 'c');
  EXPECT_EQ(f.A.text(), "Ab");
}

TEST(Keys, CharacterReachesControlFocusedAtKeyDown) {
  KeyForm f;
  f.Calc.onClick = [&] { f.log.push_back("calc"); };
  f.onKeyDown = [&](int& code, int) {
    if (code == 13) {
      f.B.setFocus();
      f.Calc.onClick();  // a key handler calls a handler directly
    }
  };
  f.A.onLostFocus = [&] { f.log.push_back("a lost"); };
  f.B.onGotFocus = [&] { f.log.push_back("b got"); };
  f.A.onKeyPress = [&](int& ch) { f.log.push_back("a press " + std::to_string(ch)); };
  f.A.setFocus();
  f.userKey(13, '5');
  EXPECT_EQ(f.log, (Log{"a lost", "b got", "calc", "a press 53"}));
  EXPECT_EQ(f.A.text(), "5");
  EXPECT_EQ(f.B.text(), "");
  EXPECT_TRUE(f.B.hasFocus());
}

// Each list's Click writes the next one: one write at the top runs the whole
// chain, each handler nested inside the write that raised it.
TEST(Cascade, NestsToTheEndBeforeTheWriterGoesOn) {
  ui::Form form("F");
  constexpr int kLevels = 6;
  ui::ControlArray<ui::DropDownList> lists(form, "CB");
  ui::TextBox sink(form, "Sink");
  Log log;
  int depth = 0, deepest = 0;
  for (int i = 0; i < kLevels; ++i) {
    auto& list = lists.add(i);
    list.addItem("one");
    list.addItem("two");
    list.onClick = [&, i] {
      ++depth;
      deepest = std::max(deepest, depth);
      log.push_back("enter " + std::to_string(i) + " holds " + lists(i).text());
      if (i + 1 < kLevels) lists(i + 1).setText(lists(i).text());
      else sink.setText(lists(i).text());
      log.push_back("leave " + std::to_string(i));
      --depth;
    };
  }
  sink.onChange = [&] { log.push_back("sink " + sink.text()); };
  lists(0).setText("two");
  log.push_back("writer resumes");
  Log want;
  for (int i = 0; i < kLevels; ++i) want.push_back("enter " + std::to_string(i) + " holds two");
  want.push_back("sink two");
  for (int i = kLevels - 1; i >= 0; --i) want.push_back("leave " + std::to_string(i));
  want.push_back("writer resumes");
  EXPECT_EQ(log, want);
  EXPECT_EQ(deepest, kLevels);

  // Writing the same entry again still raises the whole chain, except the
  // text box, whose text does not change.
  log.clear();
  lists(0).setText("two");
  EXPECT_EQ(log.size(), 2u * kLevels);
}

TEST(Cascade, SelfReentryIsNotGuarded) {
  ui::Form form("F");
  ui::ScrollBar bar(form, "HS");
  bar.setMax(10);
  int calls = 0;
  bar.onChange = [&] {
    ++calls;
    if (bar.value() < 10) bar.setValue(bar.value() + 1);
  };
  bar.setValue(1);
  EXPECT_EQ(calls, 10);
  EXPECT_EQ(bar.value(), 10);
}

TEST(ProgramEnd, UnwindsNestedHandlersAndModalDialog) {
  ui::HeadlessServices services;
  ui::ScopedServices scope(services);
  ui::Form main("F_Main");
  ui::CheckBox check(main, "CK");
  ui::TextBox text(main, "T");
  Dialog dialog;
  Log log;
  services.onProgramEnding = [&] { log.push_back("ending"); };
  services.onRunModal = [&](ui::Form&) { dialog.OK.click(); };
  dialog.OK.onClick = [&] {
    ui::endProgram();
    log.push_back("after end");
  };
  text.onChange = [&] {
    dialog.show(ui::ShowMode::Modal);
    log.push_back("after modal");
  };
  check.onClick = [&] {
    text.setText("go");
    log.push_back("after text");
  };
  EXPECT_THROW(check.setValue(ui::CheckBox::Checked), ui::ProgramEnd);
  EXPECT_EQ(log, (Log{"ending"}));
}

TEST(RecordingPrinter, RecordsDocumentsFailsOnRequestAndKillsDocuments) {
  ui::RecordingPrinter printer;
  std::vector<std::vector<std::string>> delivered;
  printer.onDocument = [&](const std::vector<std::string>& doc) { delivered.push_back(doc); };
  printer.setFontSize(10);
  printer.setCurrentX(1440);
  printer.print("A \"b\"", false);
  printer.print("next");
  printer.line(0, 300, 12240, 300);
  printer.endDoc();
  ASSERT_EQ(delivered.size(), 1u);
  EXPECT_EQ(delivered[0], (Log{"fontsize 10", "text 1440,0 \"A \\\"b\\\"\"", "text 1940,0 \"next\"",
                               "line 0,300 12240,300", "enddoc"}));
  EXPECT_TRUE(printer.pending().empty());

  printer.failAfter(1, 482, "Printer error");
  printer.print("first");
  try {
    printer.print("second");
    FAIL() << "the second operation should fail";
  } catch (const ui::PrinterError& e) {
    EXPECT_EQ(e.number, 482);
    EXPECT_EQ(e.description, "Printer error");
  }
  EXPECT_EQ(printer.pending(), (Log{"text 0,0 \"first\""}));
  printer.killDoc();
  EXPECT_TRUE(printer.pending().empty());
  printer.print("later");  // the failure was a single one
  printer.endDoc();
  ASSERT_EQ(printer.documents().size(), 2u);
  EXPECT_EQ(printer.documents()[1], (Log{"text 0,0 \"later\"", "enddoc"}));
}

TEST(RecordingPrinter, EndingAnEmptyDocumentSendsNoPage) {
  // Set the orientation, end what is open, print the window, end again.
  ui::RecordingPrinter printer;
  ui::Form form("F_Main");
  printer.setOrientation(ui::Orientation::Portrait);
  printer.endDoc();
  EXPECT_TRUE(printer.documents().empty());
  printer.printForm(form);
  printer.endDoc();
  ASSERT_EQ(printer.documents().size(), 1u);
  EXPECT_EQ(printer.documents()[0], (Log{"orientation portrait", "window \"F_Main\"", "enddoc"}));
  EXPECT_EQ(printer.orientation(), ui::Orientation::Portrait);
}

TEST(RecordingPrinter, WorksInTheProgramsScaleWithColoursAndWidths) {
  ui::RecordingPrinter printer;
  printer.setOrientation(ui::Orientation::Landscape);
  EXPECT_EQ(printer.pageWidth(), 15120);  // twips whatever the scale
  const double textWidthInTwips = printer.textWidth("abcd");
  printer.setScale(1.6);
  EXPECT_EQ(printer.pageWidth(), 15120);
  EXPECT_DOUBLE_EQ(printer.textWidth("abcd"), textWidthInTwips / 1.6);
  printer.setDrawWidth(12);
  printer.setForeColor(ui::rgb(0, 0x80, 0));
  printer.line(945, 864, 8505, 864);
  printer.line(945.5, 10, 945.5, 20, ui::rgb(0x70, 0x70, 0x70));
  printer.box(945, 864, 8505, 6480, ui::colors::black);
  EXPECT_EQ(printer.currentX(), 8505);  // a box leaves the position at its far corner
  printer.setScale(1);
  printer.endDoc();
  ASSERT_EQ(printer.documents().size(), 1u);
  EXPECT_EQ(printer.documents()[0],
            (Log{"orientation landscape", "scale 1.6", "drawwidth 12", "forecolor #008000",
                 "line 945,864 8505,864", "line 945.5,10 945.5,20 #707070",
                 "box 945,864 8505,6480 #000000", "scale 1", "enddoc"}));
  EXPECT_EQ(printer.drawWidth(), 12);  // settings outlive the document
  EXPECT_EQ(printer.foreColor(), ui::rgb(0, 0x80, 0));
}

TEST(SaveDialog, DefaultExtensionOnlyForANameWithoutOne) {
  EXPECT_EQ(ui::addDefaultExtension("data", "txt"), "data.txt");
  EXPECT_EQ(ui::addDefaultExtension("/tmp/run.1/data", "txt"), "/tmp/run.1/data.txt");
  EXPECT_EQ(ui::addDefaultExtension("data.csv", "txt"), "data.csv");
  EXPECT_EQ(ui::addDefaultExtension("data.", "txt"), "data.");
  EXPECT_EQ(ui::addDefaultExtension("", "txt"), "");
  EXPECT_EQ(ui::addDefaultExtension("folder/", "txt"), "folder/");
  EXPECT_EQ(ui::addDefaultExtension("data", ""), "data");
}

}  // namespace
