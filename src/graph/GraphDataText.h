// The graph data as text: a header that names the columns, then one line
// for every odd-numbered point of the plot. The display form is what the
// graph-data window shows; the file form is what SAVE DATA writes. They
// differ in their separators, in one header and in how numbers are
// written. Numbers use "." as the decimal point whatever the locale.
#pragma once

#include <optional>
#include <span>
#include <string>

namespace quenta {

enum class DataTextForm { Display, File };

// The columns of one plot, indexed by point number 1 to `count` (index 0
// is never listed). What they hold depends on the graph kind:
//   kind 0: x frequency (Hz), y1 impedance (milliohms), y2 ESR (milliohms);
//   kind 1: x temperature rise (°C), y1 applied current (A);
//   kinds 2, 3, 4: x frequency (Hz), y1 maximum current (A), maximum
//     ripple voltage (V) or phase angle (degrees);
//   kind 5: x applied voltage (V), y1 change of capacitance (%).
struct GraphColumns {
  int kind = -1;
  long count = 0;
  std::span<const float> x;
  std::span<const double> y1;
  std::span<const double> y2;
};

// The whole text in one form. Display: the header, then CR LF and a line
// for every listed point, with no line break at the end. File: the header
// and every line each followed by CR LF. Nothing for a kind outside 0 to
// 5. Points beyond the columns' length are not listed.
std::optional<std::string> GraphDataText(const GraphColumns& columns, DataTextForm form);

// The header of a kind in one form ("" for an unknown kind).
std::string GraphDataHeader(int kind, DataTextForm form);

// The line of point i in one form.
std::string GraphDataLine(const GraphColumns& columns, long i, DataTextForm form);

// A current as the picture "###.#" writes it: rounded to one decimal, no
// leading zero, the decimal point always written ("12.", ".5", "123.4",
// and "." alone below 0.05 A).
std::string CurrentPictureText(double amperes);

}  // namespace quenta
