#include "dsp/NoiseGate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace
{
    constexpr double pi = 3.141592653589793;

    NoiseGate preparedGate (double sampleRate = 44100.0)
    {
        NoiseGate gate;
        gate.prepare (sampleRate);
        return gate;
    }

    // The attack time in ms that the gate's current attack coefficient stands for.
    double attackTimeMs (const NoiseGate& gate)
    {
        return -1.0 / (gate.sampleRate * 0.001 * std::log (static_cast<double> (gate.attackCoefficient)));
    }

    double settledAttackTime (const std::function<float (int)>& key)
    {
        auto gate = preparedGate();

        for (int i = 0; i < 44100 * 3; ++i)
            gate.processSample (key (i), 1.0f);

        return attackTimeMs (gate);
    }
}

TEST (NoiseGate, PrepareSetsTheNominalTiming)
{
    const auto gate = preparedGate();

    EXPECT_FLOAT_EQ (gate.attackCoefficient, static_cast<float> (std::exp (-1.0 / 441.0)));
    EXPECT_FLOAT_EQ (gate.releaseCoefficient, static_cast<float> (std::exp (-1.0 / 4410.0)));
    EXPECT_FLOAT_EQ (gate.followerCoefficient, static_cast<float> (std::exp (-1.0 / 8820.0)));
    EXPECT_FLOAT_EQ (gate.holdSamples, 132.3f);
    EXPECT_FLOAT_EQ (gate.threshold, static_cast<float> (std::pow (10.0, -4.5)));
    EXPECT_EQ (gate.keyFilterMode, NoiseGate::keyFilterOff);
    EXPECT_EQ (gate.programDependent, 1);
}

TEST (NoiseGate, ClosedGateStaysExactlySilentWhileTheKeyIsBelowThreshold)
{
    auto gate = preparedGate();
    gate.threshold = 0.01f;

    for (int i = 0; i < 44100; ++i)
    {
        const auto key = static_cast<float> (0.009 * std::sin (2.0 * pi * 200.0 * i / 44100.0));
        ASSERT_EQ (gate.processSample (key, 1.0f), 0.0f) << i;
    }
}

TEST (NoiseGate, OpeningWaitsOutAHoldOf132SamplesAt44100)
{
    auto gate = preparedGate();

    for (int i = 1; i <= 132; ++i)
        ASSERT_EQ (gate.processSample (1.0f, 1.0f), 0.0f) << i;

    EXPECT_EQ (gate.target, 1.0f);
    EXPECT_GT (gate.processSample (1.0f, 1.0f), 0.0f);
}

TEST (NoiseGate, ClosingWaitsOutTheSameHold)
{
    auto gate = preparedGate();

    for (int i = 0; i < 44100; ++i)
        gate.processSample (1.0f, 1.0f);

    const float openGain = gate.gain;
    EXPECT_NEAR (openGain, 1.0f, 1e-5f); // float rounding stalls the step a few ulps short of 1

    int samples = 0;

    while (gate.target == 1.0f && samples < 44100)
    {
        gate.processSample (0.0f, 1.0f);
        ++samples;
    }

    ASSERT_EQ (gate.closingCount, 1);

    for (int i = 2; i <= 132; ++i)
        ASSERT_EQ (gate.processSample (0.0f, 1.0f), openGain) << i;

    EXPECT_LT (gate.processSample (0.0f, 1.0f), openGain);
}

TEST (NoiseGate, AttackFollowsTheKeysCrestFactor)
{
    // A sine's squared peak is twice its mean square, a square's equals it, and clicks have
    // a large crest factor: 80 ms / crest, never under 3 ms.
    const double sine = settledAttackTime ([] (int i) { return static_cast<float> (0.5 * std::sin (2.0 * pi * 441.0 * i / 44100.0)); });
    const double square = settledAttackTime ([] (int i) { return (i / 50) % 2 == 0 ? 0.5f : -0.5f; });
    const double clicks = settledAttackTime ([] (int i) { return i % 4410 == 0 ? 0.8f : 0.0f; });

    EXPECT_NEAR (sine, 40.0, 3.0);
    EXPECT_NEAR (square, 80.0, 2.0);
    EXPECT_NEAR (clicks, 3.0, 0.01);
}

TEST (NoiseGate, ReleaseTimeStaysAtTheThreeMillisecondFloor)
{
    auto gate = preparedGate();

    for (int i = 0; i < 44100; ++i)
        gate.processSample (static_cast<float> (0.5 * std::sin (2.0 * pi * 441.0 * i / 44100.0)), 1.0f);

    EXPECT_FLOAT_EQ (gate.releaseCoefficient, static_cast<float> (std::exp (-1.0 / (44100.0 * 0.003))));
}

TEST (NoiseGate, PreparingAgainDoesNotReopenAClosedGate)
{
    auto gate = preparedGate();
    gate.threshold = 0.01f;

    for (int i = 0; i < 1000; ++i)
        gate.processSample (0.001f, 1.0f);

    gate.prepare (48000.0);
    gate.threshold = 0.01f;

    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ (gate.processSample (0.001f, 1.0f), 0.0f) << i;
}

TEST (NoiseGate, PreparingAgainKeepsAnOpenGateOpen)
{
    auto gate = preparedGate();

    for (int i = 0; i < 44100; ++i)
        gate.processSample (1.0f, 1.0f);

    const float openGain = gate.gain;
    gate.prepare (96000.0);

    EXPECT_EQ (gate.gain, openGain);
    EXPECT_NEAR (gate.processSample (1.0f, 1.0f), openGain, 1e-6f);
}

TEST (NoiseGate, KeyFilterStaysUntouchedWhileSwitchedOff)
{
    auto gate = preparedGate();

    for (int i = 0; i < 1000; ++i)
        gate.processSample (static_cast<float> (std::sin (i * 0.1)), 1.0f);

    EXPECT_EQ (gate.keyFilter.ic1eq, 0.0);
    EXPECT_EQ (gate.keyFilter.ic2eq, 0.0);
    EXPECT_EQ (gate.keyFilter.m2, 1.0);
    EXPECT_EQ (gate.keyFilter.cutoff, 19000.0);
}

TEST (NoiseGate, KeyFilterWhenOnIsAUnityGainLowpass)
{
    auto gate = preparedGate();
    float key = 0.0f;

    for (int i = 0; i < 1000; ++i)
        key = gate.keyFilter.processSample (1.0f);

    EXPECT_NEAR (key, 1.0f, 1e-5f);
}

TEST (NoiseGate, GateHeldForHoursNeitherWrapsItsCountNorFreezes)
{
    auto gate = preparedGate();

    for (int i = 0; i < 44100; ++i)
        gate.processSample (1.0f, 1.0f);

    gate.openingCount = std::numeric_limits<int32_t>::max() - 1;

    for (int i = 0; i < 10; ++i)
        gate.processSample (1.0f, 1.0f);

    EXPECT_EQ (gate.openingCount, std::numeric_limits<int32_t>::max());

    // Closing still works normally afterwards.
    for (int i = 0; i < 44100; ++i)
        gate.processSample (0.0f, 1.0f);

    EXPECT_LT (gate.gain, 1e-3f);
}

// The gate keeps the last time's coefficient; a new rate must still give the new rate's timing.
TEST (NoiseGate, ReleaseTimingFollowsANewRate)
{
    auto gate = preparedGate();

    for (int i = 0; i < 4410; ++i)
        gate.processSample (static_cast<float> (0.5 * std::sin (2.0 * pi * 441.0 * i / 44100.0)), 1.0f);

    gate.prepare (96000.0);

    for (int i = 0; i < 9600; ++i)
        gate.processSample (static_cast<float> (0.5 * std::sin (2.0 * pi * 441.0 * i / 96000.0)), 1.0f);

    EXPECT_FLOAT_EQ (gate.releaseCoefficient, static_cast<float> (std::exp (-1.0 / (96000.0 * 0.003))));
}
