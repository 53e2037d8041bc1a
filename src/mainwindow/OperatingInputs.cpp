#include "mainwindow/OperatingInputs.h"

#include <cmath>

#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "catalogue/NumberText.h"
#include "mainwindow/Calculate.h"
#include "mainwindow/Commands.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Results.h"

namespace quenta {

namespace {

constexpr double kLogLowest = 1.698970004;  // log10 of 50 Hz
constexpr double kLogSpan = 6.301029996;    // decades from 50 Hz to 100 MHz
constexpr int kPositions = 500;
constexpr double kLowestKilohertz = 0.05;
constexpr double kHighestKilohertz = 100000;
constexpr int kAmbientOffset = 75;  // the ambient bar starts at -75 degrees
constexpr double kAmbientLowest = -75;
constexpr double kAmbientHighest = 200;
constexpr double kRiseHighest = 150;

// A temperature typed into a box: its leading number, rounded down and held
// within the range in floating point, before it becomes a whole number.
int TypedTemperature(const std::string& text, double lowest, double highest) {
  double t = std::floor(LeadingNumber(text));
  if (!(t <= highest)) t = highest;
  if (t < lowest) t = lowest;
  return static_cast<int>(t);
}

double FrequencyInRange(double kilohertz) {
  if (!(kilohertz >= kLowestKilohertz)) return kLowestKilohertz;
  return kilohertz > kHighestKilohertz ? kHighestKilohertz : kilohertz;
}

// Set while a box moves its bar for a number still being typed.
bool gKeepTypedText = false;

void Colour(ui::Control& box, TempLevel level) {
  switch (level) {
    case TempLevel::Within:
      box.setBackColor(ui::colors::white);
      box.setForeColor(ui::colors::black);
      break;
    case TempLevel::TooLow:
      box.setBackColor(ui::colors::blue);
      box.setForeColor(ui::colors::white);
      break;
    case TempLevel::TooHigh:
      box.setBackColor(ui::colors::red);
      box.setForeColor(ui::colors::white);
      break;
  }
}

}  // namespace

void MoveBarForTypedText(ui::ScrollBar& bar, int position, bool keepTypedText) {
  // Put back as it was however the move ends, or every later move would
  // leave its box alone.
  struct Restore {
    bool saved = gKeepTypedText;
    ~Restore() { gKeepTypedText = saved; }
  } restore;
  gKeepTypedText = keepTypedText;
  bar.setValue(position);
}

bool TypedTextKept() { return gKeepTypedText; }

double FrequencyAtPosition(int position) {
  const double exponent = static_cast<double>(position) / kPositions * kLogSpan + kLogLowest;
  return std::pow(10.0, exponent);
}

int PositionOfFrequency(double kilohertz) {
  return static_cast<int>(
      std::nearbyint((Log10(kilohertz * 1000) - kLogLowest) / kLogSpan * kPositions));
}

std::string FrequencyText(double kilohertz) { return FormatFixed(kilohertz, 3); }

double FrequencyAsLeft(double kilohertz) {
  double held = 0;
  ParseWholeNumber(FrequencyText(FrequencyInRange(kilohertz)), held);
  return held;
}

void HS_Frequency_Change() {
  MainForm& f = F_QuentaMainForm();
  f.T_Frequency.setText(FrequencyText(FrequencyAtPosition(f.HS_Frequency.value()) / 1000));
  double kilohertz = 0;
  if (ParseWholeNumber(f.T_Frequency.text(), kilohertz) == NumberStatus::Ok)
    gSelection.Frequency = kilohertz * 1000;
  Calculate();
}

void T_Frequency_Change() {
  MainForm& f = F_QuentaMainForm();
  // The same rule as the dielectric's own.
  f.LineFreqText.setVisible(VoltageDependentDielectric(gSelection.DielectricIndex));
  ClearResults();
}

void T_Frequency_KeyPress(int& keyAscii) {
  if (keyAscii != ' ' && keyAscii != 'l') return;
  // The key only calculates: typed into the box it would clear the results
  // just shown.
  keyAscii = 0;
  CalculateByKey();
}

void T_Frequency_LostFocus() {
  MainForm& f = F_QuentaMainForm();
  double kilohertz = 0;
  // A text that is not a number gives way to the frequency in use.
  if (ParseWholeNumber(f.T_Frequency.text(), kilohertz) != NumberStatus::Ok ||
      !std::isfinite(kilohertz))
    kilohertz = gSelection.Frequency / 1000;
  kilohertz = FrequencyAsLeft(kilohertz);
  // The bar moves to the nearest position; the box then keeps the value
  // typed. Leaving the box calculates once, at that value.
  {
    const HeldCalculations held;
    f.HS_Frequency.setValue(PositionOfFrequency(kilohertz));
    f.T_Frequency.setText(FrequencyText(kilohertz));
  }
  Calculate();
}

void HS_TempAmbient_Change() {
  if (TypedTextKept()) return;
  MainForm& f = F_QuentaMainForm();
  f.T_TempAmbient.setText(std::to_string(f.HS_TempAmbient.value() - kAmbientOffset));
}

void T_TempAmbient_Change() {
  MainForm& f = F_QuentaMainForm();
  const std::string text = f.T_TempAmbient.text();
  if (text == "-") return;  // a minus sign typed first
  gTemps.TempAmbient =
      static_cast<int16_t>(TypedTemperature(text, kAmbientLowest, kAmbientHighest));
  {
    // The bar may write the box back ("30x" becomes "30"): one change,
    // one calculation. A number still being typed ("-." of "-.5") stays.
    const HeldCalculations held;
    MoveBarForTypedText(f.HS_TempAmbient, gTemps.TempAmbient + kAmbientOffset,
                        NumberUnfinished(text));
  }
  Calculate();
}

// Leaving the box shows the temperature in use, the bar's, again.
void T_TempAmbient_LostFocus() { HS_TempAmbient_Change(); }

void HS_TempRise_Change() {
  if (TypedTextKept()) return;
  MainForm& f = F_QuentaMainForm();
  f.T_TempRise.setText(std::to_string(f.HS_TempRise.value()));
}

void T_TempRise_Change() {
  MainForm& f = F_QuentaMainForm();
  const std::string text = f.T_TempRise.text();
  const int rise = TypedTemperature(text, 0, kRiseHighest);
  gTemps.TempRise = static_cast<int16_t>(rise);
  // A number still being typed ("2." of "2.5") counts as its leading
  // number and stays as typed; written back, the next digit would go on
  // from the whole number and make another one ("25").
  const bool typing = NumberUnfinished(text);
  {
    // The box is written back ("05" becomes "5"): one change, one
    // calculation.
    const HeldCalculations held;
    MoveBarForTypedText(f.HS_TempRise, rise, typing);
    if (!typing) f.T_TempRise.setText(std::to_string(rise));
  }
  // The caret goes to the end of the box, nothing selected.
  if (!typing) f.T_TempRise.setSelStart(static_cast<int>(f.T_TempRise.text().size()));
  Calculate();
}

// Leaving the box ends the typing: a number left unfinished ("2.") shows
// as the whole number in use. That rise is the one calculated already, so
// the write calculates nothing.
void T_TempRise_LostFocus() {
  if (!NumberUnfinished(F_QuentaMainForm().T_TempRise.text())) return;
  const HeldCalculations held;
  HS_TempRise_Change();
}

void T_Frequency_GotFocus() { F_QuentaMainForm().T_Frequency.selectAll(); }

void T_TempRise_GotFocus() { F_QuentaMainForm().T_TempRise.selectAll(); }

void TakeTemperaturesFromWindow() {
  const MainForm& f = F_QuentaMainForm();
  gTemps.TempAmbient = static_cast<int16_t>(f.HS_TempAmbient.value() - kAmbientOffset);
  gTemps.TempRise = static_cast<int16_t>(f.HS_TempRise.value());
}

TemperatureCheck CheckWindowTemperatures() {
  const MainForm& f = F_QuentaMainForm();
  return CheckTemperatureLimits(f.HS_TempAmbient.value(), f.HS_TempRise.value());
}

void ShowTemperatureLimits(const TemperatureCheck& check) {
  MainForm& f = F_QuentaMainForm();
  Colour(f.T_TempAmbient, check.ambient);
  Colour(f.T_TempRise, check.rise);
  ui::TextBox& internal = f.T_TempSpecs[2];
  internal.setText(std::to_string(gTemps.InternalTemp));
  Colour(internal, check.internal);
}

}  // namespace quenta
