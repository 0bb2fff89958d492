#include "dsp/ToneNetwork.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

namespace
{
    std::array<double, 6> bilinearPowers (double rate)
    {
        std::array<double, 6> powers {};
        double power = 1.0;

        for (auto& p : powers)
        {
            p = power;
            power *= 2.0 * rate;
        }

        return powers;
    }

    // Steady-state gain of the network in dB at a frequency, pots settled at B, M, T, V.
    double gainDb (double bass, double mid, double treble, double volume, double frequency, double rate = 44100.0)
    {
        const auto c = ToneNetwork::computeCoefficients (bass, mid, treble, volume, bilinearPowers (rate));
        const auto z = std::polar (1.0, -2.0 * 3.141592653589793 * frequency / rate);
        std::complex<double> numerator, denominator, zPower = 1.0;

        for (size_t j = 0; j < 6; ++j)
        {
            numerator += c.b[j] * zPower;
            denominator += c.a[j] * zPower;
            zPower *= z;
        }

        return 20.0 * std::log10 (std::abs (numerator / denominator));
    }

    // Knob positions as the pots see them: BASS and MID through the audio taper, 50 % = 0.5.
    constexpr double bassAt50 = 0.9, midAt50 = 0.1, trebleAt50 = 0.5;
}

TEST (ToneNetwork, KnobsAtNoonShapeTheMidScoop)
{
    EXPECT_NEAR (gainDb (bassAt50, midAt50, trebleAt50, 0.0, 100.0), -8.3, 0.05);
    EXPECT_NEAR (gainDb (bassAt50, midAt50, trebleAt50, 0.0, 1000.0), -13.4, 0.05);
    EXPECT_NEAR (gainDb (bassAt50, midAt50, trebleAt50, 0.0, 10000.0), -8.0, 0.05);
}

TEST (ToneNetwork, VolumeAtHalfLowersEverythingBySixDecibels)
{
    for (const double f : { 100.0, 1000.0, 10000.0 })
        EXPECT_NEAR (gainDb (bassAt50, midAt50, trebleAt50, 0.5, f) - gainDb (bassAt50, midAt50, trebleAt50, 0.0, f), -6.02, 0.01);
}

TEST (ToneNetwork, EachKnobWorksItsOwnBand)
{
    EXPECT_NEAR (gainDb (0.0, midAt50, trebleAt50, 0.0, 100.0), -3.1, 0.05);     // BASS at 100
    EXPECT_NEAR (gainDb (bassAt50, midAt50, 0.0, 0.0, 10000.0), -1.8, 0.05);     // TREB at 100
    EXPECT_NEAR (gainDb (bassAt50, 0.0, trebleAt50, 0.0, 1000.0), -18.6, 0.05);  // MID at 0
}

TEST (ToneNetwork, VolumeAtZeroIsSilence)
{
    const auto c = ToneNetwork::computeCoefficients (bassAt50, midAt50, trebleAt50, 1.0, bilinearPowers (48000.0));

    for (const double b : c.b)
        EXPECT_EQ (b, 0.0);
}

TEST (ToneNetwork, DelayLineRunsTheDifferenceEquation)
{
    // A first-order check of the recursion: settled DC gain equals sum (b) / sum (a).
    const auto c = ToneNetwork::computeCoefficients (bassAt50, midAt50, trebleAt50, 0.0, bilinearPowers (44100.0));
    std::array<double, 6> w {};
    double y = 0.0;

    for (int i = 0; i < 200000; ++i)
        y = ToneNetwork::process (w, c, 1.0);

    double sumA = 0.0, sumB = 0.0;

    for (size_t j = 0; j < 6; ++j)
    {
        sumA += c.a[j];
        sumB += c.b[j];
    }

    EXPECT_NEAR (y, sumB / sumA, 1e-6);
}
