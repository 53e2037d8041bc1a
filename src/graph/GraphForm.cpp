#include "graph/GraphForm.h"

#include <memory>

#include "graph/GraphWindow.h"

namespace quenta {

namespace {

// The window's grey, which its labels share.
constexpr ui::Color kWindowGrey = ui::colors::lightGrey;
// The system's inactive-border colour, behind the Z5U notice.
constexpr ui::Color kInactiveBorder = ui::rgb(0xD4, 0xD0, 0xC8);

void label(ui::Label& l, int left, int top, int width, int height, const char* caption = "") {
  l.move(left, top, width, height);
  l.setCaption(caption);
  l.setBackColor(kWindowGrey);
}

void button(ui::CommandButton& b, int left, int top, int width, int height, const char* caption) {
  b.move(left, top, width, height);
  b.setCaption(caption);
}

void bold(ui::Control& c, double points) {
  c.setFontSize(points);
  c.setFontBold(true);
}

}  // namespace

GraphForm::GraphForm() : ui::Form("F_QuentaGrafForm") {
  setCaption("Quenta10 Graph");
  setBackColor(kWindowGrey);
  setSize(kClientWidth, kClientHeight);

  label(Label13, 2520, 120, 4695, 255, "To choose another graph to display, click on the arrow");
  Label13.setForeColor(ui::colors::blue);
  bold(Label13, 8.25);
  Line4.setEnds(7200, 240, 7440, 240);
  Line3.setEnds(7440, 240, 7560, 600);

  GrafName.move(2160, 600, 5610, 360);
  bold(GrafName, 9.75);
  label(Label6, 7920, 720, 1590, 255);

  // Headers: Label3(0) over Text2(0), Label3(2) over Text2(1), Label3(1)
  // over Text2(2).
  label(Label3.add(0), 120, 1080, 1815, 255, "Frequency");
  label(Label3.add(2), 2040, 1080, 1815, 255, "ESR");
  label(Label3.add(1), 3960, 1080, 1695, 255, "Impedance");
  Text2.add(0).move(120, 1320, 1815, 285);
  Text2.add(1).move(2040, 1320, 1815, 285);
  Text2.add(2).move(3960, 1320, 1695, 285);
  label(Label11, 5880, 1320, 4095, 285);
  Label11.setForeColor(ui::colors::red);
  bold(Label11, 9.75);
  Label11.setVisible(false);
  label(Label12, 5880, 1320, 4095, 285);

  label(Label1, 120, 5520, 8535, 255);
  GSGraf.move(120, 1680, 9495, 4695);
  picText.move(240, 2400, 255, 3135);
  picText.setFontName("Times New Roman");
  Text3.add(0).move(3840, 6045, 2295, 270);
  Text3[0].setFontName("Times New Roman");
  // The horizontal axis title is the program's to write: it takes no typing.
  Text3[0].setLocked(true);

  label(Label5.add(0), 120, 6480, 1215, 255);
  label(Label5.add(1), 120, 6840, 1215, 255);
  label(Label5.add(2), 3000, 6540, 795, 255);
  label(Label5.add(3), 3000, 6840, 795, 255);
  Text1.add(0).move(1440, 6480, 1455, 315);
  Text1.add(1).move(1440, 6840, 1455, 315);

  Line1.setEnds(4200, 6600, 4860, 6600);
  Line1.setBorderColor(ui::colors::blue);
  Line1.setBorderWidth(4);
  label(Label7, 4200, 6660, 795, 255, "Impedance");
  Line2.setEnds(4200, 7140, 4860, 7140);
  Line2.setBorderColor(ui::colors::red);
  Line2.setBorderWidth(4);
  label(Label8, 4200, 6900, 795, 255, "ESR");

  label(Label14, 5280, 7320, 1695, 855,
        "The Z5U dielectric is no longer offered. Part # is not valid.");
  Label14.setForeColor(ui::colors::red);
  Label14.setBackColor(kInactiveBorder);
  bold(Label14, 8.25);
  Timer1.setInterval(250);
  Timer1.setEnabled(false);
  Picture1.move(240, 7440, 4815, 735);

  button(GPlot, 7080, 6600, 1245, 495, "Plot");
  bold(GPlot, 12);
  GPlot.setDefault(true);
  button(Command1, 5760, 6600, 1245, 495, "Print Graph");
  Command1.setBackColor(kWindowGrey);
  button(Command2, 7080, 7320, 1215, 735, "Display Graph Data");
  button(ExitGraph, 8400, 6600, 1245, 495, "Close");
  ExitGraph.setCancel(true);

  ConnectGraphFormHandlers(*this);
}

namespace {
std::unique_ptr<GraphForm>& instance() {
  static std::unique_ptr<GraphForm> form;
  return form;
}
}  // namespace

GraphForm& F_QuentaGrafForm() {
  auto& form = instance();
  if (!form) form = std::make_unique<GraphForm>();
  form->load();
  return *form;
}

bool GraphFormLoaded() { return instance() && instance()->loaded(); }

void ResetGraphForm() { instance().reset(); }

}  // namespace quenta
