#include "graph/GraphDataWindow.h"

#include <memory>
#include <optional>

#include "graph/GraphPlotData.h"
#include "graph/SafeFileWrite.h"
#include "ui/Services.h"

namespace quenta {

namespace {

std::unique_ptr<GraphDataForm>& instance() {
  static std::unique_ptr<GraphDataForm> form;
  return form;
}

constexpr const char* kNoPointsMessage = "There are no plotted points to save.";

std::string& dataFileName() {
  static std::string name;
  return name;
}

}  // namespace

GraphDataForm::GraphDataForm() : ui::Form("Graph_Data") {
  setCaption("Graph Data");
  setSize(7200, 6600);
  RichTextBox1.setMultiLine(true);
  RichTextBox1.move(120, 120, 6840, 5280);
  Command2.setCaption("SAVE DATA");
  Command2.move(1320, 5640, 1815, 495);
  Command1.setCaption("CLOSE");
  Command1.move(4080, 5640, 1815, 495);
  Command2.onClick = Graph_Data_Command2_Click;
  Command1.onClick = Graph_Data_Command1_Click;
}

GraphDataForm& Graph_Data() {
  auto& form = instance();
  if (!form) form = std::make_unique<GraphDataForm>();
  form->load();
  return *form;
}

void ResetGraphDataForm() {
  instance().reset();
  dataFileName().clear();
}

GraphColumns PlottedColumns() {
  const GraphPlotData& g = gGraph;
  // No plot on show: a refused plot left the graph the window names empty,
  // its headings and no point of the graph plotted before it.
  if (g.PlottedKind < 0) return {g.ShownKind, 0, {}, {}, {}};
  return {g.PlottedKind, g.GraphPointCount, g.GraphDataX, g.GraphDataY1, g.GraphDataY2};
}

const std::string& DataFileName() { return dataFileName(); }

namespace {

// Lists the last completed plot. The header replaces the old text, so
// listing again never adds to it.
void ListPlottedPoints(GraphDataForm& form) {
  if (const auto text = GraphDataText(PlottedColumns(), DataTextForm::Display))
    form.RichTextBox1.setText(*text);
}

}  // namespace

void F_QuentaGrafForm_Command2_Click() {
  GraphDataForm& form = Graph_Data();
  ListPlottedPoints(form);
  form.show(ui::ShowMode::Modeless);
}

void ListNewPlotInOpenGraphData() {
  // What the open window lists is always what its SAVE DATA writes.
  const auto& form = instance();
  if (form && form->shown()) ListPlottedPoints(*form);
}

void Graph_Data_Command2_Click() {
  // With no point plotted there is nothing to save: no file is asked for.
  if (PlottedColumns().count < 1) {
    ui::msgBox(kNoPointsMessage, ui::MsgButtons::Ok, "Quenta10");
    return;
  }
  ui::SaveDialogRequest request;
  request.title = "Select File";
  request.filter = "Apps (*.txt)|*.txt|All files (*.*)|*.*";
  request.defaultName = dataFileName();
  request.defaultExt = "txt";
  const std::optional<std::string> chosen = ui::services().saveFileDialog(request);
  // A cancelled dialog or an empty name writes nothing and touches no file.
  if (!chosen || chosen->empty()) return;
  dataFileName() = *chosen;

  // The file holds the plotted points, whatever the text box shows.
  const std::string text = GraphDataText(PlottedColumns(), DataTextForm::File).value_or("");
  if (const auto error = WriteFileReplacing(*chosen, text)) {
    // The name in quotes: its own dots stay apart from the sentence's.
    ui::msgBox("The graph data could not be saved to \"" + *chosen + "\".\r\n" + *error,
               ui::MsgButtons::Ok, "Quenta10", ui::MsgIcon::Exclamation);
  }
}

void Graph_Data_Command1_Click() { Graph_Data().hide(); }

}  // namespace quenta
