#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "catalogue/NumberText.h"
#include "catalogue/TextChars.h"

using namespace quenta;

namespace {

TEST(RoundSig3, CutsTowardZeroToThreeSignificantDigits) {
  EXPECT_EQ(RoundSig3(0), 0.0);
  EXPECT_FALSE(std::signbit(RoundSig3(-0.0)));
  EXPECT_EQ(RoundSig3(999.9), 999.0);
  EXPECT_EQ(RoundSig3(99.99), 99.9);
  EXPECT_EQ(RoundSig3(2.345), 2.34);
  EXPECT_EQ(RoundSig3(-0.012345), -0.0123);
  EXPECT_EQ(RoundSig3(12345.6), 12345.0);
  EXPECT_EQ(RoundSig3(1234.5), 1234.0);
  EXPECT_EQ(RoundSig3(0.5), 0.5);
  EXPECT_EQ(RoundSig3(-2.345), -2.34);
  EXPECT_EQ(FormatGeneral(RoundSig3(1234.0)), "1234");
}

TEST(RoundSig3, SinglePrecisionValuesJustBelowShortDecimalsLoseADigit) {
  EXPECT_EQ(RoundSig3(2.3f), 2.29);
  EXPECT_EQ(RoundSig3(47.1f), 47.0);
  EXPECT_EQ(RoundSig3(0.7f), 0.699);
}

TEST(RoundSig3, TinyMagnitudesAreCutLikeOthers) {
  EXPECT_EQ(FormatGeneral(RoundSig3(1.23456e-9)), "1.23E-09");
  EXPECT_EQ(FormatGeneral(RoundSig3(-9.8765e-20)), "-9.87E-20");
  EXPECT_EQ(FormatGeneral(RoundSig3(4.5678e-300)), "4.56E-300");
  EXPECT_NEAR(RoundSig3(4.5678e-310) / 4.56e-310, 1.0, 1e-12);
  EXPECT_TRUE(std::isinf(RoundSig3(std::numeric_limits<double>::infinity())));
  EXPECT_TRUE(std::isnan(RoundSig3(std::nan(""))));
}

TEST(Log10, IsNaturalLogRatio) {
  EXPECT_EQ(Log10(1000), 2.9999999999999996);
  EXPECT_EQ(Log10(100), 2.0);
  EXPECT_EQ(Log10(1), 0.0);
  EXPECT_TRUE(std::isnan(Log10(0)));
  EXPECT_TRUE(std::isnan(Log10(-5)));
}

TEST(CapTextToMicrofarads, ConvertsByUnitAndKeepsTheOriginal) {
  struct Case {
    const char* text;
    double microfarads;
  };
  for (const Case& c : {Case{"150 pF", 0.00015}, Case{"4.7 nF", 0.0047}, Case{"82 µF", 82},
                        Case{"2.2 PF", 2.2}, Case{"1 pF", 1e-06}, Case{"No Capacitance", 0},
                        Case{"ab", 0}, Case{"abc", 0}, Case{"x pF", 0}, Case{"1.5E+3 nF", 1.5}}) {
    std::string text = c.text;
    const std::string result = CapTextToMicrofarads(text);
    EXPECT_EQ(result, text);
    EXPECT_EQ(LeadingNumber(result), c.microfarads) << c.text << " -> " << result;
    EXPECT_EQ(gSelection.CapTextOriginal, c.text);
  }
  std::string micro = "82 µF";
  EXPECT_EQ(CapTextToMicrofarads(micro), "82");
  std::string pico = "150 pF";
  EXPECT_EQ(CapTextToMicrofarads(pico), "0.00015");
  std::string tiny = "10 pF";
  EXPECT_EQ(CapTextToMicrofarads(tiny), "1E-05");
}

TEST(ReadTypedMicrofarads, ReadsTheUnitTypedBehindTheNumberAndNothingElse) {
  const std::pair<const char*, double> read[] = {
      {" 2.2 ", 2.2},     {"47n", 0.047},   {"47  NF", 0.047}, {"100 pF", 0.0001},
      {"100P", 0.0001},   {"10 Uf", 10},    {"4.7\u00B5F", 4.7}, {"1.5E+3 nF", 1.5},
      // The Greek small mu, the micro sign alone, no-break blanks.
      {"2.2 \u03BCF", 2.2}, {"47\u00B5", 47}, {"47\u03BC", 47}, {"47u", 47},
      {"47\u00A0nF", 0.047}, {"\u202F47\u202FnF", 0.047}};
  for (auto [text, microfarads] : read) {
    double value = -1;
    EXPECT_EQ(ReadTypedMicrofarads(text, value), NumberStatus::Ok) << text;
    EXPECT_DOUBLE_EQ(value, microfarads) << text;
  }
  double value = 0;
  for (const char* text :
       {"47 mF", "47x", "3F", "47 n F", "nF", "", "5E", "4,7 pF", "4p7", "\u00B5"})
    EXPECT_EQ(ReadTypedMicrofarads(text, value), NumberStatus::NotANumber) << text;
  EXPECT_EQ(ReadTypedMicrofarads("1e400 nF", value), NumberStatus::OutOfRange);
}

TEST(FormatGeneral, FollowsTheGeneralNumberForm) {
  const std::pair<double, const char*> cases[] = {
      {0, "0"},
      {0.5, "0.5"},
      {-0.5, "-0.5"},
      {1234, "1234"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333333333"},
      {0.0001, "0.0001"},
      {0.00015, "0.00015"},
      {0.00001, "1E-05"},
      {-1.5e-5, "-1.5E-05"},
      {999999999999999, "999999999999999"},
      {1e15, "1E+15"},
      {123456789012345678.0, "1.23456789012346E+17"},
      {2.5e-300, "2.5E-300"},
      {100000, "100000"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(FormatGeneral(value), text) << value;
}

TEST(LeadingNumber, ReadsTheNumberAtTheStartAndIgnoresTheRest) {
  const std::pair<const char*, double> cases[] = {
      {"12abc", 12},   {"  -3.5e2x", -350}, {"1e", 1},    {"1e+", 1},  {".5", 0.5},
      {"-.5", -0.5},   {"abc", 0},          {"", 0},      {"-", 0},    {"1,5", 1},
      {"1.2.3", 1.2},  {"+7", 7},           {"1e-999", 0}, {"82 µF", 82}, {"2.2E-06", 2.2e-06},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(text), value) << text;
  EXPECT_EQ(LeadingNumber("1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber("-1e999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber("1000000000000000000000000000000000000e300"),
            std::numeric_limits<double>::infinity());
}

TEST(NumberUnfinished, OnlyANumberTheNextDigitFinishesIsStillBeingTyped) {
  for (const char* text : {"2.", ".", "-", "+", "-.", " 1e", "1E", "1e-", "5.e+", "-2.5E"})
    EXPECT_TRUE(NumberUnfinished(text)) << text;
  for (const char* text : {"", " ", "2", "2.5", "-0", "e", "2x.", "1e5e", "1e5.", "--", "2. ",
                           "1.2.", "1e-5"})
    EXPECT_FALSE(NumberUnfinished(text)) << text;
}

// The value a correctly rounding conversion gives for a text of digits
// with an optional sign and decimal point.
double Rounded(const std::string& text) {
  const bool negative = text[0] == '-';
  const std::size_t start = text[0] == '-' || text[0] == '+' ? 1 : 0;
  double magnitude = 0;
  std::from_chars(text.data() + start, text.data() + text.size(), magnitude);
  return negative ? -magnitude : magnitude;
}

TEST(ParseWholeNumber, ShortDecimalsReadExactlyAsTheFullConversionReadsThem) {
  std::vector<std::string> texts = {
      "9007199254740992",         "9007199254740993",       "-9007199254740993",
      "0.1",                      "0.3",                    "1.0000000000000002",
      "0.0000000000000000000001", "1.00000000000000000000001", "12345678901234567890",
      "1234567890123456789",      "5.",                     ".5",
      "+.5",                      "-1",                     "000000000000000000007.25"};
  std::mt19937_64 random(11);
  for (int i = 0; i < 20000; ++i) {
    std::string text = random() % 4 == 0 ? "-" : "";
    const int digits = 1 + static_cast<int>(random() % 19);
    const int point = static_cast<int>(random() % (digits + 2));  // digits + 1: none
    for (int k = 0; k < digits; ++k) {
      if (k == point) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    double value = 0;
    ASSERT_EQ(ParseWholeNumber(text, value), NumberStatus::Ok) << text;
    const double expected = Rounded(text);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(expected))
        << text << " read " << value << ", not " << expected;
    ASSERT_EQ(LeadingNumber(text + "x"), expected) << text;
  }
  double value = 1;
  ASSERT_EQ(ParseWholeNumber("-0", value), NumberStatus::Ok);
  EXPECT_TRUE(value == 0 && std::signbit(value));
  EXPECT_EQ(ParseWholeNumber(" 7.5\t", value), NumberStatus::Ok);
  EXPECT_EQ(value, 7.5);
  for (const char* text : {"1.2.3", ".", "-", "+-1", "1-", "1 2", "", "1e", "0x10"})
    EXPECT_EQ(ParseWholeNumber(text, value), NumberStatus::NotANumber) << text;
}

TEST(TextChars, CountCharactersNotBytes) {
  EXPECT_EQ(CharCount("82 µF"), 5u);
  EXPECT_EQ(RightChars("82 µF", 2), "µF");
  EXPECT_EQ(DropRightChars("82 µF", 3), "82");
  EXPECT_EQ(RightChars("F", 2), "F");
  EXPECT_EQ(DropRightChars("µF", 3), "");
}

}  // namespace
