#pragma once

#include <cstdint>

// One diode (or an equivalent pair) as the clipper equation sees it.
struct DiodeModelParams
{
    double saturationCurrent = 0.0;   // Is, amperes
    double emissionCoefficient = 0.0; // n
    double thermalVoltage = 0.0;      // Vt, volts
    double seriesResistance = 0.0;    // turns the pair's current into a voltage, ohms
    int32_t iterationCount = 0;
    int32_t iterationLimit = 0;
};

// The measured devices. Several values were fitted as floats; the widened float is the
// value the models were tuned with, so it is kept exactly.
inline constexpr DiodeModelParams standardClipperDiode { 9.32e-11, double (3.6947f), double (0.0271f), 10.0, 0, 1000 };
inline constexpr DiodeModelParams seriesDiodeA { 5.4e-9, double (1.951f), double (0.0244f), 9300.0, 0, 1000 };
inline constexpr DiodeModelParams seriesDiodeB { 6.47335e-11, double (1.32752f), double (0.0244f), 9300.0, 0, 0 };
inline constexpr DiodeModelParams softClipperDiode { 2.95e-8, double (1.96f), double (0.0271f), 0.0735, 0, 1000 };
inline constexpr DiodeModelParams waveshaperDiode { 8e-16, double (1.1f), 0.026, 1.0, 0, 1000 };

// Two diodes in series as one device: same forward voltage at 1 mA, averaged n and Vt,
// summed resistance. The Newton fit runs on the first record's step cap.
// stepsTaken, when given, receives the number of Newton steps the fit took.
DiodeModelParams fitSeriesPair (const DiodeModelParams& first,
                                const DiodeModelParams& second,
                                int* stepsTaken = nullptr) noexcept;
