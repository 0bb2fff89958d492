#include "dsp/ToneNetwork.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>

namespace
{
    constexpr double pi = 3.141592653589793;

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
        const auto z = std::polar (1.0, -2.0 * pi * frequency / rate);
        std::complex<double> numerator, denominator, zPower = 1.0;

        for (size_t j = 0; j < 6; ++j)
        {
            numerator += c.b[j] * zPower;
            denominator += c.a[j] * zPower;
            zPower *= z;
        }

        return 20.0 * std::log10 (std::abs (numerator / denominator));
    }

    // The same gain measured on a sine through the expanded form the chain runs, at 44.1 kHz.
    double expandedGainAt (double frequency, double bass, double mid, double treble, double volume)
    {
        constexpr double rate = 44100.0;
        const ToneNetwork::ExpandedWeights weights (bilinearPowers (rate));
        const auto c = weights.computeCoefficients (bass, mid, treble, volume);

        std::array<double, 6> state {};
        const int settle = static_cast<int> (rate);
        const int measure = static_cast<int> (rate / 2);
        double in = 0.0, out = 0.0;

        for (int n = 0; n < settle + measure; ++n)
        {
            const double x = std::sin (2.0 * pi * frequency * n / rate);
            const double y = ToneNetwork::process (state, c, x);

            if (n >= settle)
            {
                in += x * x;
                out += y * y;
            }
        }

        return 10.0 * std::log10 (out / in);
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

// The chain evaluates the network through per-rate expanded weights; these tests hold that form
// to the rule and to the network's measured responses.
TEST (ToneNetworkExpandedForm, GivesTheSameCoefficientsAsTheRule)
{
    std::mt19937 random (7);
    std::uniform_real_distribution<double> pot (0.0, 1.0);

    for (double sampleRate : { 8000.0, 44100.0, 192000.0 })
    {
        const auto powers = bilinearPowers (sampleRate);
        const ToneNetwork::ExpandedWeights weights (powers);

        for (int trial = 0; trial < 50; ++trial)
        {
            const double b = pot (random), m = pot (random), t = pot (random), v = pot (random);
            const auto expanded = weights.computeCoefficients (b, m, t, v);
            const auto direct = ToneNetwork::computeCoefficients (b, m, t, v, powers);

            for (size_t j = 0; j < 6; ++j)
            {
                // Terms cancel in some taps, so the scale is the largest coefficient.
                const double scaleA = std::abs (direct.a[0]) + std::abs (direct.a[j]);
                const double scaleB = std::abs (direct.b[0]) + std::abs (direct.b[j]) + 1e-300;
                EXPECT_NEAR (expanded.a[j], direct.a[j], 1e-12 * scaleA) << "a" << j << " at " << sampleRate;
                EXPECT_NEAR (expanded.b[j], direct.b[j], 1e-12 * scaleB) << "b" << j << " at " << sampleRate;
            }
        }
    }
}

TEST (ToneNetworkExpandedForm, KnobsAtNoonGiveTheMeasuredResponses)
{
    EXPECT_NEAR (expandedGainAt (100.0, 0.9, 0.1, 0.5, 0.0), -8.3, 0.1);
    EXPECT_NEAR (expandedGainAt (1000.0, 0.9, 0.1, 0.5, 0.0), -13.4, 0.1);
    EXPECT_NEAR (expandedGainAt (10000.0, 0.9, 0.1, 0.5, 0.0), -8.0, 0.1);
    EXPECT_NEAR (expandedGainAt (1000.0, 0.9, 0.0, 0.5, 0.0), -18.6, 0.1);
}

// Evaluates H(s) itself at s = K (1 - 1/z) / (1 + 1/z) from the analog terms and compares it
// with the digital coefficients, so a slip in the transform would show.
TEST (ToneNetworkExpandedForm, IsTheBilinearTransformOfTheAnalogNetwork)
{
    const double sampleRate = 48000.0;
    const double b = 0.7, m = 0.3, t = 0.2, v = 0.25;
    const auto c = ToneNetwork::ExpandedWeights (bilinearPowers (sampleRate)).computeCoefficients (b, m, t, v);
    const double powers[3][3] { { 1.0, b, b * b }, { 1.0, m, m * m }, { 1.0, t, t * t } };

    auto analogCoefficient = [&] (const auto& terms, size_t k)
    {
        double sum = 0.0;

        for (const auto& term : terms)
            sum += term.weights[k] * powers[0][term.bassPower] * powers[1][term.midPower] * powers[2][term.treblePower];

        return sum;
    };

    for (double f : { 50.0, 700.0, 6000.0 })
    {
        const std::complex<double> z = std::polar (1.0, 2.0 * pi * f / sampleRate);
        const std::complex<double> s = 2.0 * sampleRate * (1.0 - 1.0 / z) / (1.0 + 1.0 / z);
        std::complex<double> num = 0.0, den = 0.0, numZ = 0.0, denZ = 0.0, sk = 1.0, zk = 1.0;

        for (size_t k = 0; k < 6; ++k)
        {
            den += analogCoefficient (ToneNetwork::denominatorTerms, k) * sk;
            num += analogCoefficient (ToneNetwork::numeratorTerms, k) * sk;
            denZ += c.a[k] * zk;
            numZ += c.b[k] * zk;
            sk *= s;
            zk /= z;
        }

        const auto analog = (1.0 - v) * num / den;
        EXPECT_NEAR (std::abs (numZ / denZ), std::abs (analog), 1e-9 * std::abs (analog)) << f << " Hz";
    }
}
