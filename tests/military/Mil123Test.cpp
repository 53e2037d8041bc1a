// MIL-PRF-123 entry: the code lists and their capacitance texts, and every
// code of every slash sheet and characteristic calculated with both voltage
// letters, against what the catalogue check finds.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "MilitarySession.h"
#include "catalogue/DesignState.h"
#include "mainwindow/Commands.h"
#include "military/Mil123Check.h"
#include "military/Mil123Part.h"

namespace quenta::test {
namespace {

TEST(Mil123CodesTest, ListsHaveTheirLengthsAndGaps) {
  struct Length {
    const char* slash;
    const char* characteristic;
    std::size_t n;
  };
  for (const Length l : {Length{"A10", "BP", 68}, Length{"A10", "BX", 22}, Length{"A11", "BP", 26},
                         Length{"A11", "BX", 16}, Length{"A12", "BP", 14}, Length{"A12", "BX", 16},
                         Length{"A13", "BP", 24}, Length{"A13", "BX", 9}, Length{"A21", "BP", 79},
                         Length{"A21", "BX", 12}, Length{"A22", "BP", 20}, Length{"A22", "BX", 10},
                         Length{"A23", "BP", 18}, Length{"A23", "BX", 12}})
    EXPECT_EQ(Mil123Codes(l.slash, l.characteristic).size(), l.n) << l.slash << l.characteristic;
  auto has = [](const char* slash, const char* c, const std::string& code) {
    const auto& codes = Mil123Codes(slash, c);
    return std::find(codes.begin(), codes.end(), code) != codes.end();
  };
  EXPECT_EQ(Mil123Codes("A10", "BP")[32], "220");
  EXPECT_FALSE(has("A10", "BP", "431"));
  EXPECT_FALSE(has("A21", "BP", "220"));
  EXPECT_FALSE(has("A21", "BP", "300"));
  EXPECT_FALSE(has("A22", "BX", "683"));
  EXPECT_EQ(Mil123Codes("A23", "BX")[11], "474");
  EXPECT_TRUE(Mil123Codes("A10", "BQ").empty());
  EXPECT_TRUE(Mil123Codes("A14", "BX").empty());
}

TEST(Mil123CodesTest, CapacitanceTextsByLastCharacter) {
  EXPECT_EQ(Mil123CapacitanceText("1R5"), "1.5 pF");
  EXPECT_EQ(Mil123CapacitanceText("1R0"), "1.0 pF");
  EXPECT_EQ(Mil123CapacitanceText("120"), "12 pF");
  EXPECT_EQ(Mil123CapacitanceText("101"), "100 pF");
  EXPECT_EQ(Mil123CapacitanceText("102"), "1 nF");
  EXPECT_EQ(Mil123CapacitanceText("472"), "4.7 nF");
  EXPECT_EQ(Mil123CapacitanceText("103"), "10 nF");
  EXPECT_EQ(Mil123CapacitanceText("104"), "100 nF");
  EXPECT_EQ(Mil123CapacitanceText("474"), "470 nF");
  EXPECT_EQ(Mil123CapacitanceText("105"), "1 uF");
}

class EveryMil123Code : public MilitarySession {};

// Each code designs on the MIL-PRF-123 rules to results with no question or
// notice, with either voltage letter; only codes of A10 BP, whose rows are
// kept as they stand, ask the thickness question or show the notice. The
// catalogue check names exactly those, with the first dialog each raises
// here, and no other code.
TEST_F(EveryMil123Code, DesignsQuietlyButTheKnownCodesOfA10Bp) {
  ASSERT_TRUE(startOn(kShippedData));
  const authoring::Mil123CodeCheck check = authoring::CheckMil123Codes();
  EXPECT_EQ(check.codes, 346);
  EXPECT_TRUE(check.problems.empty()) << check.problems.front();
  ASSERT_EQ(check.known.size(), 1u);

  MainForm& w = f();
  w.OB_MIL123.setValue(true);
  int results = 0;
  std::map<std::string, std::string> noticed;  // by voltage letter, as the check names them
  for (const Mil123Slash& slash : Mil123Slashes()) {
    for (int entry = 0; entry < w.Combo1.listCount(); ++entry)
      if (w.Combo1.list(entry).starts_with(slash.slash)) pickMil(w.Combo1, w.Combo1.list(entry));
    for (const char* characteristic : {"BP", "BX"}) {
      pickMil(w.Combo2, characteristic);
      const bool known = std::string(slash.slash) == "A10" && std::string(characteristic) == "BP";
      for (const std::string& code : Mil123Codes(slash.slash, characteristic)) {
        for (const char* voltage : {"B", "C"}) {
          SCOPED_TRACE(std::string(slash.slash) + characteristic + voltage + code);
          pickMil(w.CB_Type_V, voltage);
          // Typed afresh, so that a design accepted as non-standard before
          // does not stand.
          w.T_Cap_c.setText("");
          w.T_Cap_c.setText(code);
          messages.clear();
          dialogs.clear();
          Command1_Click();
          ASSERT_FALSE(w.Label4.visible());
          ASSERT_TRUE(dialogs.empty()) << dialogs.front();
          if (!messages.empty()) {
            EXPECT_TRUE(known) << messages.front().title;
            std::string& line = noticed[voltage];
            line += (line.empty() ? "A10 BP: " : ", ") + code + " (" +
                    Mil123CapacitanceText(code) + ") \"" + messages.front().title + "\"";
            continue;
          }
          ++results;
          ASSERT_TRUE(w.Command2.enabled());
          EXPECT_FALSE(w.L_NonStandard.visible());
          EXPECT_EQ(gSelection.PartNumberText.substr(0, 4), slash.size);
          EXPECT_EQ(w.T_Mil_Prf.text().substr(7, 2), characteristic);
          for (double v : {gResults.Esl, gResults.ThermalRes, gResults.MaxCurrent,
                           gResults.Impedance, gSelection.Capacitance})
            EXPECT_TRUE(std::isfinite(v));
          EXPECT_FALSE(w.T_Specs[1].text().empty());
        }
      }
    }
  }
  EXPECT_EQ(noticed["B"], check.known.front());
  EXPECT_EQ(noticed["C"], check.known.front());
  EXPECT_EQ(results, 2 * (346 - 12));
}

}  // namespace
}  // namespace quenta::test
