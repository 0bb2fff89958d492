#include "dsp/DiodeModelParams.h"

#include <cmath>

DiodeModelParams fitSeriesPair (const DiodeModelParams& first,
                                const DiodeModelParams& second,
                                int* stepsTaken) noexcept
{
    constexpr double referenceCurrent = 0.001;

    const double targetVoltage = first.emissionCoefficient * first.thermalVoltage
                                     * std::log (referenceCurrent / first.saturationCurrent)
                               + second.emissionCoefficient * second.thermalVoltage
                                     * std::log (referenceCurrent / second.saturationCurrent);

    const double n = (first.emissionCoefficient + second.emissionCoefficient) * 0.5;
    const double vt = (first.thermalVoltage + second.thermalVoltage) * 0.5;
    const double m = n * vt;

    double is = std::pow (first.saturationCurrent + second.saturationCurrent, 4.0);

    // The counter is local: instances preparing on different audio threads at the same
    // moment must not share it.
    int32_t count = 0;
    int steps = 0;

    for (;;)
    {
        const double h = m * std::log (referenceCurrent / is);
        is = is - h / (m / referenceCurrent + h - m / is);
        ++steps;

        // Signed on purpose: the fit starts far above the target (a tiny Is) and stops at the
        // first step no more than 50 mV above it, even one that overshoots below it.
        if (m * std::log (referenceCurrent / is) - targetVoltage < 0.05)
            break;

        const int32_t previous = count;
        count = previous + 1;

        if (! (previous < first.iterationLimit))
            break;
    }

    if (stepsTaken != nullptr)
        *stepsTaken = steps;

    return { is, n, vt, first.seriesResistance + second.seriesResistance, 0, first.iterationLimit };
}
