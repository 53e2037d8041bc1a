#include "mainwindow/Commands.h"

#include <string>
#include <utility>

#include "catalogue/DesignState.h"
#include "catalogue/FileLookup.h"
#include "mainwindow/Calculate.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"

namespace quenta {

namespace {

void ShowSeriesPicture(MainForm& f) {
  ui::PictureBox& p2 = f.Picture2;
  ui::PictureBox& p3 = f.Picture3;
  const std::string caseText = f.CB_Case.text();
  switch (gSelection.SeriesIndex) {
    case 1:
    case 2:
      ShowPicture(p2, p3, "kd.jpg");
      if (caseText.starts_with("9")) ShowPicture(p2, p3, "kd9.jpg");
      if (caseText.starts_with("5")) ShowPicture(p3, p2, "kd5.jpg");
      break;
    case 3: ShowPicture(p3, p2, "wb.jpg"); break;
    case 4:
    case 5: ShowPicture(p2, p3, "pj2.jpg"); break;
    case 6: ShowPicture(p3, p2, "nx-style.jpg"); break;
    case 7:
    case 8:
    case 9: ShowPicture(p3, p2, "gz.jpg"); break;
    case 10:
    case 11: ShowPicture(p2, p3, "kff.jpg"); break;
    case 12: ShowPicture(p2, p3, "kdz.jpg"); break;
    case 13: ShowPicture(p2, p3, "gjw.jpg"); break;
    case 14: case 15: case 16: case 17: case 18:
      ShowPicture(p3, p2, "smallchip.jpg");
      break;
    case 19: case 20: case 21: case 22:
      ShowPicture(p3, p2, "largechip.jpg");
      break;
    case 23:
    case 25:
      if (caseText.starts_with("10")) ShowPicture(p2, p3, "dq10.jpg");
      else ShowPicture(p3, p2, "dq20.jpg");
      break;
    case 24: ShowPicture(p2, p3, "bw.jpg"); break;
    default: break;  // both boxes keep what they show
  }
  if (f.OB_MIL123.value()) ShowPicture(p2, p3, "m123.jpg");
}

}  // namespace

void ShowPicture(ui::PictureBox& into, ui::PictureBox& other, const char* file) {
  const auto path = FindFileIgnoringCase(ProgramFolder(), file);
  into.setPicture(path ? path->string() : std::string());
  into.setVisible(true);
  other.setVisible(false);
}

bool Command1_Click() {
  MainForm& f = F_QuentaMainForm();
  ShowSeriesPicture(f);
  f.Command1.setFocus();
  return Calculate(RunRequest::ByUser);
}

void CalculateByKey() {
  {
    const HeldCalculations held;
    F_QuentaMainForm().Command1.setFocus();
  }
  Command1_Click();
}

namespace {
GraphWindowHooks& GraphHooks() {
  static GraphWindowHooks hooks;
  return hooks;
}
}  // namespace

void SetGraphWindowHooks(GraphWindowHooks hooks) { GraphHooks() = std::move(hooks); }

void ResetGraphWindow() {
  if (GraphHooks().Reset) GraphHooks().Reset();
}

void Command3_Click() {
  // The graph window opens only on a part this press has calculated.
  if (!Command1_Click()) return;
  if (GraphHooks().Open) GraphHooks().Open();
}

}  // namespace quenta
