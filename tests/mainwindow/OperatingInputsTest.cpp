// The frequency and temperature inputs: each box kept in step with its
// scroll bar, the values clamped, and when they recalculate.
#include <gtest/gtest.h>

#include <cmath>

#include "catalogue/DesignState.h"
#include "mainwindow/Calculate.h"
#include "mainwindow/MainWindowSession.h"
#include "mainwindow/OperatingInputs.h"

namespace quenta::test {
namespace {

// Counts completed calculations by the busy pointer's return.
struct RunCounter : ui::FormListener {
  int runs = 0;
  void formChanged(ui::Form& form, ui::FormProp prop) override {
    if (prop == ui::FormProp::Pointer && form.mousePointer() == ui::MousePointer::Default) ++runs;
  }
};

class OperatingInputs : public MainWindowSession {
 protected:
  void SetUp() override {
    MainWindowSession::SetUp();
    ASSERT_TRUE(start());
    f().setListener(&counter);
  }
  void TearDown() override {
    f().setListener(nullptr);
    MainWindowSession::TearDown();
  }
  // The user types into a box and then leaves it for the Calculate button.
  void enter(ui::TextBox& box, const std::string& text) {
    box.setFocus();
    box.setText(text);
    f().Command1.setFocus();
  }
  bool resultsShown() { return !f().T_Specs[0].text().empty() && f().Command2.enabled(); }

  RunCounter counter;
};

TEST_F(OperatingInputs, TheFrequencyScaleIsLogarithmicFrom50HzTo100MHz) {
  EXPECT_NEAR(FrequencyAtPosition(0), 50, 1e-6);
  EXPECT_NEAR(FrequencyAtPosition(500), 1e8, 1e-3);
  EXPECT_EQ(FrequencyText(FrequencyAtPosition(1) / 1000), "0.051");
  EXPECT_EQ(FrequencyText(FrequencyAtPosition(250) / 1000), "70.711");
  EXPECT_EQ(PositionOfFrequency(100), 262);
  EXPECT_EQ(PositionOfFrequency(1), 103);
  EXPECT_EQ(PositionOfFrequency(0.05), 0);
  EXPECT_EQ(PositionOfFrequency(100000), 500);
}

TEST_F(OperatingInputs, LeavingTheFrequencyBoxClampsItAndMovesTheBar) {
  enter(f().T_Frequency, "0.01");
  EXPECT_EQ(f().T_Frequency.text(), "0.050");
  EXPECT_EQ(f().HS_Frequency.value(), 0);
  EXPECT_EQ(gSelection.Frequency, 50);
  EXPECT_TRUE(resultsShown());

  enter(f().T_Frequency, "200000");
  EXPECT_EQ(f().T_Frequency.text(), "100000.000");
  EXPECT_EQ(f().HS_Frequency.value(), 500);

  // The bar's own frequency stands in the box only while the bar's change
  // calculates; the box then keeps the value typed.
  enter(f().T_Frequency, "1");
  EXPECT_EQ(f().T_Frequency.text(), "1.000");
  EXPECT_EQ(f().HS_Frequency.value(), 103);
  EXPECT_EQ(gSelection.Frequency, 1000);
}

// A run that starts while the box is still being typed into (a scroll bar
// takes no focus) reads the typed frequency as leaving the box would: the
// results are those Calculate then shows, never those of a frequency
// outside the program's range. A text that is no number gives none.
// Within range and to the box's three decimals, as leaving the box holds it.
TEST_F(OperatingInputs, ARunWhileTheFrequencyIsTypedReadsItWithinRange) {
  struct Case {
    const char* typed;
    double hertz;
  };
  for (const Case c : {Case{"200000", 1e8}, Case{"0.01", 50}, Case{"-3", 50}, Case{"0", 50},
                       Case{"0.0504", 50}, Case{"12.3456", 12346}}) {
    f().T_Frequency.setFocus();
    f().T_Frequency.setText(c.typed);
    f().HS_TempAmbient.setValue(f().HS_TempAmbient.value() + 1);
    EXPECT_DOUBLE_EQ(gSelection.Frequency, c.hertz) << c.typed;
    EXPECT_TRUE(resultsShown()) << c.typed;
    EXPECT_EQ(f().T_Frequency.text(), c.typed);
    const std::string esr = f().T_FreqSpecs[0].text();
    f().Command1.setFocus();
    EXPECT_DOUBLE_EQ(gSelection.Frequency, c.hertz) << c.typed;
    EXPECT_EQ(f().T_FreqSpecs[0].text(), esr) << c.typed;
  }
  f().T_Frequency.setFocus();
  f().T_Frequency.setText("1e999");
  f().HS_TempAmbient.setValue(f().HS_TempAmbient.value() + 1);
  EXPECT_FALSE(resultsShown());
}

TEST_F(OperatingInputs, AtStartUpTheBarStandsAtTheFrequencyOfTheBox) {
  EXPECT_EQ(f().HS_Frequency.value(), 262);
  EXPECT_EQ(f().T_Frequency.text(), "100");
  // Leaving the untouched box leaves the bar where it is: one calculation.
  f().T_Frequency.setFocus();
  f().Command1.setFocus();
  EXPECT_EQ(f().HS_Frequency.value(), 262);
  EXPECT_EQ(f().T_Frequency.text(), "100.000");
  EXPECT_EQ(counter.runs, 1);
  EXPECT_EQ(gSelection.Frequency, 100000);
  // The first step right goes on from about 100 kHz.
  f().HS_Frequency.setValue(263);
  EXPECT_EQ(f().T_Frequency.text(), "103.113");
}

TEST_F(OperatingInputs, AFrequencyThatIsNoNumberGivesWayToTheOneInUse) {
  enter(f().T_Frequency, "25");
  enter(f().T_Frequency, "fast");
  EXPECT_EQ(f().T_Frequency.text(), "25.000");
  EXPECT_EQ(gSelection.Frequency, 25000);
  EXPECT_TRUE(resultsShown());
}

TEST_F(OperatingInputs, TheFrequencyBarCalculatesAtItsPosition) {
  f().HS_Frequency.setValue(250);
  EXPECT_EQ(f().T_Frequency.text(), "70.711");
  EXPECT_DOUBLE_EQ(gSelection.Frequency, 70711);
  EXPECT_TRUE(resultsShown());
  EXPECT_EQ(counter.runs, 1);
}

TEST_F(OperatingInputs, TypingAFrequencyOnlyClearsTheResults) {
  f().HS_Frequency.setValue(250);
  ASSERT_TRUE(resultsShown());
  f().T_Frequency.setFocus();
  f().T_Frequency.receiveChar('5');
  EXPECT_FALSE(resultsShown());
  EXPECT_EQ(counter.runs, 1);
  EXPECT_FALSE(f().LineFreqText.visible());  // C0G
  // VHT is dielectric 2, as X7R: the mains notice stays with the typing.
  f().CB_Dielectric.addItem("VHT", 2);
  f().CB_Dielectric.setListIndex(f().CB_Dielectric.listCount() - 1);
  ASSERT_TRUE(f().LineFreqText.visible());
  f().T_Frequency.receiveChar('0');
  EXPECT_TRUE(f().LineFreqText.visible());
}

TEST_F(OperatingInputs, SpaceOrLInTheFrequencyBoxCalculatesWithoutTypingIt) {
  f().T_Frequency.setFocus();
  f().T_Frequency.setText("10");
  f().userKey(76, 'l');
  EXPECT_EQ(f().T_Frequency.text(), "10.000");
  EXPECT_EQ(f().activeControl(), &f().Command1);
  EXPECT_TRUE(resultsShown());
  EXPECT_EQ(gSelection.Frequency, 10000);
}

TEST_F(OperatingInputs, AmbientIsClampedAndKeptInStepWithItsBar) {
  f().T_TempAmbient.setFocus();
  f().T_TempAmbient.setText("250");
  EXPECT_EQ(gTemps.TempAmbient, 200);
  EXPECT_EQ(f().HS_TempAmbient.value(), 275);
  EXPECT_EQ(f().T_TempAmbient.text(), "200");
  EXPECT_TRUE(resultsShown());

  f().T_TempAmbient.setText("-80");
  EXPECT_EQ(gTemps.TempAmbient, -75);
  EXPECT_EQ(f().HS_TempAmbient.value(), 0);

  // Held in floating point first: no integer overflow.
  f().T_TempAmbient.setText("1e300");
  EXPECT_EQ(gTemps.TempAmbient, 200);
  f().T_TempAmbient.setText("-1e300");
  EXPECT_EQ(gTemps.TempAmbient, -75);

  // A lone minus sign waits for the number; leaving shows the value in use.
  const int runs = counter.runs;
  f().T_TempAmbient.setText("-");
  EXPECT_EQ(gTemps.TempAmbient, -75);
  EXPECT_EQ(counter.runs, runs);
  f().Command1.setFocus();
  EXPECT_EQ(f().T_TempAmbient.text(), "-75");

  // A fraction within range stays as typed until the box is left.
  f().T_TempAmbient.setFocus();
  f().T_TempAmbient.setText("30");
  f().T_TempAmbient.setText("30.7");
  EXPECT_EQ(gTemps.TempAmbient, 30);
  EXPECT_EQ(f().T_TempAmbient.text(), "30.7");
  f().Command1.setFocus();
  EXPECT_EQ(f().T_TempAmbient.text(), "30");

  f().HS_TempAmbient.setValue(150);
  EXPECT_EQ(f().T_TempAmbient.text(), "75");
  EXPECT_EQ(gTemps.TempAmbient, 75);
  EXPECT_EQ(f().T_TempSpecs[2].text(), "75");
}

TEST_F(OperatingInputs, RiseIsClampedToWholeDegreesAtOnce) {
  struct Case {
    const char* typed;
    int rise;
  };
  const Case cases[] = {{"-5", 0}, {"151", 150}, {"12.9", 12}, {"1e300", 150}, {"x", 0}};
  for (const auto& c : cases) {
    f().T_TempRise.setText(c.typed);
    EXPECT_EQ(gTemps.TempRise, c.rise) << c.typed;
    EXPECT_EQ(f().HS_TempRise.value(), c.rise) << c.typed;
    EXPECT_EQ(f().T_TempRise.text(), std::to_string(c.rise)) << c.typed;
  }
  // A number still being typed counts as its leading number and stays as
  // typed, also while the bar moves; leaving the box shows the whole
  // number, without another run.
  const Case typing[] = {{"2.", 2}, {"-", 0}, {"1e-", 1}, {"200.", 150}};
  for (const auto& c : typing) {
    f().T_TempRise.setFocus();
    f().T_TempRise.setText(c.typed);
    EXPECT_EQ(gTemps.TempRise, c.rise) << c.typed;
    EXPECT_EQ(f().HS_TempRise.value(), c.rise) << c.typed;
    EXPECT_EQ(f().T_TempRise.text(), c.typed);
    const int runs = counter.runs;
    f().Command1.setFocus();
    EXPECT_EQ(f().T_TempRise.text(), std::to_string(c.rise)) << c.typed;
    EXPECT_EQ(counter.runs, runs) << c.typed;
  }
  f().HS_TempRise.setValue(20);
  EXPECT_EQ(f().T_TempRise.text(), "20");
  EXPECT_EQ(gTemps.TempRise, 20);
  EXPECT_EQ(f().T_TempSpecs[2].text(), "45");
  EXPECT_TRUE(resultsShown());
}

// One key, one calculation: a calculate key moves the focus away from a box
// that calculates when it is left, and the key's own run stands for that
// one; a box that writes itself and its bar back calculates once.
TEST_F(OperatingInputs, EachKeyAndEachChangeCalculatesOnce) {
  auto runsOf = [](const std::function<void()>& action) {
    const unsigned before = CalculationsStarted();
    action();
    return CalculationsStarted() - before;
  };
  struct KeyCase {
    ui::TextBox* box;
    const char* text;
    int code;
    int character;
  };
  const KeyCase keys[] = {
      {&f().T_Frequency, "150", 13, 13},   {&f().T_Frequency, "250", 32, ' '},
      {&f().T_Frequency, "300", 76, 'l'},  {&f().T_Frequency, "0.01", 43, 0},
      {&f().T_TempAmbient, "30x", 13, 13}, {&f().T_TempRise, "7", 13, 13},
      {&f().T_Capacitance, "1", 13, 13},   {&f().T_Cap_c, "104", 13, 13},
  };
  f().T_Capacitance.setVisible(true);
  for (const KeyCase& k : keys) {
    k.box->setFocus();
    k.box->setText(k.text);
    EXPECT_EQ(runsOf([&] { f().userKey(k.code, k.character); }), 1u) << k.box->id() << " " << k.code;
    EXPECT_EQ(f().activeControl(), &f().Command1) << k.box->id();
  }
  EXPECT_EQ(f().T_Frequency.text(), "0.050");
  EXPECT_EQ(f().T_TempAmbient.text(), "30");
  // Changes: a rise written back, an ambient written back by its bar, a
  // frequency box left at a new value, a bar moved.
  f().T_TempRise.setFocus();
  EXPECT_EQ(runsOf([&] { f().T_TempRise.setText("05"); }), 1u);
  EXPECT_EQ(f().T_TempRise.text(), "5");
  EXPECT_EQ(runsOf([&] { f().T_TempAmbient.setText("40.5"); }), 1u);
  f().T_Frequency.setFocus();
  f().T_Frequency.setText("2000");
  EXPECT_EQ(runsOf([&] { f().T_TempRise.setFocus(); }), 1u);
  EXPECT_EQ(f().HS_Frequency.value(), PositionOfFrequency(2000));
  EXPECT_EQ(gSelection.Frequency, 2000000);
  EXPECT_EQ(runsOf([&] { f().HS_Frequency.setValue(300); }), 1u);
  EXPECT_TRUE(resultsShown());
}

TEST_F(OperatingInputs, MakerEntryChosenAgainKeepsTheTemperaturesShown) {
  f().T_TempAmbient.setText("40");
  f().T_TempRise.setText("10");
  f().OB_MIL123.setValue(true);
  f().OB_Part_Num.setValue(true);  // reloads the catalogue
  EXPECT_EQ(gTemps.TempAmbient, 40);
  EXPECT_EQ(gTemps.TempRise, 10);
  EXPECT_EQ(f().T_TempAmbient.text(), "40");
}

}  // namespace
}  // namespace quenta::test
