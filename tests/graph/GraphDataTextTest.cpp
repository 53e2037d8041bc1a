// The graph data as text: which points are listed, the line breaks of the
// two forms, the columns, separators and headers of each kind, and the
// number forms (sign position, "." always, the current picture).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graph/GraphDataText.h"

namespace quenta {
namespace {

using Form = DataTextForm;

// Columns of n points with the same values at every point.
struct Plot {
  Plot(int kind, long n, float x, double y1, double y2 = 0)
      : xs(static_cast<std::size_t>(n) + 1, x),
        y1s(static_cast<std::size_t>(n) + 1, y1),
        y2s(static_cast<std::size_t>(n) + 1, y2) {
    columns = {kind, n, xs, y1s, y2s};
  }
  std::vector<float> xs;
  std::vector<double> y1s, y2s;
  GraphColumns columns;
};

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
    lines.push_back(text.substr(start, at - start));
  lines.push_back(text.substr(start));
  return lines;
}

TEST(GraphDataText, ListsOnlyTheOddPoints) {
  Plot frequency(2, 735, 1230, 4.56);
  const auto display = Split(*GraphDataText(frequency.columns, Form::Display));
  EXPECT_EQ(display.size(), 1u + 368);  // points 1, 3, ..., 735
  Plot rise(1, 450, 10, 2);
  EXPECT_EQ(Split(*GraphDataText(rise.columns, Form::Display)).size(), 1u + 225);
  // An even count lists up to the point before it; a count of 0 is the
  // header alone in both forms.
  Plot even(5, 320, 1, -1);
  EXPECT_EQ(Split(*GraphDataText(even.columns, Form::Display)).size(), 1u + 160);
  Plot none(5, 0, 1, -1);
  EXPECT_EQ(*GraphDataText(none.columns, Form::Display), "Applied Volts,   Change in Cap.(%)");
  EXPECT_EQ(*GraphDataText(none.columns, Form::File), "Applied Voltage,  Change in Cap (%)\r\n");
}

TEST(GraphDataText, PointsAreListedInOrderFromTheirOwnIndex) {
  Plot plot(4, 5, 0, 0);
  for (int i = 0; i <= 5; ++i) {
    plot.xs[static_cast<std::size_t>(i)] = 1000.0f * static_cast<float>(i);
    plot.y1s[static_cast<std::size_t>(i)] = -10.0 * i;
  }
  EXPECT_EQ(*GraphDataText(plot.columns, Form::Display),
            "FREQ (kHz), Phase Angle(Deg)\r\n"
            "1 ,                   -10\r\n"
            "3 ,                   -30\r\n"
            "5 ,                   -50");
}

TEST(GraphDataText, DisplayEndsWithoutALineBreakTheFileWithOne) {
  Plot plot(2, 3, 1230, 4.5);
  const std::string display = *GraphDataText(plot.columns, Form::Display);
  const std::string file = *GraphDataText(plot.columns, Form::File);
  EXPECT_EQ(display,
            "FREQ (kHz), Max. Current(a-RMS)\r\n"
            "1.23 ,                    4.5\r\n"
            "1.23 ,                    4.5");
  EXPECT_EQ(file,
            "FREQ (kHz), Max. Current(a-RMS)\r\n"
            " 1.23 ,             4.5\r\n"
            " 1.23 ,             4.5\r\n");
  // No lone line feeds or carriage returns anywhere.
  for (const std::string* text : {&display, &file}) {
    for (std::size_t i = 0; i < text->size(); ++i) {
      if ((*text)[i] == '\n') {
        EXPECT_EQ((*text)[i - 1], '\r');
      }
    }
  }
}

TEST(GraphDataText, HeadersAndSeparatorsOfEveryKind) {
  struct Case {
    int kind;
    const char* display;
    const char* file;
  };
  const Case cases[] = {
      {0, "FREQ (kHz) , IMPED (ohms) ,  ESR (ohms)|1 ,                  2 ,             3",
       "FREQ (kHz) , IMPED (ohms) ,  ESR (ohms)| 1 ,         2 ,          3"},
      {1, "Current(amps), Temp. Rise(C)|2. ,                   1", "Current(amps), Temp. Rise(C)| 2 ,            1"},
      {2, "FREQ (kHz), Max. Current(a-RMS)|1 ,                    2",
       "FREQ (kHz), Max. Current(a-RMS)| 1 ,             2"},
      {3, "FREQ (kHz), Max. Ripple Voltage(v-RMS)|1 ,                   2",
       "FREQ (kHz), Max. Ripple Voltage(v-RMS)| 1 ,              2"},
      {4, "FREQ (kHz), Phase Angle(Deg)|1 ,                   2", "FREQ (kHz), Phase Angle(Deg)| 1 ,             2"},
      {5, "Applied Volts,   Change in Cap.(%)|1 ,                   2",
       "Applied Voltage,  Change in Cap (%)| 1 ,                2"},
  };
  // Kind 0 divides x and both curves by 1000, kinds 2 to 4 only x, and
  // kinds 1 and 5 nothing; kind 1 lists the current first.
  auto flat = [](std::string text) {
    if (text.ends_with("\r\n")) text.resize(text.size() - 2);
    const std::size_t end = text.find("\r\n");
    if (end == std::string::npos) return text;
    std::string joined = text.substr(0, end);
    joined += '|';
    joined += text.substr(end + 2);
    return joined;
  };
  for (const Case& c : cases) {
    const bool hertz = c.kind != 1 && c.kind != 5;
    const double milli = c.kind == 0 ? 1000 : 1;
    Plot plot(c.kind, 1, hertz ? 1000.0f : 1.0f, 2 * milli, 3 * milli);
    EXPECT_EQ(flat(*GraphDataText(plot.columns, Form::Display)), c.display) << "kind " << c.kind;
    EXPECT_EQ(flat(*GraphDataText(plot.columns, Form::File)), c.file) << "kind " << c.kind;
  }
}

TEST(GraphDataText, NumberForms) {
  // A negative phase keeps its minus sign and takes no blank; zero is "0"
  // on screen and a blank and 0 in the file; a frequency of 1000 kHz or
  // more keeps its whole kilohertz.
  Plot phase(4, 1, 1234567.0f, -89.96);
  EXPECT_EQ(GraphDataLine(phase.columns, 1, Form::Display), "1234 ,                   -89.9");
  EXPECT_EQ(GraphDataLine(phase.columns, 1, Form::File), " 1234 ,            -89.9");
  Plot zero(3, 1, 5000.0f, 0);
  EXPECT_EQ(GraphDataLine(zero.columns, 1, Form::Display), "5 ,                   0");
  EXPECT_EQ(GraphDataLine(zero.columns, 1, Form::File), " 5 ,              0");
  // Below 1 the text has a zero before the point; tiny values an exponent.
  Plot small(2, 1, 25.0f, 0.000012345);
  EXPECT_EQ(GraphDataLine(small.columns, 1, Form::File), " 0.025 ,             1.23E-05");
  // The frequency is divided in single precision before the cut.
  Plot single(2, 1, 1999.99f, 1);
  EXPECT_EQ(GraphDataLine(single.columns, 1, Form::Display), "1.99 ,                    1");
}

TEST(GraphDataText, CurrentPictureAndItsFileNumber) {
  EXPECT_EQ(CurrentPictureText(12.04), "12.");
  EXPECT_EQ(CurrentPictureText(0.5), ".5");
  EXPECT_EQ(CurrentPictureText(123.44), "123.4");
  EXPECT_EQ(CurrentPictureText(0.04), ".");
  EXPECT_EQ(CurrentPictureText(0.06), ".1");
  EXPECT_EQ(CurrentPictureText(9.96), "10.");
  struct Case {
    double current;
    const char* display;
    const char* file;
  };
  for (const Case& c : {Case{12.04, "12.", " 12"}, Case{0.5, ".5", " 0.5"},
                        Case{123.44, "123.4", " 123.4"}, Case{0.04, ".", " 0"}}) {
    Plot plot(1, 1, 60.0f, c.current);
    EXPECT_EQ(GraphDataLine(plot.columns, 1, Form::Display), std::string(c.display) + " ," +
                                                                 std::string(19, ' ') + "60");
    EXPECT_EQ(GraphDataLine(plot.columns, 1, Form::File),
              std::string(c.file) + " ," + std::string(11, ' ') + " 60");
  }
}

TEST(GraphDataText, KindZeroListsImpedanceThenEsrInOhms) {
  Plot plot(0, 1, 100000.0f, 1592.4, 55.31);
  EXPECT_EQ(GraphDataLine(plot.columns, 1, Form::Display),
            "100 ,                  1.59 ,             0.0553");
  EXPECT_EQ(GraphDataLine(plot.columns, 1, Form::File), " 100 ,         1.59 ,          0.0553");
}

TEST(GraphDataText, UnknownKindGivesNothingAndShortColumnsStop) {
  Plot plot(6, 3, 1, 1);
  EXPECT_FALSE(GraphDataText(plot.columns, Form::Display));
  plot.columns.kind = -1;
  EXPECT_FALSE(GraphDataText(plot.columns, Form::File));
  // A count beyond the columns lists what they hold.
  Plot shortPlot(5, 3, 1, -1);
  shortPlot.columns.count = 500;
  EXPECT_EQ(Split(*GraphDataText(shortPlot.columns, Form::Display)).size(), 1u + 2);
}

}  // namespace
}  // namespace quenta
