#include <gtest/gtest.h>

#include "ProcessorRig.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

namespace
{
using P = QuillmontParameters::Index;
using Signal = std::function<float (int)>;

// A stereo instance processes both channels together; each must come out exactly as a mono
// instance given that channel alone.
struct StereoAgainstMono
{
    ProcessorRig stereo { 2 }, leftAlone { 1 }, rightAlone { 1 };

    StereoAgainstMono (double rate, int block)
    {
        for (auto* rig : rigs())
            rig->prepare (rate, block);
    }

    std::array<ProcessorRig*, 3> rigs() { return { &stereo, &leftAlone, &rightAlone }; }

    void set (P index, float value)
    {
        for (auto* rig : rigs())
            rig->set (index, value);
    }

    // Runs the blocks and checks every output sample bit for bit (NaN matching NaN).
    void expectSame (int samples, const Signal& left, const Signal& right, const std::string& what)
    {
        const int block = stereo.blockSize;
        juce::AudioBuffer<float> both (2, block), one (1, block), other (1, block);
        juce::MidiBuffer midi;

        for (int start = 0; start < samples; start += block)
        {
            const int n = std::min (block, samples - start);

            for (auto* b : { &both, &one, &other })
                b->setSize (b->getNumChannels(), n, false, false, true);

            for (int i = 0; i < n; ++i)
            {
                both.setSample (0, i, left (start + i));
                both.setSample (1, i, right (start + i));
                one.setSample (0, i, left (start + i));
                other.setSample (0, i, right (start + i));
            }

            stereo.processor.processBlock (both, midi);
            leftAlone.processor.processBlock (one, midi);
            rightAlone.processor.processBlock (other, midi);

            const auto bytes = static_cast<size_t> (n) * sizeof (float);
            ASSERT_EQ (std::memcmp (both.getReadPointer (0), one.getReadPointer (0), bytes), 0)
                << what << ", left, block at " << start;
            ASSERT_EQ (std::memcmp (both.getReadPointer (1), other.getReadPointer (0), bytes), 0)
                << what << ", right, block at " << start;
        }
    }
};

Signal pluck (double rate, double frequency, double period, float level)
{
    return [=] (int n)
    {
        const double t = std::fmod (n / rate, period);
        return level * static_cast<float> (std::exp (-5.0 * t) * std::sin (2.0 * juce::MathConstants<double>::pi * frequency * t));
    };
}

// Notes that stop for a while, so the gate closes between them.
Signal pluckWithRests (double rate, double frequency, double period, float level)
{
    const auto note = pluck (rate, frequency, period, level);
    return [=] (int n) { return std::fmod (n / rate, period) < period * 0.6 ? note (n) : 0.0f; };
}
}

TEST (StereoProcessing, EachChannelSoundsExactlyAsAMonoInstanceInEveryCircuitAndQuality)
{
    const double rate = 44100.0;

    for (const bool hq : { false, true })
        for (int circuit = 0; circuit <= 4; ++circuit)
        {
            StereoAgainstMono run (rate, 256);
            run.set (P::hq, hq ? 1.0f : 0.0f);
            run.set (P::gate, 0.35f);
            run.set (P::gain, 0.8f);
            run.set (P::circuitType, static_cast<float> (circuit) / 23.0f);
            run.set (P::mix, 0.9f);

            run.expectSame (22050, pluck (rate, 110.0, 0.25, 0.5f), pluckWithRests (rate, 164.81, 0.3, 0.2f),
                            "circuit " + std::to_string (circuit) + ", HQ " + std::to_string (hq));
        }
}

TEST (StereoProcessing, ACircuitSwitchFadingInsideABlockKeepsBothChannelsExact)
{
    const double rate = 48000.0;
    const auto left = pluck (rate, 82.41, 0.25, 0.6f);
    const auto right = pluckWithRests (rate, 123.47, 0.2, 0.3f);

    for (const bool hq : { false, true })
    {
        // 300-sample blocks: the 480- or 960-sample fade-in ends inside a block.
        StereoAgainstMono run (rate, 300);
        run.set (P::hq, hq ? 1.0f : 0.0f);
        run.set (P::gate, 0.3f);
        run.expectSame (4800, left, right, "before");

        for (const int circuit : { 4, 1, 2, 7, 3 })
        {
            run.set (P::circuitType, static_cast<float> (circuit) / 23.0f);
            run.set (P::treble, 0.1f * static_cast<float> (circuit));
            run.expectSame (3000, left, right, "switched to " + std::to_string (circuit) + ", HQ " + std::to_string (hq));
        }
    }
}

TEST (StereoProcessing, NonFiniteInputIsRecoveredFromExactlyAsInMono)
{
    const double rate = 44100.0;

    for (const bool hq : { false, true })
        for (const float bad : { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity() })
        {
            StereoAgainstMono run (rate, 128);
            run.set (P::hq, hq ? 1.0f : 0.0f);
            run.set (P::gate, 0.2f);

            const auto left = pluck (rate, 220.0, 0.25, 0.4f);
            const auto right = pluck (rate, 147.0, 0.3, 0.3f);

            // Both channels go bad in the same block: one bad channel resets the oversampler that
            // both share, which a mono instance of the other channel could not know about.
            const auto broken = [&] (const Signal& s) { return [&, s] (int n) { return n % 17 == 0 ? bad : s (n); }; };
            const std::string what = "HQ " + std::to_string (hq) + ", input " + std::to_string (bad);

            run.expectSame (4096, left, right, what + ", before");
            run.expectSame (128, broken (left), broken (right), what + ", bad block");
            run.expectSame (8192, left, right, what + ", after");
        }
}
