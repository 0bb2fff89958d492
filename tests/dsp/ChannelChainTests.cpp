#include "dsp/PedalCircuitModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
    constexpr double pi = 3.141592653589793;

    // A model as the processor leaves it after preparing and applying the knobs at noon.
    PedalCircuitModel playingModel (int32_t circuit, double rate = 48000.0)
    {
        PedalCircuitModel model;
        model.prepare (rate);
        model.setCircuitType (circuit);
        model.waveshaperA.gain = 23.7;
        model.waveshaperB.gain = -11.3;
        model.filters.gainFeedback.setCornerFrequency (topCorner (rate));
        model.toneTargets = { 0.007 * 0.9, 0.007 * 0.1, 0.007 * 0.5, 0.0 };
        return model;
    }

    float sineSample (int i, double frequency = 220.0, double amplitude = 0.2, double rate = 48000.0)
    {
        return static_cast<float> (amplitude * std::sin (2.0 * pi * frequency * i / rate));
    }

    // The loudest output over the second half of one second of sine, once transients have gone.
    float peakOfSecondHalfSecond (PedalCircuitModel& model, float inputLevel)
    {
        float late = 0.0f;

        for (int i = 0; i < 48000; ++i)
        {
            const float y = model.processSample (sineSample (i), inputLevel, 1.0f);

            if (i > 24000)
                late = std::max (late, std::abs (y));
        }

        return late;
    }
}

TEST (ChannelChain, EveryCircuitGivesAFiniteBoundedSignal)
{
    for (int32_t circuit = 0; circuit < 5; ++circuit)
    {
        auto model = playingModel (circuit);
        float peak = 0.0f;

        for (int i = 0; i < 48000; ++i)
        {
            const float y = model.processSample (sineSample (i, 220.0, 1.0), 1.0f, 1.0f);
            ASSERT_TRUE (std::isfinite (y)) << circuit << " at " << i;
            peak = std::max (peak, std::abs (y));
        }

        EXPECT_GT (peak, 0.01f) << circuit;
        EXPECT_LT (peak, 20.0f) << circuit;
    }
}

TEST (ChannelChain, FadeInRampsFromOneNthToUnityOverTenMilliseconds)
{
    auto faded = playingModel (PedalCircuitModel::defaultCircuit);
    auto steady = faded;
    faded.startFadeIn();
    steady.fadeActive = 0;

    ASSERT_EQ (faded.fadeLength, 480);

    for (int i = 1; i <= 600; ++i)
    {
        const float x = sineSample (i);
        const float withFade = faded.processSample (x, 1.0f, 1.0f);
        const float without = steady.processSample (x, 1.0f, 1.0f);

        if (std::abs (without) > 1e-3f)
        {
            const double expected = i <= 480 ? i / 480.0 : 1.0;
            ASSERT_NEAR (withFade / without, expected, 1e-5) << i;
        }
    }

    EXPECT_EQ (faded.fadeActive, 0);
}

TEST (ChannelChain, PotsGlideToTheirTargetsAtPoint993PerSample)
{
    auto model = playingModel (PedalCircuitModel::defaultCircuit);

    for (int i = 0; i < 142; ++i)
        model.processSample (0.0f, 1.0f, 1.0f);

    // 1 - 0.993^142 is within a hair of 1 - 1/e.
    EXPECT_NEAR (model.smoothedPots[PedalCircuitModel::treblePot].current, 0.5 * (1.0 - std::exp (-1.0)), 0.001);
}

TEST (ChannelChain, VolumeAtZeroFallsSilent)
{
    auto model = playingModel (PedalCircuitModel::defaultCircuit);
    model.toneTargets[PedalCircuitModel::volumePot] = 0.007;
    EXPECT_LT (peakOfSecondHalfSecond (model, 1.0f), 1e-6f);
}

TEST (ChannelChain, OnlyTheBassCircuitAddsTheCleanInputStage)
{
    auto plain = playingModel (PedalCircuitModel::defaultCircuit);
    auto withClean = plain;
    withClean.circuitIndex = PedalCircuitModel::bassCircuit;
    auto unknown = plain;
    unknown.setCircuitType (5);

    double difference = 0.0;

    for (int i = 0; i < 4800; ++i)
    {
        const float x = sineSample (i);
        const float y = plain.processSample (x, 1.0f, 1.0f);
        difference += std::abs (withClean.processSample (x, 1.0f, 1.0f) - y);
        ASSERT_EQ (unknown.processSample (x, 1.0f, 1.0f), y) << i;
    }

    EXPECT_GT (difference, 1.0);
}

TEST (ChannelChain, LevelsScaleInputAndOutput)
{
    auto model = playingModel (PedalCircuitModel::smoothCircuit);
    auto doubled = model;

    for (int i = 0; i < 4800; ++i)
    {
        const float x = sineSample (i, 220.0, 0.01);
        const float y = model.processSample (x, 1.0f, 1.0f);
        ASSERT_FLOAT_EQ (doubled.processSample (x, 1.0f, 2.0f), 2.0f * y);
    }

    // A freshly built clipper table leaves its state at the top of its sweep; once that has
    // died away, an input level of 0 is silence.
    auto silent = playingModel (PedalCircuitModel::defaultCircuit);
    EXPECT_LT (peakOfSecondHalfSecond (silent, 0.0f), 1e-7f);
}

TEST (ChannelChain, CircuitChangeUnderTheFadeInStaysBelowMinus60dB)
{
    for (int32_t circuit = 0; circuit < 5; ++circuit)
    {
        auto model = playingModel (circuit);

        for (int i = 0; i < 48000; ++i)
            model.processSample (0.0f, 1.0f, 1.0f);

        model.setCircuitType (circuit);
        model.startFadeIn();
        float peak = 0.0f;

        for (int i = 0; i < 4800; ++i)
            peak = std::max (peak, std::abs (model.processSample (0.0f, 1.0f, 1.0f)));

        EXPECT_LT (peak, 0.001f) << circuit;
    }
}
