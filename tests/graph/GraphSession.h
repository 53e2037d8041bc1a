// A headless session for the graph window's tests: the program started on
// its own catalogue, one part calculated, and the graph window opened on it
// by the Graph command.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graph/GraphForm.h"
#include "graph/GraphPlotData.h"
#include "graph/GraphWindow.h"
#include "mainwindow/Commands.h"
#include "mainwindow/MainWindowSession.h"

namespace quenta::test {

class GraphSession : public MainWindowSession {
 protected:
  void SetUp() override {
    // Installed first, so that the reset of the session drops a graph
    // window an earlier test left behind.
    InstallGraphWindow();
    MainWindowSession::SetUp();
    ASSERT_TRUE(start(QUENTA_PROGRAM_FOLDER));
  }

  // Chooses a part of series KD, case 05, and calculates it; an empty
  // capacitance keeps the one the list selects.
  void calculate(const std::string& volts = "100", const std::string& dielectric = "X7R",
                 const std::string& capacitance = " 2.2 \u00B5F") {
    pick(f().CB_Type, "KD");
    pick(f().CB_Case, "05");
    pick(f().CB_Volt, volts);
    pick(f().CB_Dielectric, dielectric);
    if (!capacitance.empty()) pick(f().CB_Cap, capacitance);
    Command1_Click();
  }
  // Calculates the part and presses Graph.
  void open(const std::string& volts = "100", const std::string& dielectric = "X7R",
            const std::string& capacitance = " 2.2 \u00B5F") {
    calculate(volts, dielectric, capacitance);
    Command3_Click();
    ASSERT_TRUE(GraphFormLoaded());
  }

  GraphForm& g() { return F_QuentaGrafForm(); }
  ui::GraphControl& graph() { return g().GSGraf; }
  // Property 172 at an index, as the program reads it.
  float p172(int n) { return static_cast<float>(graph().property(172, n)); }

  // Chooses a graph from the list, as the user does.
  void choose(int kind) { g().GrafName.setListIndex(kind); }
  // Sets the range boxes and presses Plot.
  void plot(const std::string& start, const std::string& end = "") {
    g().Text1[0].setText(start);
    g().Text1[1].setText(end);
    g().GPlot.click();
  }
  std::string box(int i) { return g().Text2[i].text(); }
  // The cursor lines on the graph.
  const std::vector<ui::OverlayLine>& lines() { return graph().overlay(); }

  std::vector<std::string> messageTexts() {
    std::vector<std::string> out;
    for (const auto& m : messages) out.push_back(m.text);
    return out;
  }
};

}  // namespace quenta::test
