#include "dsp/ChannelChain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace
{
    constexpr double pi = 3.141592653589793;

    // Knobs at noon, gain at half, as the processor sets them.
    PedalCircuitModel playingModel (double sampleRate, int32_t circuit)
    {
        PedalCircuitModel model;
        model.prepare (sampleRate);
        model.setCircuitType (circuit);
        model.toneTargets = { 0.9 * 0.007, 0.1 * 0.007, 0.5 * 0.007, 0.0 };
        model.waveshaperA.gain = 23.727272033691406;
        model.waveshaperB.gain = -11.333333015441895;
        return model;
    }

    float sine (int n, double frequency, double sampleRate, double amplitude = 0.3)
    {
        return static_cast<float> (amplitude * std::sin (2.0 * pi * frequency * n / sampleRate));
    }

    void run (PedalCircuitModel& model, int samples, double sampleRate)
    {
        for (int n = 0; n < samples; ++n)
            ChannelChain::processSample (model, sine (n, 220.0, sampleRate), 1.0f, 1.0f);
    }
}

// Two identical models, one of them fading in: their ratio is the fade gain alone.
TEST (ChannelChain, CircuitChangeFadesInLinearlyOverTenMilliseconds)
{
    for (const auto& [rate, length] : { std::pair { 44100.0, 441 }, std::pair { 88200.0, 882 } })
    {
        auto steady = playingModel (rate, 0);
        run (steady, 4000, rate);

        auto fading = steady;
        fading.startFadeIn();

        for (int n = 1; n <= length + 10; ++n)
        {
            const float x = sine (4000 + n, 220.0, rate);
            const float reference = ChannelChain::processSample (steady, x, 1.0f, 1.0f);
            const float faded = ChannelChain::processSample (fading, x, 1.0f, 1.0f);
            ASSERT_NE (reference, 0.0f);

            const float expectedGain = n <= length ? static_cast<float> (n) / static_cast<float> (length) : 1.0f;
            EXPECT_NEAR (faded / reference, expectedGain, 1e-5f) << "sample " << n << " at " << rate;
        }

        EXPECT_EQ (fading.fadeActive, 0);
    }
}

TEST (ChannelChain, BassCircuitKeepsTheCleanSignalWhenTheDrivePathIsSilent)
{
    constexpr double rate = 48000.0;

    auto measure = [] (int32_t circuit)
    {
        auto model = playingModel (rate, circuit);
        model.waveshaperB.gain = 0.0; // nothing reaches the clipper
        double energy = 0.0;

        for (int n = 0; n < 24000; ++n)
        {
            const float y = ChannelChain::processSample (model, sine (n, 220.0, rate), 1.0f, 1.0f);

            if (n >= 12000)
                energy += static_cast<double> (y) * y;
        }

        return std::sqrt (energy / 12000.0);
    };

    EXPECT_LT (measure (PedalCircuitModel::defaultCircuit), 1e-4);
    EXPECT_GT (measure (PedalCircuitModel::bassCircuit), 0.02);

    // Indices past the five circuits take no clean path either.
    auto unknown = playingModel (rate, 0);
    unknown.setCircuitType (7);
    unknown.waveshaperB.gain = 0.0;
    double peak = 0.0;

    // Past the clipper's own start-up transient (its tables are swept up to +10 V).
    for (int n = 0; n < 24000; ++n)
    {
        const float y = ChannelChain::processSample (unknown, sine (n, 220.0, rate), 1.0f, 1.0f);

        if (n >= 12000)
            peak = std::max (peak, std::abs (static_cast<double> (y)));
    }

    EXPECT_LT (peak, 1e-4);
}

// The asymmetric clipper puts a DC offset on a sine; the "Smooth" circuit's 5 Hz blocker takes it off.
TEST (ChannelChain, SmoothCircuitRemovesTheOffsetOfItsAsymmetricClipper)
{
    constexpr double rate = 48000.0;
    auto model = playingModel (rate, PedalCircuitModel::smoothCircuit);

    double offsetBefore = 0.0;
    for (int n = 0; n < 48000; ++n)
        offsetBefore += model.asymmetricTable.lookup (sine (n, 100.0, rate, 8.0));

    EXPECT_GT (std::abs (offsetBefore / 48000.0), 0.05);

    // Clipper output = table read, then the blocker: settle, then average over whole periods.
    auto& blocker = model.asymmetricTable.dcBlocker;
    double sum = 0.0;
    double energy = 0.0;

    for (int n = 0; n < 48000 * 3; ++n)
    {
        const float y = blocker.processHighpass (model.asymmetricTable.lookup (sine (n, 100.0, rate, 8.0)));

        if (n >= 48000 * 2)
        {
            sum += y;
            energy += static_cast<double> (y) * y;
        }
    }

    const double rms = std::sqrt (energy / 48000.0);
    EXPECT_LT (std::abs (sum / 48000.0), 1e-3 * rms);
}

TEST (ChannelChain, ANonFiniteSampleIsForgottenOnceTheStateIsChecked)
{
    constexpr double rate = 48000.0;

    for (int32_t circuit = 0; circuit <= 4; ++circuit)
    {
        auto model = playingModel (rate, circuit);
        run (model, 1000, rate);

        ChannelChain::processSample (model, std::numeric_limits<float>::quiet_NaN(), 1.0f, 1.0f);
        ChannelChain::processSample (model, std::numeric_limits<float>::infinity(), 1.0f, 1.0f);
        EXPECT_TRUE (ChannelChain::resetNonFiniteState (model)) << circuit;
        EXPECT_FALSE (ChannelChain::resetNonFiniteState (model)) << circuit;

        for (int n = 0; n < 2000; ++n)
            ASSERT_TRUE (std::isfinite (ChannelChain::processSample (model, sine (n, 220.0, rate), 1.0f, 1.0f))) << circuit;
    }
}

TEST (ChannelChain, PotsGlideTowardsTheirTargetsAtTheModelRate)
{
    auto model = playingModel (44100.0, 0);
    model.toneTargets = { 0.007, 0.0, 0.0, 0.0 };
    int samples = 0;

    while (model.smoothedPots[PedalCircuitModel::bassPot].current < 1.0 - std::exp (-1.0))
    {
        ChannelChain::processSample (model, 0.0f, 1.0f, 1.0f);
        ++samples;
    }

    EXPECT_NEAR (samples, 142, 1);
}
