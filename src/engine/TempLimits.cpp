#include "engine/TempLimits.h"

#include "catalogue/DesignState.h"

namespace quenta {

void SetSeriesTempLimits(int series) {
  const bool smallRise = series == 6 || series == 9 || (series >= 14 && series <= 25);
  SetOrdinaryTempLimits(smallRise ? 20 : 50);
  // The high-temperature series.
  if (series == 12 || series == 13) {
    gTemps.TempMax = 200;
    gTemps.TempTotalMax = 200;
  }
}

TemperatureCheck CheckTemperatureLimits(int ambientPosition, int risePosition) {
  const int tmin = gTemps.TempMin;
  TemperatureCheck check;
  if (gTemps.TempAmbient < tmin) {
    check.ambient = TempLevel::TooLow;
  } else if (gTemps.TempAmbient > gTemps.TempMax) {
    check.ambient = TempLevel::TooHigh;
  }
  if (gTemps.TempRise > gTemps.TempRiseMax) check.rise = TempLevel::TooHigh;

  // The ambient scroll bar stands at the ambient plus 75 (it starts at
  // -75 degrees), the rise bar at the rise itself.
  gTemps.InternalTemp = static_cast<int16_t>(ambientPosition + risePosition - 75);
  // Ambient plus rise is held against the limit of the sum, not TempMax.
  if (gTemps.InternalTemp > gTemps.TempTotalMax) {
    check.internal = TempLevel::TooHigh;
  } else if (gTemps.InternalTemp < tmin) {
    check.internal = TempLevel::TooLow;
  }
  return check;
}

bool EsrLogLinearPair(int dielectricIndex, double temperature, double& a, double& b) {
  switch (dielectricIndex) {
    case 1:  // C0G
    case 4:  // N1500: a factor of 1.5 per 100 degrees of cooling
      a = 0.044022815;
      b = -0.001760912591;
      return true;
    case 2:  // X7R: steeper below room temperature
      if (temperature <= 25) {
        a = 0.175;
        b = -0.00699;
      } else {
        a = 0.0897;
        b = -0.0036;
      }
      return true;
    default:
      return false;
  }
}

void SetTempCoefficients() {
  const int dielectric = gSelection.DielectricIndex;
  if (dielectric == 3) {
    // Z5U: change in percent as a cubic of the temperature.
    gEsrTc.EsrPoly0 = 26.766;
    gEsrTc.EsrPoly1 = -1.47436;
    gEsrTc.EsrPoly2 = 0.0168755;
    gEsrTc.EsrPoly3 = -3.06548e-05;
    return;
  }
  EsrLogLinearPair(dielectric, gTemps.InternalTemp, gEsrTc.EsrTcA, gEsrTc.EsrTcB);
}

}  // namespace quenta
