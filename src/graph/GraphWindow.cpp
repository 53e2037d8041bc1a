#include "graph/GraphWindow.h"

#include "graph/GraphForm.h"

namespace quenta {

void ConnectGraphFormHandlers(GraphForm& f) {
  f.onLoad = F_QuentaGrafForm_Form_Load;
  f.onUnload = F_QuentaGrafForm_Form_Unload;
  f.Timer1.onTimer = F_QuentaGrafForm_Timer1_Timer;
  f.ExitGraph.onClick = F_QuentaGrafForm_ExitGraph_Click;
}

void F_QuentaGrafForm_Form_Load() {}

void F_QuentaGrafForm_Timer1_Timer() {
  GraphForm& f = F_QuentaGrafForm();
  f.Label14.setVisible(!f.Label14.visible());
}

void F_QuentaGrafForm_ExitGraph_Click() { F_QuentaGrafForm().unload(); }

void F_QuentaGrafForm_Form_Unload() {}

}  // namespace quenta
