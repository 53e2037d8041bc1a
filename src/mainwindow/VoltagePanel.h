// The voltage-coefficient panel of the main window (Frame26): walks along
// the capacitance-against-voltage curve of the last calculation, by scroll
// bar (HScroll1, point by point) or by a typed voltage (Text2), and shows
// the change of capacitance in percent (Text3) and the capacitance left
// (Text4) at that point.
#pragma once

#include <vector>

namespace quenta {

// The curve as the panel reads it. The panel keeps its own copy: the graph
// window reuses the shared curve arrays for its plots, with other data and
// fewer points.
struct PanelCurve {
  std::vector<double> volts;        // GraphY1: voltage of each point
  std::vector<double> capacitance;  // GraphY2: capacitance left, unit of Label8
  std::vector<double> change;       // GraphY3: change in percent
  int lastPoint = 0;                // CurveLastPoint
  double atZeroVolts = 0;           // capacitance at 0 V, point 0
};

// The panel's copy of the last curve.
const PanelCurve& PanelCurveCopy();

// Takes the curve just computed into the panel and puts the panel back on
// its first point: the bar's range ends at the last usable point, 0 V,
// no change, the nominal capacitance.
void ShowCapVoltageCurve();

// Forgets the curve and blanks the change and the capacitance, while no
// design is shown: the panel shows no number of a design that is not (or
// not yet) there. The bar and the typed voltage then show nothing until
// the next curve.
void ClearVoltagePanel();

// Handlers of the main window's panel controls.
void HScroll1_Change();
void Text2_Change();

}  // namespace quenta
