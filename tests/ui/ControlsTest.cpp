// Event rules of the individual controls: what a write raises, and what the
// control holds while its handler runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Form.h"
#include "ui/Headless.h"

namespace {

using Log = std::vector<std::string>;

TEST(TextBox, ChangeOnlyForNewTextAndHandlerSeesIt) {
  ui::Form form("F");
  ui::TextBox box(form, "T");
  Log log;
  box.onChange = [&] { log.push_back("change " + box.text()); };
  for (const char* text : {"a", "a", "", ""}) box.setText(text);
  EXPECT_EQ(log, (Log{"change a", "change "}));

  // Typed characters go through the same write; backspace removes a whole
  // UTF-8 character, control characters and a locked box change nothing.
  box.setText("x\xC3\xA9");
  log.clear();
  for (int ch : {8, int{'y'}, 13}) box.receiveChar(ch);
  box.setLocked(true);
  box.receiveChar('z');
  EXPECT_EQ(log, (Log{"change x", "change xy"}));
}

TEST(TextBox, TypingReplacesTheSelectionOrGoesInAtTheCaret) {
  ui::Form form("F");
  ui::TextBox box(form, "T");
  Log log;
  box.onChange = [&] { log.push_back(box.text()); };
  box.setText("3");
  box.selectAll();
  box.receiveChar('x');
  EXPECT_EQ(box.text(), "x");
  EXPECT_EQ(box.selStart(), 1);

  // Selection counted in characters, not bytes: "é" is two bytes.
  box.setText("a\xC3\xA9" "bc");
  box.setSelStart(1);
  box.setSelLength(2);
  box.receiveChar(13);  // a control character leaves text and selection alone
  EXPECT_EQ(box.selLength(), 2);
  box.receiveChar(8);  // backspace removes just the selection
  EXPECT_EQ(box.text(), "ac");
  EXPECT_EQ(box.selStart(), 1);
  box.receiveChar(0xB5);  // "µ" goes in at the caret
  box.receiveChar(8);
  box.receiveChar(8);  // then the character before the caret
  EXPECT_EQ(box.text(), "c");
  box.receiveChar(8);  // caret at the start: nothing
  box.setSelStart(0);
  box.setSelLength(1);
  box.receiveChar('c');  // the same text again raises no change
  EXPECT_EQ(log, (Log{"3", "x", "a\xC3\xA9" "bc", "ac", "a\xC2\xB5" "c", "ac", "c"}));
  EXPECT_EQ(box.selStart(), 1);
}

// A box handed back after a refusal: the focus comes to it as any move
// brings it (LostFocus, then GotFocus), and its whole text is selected,
// also when it had the focus already with the caret at the end.
TEST(TextBox, FocusWithTextSelectedMovesTheFocusAndSelectsAll) {
  ui::Form form("F");
  ui::CommandButton button(form, "B");
  ui::TextBox box(form, "T");
  Log log;
  button.onLostFocus = [&] { log.push_back("button lost"); };
  box.onGotFocus = [&] { log.push_back("box got"); };
  box.setText("abc");
  form.setActiveControl(&button);
  box.focusWithTextSelected();
  EXPECT_EQ(form.activeControl(), &box);
  EXPECT_EQ(box.selStart(), 0);
  EXPECT_EQ(box.selLength(), 3);
  box.setSelStart(3);
  box.focusWithTextSelected();
  EXPECT_EQ(box.selStart(), 0);
  EXPECT_EQ(box.selLength(), 3);
  EXPECT_EQ(log, (Log{"button lost", "box got"}));
}

TEST(DropDownList, TextAndIndexWritesAlwaysRaiseClick) {
  ui::Form form("F");
  ui::DropDownList list(form, "CB");
  Log log;
  list.onClick = [&] { log.push_back(std::to_string(list.listIndex()) + ":" + list.text()); };
  list.addItem("A", 10);
  list.addItem("B", -32768);
  list.addItem("B", 32767);
  EXPECT_TRUE(log.empty()) << "AddItem raises nothing";
  EXPECT_EQ(list.listIndex(), -1);
  EXPECT_EQ(list.newIndex(), 2);

  list.setText("B");  // first entry with exactly that text
  list.setText("B");  // already selected: Click again
  for (int i : {1, -1, -1}) list.setListIndex(i);
  EXPECT_EQ(log, (Log{"1:B", "1:B", "1:B", "-1:", "-1:"}));
  EXPECT_EQ(list.itemData(1), -32768);
  EXPECT_EQ(list.itemData(2), 32767);

  log.clear();
  list.setListIndex(0);
  list.setText("b");  // not held (exact match only): nothing
  list.setText("C");
  for (int i : {3, -2}) list.setListIndex(i);  // outside the list: nothing
  EXPECT_EQ(log, (Log{"0:A"}));
  EXPECT_EQ(list.listIndex(), 0);

  list.clear();
  EXPECT_EQ(log.size(), 1u) << "Clear raises nothing";
  EXPECT_EQ(list.listIndex(), -1);
  EXPECT_EQ(list.listCount(), 0);
  EXPECT_EQ(list.text(), "");
}

TEST(ComboBox, TypingAndTextWritesRaiseChangePicksRaiseClick) {
  ui::Form form("F");
  ui::ComboBox combo(form, "CB");
  combo.addItem("10");
  combo.addItem("20");
  Log log;
  combo.onChange = [&] {
    log.push_back("change " + combo.text() + " " + std::to_string(combo.listIndex()));
  };
  combo.onClick = [&] { log.push_back("click " + combo.text()); };

  combo.setText("20");
  combo.setText("20");
  combo.receiveChar('5');
  combo.setListIndex(0);
  EXPECT_EQ(log, (Log{"change 20 1", "change 205 -1", "click 10"}));
  EXPECT_EQ(combo.text(), "10");
  EXPECT_EQ(combo.listIndex(), 0);
  combo.clear();
  EXPECT_EQ(log.size(), 3u);
  EXPECT_EQ(combo.listIndex(), -1);
}

TEST(CheckBox, ClickOnlyWhenValueChanges) {
  ui::Form form("F");
  ui::CheckBox box(form, "CK");
  Log log;
  box.onClick = [&] { log.push_back(std::to_string(box.value())); };
  for (int v : {1, 1, 2, 0, 0}) box.setValue(v);
  EXPECT_EQ(log, (Log{"1", "2", "0"}));
}

TEST(OptionButton, SiblingsDeselectedBeforeClickAndFalseRaisesNothing) {
  ui::Form form("F");
  ui::OptionButton a(form, "A", "G"), b(form, "B", "G"), other(form, "O", "H");
  Log log;
  auto state = [&] {
    return std::string(a.value() ? "A" : "-") + (b.value() ? "B" : "-") +
           (other.value() ? "O" : "-");
  };
  a.onClick = [&] { log.push_back("a " + state()); };
  b.onClick = [&] { log.push_back("b " + state()); };
  other.onClick = [&] { log.push_back("o " + state()); };

  other.setValue(true);
  a.setValue(true);
  b.setValue(true);
  b.setValue(true);   // already selected
  b.setValue(false);  // deselects silently
  a.setValue(false);  // already clear
  EXPECT_EQ(log, (Log{"o --O", "a A-O", "b -BO"}));
  EXPECT_EQ(state(), "--O");
}

TEST(ScrollBar, ClampsAndRaisesChangeWhenPositionMoves) {
  ui::Form form("F");
  ui::ScrollBar bar(form, "HS");
  Log log;
  bar.onChange = [&] { log.push_back(std::to_string(bar.value())); };
  bar.setMin(10);      // moves 0 -> 10
  bar.setMax(100);     // position stays
  bar.setValue(150);   // clamped to 100
  bar.setValue(100);   // unchanged
  bar.setValue(999);   // clamps to the same position
  bar.setMax(60);      // pulls the position down
  bar.setMin(70);      // min above max: the range runs backwards, 60..70
  bar.setValue(-5);
  EXPECT_EQ(log, (Log{"10", "100", "60"}));
  EXPECT_EQ(bar.value(), 60);
}

TEST(CommandButton, ArrayElementsClickAndAreFoundById) {
  ui::Form form("F");
  ui::ControlArray<ui::CommandButton> buttons(form, "Command");
  int clicks = 0;
  buttons.add(7).onClick = [&] { ++clicks; };
  buttons.add(1).click();  // no handler: nothing happens
  buttons(7).click();
  buttons(7).onClick();    // code calls a handler directly
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(form.find("Command(7)"), &buttons(7));
  EXPECT_EQ(form.find("Command(3)"), nullptr);
  EXPECT_THROW(buttons(3), std::out_of_range);
}

TEST(TimerClock, RunsDueTimersInTimeOrder) {
  ui::HeadlessServices services;
  ui::Form form("F");
  ui::Timer fast(form, "Fast"), slow(form, "Slow");
  Log log;
  ui::Clock& clock = services.clock();
  fast.onTimer = [&] { log.push_back("fast " + std::to_string(clock.now())); };
  slow.onTimer = [&] {
    log.push_back("slow " + std::to_string(clock.now()));
    fast.setEnabled(false);  // a handler stops another timer
  };
  fast.setInterval(100);
  slow.setInterval(250);
  clock.advance(320);
  EXPECT_EQ(log, (Log{"fast 100", "fast 200", "slow 250"}));

  // Restarting counts the interval from the moment of the restart.
  log.clear();
  slow.setInterval(0);
  fast.setEnabled(true);  // at 320
  clock.advance(150);
  EXPECT_EQ(log, (Log{"fast 420"}));
  fast.setInterval(1000);  // at 470: countdown restarts
  clock.advance(999);
  EXPECT_EQ(log.size(), 1u);
  clock.advance(1);
  EXPECT_EQ(log.back(), "fast 1470");
}

TEST(TimerClock, DestroyedTimerNoLongerRuns) {
  ui::HeadlessServices services;
  ui::Form form("F");
  int ticks = 0;
  {
    ui::Timer timer(form, "T");
    timer.onTimer = [&] { ++ticks; };
    timer.setInterval(10);
    services.clock().advance(10);
  }
  services.clock().advance(100);
  EXPECT_EQ(ticks, 1);
}

}  // namespace
