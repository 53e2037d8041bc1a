// Every selection the main window offers, walked as a user picks it: each
// series, each of its cases, voltages and dielectrics by list position,
// and for each the calculations at both ends of the capacitance pick-list,
// again with Commercial ticked where the window offers it.
#pragma once

#include <string>
#include <utility>

#include "mainwindow/MainForm.h"

namespace quenta::sweep {

// Picks series, case, voltage and dielectric by position as the user does,
// each where the window offers it (a negative position picks nothing);
// false when the list is shorter.
inline bool Select(MainForm& w, int s, int c, int v, int d) {
  w.CB_Type.setListIndex(s);
  const bool caseShown = w.CB_Case.visible() && w.CB_Case.enabled();
  for (auto [list, i] : {std::pair{&w.CB_Case, caseShown ? c : -1}, {&w.CB_Volt, v},
                         {&w.CB_Dielectric, d}}) {
    if (i >= list->listCount()) return false;
    if (i >= 0) list->setListIndex(i);
  }
  return true;
}

struct Counts {
  int series = 0;
  int cases = 0;
  int calculations = 0;
};

// Sets the window to each calculation of the walk in turn and calls
// run(selection, label): selection names series, case, voltage and
// dielectric ("KD 05 50 V X7R"), label adds Commercial and the capacitance
// picked. run calculates; afterwards the walk unticks manual entry (an
// accepted re-entry ticks it) and Commercial again.
template <typename Run>
Counts ForEveryCalculation(MainForm& w, Run&& run) {
  Counts counts;
  counts.series = w.CB_Type.listCount();
  for (int s = 0; s < counts.series; ++s) {
    Select(w, s, -1, -1, -1);
    const int caseCount = w.CB_Case.visible() && w.CB_Case.enabled() ? w.CB_Case.listCount() : 1;
    for (int c = 0; c < caseCount; ++c, ++counts.cases) {
      // The lists are read again each time: the dielectric chosen rewrites
      // the voltages of the chip series.
      for (int v = 0; Select(w, s, c, v, -1); ++v) {
        for (int d = 0; Select(w, s, c, v, d); ++d) {
          const std::string selection =
              w.CB_Type.text() + " " + (w.CB_Case.visible() ? w.CB_Case.text() : w.Text1.text()) +
              " " + w.CB_Volt.text() + " V " + w.CB_Dielectric.text();
          for (int end = 0; end < 4; ++end) {
            const bool commercial = end >= 2;
            Select(w, s, c, v, d);
            if (commercial && !w.CK_Comm.visible()) break;
            if (w.CB_Tolerance.listCount() > 0) w.CB_Tolerance.setListIndex(0);
            if (commercial) w.CK_Comm.setValue(ui::CheckBox::Checked);
            const int entries = w.CB_Cap.listCount();
            if (entries > 0) w.CB_Cap.setListIndex(end % 2 == 1 ? entries - 1 : 0);
            const std::string label =
                selection + (commercial ? " commercial " : " ") + w.CB_Cap.text();
            run(selection, label);
            ++counts.calculations;
            w.CK_ManCap.setValue(ui::CheckBox::Unchecked);
            w.CK_Comm.setValue(ui::CheckBox::Unchecked);
          }
        }
      }
    }
  }
  return counts;
}

}  // namespace quenta::sweep
