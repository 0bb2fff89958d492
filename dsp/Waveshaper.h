#pragma once

#include "dsp/ClipperTableGrid.h"
#include "dsp/DiodeClipperTable.h"
#include "dsp/OnePoleFilter.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string>

// One op-amp gain stage: gain, one of seven transfer curves, then a one-pole lowpass for
// the amplifier's limited bandwidth.
struct Waveshaper
{
    enum Curve : int
    {
        Linear = 0,
        Erf = 1,
        HardClip = 2,
        ErfTable = 3,
        Atan = 4,
        AtanPower = 5,
        DiodeTable = 6
    };

    static constexpr int erfTableSize = 2048;

    std::string name;
    double supplyVoltage = 1.0;
    double gain = 1.0;
    double positiveRail = double (0.85f) * 9.0;
    double negativeRail = double (-0.83f) * 9.0;
    OnePoleFilter lowpass;
    DiodeClipperTable diodeTable;
    std::array<float, erfTableSize> erfTable {};

    Waveshaper();

    // Any curve number outside 0..6 (negative ones too) is the linear curve.
    float processSample (int curve, float x) noexcept
    {
        const double rail = positiveRail;

        // The input over the rail, for the curves drawn in units of the rail; worked out only
        // where it is read, as the division would otherwise cost the hard clip every sample.
        auto scaledInput = [this, rail, x] { return (gain / rail) * static_cast<double> (x); };
        double y;

        switch (static_cast<unsigned> (curve))
        {
            case Erf:
                y = rail * std::erf (scaledInput());
                break;

            case HardClip:
            {
                const auto u = static_cast<float> (gain * static_cast<double> (x));

                if (u < static_cast<float> (negativeRail))
                    y = negativeRail;
                else if (static_cast<float> (positiveRail) < u)
                    y = positiveRail;
                else
                    y = u;

                break;
            }

            case ErfTable:
            {
                const auto scaledFloat = static_cast<float> (scaledInput());

                // Written so that NaN reads the bottom entry rather than a wild index.
                const float t = scaledFloat >= -2.0f ? (scaledFloat < 2.0f ? scaledFloat : 2.0f) + 2.0f : 0.0f;
                const float position = static_cast<float> (erfTableSize - 1) * 0.25f * t;
                y = rail * static_cast<double> (ClipperTableGrid::interpolate (erfTable.data(), erfTableSize, position));
                break;
            }

            case Atan:
            {
                const auto scaledFloat = static_cast<float> (scaledInput());
                y = rail * static_cast<double> (std::atan (std::abs (scaledFloat)) * sign (scaledFloat));
                break;
            }

            case AtanPower:
            {
                const auto scaledFloat = static_cast<float> (scaledInput());
                const float shaped = std::pow (std::atan (std::pow (std::abs (scaledFloat), 5.0f)), 0.2f);
                y = rail * static_cast<double> (shaped * sign (scaledFloat));
                break;
            }

            case DiodeTable:
                y = rail * static_cast<double> (diodeTable.lookup (static_cast<float> (scaledInput())));
                break;

            case Linear:
            default:
                y = gain * static_cast<double> (x);
                break;
        }

        return lowpass.processLowpass (static_cast<float> (y));
    }

private:
    static float sign (float v) noexcept
    {
        return v > 0.0f ? 1.0f : (v < 0.0f ? -1.0f : 0.0f);
    }
};
