// The electrical model at the operating point: self-resonance, ESR at
// frequency and temperature, reactances, impedance, phase, the current
// and ripple-voltage limits and their warnings.
#pragma once

#include <cstdint>

namespace quenta {

// Values of one calculation that are not kept in the design state. The
// caller fills the two inputs; the model fills the rest.
struct ElectricalWork {
  // Inputs: the rise the thermal current limit may use (degrees C), and
  // the hottest internal temperature the series allows at this ambient.
  int16_t AllowedRise = 0;
  float MaxInternalTemp = 0;

  double SelfResonantFrequency = 0;  // Hz
  double DissipationFactor = 0;
  double EsrBase = 0;         // ohms: ESR at 1 kHz corrected for resonance
  double EsrAtFrequency = 0;  // ohms, at 25 degrees C
  double EsrOperating = 0;    // ohms, at InternalTemp
  double EsrAtResonance = 0;  // ohms, at InternalTemp
  double EsrHot = 0;          // ohms, at MaxInternalTemp
  double ReactanceC = 0;      // ohms
};

// Runs the model at the operating frequency: WorkFrequency = Frequency,
// then CalcElectricalAtWorkFrequency. Needs the thermal resistance, the
// ESL, the temperature coefficients and CurveVoltMax / VoltageDerate of
// the same calculation. A value the inputs leave undefined (a zero
// capacitance, ESL or ESR, say) comes out as infinity or NaN.
void CalcElectricalResults(ElectricalWork& work);

// The same model at whatever WorkFrequency holds (the graph sweeps).
void CalcElectricalAtWorkFrequency(ElectricalWork& work);

// Colours the current and ripple cells at the chosen rise (white on red
// when the current exceeds MaxCurrent or the ripple reaches the voltage
// limit) and shows "Excessive Voltage!" when the ripple reaches the limit.
void SetCurrentWarnings();

// A double narrowed to single precision, as the results are shown. A
// magnitude beyond the single range gives an infinity of its sign (a plain
// conversion would be undefined); NaN stays NaN.
float ToSingle(double x);

}  // namespace quenta
