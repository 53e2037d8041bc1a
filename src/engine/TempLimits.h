// The operating temperatures: the internal temperature with its warning
// colours, and the coefficients that correct the ESR for temperature.
#pragma once

namespace quenta {

// Works out InternalTemp from the ambient and rise scroll bars, shows it in
// T_TempSpecs(2), and colours the ambient, rise and internal-temperature
// boxes against the series' limits (white on blue below the minimum, white
// on red above the maximum, black on white within).
void CheckTemperatureLimits();

// Chooses the ESR temperature-correction coefficients for the dielectric at
// InternalTemp: the log-linear pair EsrTcA / EsrTcB for dielectrics 1, 2
// and 4, the cubic EsrPoly0..3 for dielectric 3. The other set keeps its
// values; other dielectrics change nothing.
void SetTempCoefficients();

// The log-linear pair (a, b) of the ESR factor 10^(a + b * T) for a
// dielectric at temperature T. False, leaving a and b alone, for a
// dielectric that has no such pair (3, Z5U, uses the cubic).
bool EsrLogLinearPair(int dielectricIndex, double temperature, double& a, double& b);

}  // namespace quenta
