#include "graph/GraphWindow.h"

#include "catalogue/DesignState.h"
#include "graph/Cursor.h"
#include "graph/GraphChoice.h"
#include "graph/GraphDataWindow.h"
#include "graph/GraphForm.h"
#include "graph/GraphPlotData.h"
#include "graph/GraphPrintCommand.h"
#include "graph/Plot.h"
#include "mainwindow/Calculate.h"
#include "mainwindow/Commands.h"
#include "mainwindow/MainForm.h"
#include "ui/Services.h"

namespace quenta {

void InstallGraphWindow() {
  // A new session drops the graph-data window as well: it outlives the
  // graph window, not the program.
  SetGraphWindowHooks({OpenGraphWindow, [] {
                         ResetGraphDataForm();
                         ResetGraphForm();
                       }});
}

void OpenGraphWindow() {
  gGraph.GraphMaxFrequency = 100000;
  // The first reference loads the window: its load plots the first graph.
  GraphForm& graph = F_QuentaGrafForm();
  graph.setCaption(GraphCaption());
  // Plot, first in the window's tab order, has the focus when it opens.
  graph.GPlot.setFocus();
  graph.show();
  F_QuentaMainForm().hide();
}

void ConnectGraphFormHandlers(GraphForm& f) {
  f.onLoad = F_QuentaGrafForm_Form_Load;
  f.onUnload = F_QuentaGrafForm_Form_Unload;
  f.Timer1.onTimer = F_QuentaGrafForm_Timer1_Timer;
  f.ExitGraph.onClick = F_QuentaGrafForm_ExitGraph_Click;
  f.GPlot.onClick = F_QuentaGrafForm_GPlot_Click;
  f.GrafName.onClick = F_QuentaGrafForm_GrafName_Click;
  for (int i = 0; i <= 2; ++i) {
    f.Text2[i].onChange = [i] { F_QuentaGrafForm_Text2_Change(i); };
    f.Text2[i].onLostFocus = [i] { F_QuentaGrafForm_Text2_LostFocus(i); };
    f.Text2[i].onKeyDown = [i](int& keyCode, int shift) {
      F_QuentaGrafForm_Text2_KeyDown(i, keyCode, shift);
    };
  }
  f.GSGraf.onPointerMove = F_QuentaGrafForm_GSGraf_PointerMoveEvent;
  f.GSGraf.onButton = F_QuentaGrafForm_GSGraf_ButtonEvent;
  f.Command1.onClick = F_QuentaGrafForm_Command1_Click;
  f.Command2.onClick = F_QuentaGrafForm_Command2_Click;
}

void F_QuentaGrafForm_Form_Load() {
  GraphForm& f = F_QuentaGrafForm();
  // The lock and the typed-position flag start cleared on every opening.
  f.LockGraf = false;
  f.ManualChange = false;

  f.Text1[0].setText("1");
  f.Text1[1].setText("100000");
  gGraph.TempRiseGraphShown = 0;
  const ui::Services& s = ui::services();
  f.setLeft((s.screenWidth() - f.width()) / 2);
  f.setTop((s.screenHeight() - f.height()) / 2);
  f.GrafName.clear();
  f.Label14.setVisible(false);
  f.Timer1.setEnabled(false);
  const int dielectric = gSelection.DielectricIndex;
  const int graphs = VoltageDependentDielectric(dielectric) ? 6 : 5;
  for (int kind = 0; kind < graphs; ++kind) f.GrafName.addItem(kGraphNames[kind]);
  if (dielectric == 3) {
    f.Label14.setVisible(true);
    f.Timer1.setEnabled(true);
  }
  // The first graph is chosen, set up and plotted before the window shows.
  f.GrafName.setListIndex(0);
  f.Picture1.setVisible(true);
  f.Label12.setVisible(false);
  gGraph.GraphMaxFrequency = 100000;
}

void F_QuentaGrafForm_Timer1_Timer() {
  GraphForm& f = F_QuentaGrafForm();
  f.Label14.setVisible(!f.Label14.visible());
}

void F_QuentaGrafForm_ExitGraph_Click() {
  F_QuentaMainForm().show();
  Calculate();
  F_QuentaGrafForm().unload();
}

void F_QuentaGrafForm_Form_Unload() {
  // The window's timer goes with it: a tick must not load it again.
  F_QuentaGrafForm().Timer1.setEnabled(false);
  F_QuentaMainForm().show();
}

}  // namespace quenta
