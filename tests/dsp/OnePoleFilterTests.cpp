#include "dsp/OnePoleFilter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
    constexpr double pi = 3.141592653589793;

    // Peak output of a settled filter driven by a unit sine.
    float settledSineAmplitude (OnePoleFilter filter, double frequency, bool highpass)
    {
        float peak = 0.0f;
        const int length = static_cast<int> (filter.sampleRate);

        for (int i = 0; i < length; ++i)
        {
            const auto x = static_cast<float> (std::sin (2.0 * pi * frequency * i / filter.sampleRate));
            const float y = highpass ? filter.processHighpass (x) : filter.processLowpass (x);

            if (i > length / 2)
                peak = std::max (peak, std::abs (y));
        }

        return peak;
    }
}

TEST (TopCorner, StaysBelowNyquistAtLowRatesAndIs19kHzFrom44100Up)
{
    EXPECT_EQ (topCorner (32000.0), 13760.0f);
    EXPECT_EQ (topCorner (44100.0), 19000.0f);
    EXPECT_EQ (topCorner (48000.0), 19000.0f);
    EXPECT_EQ (topCorner (384000.0), 19000.0f);
    EXPECT_NEAR (topCorner (44099.0), 0.43 * 44099.0, 0.01);
}

TEST (TopCorner, CornerLimitHoldsComponentCornersBetween1HzAndTheTop)
{
    EXPECT_EQ (limitCorner (0.72f, 48000.0), 1.0f);
    EXPECT_EQ (limitCorner (32883.0f, 48000.0), 19000.0f);
    EXPECT_EQ (limitCorner (32883.0f, 32000.0), 13760.0f);
    EXPECT_EQ (limitCorner (723.4f, 48000.0), 723.4f);
}

TEST (OnePoleFilter, IsThreeDecibelsDownAtItsCorner)
{
    OnePoleFilter filter;
    filter.sampleRate = 48000.0;
    filter.setCornerFrequency (1000.0f);

    EXPECT_NEAR (settledSineAmplitude (filter, 1000.0, false), std::sqrt (0.5), 0.005);
    EXPECT_NEAR (settledSineAmplitude (filter, 1000.0, true), std::sqrt (0.5), 0.005);
    EXPECT_LT (settledSineAmplitude (filter, 10000.0, false), 0.11f);
    EXPECT_LT (settledSineAmplitude (filter, 100.0, true), 0.11f);
}

TEST (OnePoleFilter, LowpassPassesDcAndHighpassRemovesIt)
{
    OnePoleFilter lowpass;
    lowpass.sampleRate = 44100.0;
    lowpass.setCornerFrequency (5.0f);
    OnePoleFilter highpass = lowpass;

    float low = 0.0f, high = 1.0f;

    for (int i = 0; i < 44100 * 2; ++i)
    {
        low = lowpass.processLowpass (1.0f);
        high = highpass.processHighpass (1.0f);
    }

    EXPECT_NEAR (low, 1.0f, 1e-4f);
    EXPECT_NEAR (high, 0.0f, 1e-4f);
}

// The section multiplies by a kept reciprocal; every sample must still come out exactly as the
// float division by (g + 1) would give it, or the chain's sound would drift from the circuit's.
TEST (OnePoleFilter, KeptReciprocalGivesExactlyTheDividedSample)
{
    uint32_t noise = 987654321u;
    auto next = [&noise]
    {
        noise = noise * 1664525u + 1013904223u;
        return static_cast<double> (noise) / 4294967296.0;
    };

    for (const double corner : { 1.0, 5.0, 312.0, 360.0, 3000.0, 13760.0, 19000.0 })
        for (const double rate : { 32000.0, 44100.0, 48000.0, 96000.0, 192000.0 })
        {
            OnePoleFilter filter;
            filter.sampleRate = rate;
            filter.setCornerFrequency (static_cast<float> (corner));
            float reference = 0.0f;

            for (int i = 0; i < 20000; ++i)
            {
                const auto x = static_cast<float> ((next() - 0.5) * std::pow (10.0, 4.0 * next() - 2.0));
                const float expected = (filter.g * x + reference) / (filter.g + 1.0f);
                reference = 2.0f * expected - reference;

                ASSERT_EQ (filter.processLowpass (x), expected) << corner << " Hz at " << rate << ", sample " << i;
            }
        }
}

TEST (OnePoleFilter, SettingTheCoefficientDirectlyKeepsTheReciprocalInStep)
{
    OnePoleFilter filter;
    filter.setCornerFrequency (1000.0f);
    filter.setCoefficient (0.3f);

    EXPECT_EQ (filter.processLowpass (1.0f), 0.3f / 1.3f);
}
