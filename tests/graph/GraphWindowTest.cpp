// The graph window as the main window opens and closes it, its list of
// graphs by dielectric, the blinking Z5U notice, and the choice of graph:
// captions, inputs and the frequency range kept while the rise graph
// borrows the range boxes.
#include <string>
#include <vector>

#include "catalogue/DesignState.h"
#include "graph/GraphSession.h"

namespace quenta::test {
namespace {

class GraphWindow : public GraphSession {};

TEST_F(GraphWindow, GraphOpensOnTheCalculatedPartAndHidesTheMainWindow) {
  open();
  EXPECT_TRUE(g().shown());
  EXPECT_FALSE(f().shown());
  EXPECT_EQ(g().caption(),
            "Quenta10 Graph KD051C225M...   25 \u00B0C Amb.    25 \u00B0C Internal    ");
  EXPECT_EQ(g().GrafName.listIndex(), kEsrImpedance);
  EXPECT_EQ(g().Text1[0].text(), "1");
  EXPECT_EQ(g().Text1[1].text(), "100000");
  EXPECT_EQ(gGraph.GraphMaxFrequency, 100000);
  EXPECT_TRUE(g().Picture1.visible());
  EXPECT_FALSE(g().Label12.visible());
  EXPECT_TRUE(messages.empty());
}

TEST_F(GraphWindow, GraphDoesNotOpenWhenTheCalculationEndsWithoutResults) {
  calculate();
  f().T_Frequency.setText("abc");
  Command3_Click();
  EXPECT_FALSE(GraphFormLoaded());
  EXPECT_TRUE(f().shown());
  EXPECT_TRUE(messages.empty());
}

TEST_F(GraphWindow, CloseRecalculatesTheMainWindowTheCloseBoxOnlyShowsIt) {
  open();
  g().LockGraf = true;
  plot("10", "1000");
  f().T_Specs[0].setText("");
  g().unload();  // the close box
  EXPECT_TRUE(f().shown());
  EXPECT_EQ(f().T_Specs[0].text(), "");
  EXPECT_FALSE(g().Timer1.enabled());

  // Opening again starts afresh.
  Command3_Click();
  EXPECT_EQ(g().Text1[0].text(), "1");
  EXPECT_EQ(g().GrafName.listIndex(), kEsrImpedance);
  EXPECT_FALSE(g().LockGraf);
  f().T_Specs[0].setText("");
  g().ExitGraph.click();
  EXPECT_FALSE(GraphFormLoaded());
  EXPECT_TRUE(f().shown());
  EXPECT_EQ(f().T_Specs[0].text(), "KD051C225M...");
}

TEST_F(GraphWindow, PlottingLeavesTheMainWindowsResultsAlone) {
  calculate();
  const ElectricalResults results = gResults;
  const double work = gSelection.WorkFrequency;
  const EsrTempCoefficients esr = gEsrTc;
  const std::vector<double> curve = gCurve.GraphY3;
  Command3_Click();
  for (int kind = 0; kind <= 5; ++kind) choose(kind);
  graph().pointerAt(40, -5);
  g().unload();
  EXPECT_EQ(gResults.MaxCurrent, results.MaxCurrent);
  EXPECT_EQ(gResults.Phase, results.Phase);
  EXPECT_EQ(gResults.Impedance, results.Impedance);
  EXPECT_EQ(gResults.RippleVoltage, results.RippleVoltage);
  EXPECT_EQ(gResults.ThermalRes, results.ThermalRes);
  EXPECT_EQ(gResults.Esl, results.Esl);
  EXPECT_EQ(gSelection.WorkFrequency, work);
  EXPECT_EQ(gEsrTc.EsrTcA, esr.EsrTcA);
  EXPECT_EQ(gEsrTc.EsrTcC, esr.EsrTcC);
  EXPECT_EQ(gCurve.GraphY3, curve);
}

TEST_F(GraphWindow, TheListOfGraphsAndTheNoticeByDielectric) {
  struct Case {
    const char* dielectric;
    int graphs;
    bool notice;
  };
  for (const Case& c : {Case{"C0G", 5, false}, Case{"X7R", 6, false}, Case{"Z5U", 6, true},
                        Case{"N1500", 5, false}}) {
    open("50", c.dielectric, "");
    EXPECT_EQ(g().GrafName.listCount(), c.graphs) << c.dielectric;
    for (int kind = 0; kind < c.graphs; ++kind) EXPECT_EQ(g().GrafName.list(kind), kGraphNames[kind]);
    EXPECT_EQ(g().Timer1.enabled(), c.notice) << c.dielectric;
    EXPECT_EQ(g().Label14.visible(), c.notice) << c.dielectric;
    if (c.notice) {
      services.clock().advance(250);
      EXPECT_FALSE(g().Label14.visible());
      services.clock().advance(250);
      EXPECT_TRUE(g().Label14.visible());
    }
    g().ExitGraph.click();
  }
}

TEST_F(GraphWindow, ChoosingAGraphSetsItUpAndPlotsIt) {
  open();
  EXPECT_TRUE(g().Line1.visible());
  EXPECT_TRUE(g().Text2[2].visible());
  EXPECT_EQ(g().TitleText, "Impedance & ESR (Ohms)");
  EXPECT_EQ(g().TitleAngle, 90);
  ASSERT_EQ(g().picText.drawnTexts().size(), 1u);
  EXPECT_EQ(g().picText.drawnTexts()[0].text, "Impedance & ESR (Ohms)");
  EXPECT_EQ(g().picText.drawnTexts()[0].angle, 90);

  choose(kTemperatureRise);
  EXPECT_EQ(g().Label5[0].caption(), "Max Temp Rise");
  EXPECT_EQ(g().Label5[2].caption(), "\u00B0C");
  EXPECT_FALSE(g().Text1[1].visible());
  EXPECT_FALSE(g().Label5[1].visible());
  EXPECT_FALSE(g().Line1.visible());
  EXPECT_FALSE(g().Text2[2].visible());
  EXPECT_EQ(g().Label3[0].caption(), "Temperature Rise \u00B0C");
  EXPECT_EQ(g().Label3[2].caption(), "Applied Current(ARMS)");
  EXPECT_EQ(g().Text3[0].text(), "Applied Current (Amps RMS)");
  EXPECT_EQ(g().TitleText, "Temperature Rise (\u00B0C)");
  EXPECT_EQ(g().picText.drawnTexts().size(), 1u);
  EXPECT_EQ(gGraph.TempRiseGraphShown, 1);

  choose(kCapacitanceChange);
  EXPECT_FALSE(g().Text1[0].visible());
  EXPECT_FALSE(g().Text1[1].visible());
  EXPECT_TRUE(g().Text2[2].visible());
  EXPECT_FALSE(g().Label11.visible());
  EXPECT_EQ(g().Label3[0].caption(), "Applied Voltage (VDC)");
  EXPECT_EQ(g().Label1.caption(), "Typical Capacitance Change(%)");
  EXPECT_EQ(gGraph.PlottedKind, kCapacitanceChange);
}

TEST_F(GraphWindow, TheRiseGraphBorrowsTheRangeBoxesAndGivesThemBack) {
  open();
  plot("10", "1000");
  choose(kTemperatureRise);
  EXPECT_EQ(g().Text1[0].text(), "60");
  EXPECT_EQ(g().Text1[1].text(), "");
  plot("40");
  choose(kTemperatureRise);
  EXPECT_EQ(g().Text1[0].text(), "60");
  choose(kMaxCurrent);
  EXPECT_EQ(g().Text1[0].text(), "10");
  EXPECT_EQ(g().Text1[1].text(), "1000");
  EXPECT_DOUBLE_EQ(p172(2), 10);
  EXPECT_DOUBLE_EQ(p172(1), 1000);

  choose(kTemperatureRise);
  choose(kCapacitanceChange);
  choose(kPhaseAngle);
  EXPECT_TRUE(g().Text1[0].visible());
  EXPECT_EQ(g().Text1[0].text(), "10");
  EXPECT_EQ(g().Text1[1].text(), "1000");
}

}  // namespace
}  // namespace quenta::test
