// The graph-data window: Display Graph Data fills and shows it, CLOSE
// hides it, and SAVE DATA writes the plotted points to the file named in
// the save dialog, or writes nothing when the dialog is cancelled or the
// target cannot be written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "graph/GraphDataWindow.h"
#include "graph/GraphPlotData.h"
#include "ui/Headless.h"

namespace quenta {
namespace {

namespace fs = std::filesystem;

class GraphDataWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "graph-data-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    scope.emplace(services);
    ResetGraphDataForm();
    // The last plot: three points of the maximum-current graph.
    gGraph = GraphPlotData{};
    gGraph.PlottedKind = kMaxCurrent;
    gGraph.GraphPointCount = 3;
    gGraph.GraphDataX = {0, 1000, 2000, 3000};
    gGraph.GraphDataY1 = {0, 1.5, 2.5, 3.5};
    services.onSaveDialog = [this](const ui::SaveDialogRequest& request) {
      requests.push_back(request);
      return answer;
    };
  }
  void TearDown() override {
    gGraph = GraphPlotData{};
    ResetGraphDataForm();
    scope.reset();
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
  std::string path(const std::string& name) const { return (folder / name).string(); }
  static std::string read(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path folder;
  ui::HeadlessServices services;
  std::optional<ui::ScopedServices> scope;
  std::vector<ui::SaveDialogRequest> requests;
  std::optional<std::string> answer;
};

constexpr const char* kFileText =
    "FREQ (kHz), Max. Current(a-RMS)\r\n"
    " 1 ,             1.5\r\n"
    " 3 ,             3.5\r\n";

TEST_F(GraphDataWindow, DisplayShowsTheTextAndCloseHidesIt) {
  F_QuentaGrafForm_Command2_Click();
  GraphDataForm& form = Graph_Data();
  EXPECT_TRUE(form.shown());
  EXPECT_FALSE(form.modal());
  EXPECT_EQ(form.caption(), "Graph Data");
  const std::string text = form.RichTextBox1.text();
  EXPECT_EQ(text, "FREQ (kHz), Max. Current(a-RMS)\r\n1 ,                    1.5\r\n"
                  "3 ,                    3.5");
  form.Command1.click();
  EXPECT_FALSE(form.shown());
  EXPECT_EQ(form.RichTextBox1.text(), text);  // CLOSE keeps the text
  // Showing again replaces the text: it does not grow.
  form.RichTextBox1.setText("edited by the user");
  F_QuentaGrafForm_Command2_Click();
  EXPECT_TRUE(form.shown());
  EXPECT_EQ(form.RichTextBox1.text(), text);
}

TEST_F(GraphDataWindow, SaveWritesThePlottedPointsNotTheScreenText) {
  F_QuentaGrafForm_Command2_Click();
  Graph_Data().RichTextBox1.setText("edited by the user");
  answer = path("data.txt");
  Graph_Data().Command2.click();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].title, "Select File");
  EXPECT_EQ(requests[0].filter, "Apps (*.txt)|*.txt|All files (*.*)|*.*");
  EXPECT_EQ(requests[0].defaultExt, "txt");
  EXPECT_EQ(requests[0].defaultName, "");
  EXPECT_EQ(read(path("data.txt")), kFileText);
  EXPECT_TRUE(services.messages.empty());
  // The next dialog proposes the name chosen last; a second save replaces
  // the file.
  gGraph.GraphDataY1[1] = 9;
  Graph_Data().Command2.click();
  EXPECT_EQ(requests[1].defaultName, path("data.txt"));
  EXPECT_EQ(read(path("data.txt")).substr(33, 24), " 1 ,             9\r\n 3 ,");
}

TEST_F(GraphDataWindow, CancelOrAnEmptyNameWritesNothing) {
  answer = path("data.txt");
  Graph_Data().Command2.click();
  std::ofstream(path("data.txt"), std::ios::binary) << "kept";
  answer = std::nullopt;
  Graph_Data().Command2.click();
  answer = "";
  Graph_Data().Command2.click();
  EXPECT_EQ(read(path("data.txt")), "kept");
  EXPECT_EQ(DataFileName(), path("data.txt"));  // a cancel keeps the name
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(GraphDataWindow, ATargetThatCannotBeWrittenIsRefusedWithAMessage) {
  fs::create_directory(path("folder.txt"));
  answer = path("folder.txt");
  Graph_Data().Command2.click();
  answer = path("missing/data.txt");
  Graph_Data().Command2.click();
  ASSERT_EQ(services.messages.size(), 2u);
  EXPECT_EQ(services.messages[0].text,
            "The graph data could not be saved to \"" + path("folder.txt") + "\".\r\nIt is a folder.");
  EXPECT_EQ(services.messages[0].buttons, ui::MsgButtons::Ok);
  EXPECT_EQ(services.messages[1].text, "The graph data could not be saved to \"" +
                                           path("missing/data.txt") +
                                           "\".\r\nThe folder does not exist.");
  EXPECT_TRUE(fs::is_directory(path("folder.txt")));
  EXPECT_FALSE(fs::exists(path("missing")));
}

TEST_F(GraphDataWindow, AnEmptyPlotListsOnlyItsHeadingsAndSavesNothing) {
  answer = path("data.txt");
  // A refused plot of the ESR graph, shown empty, after the last plot.
  gGraph.PlottedKind = -1;
  gGraph.ShownKind = kEsrImpedance;
  F_QuentaGrafForm_Command2_Click();
  EXPECT_EQ(Graph_Data().RichTextBox1.text(), "FREQ (kHz) , IMPED (ohms) ,  ESR (ohms)");
  Graph_Data().Command2.click();
  EXPECT_TRUE(requests.empty()) << "no file is asked for";
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, "There are no plotted points to save.");
  EXPECT_EQ(services.messages[0].title, "Quenta10");
  EXPECT_EQ(services.messages[0].buttons, ui::MsgButtons::Ok);
  EXPECT_FALSE(fs::exists(path("data.txt")));
  // A plot that completes lists and saves its points again.
  gGraph.PlottedKind = gGraph.ShownKind = kMaxCurrent;
  ListNewPlotInOpenGraphData();
  EXPECT_EQ(Graph_Data().RichTextBox1.text().substr(0, 31), "FREQ (kHz), Max. Current(a-RMS)");
  Graph_Data().Command2.click();
  EXPECT_EQ(read(path("data.txt")), kFileText);
}

}  // namespace
}  // namespace quenta
