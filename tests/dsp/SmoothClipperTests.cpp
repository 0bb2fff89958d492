#include "dsp/PedalCircuitModel.h"

#include <gtest/gtest.h>

#include <cmath>

// The "Smooth" circuit's asymmetric clipper puts a DC offset on a sine; its 5 Hz blocker takes
// it off again before the tone controls.
TEST (SmoothClipper, TheDcBlockerRemovesTheOffsetOfTheAsymmetricClipper)
{
    constexpr double rate = 48000.0;
    constexpr double pi = 3.141592653589793;

    PedalCircuitModel model;
    model.prepare (rate);
    model.setCircuitType (PedalCircuitModel::smoothCircuit);

    auto sine = [] (int n) { return static_cast<float> (8.0 * std::sin (2.0 * pi * 100.0 * n / rate)); };
    auto& table = model.asymmetricTable;

    double offset = 0.0;

    for (int n = 0; n < 48000; ++n)
        offset += table.lookup (sine (n));

    EXPECT_GT (std::abs (offset / 48000.0), 0.05);

    double sum = 0.0, energy = 0.0;

    for (int n = 0; n < 48000 * 3; ++n)
    {
        const float y = table.dcBlocker.processHighpass (table.lookup (sine (n)));

        if (n >= 48000 * 2)
        {
            sum += y;
            energy += static_cast<double> (y) * y;
        }
    }

    EXPECT_LT (std::abs (sum / 48000.0), 1e-3 * std::sqrt (energy / 48000.0));
}
