// Inductance of the part: its leads and its equivalent series inductance.
#pragma once

namespace quenta {

// For a leaded part: sets LeadInductance (nH, one lead) from the lead
// diameter of the series and case, and scales ThermalRes for the heat the
// lead carries away. Run it at most once per calculation, after
// CalcThermalResistance, and only while LeadFlag is set.
void CalcLeadInductance();

// Sets Esl (henries): the body term from the scaled case, the strip or wire
// term of the series and case, and twice LeadInductance. Also sets
// LengthScaled, WidthScaled and the weight factors LeadCoef1 and LeadCoef2.
void CalcEsl();

}  // namespace quenta
