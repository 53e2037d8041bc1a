// The graph window's model of the part: the ESR, impedance, current,
// ripple and phase at any frequency, the current that gives a temperature
// rise, and the capacitance left at an applied voltage. Plain functions of
// the design state and their arguments: they show nothing and write no
// shared record.
#pragma once

#include <cstdint>
#include <string>

namespace quenta {

// Reruns the engine's model procedures on the design of the last
// calculation: thermal resistance, lead inductance (for a leaded part), ESL
// and the ESR temperature coefficients. The chip design itself is kept: the
// selection cannot change while the graph window is open.
void RunModelProcedures();

// The quantities one plot works out once, with the design values they rest
// on.
struct FrequencyModel {
  // From the design state.
  double Capacitance = 0;  // F
  double Esl = 0;          // H
  double ThermalRes = 0;   // degrees C per W
  double Frequency = 0;    // the operating frequency, Hz
  int Series = 0;
  int Dielectric = 0;
  bool LogLinearLaw = false;  // the ESR temperature law: 10^(a + b T), else the cubic
  double EsrTcA = 0, EsrTcB = 0;
  double EsrPoly[4] = {0, 0, 0, 0};
  float InternalTemp = 0;
  int TempAmbient = 0;
  double VoltageLimit = 0;  // V: the rated voltage of the curve times its derating

  // Worked out once.
  int16_t AllowedRise = 0;     // the rise the thermal current limit may use
  float HotTemperature = 0;    // the hottest internal temperature allowed
  double EsrTcC = 0, EsrTcD = 0;  // the temperature pair at HotTemperature
  double SelfResonantFrequency = 0;
  double LossFactor = 0;
  double BaseEsrBelow = 0;  // ohms: the ESR scale below the self-resonance
  double BaseEsrAbove = 0;  // and above it
};

// Works out the per-plot quantities from the design state as the engine's
// procedures left it.
FrequencyModel PrepareFrequencyModel();

// The ESR at 25 degrees C at frequency f (Hz), by the side of the
// self-resonance (at it counts as below).
double ReferenceEsr(const FrequencyModel& m, double f);

// The model at one frequency.
struct FrequencyPoint {
  double EsrAtInternal = 0;  // ohms, at the internal temperature
  double Impedance = 0;      // ohms
  double MaxCurrent = 0;     // A rms: the thermal or the voltage limit, the smaller
  double RippleVoltage = 0;  // V rms: MaxCurrent times Impedance, within the limit
  double Phase = 0;          // degrees, negative below the self-resonance
};
FrequencyPoint EvaluateFrequencyPoint(const FrequencyModel& m, double f);

// The current (A rms) that raises the part by `rise` degrees at the
// operating frequency, with the ESR taken at ambient plus that rise.
double CurrentAtRise(const FrequencyModel& m, double rise);
// The same with the ESR taken at a temperature of the caller's (the printed
// page takes ambient plus rise as a whole number).
double CurrentAtRise(const FrequencyModel& m, double rise, float temperature);

}  // namespace quenta
