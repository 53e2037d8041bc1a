// The operating temperatures: the internal temperature with its warning
// colours, and the coefficients that correct the ESR for temperature.
#pragma once

namespace quenta {

// The temperature limits of a series: -55 degrees C up to 125 (200 for
// series 12 and 13), a rise of 50 (20 for series 6, 9 and 14 to 25), and
// ambient plus rise up to 150 (200).
void SetSeriesTempLimits(int series);

// Where a temperature stands against its limits.
enum class TempLevel { Within, TooLow, TooHigh };
struct TemperatureCheck {
  TempLevel ambient = TempLevel::Within;
  TempLevel rise = TempLevel::Within;
  TempLevel internal = TempLevel::Within;
};

// Works out InternalTemp from the positions of the ambient scroll bar
// (which starts at -75 degrees) and the rise scroll bar, and holds the
// ambient, the rise and the internal temperature against the series'
// limits: the ambient against TempMin and TempMax, the rise against
// TempRiseMax, the internal temperature against TempTotalMax and TempMin.
TemperatureCheck CheckTemperatureLimits(int ambientPosition, int risePosition);

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
