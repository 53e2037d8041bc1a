#include "graph/GraphDataText.h"

#include <algorithm>
#include <cmath>

#include "catalogue/NumberHelpers.h"
#include "catalogue/NumberText.h"
#include "graph/Plot.h"

namespace quenta {

namespace {

constexpr const char* kCrLf = "\r\n";

// " ," and a run of blanks.
std::string Separator(int blanks) { return " ," + std::string(static_cast<std::size_t>(blanks), ' '); }

// The blanks after " ," of separator 1 and (kind 0) separator 2.
struct Separators {
  int first;
  int second;
};

Separators SeparatorsOf(int kind, DataTextForm form) {
  const bool display = form == DataTextForm::Display;
  switch (kind) {
    case 0: return display ? Separators{18, 13} : Separators{8, 9};
    case 1: return {display ? 19 : 11, 0};
    case 2: return {display ? 20 : 12, 0};
    case 3: return {display ? 19 : 13, 0};
    case 4: return {display ? 19 : 12, 0};
    case 5: return {display ? 19 : 15, 0};
    default: return {0, 0};
  }
}

// A value as its ordinary text; the file form gives it a sign position: a
// blank before zero and positive values.
std::string NumberText(double value, DataTextForm form) {
  const std::string text = FormatGeneral(value);
  if (form == DataTextForm::File && !(value < 0)) return " " + text;
  return text;
}

std::string Cut(double value, DataTextForm form) { return NumberText(RoundSig3(value), form); }

// Frequency in kilohertz: the division is in single precision.
std::string Kilohertz(float hertz, DataTextForm form) {
  const float kilohertz = hertz / 1000.0f;
  return Cut(kilohertz, form);
}

// A step voltage of the single-precision column, cut as the decimal it
// stands for (the shortest text that reads back as the same single): a
// step at 4.6 V is written 4.6, not 4.59.
std::string Volts(float volts, DataTextForm form) {
  if (!std::isfinite(volts)) return Cut(volts, form);
  return NumberText(RoundSig3Decimal(LeadingNumber(SingleText(volts))), form);
}

template <typename T>
T At(std::span<const T> column, long i) {
  return i >= 0 && static_cast<std::size_t>(i) < column.size() ? column[static_cast<std::size_t>(i)]
                                                               : T{};
}

bool ValidKind(int kind) { return kind >= 0 && kind <= 5; }

}  // namespace

std::string CurrentPictureText(double amperes) {
  // Rounded to one decimal, then written digit by digit as "###.#" asks:
  // optional integer digits, the point, an optional tenth.
  const std::string fixed = FormatFixed(amperes, 1);
  const std::size_t point = fixed.find('.');
  std::string whole = fixed.substr(0, point);
  const std::string tenth = point == std::string::npos ? "0" : fixed.substr(point + 1, 1);
  std::string sign;
  if (!whole.empty() && whole.front() == '-') {
    sign = "-";
    whole.erase(0, 1);
  }
  if (whole == "0") whole.clear();
  if (whole.empty() && tenth == "0") sign.clear();  // -0.0 is written "."
  return sign + whole + "." + (tenth == "0" ? "" : tenth);
}

std::string GraphDataHeader(int kind, DataTextForm form) {
  switch (kind) {
    case 0: return "FREQ (kHz) , IMPED (ohms) ,  ESR (ohms)";
    case 1: return "Current(amps), Temp. Rise(C)";
    case 2: return "FREQ (kHz), Max. Current(a-RMS)";
    case 3: return "FREQ (kHz), Max. Ripple Voltage(v-RMS)";
    case 4: return "FREQ (kHz), Phase Angle(Deg)";
    case 5:
      return form == DataTextForm::Display ? "Applied Volts,   Change in Cap.(%)"
                                           : "Applied Voltage,  Change in Cap (%)";
    default: return "";
  }
}

std::string GraphDataLine(const GraphColumns& c, long i, DataTextForm form) {
  const Separators sep = SeparatorsOf(c.kind, form);
  const float x = At(c.x, i);
  const double y1 = At(c.y1, i);
  switch (c.kind) {
    case 0:
      return Kilohertz(x, form) + Separator(sep.first) + Cut(y1 / 1000, form) +
             Separator(sep.second) + Cut(At(c.y2, i) / 1000, form);
    case 1: {
      // The current first, as its picture text; the file reads that text
      // back as a number, so a current below 0.05 A (the point alone) is 0.
      std::string current = CurrentPictureText(y1);
      if (form == DataTextForm::File) current = NumberText(LeadingNumber(current), form);
      return current + Separator(sep.first) + Cut(x, form);
    }
    case 2:
    case 3:
    case 4: return Kilohertz(x, form) + Separator(sep.first) + Cut(y1, form);
    case 5: return Volts(x, form) + Separator(sep.first) + Cut(y1, form);
    default: return "";
  }
}

std::optional<std::string> GraphDataText(const GraphColumns& c, DataTextForm form) {
  if (!ValidKind(c.kind)) return std::nullopt;
  // Every column the kind lists must hold the point.
  std::size_t held = std::min(c.x.size(), c.y1.size());
  if (c.kind == 0) held = std::min(held, c.y2.size());
  const long last = std::min<long>(c.count, held == 0 ? 0 : static_cast<long>(held) - 1);

  const bool display = form == DataTextForm::Display;
  std::string text = GraphDataHeader(c.kind, form);
  if (!display) text += kCrLf;
  for (long i = 1; i <= last; i += 2) {
    if (display) text += kCrLf;
    text += GraphDataLine(c, i, form);
    if (!display) text += kCrLf;
  }
  return text;
}

}  // namespace quenta
