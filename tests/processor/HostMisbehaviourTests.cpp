#include <gtest/gtest.h>

#include "ProcessorRig.h"

#include <limits>

namespace
{
using P = QuillmontParameters::Index;

bool allFinite (const juce::AudioBuffer<float>& buffer)
{
    for (int c = 0; c < buffer.getNumChannels(); ++c)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            if (! std::isfinite (buffer.getSample (c, i)))
                return false;

    return true;
}

// A block longer than announced must sound exactly as if the host had kept its promise.
TEST (HostMisbehaviour, ABlockLongerThanAnnouncedSoundsLikeTheAnnouncedBlocks)
{
    for (const bool hq : { false, true })
    {
        ProcessorRig announced, overlong;

        for (auto* rig : { &announced, &overlong })
        {
            rig->prepare (44100.0, 64);
            rig->set (P::hq, hq ? 1.0f : 0.0f);
            rig->set (P::gate, 0.3f);
            rig->run (64, rig->sine (220.0)); // apply the values in both before the comparison
        }

        const auto signal = announced.sine (330.0);
        juce::AudioBuffer<float> expected;
        announced.run (1000, signal, nullptr, &expected);

        juce::AudioBuffer<float> buffer (2, 1000);
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < 1000; ++i)
                buffer.setSample (c, i, signal (64 + i));

        juce::MidiBuffer midi;
        overlong.processor.processBlock (buffer, midi);

        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < 1000; ++i)
                ASSERT_EQ (buffer.getSample (c, i), expected.getSample (c, i)) << "HQ " << hq << " sample " << i;
    }
}

TEST (HostMisbehaviour, AnEmptyBlockChangesNothing)
{
    ProcessorRig rig;
    rig.prepare (48000.0, 128);
    rig.set (P::hq, 1.0f);
    rig.run (128, rig.sine (220.0));
    const auto state = rig.processor.models[0].filters.outputLowpass.state;

    juce::AudioBuffer<float> empty (2, 0);
    juce::MidiBuffer midi;
    rig.processor.processBlock (empty, midi);

    EXPECT_EQ (rig.processor.models[0].filters.outputLowpass.state, state);
    EXPECT_GT (rig.processor.getLatencySamples(), 0);
}

TEST (HostMisbehaviour, ProcessingBeforePreparingPassesTheInputThrough)
{
    TheQuillmontAudioProcessor processor;
    juce::AudioBuffer<float> buffer (2, 256);

    for (int i = 0; i < 256; ++i)
        for (int c = 0; c < 2; ++c)
            buffer.setSample (c, i, 0.1f * static_cast<float> (i % 7));

    juce::MidiBuffer midi;
    processor.processBlock (buffer, midi);

    EXPECT_EQ (buffer.getSample (0, 13), 0.1f * 6.0f);
    EXPECT_EQ (buffer.getSample (1, 200), 0.1f * static_cast<float> (200 % 7));
}

TEST (HostMisbehaviour, EveryRateFromEightTo384KilohertzSoundsInBothQualities)
{
    for (const double rate : { 8000.0, 11025.0, 22050.0, 44100.0, 96000.0, 192000.0, 384000.0 })
        for (const bool hq : { false, true })
        {
            ProcessorRig rig;
            rig.prepare (rate, 256);
            rig.set (P::hq, hq ? 1.0f : 0.0f);
            rig.set (P::gate, 0.2f);

            juce::AudioBuffer<float> out;
            rig.run (static_cast<int> (rate / 4), rig.sine (220.0), nullptr, &out);

            EXPECT_TRUE (allFinite (out)) << rate << " HQ " << hq;
            EXPECT_GT (ProcessorRig::rms (out, 1, out.getNumSamples() / 2), 0.01f) << rate << " HQ " << hq;
        }
}

TEST (HostMisbehaviour, NonFiniteInputLeavesNoTraceOnceTheInputIsFiniteAgain)
{
    for (const bool hq : { false, true })
        for (const float bad : { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                                 -std::numeric_limits<float>::infinity() })
        {
            ProcessorRig rig;
            rig.prepare (44100.0, 128);
            rig.set (P::hq, hq ? 1.0f : 0.0f);
            rig.set (P::gate, 0.2f);
            rig.run (4096, rig.sine (220.0));

            const auto sine = rig.sine (220.0);
            rig.run (128, [&] (int n) { return n % 17 == 0 ? bad : sine (n); });

            juce::AudioBuffer<float> out;
            rig.run (8192, sine, nullptr, &out);

            EXPECT_TRUE (allFinite (out)) << "HQ " << hq << " input " << bad;
            EXPECT_GT (ProcessorRig::rms (out, 0, 4096), 0.01f) << "HQ " << hq << " input " << bad;
        }
}

TEST (HostMisbehaviour, AutomatedValuesOutsideTheRangeStayWithinTheKnobs)
{
    ProcessorRig rig;
    rig.prepare (44100.0, 256);
    rig.set (P::gain, 1.7f);
    rig.set (P::level, -0.4f);
    rig.set (P::mix, 3.0f);

    juce::AudioBuffer<float> out;
    rig.run (22050, rig.sine (220.0), nullptr, &out);

    EXPECT_TRUE (allFinite (out));
    EXPECT_NEAR (rig.processor.models[0].waveshaperA.gain, 46.45, 0.01);
    EXPECT_EQ (rig.processor.mixSmoother.target, 1.0f);
    EXPECT_LT (out.getMagnitude (0, 11025, 11025), 1e-5f); // level below 0 is level 0
}
} // namespace
