#include "graph/GraphChoice.h"

#include "graph/AxisTitle.h"
#include "graph/GraphForm.h"
#include "graph/GraphPlotData.h"
#include "graph/Plot.h"

namespace quenta {

namespace {

// What each graph shows around the plot.
struct GraphSetup {
  const char* startCaption;  // Label5(0), left of the first range box
  const char* startUnit;     // Label5(2)
  const char* endCaption;    // Label5(1)
  const char* endUnit;       // Label5(3)
  const char* positionHeader;  // Label3(0), over the first readout
  const char* valueHeader;     // Label3(2), over the second
  const char* rightCaption;    // Label6
  const char* lowerCaption;    // Label1, under the chart
  const char* axisTitle;       // Text3(0), the horizontal axis
  const char* verticalTitle;   // the vertical axis
};

constexpr const char* kFrequencyKhz = "Frequency kHz";
constexpr const char* kFrequencyAxis = "Frequency (kHz)";

const GraphSetup kSetups[6] = {
    {"Start Freq.", "kHz", "End Freq.", "kHz", kFrequencyKhz, "ESR Ohms", "Impedance Ohms",
     kFrequencyKhz, kFrequencyAxis, "Impedance & ESR (Ohms)"},
    {"Max Temp Rise", "\u00B0C", "", "", "Temperature Rise \u00B0C", "Applied Current(ARMS)", "",
     "Applied Current (Amps)", "Applied Current (Amps RMS)", "Temperature Rise (\u00B0C)"},
    {"Start Freq.", "kHz", "End Freq.", "kHz", kFrequencyKhz, "Max Current(Amps RMS)", "",
     kFrequencyKhz, kFrequencyAxis, "Maximum Current (Amps RMS)"},
    {"Start Freq.", "kHz", "End Freq.", "kHz", kFrequencyKhz, "Max Ripple(Volts RMS)", "",
     kFrequencyKhz, kFrequencyAxis, "Maximum Ripple (Volts RMS)"},
    {"Start Freq.", "kHz", "End Freq.", "kHz", kFrequencyKhz, "Phase Angle (\u00B0)", "",
     kFrequencyKhz, kFrequencyAxis, "Phase Angle (\u00B0)"},
    {"", "", "", "", "Applied Voltage (VDC)", "Typ Cap Change(%)", "",
     "Typical Capacitance Change(%)", "Applied Voltage (VDC)", "Typical Capacitance Change(%)"},
};

void KeepRange(GraphForm& f) {
  gGraph.SavedStartValue = f.Text1[0].text();
  gGraph.SavedEndValue = f.Text1[1].text();
}

}  // namespace

void F_QuentaGrafForm_GrafName_Click() {
  GraphForm& f = F_QuentaGrafForm();
  // The boxes hold the temperature-rise setting: the frequency range
  // comes back; else the range they hold is kept.
  if (gGraph.TempRiseGraphShown == 1) {
    f.Text1[0].setText(gGraph.SavedStartValue);
    f.Text1[1].setText(gGraph.SavedEndValue);
  } else {
    KeepRange(f);
  }

  // The legend goes, the banner shows and the title line hides.
  const int kind = f.GrafName.listIndex();
  ui::setVisible({&f.Line1, &f.Line2, &f.Label7, &f.Label8}, false);
  f.Picture1.setVisible(true);
  f.Label12.setVisible(false);

  // The settings of the chosen graph.
  if (kind >= 0 && kind <= 5) {
    const GraphSetup& s = kSetups[kind];
    const bool rise = kind == kTemperatureRise;
    const bool voltage = kind == kCapacitanceChange;
    gGraph.TempRiseGraphShown = rise ? 1 : 0;
    if (!rise) f.Label11.setVisible(false);
    if (kind == kEsrImpedance) ui::setVisible({&f.Line1, &f.Line2, &f.Label7, &f.Label8}, true);
    f.Label5[0].setCaption(s.startCaption);
    f.Label5[2].setCaption(s.startUnit);
    f.Label5[1].setCaption(s.endCaption);
    f.Label5[3].setCaption(s.endUnit);
    ui::setVisible({&f.Label5[0], &f.Label5[2]}, true);
    ui::setVisible({&f.Label5[1], &f.Label5[3]}, !rise && !voltage);
    f.Text1[0].setVisible(!voltage);
    f.Text1[1].setVisible(!rise && !voltage);
    if (rise) {
      // The rise borrows the first box; the frequency range is kept first.
      KeepRange(f);
      f.Text1[0].setText("60");
      f.Text1[1].setText("");
    } else if (!voltage) {
      f.Text1[0].setText(gGraph.SavedStartValue);
      f.Text1[1].setText(gGraph.SavedEndValue);
    }
    const bool third = kind == kEsrImpedance || voltage;
    ui::setVisible({&f.Label3[1], &f.Text2[2]}, third);
    f.Label3[0].setCaption(s.positionHeader);
    f.Label3[2].setCaption(s.valueHeader);
    if (kind == kEsrImpedance) f.Label3[1].setCaption("Impedance Ohms");
    if (voltage) f.Label3[1].setCaption("Capacitance");
    f.Label6.setCaption(s.rightCaption);
    f.Label1.setCaption(s.lowerCaption);
    f.Text3[0].setText(s.axisTitle);
    if (kind == kEsrImpedance) f.TitleAngle = 90;

    f.TitleText = s.verticalTitle;
    DrawYAxisTitle();
  }

  F_QuentaGrafForm_GPlot_Click();
}

}  // namespace quenta
