// The electrical model at the operating point: self-resonance, ESR at
// frequency and temperature, reactances, impedance, phase, the current
// and ripple-voltage limits and their warnings.
#pragma once

#include <cstdint>

namespace quenta {

// Values of one calculation that are not kept in the design state. The
// caller fills the two inputs; the model fills the rest.
struct ElectricalWork {
  // Inputs: the rise the thermal current limit may use (degrees C) and the
  // hottest internal temperature the series allows at this ambient.
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

// The rise the thermal current limit may use and the hottest internal
// temperature the series allows at the present ambient: the series' rise,
// or what is left below its limit of ambient plus rise (never below 0).
void SetAllowedRise(ElectricalWork& work);

// The largest current the part may carry at one frequency: the thermal
// limit or the voltage limit, whichever is smaller, and the ripple voltage
// across the impedance at that current.
struct CurrentLimit {
  // A: the largest current whose voltage across the impedance stays below
  // the voltage limit, so that no current up to it raises the voltage
  // warning.
  double byVoltage = 0;
  double max = 0;     // A
  double ripple = 0;  // V: never above the voltage limit
};
CurrentLimit LimitCurrent(double thermal, double voltageLimit, double impedance);

// The warnings of the results at the chosen rise.
struct CurrentWarnings {
  // The current exceeds MaxCurrent or the ripple reaches the voltage limit.
  bool overLimit = false;
  // The ripple reaches the voltage limit: "Excessive Voltage!".
  bool excessiveVoltage = false;
};
CurrentWarnings SetCurrentWarnings();

// A double narrowed to single precision, as the results are shown. A
// magnitude beyond the single range gives an infinity of its sign (a plain
// conversion would be undefined); NaN stays NaN.
float ToSingle(double x);

}  // namespace quenta
