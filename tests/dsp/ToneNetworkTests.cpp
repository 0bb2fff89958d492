#include "dsp/ToneNetwork.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>

namespace
{
    constexpr double pi = 3.141592653589793;
    constexpr double rate = 44100.0;

    ToneNetwork::Taps powersOfK (double sampleRate)
    {
        ToneNetwork::Taps powers {};
        double k = 1.0;

        for (auto& p : powers)
        {
            p = k;
            k *= 2.0 * sampleRate;
        }

        return powers;
    }

    // Steady-state gain in dB of the network with the pots held still, measured on a sine.
    double gainAt (double frequency, double bass, double mid, double treble, double volume)
    {
        ToneNetwork::Weights weights;
        weights.prepare (powersOfK (rate));
        ToneNetwork::Coefficients c;
        weights.computeCoefficients (bass, mid, treble, volume, c);

        ToneNetwork::Taps state {};
        const int settle = static_cast<int> (rate); // the lowest pole needs a while at 100 Hz
        const int measure = static_cast<int> (rate / 2);
        double in = 0.0;
        double out = 0.0;

        for (int n = 0; n < settle + measure; ++n)
        {
            const double x = std::sin (2.0 * pi * frequency * n / rate);
            const double y = ToneNetwork::processSample (state, c, x);

            if (n >= settle)
            {
                in += x * x;
                out += y * y;
            }
        }

        return 10.0 * std::log10 (out / in);
    }

    // Pot positions of the knobs at 50 % with the level full up.
    constexpr double knobsAtNoon[4] { 0.9, 0.1, 0.5, 0.0 };
}

TEST (ToneNetwork, KnobsAtNoonGiveTheMeasuredMidScoop)
{
    const auto [b, m, t, v] = knobsAtNoon;
    EXPECT_NEAR (gainAt (100.0, b, m, t, v), -8.3, 0.1);
    EXPECT_NEAR (gainAt (1000.0, b, m, t, v), -13.4, 0.1);
    EXPECT_NEAR (gainAt (10000.0, b, m, t, v), -8.0, 0.1);
}

TEST (ToneNetwork, LevelAtHalfLowersEveryBandBySixDecibels)
{
    const auto [b, m, t, v] = knobsAtNoon;

    for (double f : { 100.0, 1000.0, 10000.0 })
        EXPECT_NEAR (gainAt (f, b, m, t, 0.5) - gainAt (f, b, m, t, v), -6.02, 0.02) << f << " Hz";
}

TEST (ToneNetwork, EachKnobFullUpLiftsItsOwnBand)
{
    const auto [b, m, t, v] = knobsAtNoon;
    EXPECT_NEAR (gainAt (100.0, 0.0, m, t, v), -3.1, 0.1);   // bass at 100 %
    EXPECT_NEAR (gainAt (10000.0, b, m, 0.0, v), -1.8, 0.1); // treble at 100 %
    EXPECT_NEAR (gainAt (1000.0, b, 0.0, t, v), -18.6, 0.1); // mid at 0 %
}

TEST (ToneNetwork, LevelAtZeroIsSilent)
{
    ToneNetwork::Weights weights;
    weights.prepare (powersOfK (rate));
    ToneNetwork::Coefficients c;
    weights.computeCoefficients (0.9, 0.1, 0.5, 1.0, c);
    ToneNetwork::Taps state {};

    for (int n = 0; n < 1000; ++n)
        EXPECT_EQ (ToneNetwork::processSample (state, c, std::sin (n * 0.1)), 0.0);
}

// The per-rate expanded form must be the same rule as the bilinear transform written out.
TEST (ToneNetwork, ExpandedFormMatchesTheTransformOfTheAnalogNetwork)
{
    std::mt19937 random (7);
    std::uniform_real_distribution<double> pot (0.0, 1.0);

    for (double sampleRate : { 8000.0, 44100.0, 192000.0 })
    {
        const auto powers = powersOfK (sampleRate);
        ToneNetwork::Weights weights;
        weights.prepare (powers);

        for (int trial = 0; trial < 50; ++trial)
        {
            const double b = pot (random), m = pot (random), t = pot (random), v = pot (random);
            ToneNetwork::Coefficients expanded, direct;
            weights.computeCoefficients (b, m, t, v, expanded);
            ToneNetwork::computeCoefficients (b, m, t, v, powers, direct);

            for (size_t j = 0; j < expanded.a.size(); ++j)
            {
                // Terms cancel in some taps, so the scale is the largest term, not the result.
                const double scaleA = std::abs (direct.a[0]) + std::abs (direct.a[j]);
                const double scaleB = std::abs (direct.b[0]) + std::abs (direct.b[j]) + 1e-300;
                EXPECT_NEAR (expanded.a[j], direct.a[j], 1e-12 * scaleA) << "a" << j;
                EXPECT_NEAR (expanded.b[j], direct.b[j], 1e-12 * scaleB) << "b" << j;
            }
        }
    }
}

// Evaluates H(s) itself at s = K (1 - 1/z) / (1 + 1/z) and compares with the digital filter's
// coefficients, so a slip in the transform table would show.
TEST (ToneNetwork, DirectRuleIsTheBilinearTransformOfTheTables)
{
    const double sampleRate = 48000.0;
    const auto powers = powersOfK (sampleRate);
    const double b = 0.7, m = 0.3, t = 0.2, v = 0.25;
    ToneNetwork::Coefficients c;
    ToneNetwork::computeCoefficients (b, m, t, v, powers, c);

    for (double f : { 50.0, 700.0, 6000.0 })
    {
        const std::complex<double> z = std::polar (1.0, 2.0 * pi * f / sampleRate);
        const std::complex<double> s = 2.0 * sampleRate * (1.0 - 1.0 / z) / (1.0 + 1.0 / z);

        std::complex<double> num = 0.0, den = 0.0, numZ = 0.0, denZ = 0.0, sk = 1.0, zk = 1.0;
        const double mono[3][3] { { 1.0, b, b * b }, { 1.0, m, m * m }, { 1.0, t, t * t } };

        for (int k = 0; k <= ToneNetwork::order; ++k)
        {
            double dk = 0.0, nk = 0.0;

            for (int r = 0; r < ToneNetwork::monomialCount; ++r)
            {
                const double w = mono[0][r / 9] * mono[1][(r / 3) % 3] * mono[2][r % 3];
                dk += w * ToneNetworkTables::denominator[r][k];
                nk += w * ToneNetworkTables::numerator[r][k];
            }

            den += dk * sk;
            num += nk * sk;
            denZ += c.a[static_cast<size_t> (k)] * zk;
            numZ += c.b[static_cast<size_t> (k)] * zk;
            sk *= s;
            zk /= z;
        }

        const auto analog = (1.0 - v) * num / den;
        const auto digital = numZ / denZ;
        EXPECT_NEAR (std::abs (digital), std::abs (analog), 1e-9 * std::abs (analog)) << f << " Hz";
    }
}
