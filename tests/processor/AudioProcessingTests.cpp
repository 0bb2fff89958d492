#include <gtest/gtest.h>

#include "ProcessorRig.h"

#include <cmath>

namespace
{
using P = QuillmontParameters::Index;

// The largest difference between output and the input delayed by `delay` samples (linearly
// interpolated), from sample `from` on.
float largestDeviationFromDelayedInput (const juce::AudioBuffer<float>& in, const juce::AudioBuffer<float>& out,
                                        int channel, float delay, int from)
{
    const int whole = static_cast<int> (delay);
    const float frac = delay - static_cast<float> (whole);
    float worst = 0.0f;

    for (int n = from; n < out.getNumSamples(); ++n)
    {
        const float expected = (1.0f - frac) * in.getSample (channel, n - whole) + frac * in.getSample (channel, n - whole - 1);
        worst = std::max (worst, std::abs (out.getSample (channel, n) - expected));
    }

    return worst;
}

TEST (AudioProcessing, MixAtZeroLetsTheDrySignalThrough)
{
    ProcessorRig rig;
    rig.prepare (44100.0, 512);
    rig.set (P::mix, 0.0f);

    juce::AudioBuffer<float> in, out;
    rig.run (44100, rig.sine (440.0), &in, &out);

    for (int c = 0; c < 2; ++c)
        EXPECT_LT (largestDeviationFromDelayedInput (in, out, c, 0.0f, 22050), 1e-6f);
}

TEST (AudioProcessing, MixFullUpGivesTheDistortedSignal)
{
    ProcessorRig rig;
    rig.prepare (44100.0, 512);

    juce::AudioBuffer<float> in, out;
    rig.run (44100, rig.sine (440.0), &in, &out);

    EXPECT_GT (largestDeviationFromDelayedInput (in, out, 0, 0.0f, 22050), 0.05f);
    EXPECT_GT (ProcessorRig::rms (out, 0, 22050), 0.01f);
}

TEST (AudioProcessing, PowerOffGivesTheDrySignalDelayedLikeTheProcessedOneInHQ)
{
    for (const bool hq : { false, true })
    {
        ProcessorRig rig;
        rig.prepare (48000.0, 256);
        rig.set (P::power, 0.0f);
        rig.set (P::hq, hq ? 1.0f : 0.0f);

        juce::AudioBuffer<float> in, out;
        rig.run (48000, rig.sine (300.0), &in, &out);

        const float delay = hq ? rig.processor.oversampler->getLatencyInSamples() : 0.0f;
        EXPECT_EQ (rig.processor.getLatencySamples(), hq ? juce::roundToInt (delay) : 0);

        for (int c = 0; c < 2; ++c)
            EXPECT_LT (largestDeviationFromDelayedInput (in, out, c, delay, 24000), 1e-5f) << "HQ " << hq;

        // Undelayed, the HQ output would be visibly off.
        if (hq)
        {
            EXPECT_GT (largestDeviationFromDelayedInput (in, out, 0, 0.0f, 24000), 1e-3f);
        }
    }
}

TEST (AudioProcessing, LevelAtZeroIsSilent)
{
    ProcessorRig rig;
    rig.prepare (44100.0, 512);
    rig.set (P::level, 0.0f);

    juce::AudioBuffer<float> out;
    rig.run (44100, rig.sine (220.0, 0.5f), nullptr, &out);

    EXPECT_LT (out.getMagnitude (0, 22050, 22050), 1e-5f);
}

TEST (AudioProcessing, EveryCircuitSoundsDifferent)
{
    std::vector<juce::AudioBuffer<float>> outputs;

    for (int circuit = 0; circuit <= 4; ++circuit)
    {
        ProcessorRig rig;
        rig.prepare (44100.0, 512);
        rig.set (P::circuitType, static_cast<float> (circuit) / 23.0f);

        juce::AudioBuffer<float> out;
        rig.run (22050, rig.sine (196.0), nullptr, &out);
        EXPECT_EQ (rig.processor.getCircuitName(), (juce::StringArray { "Default", "Bass", "MGV", "Plexy", "Smooth" }[circuit]));
        outputs.push_back (out);
    }

    for (size_t a = 0; a < outputs.size(); ++a)
        for (size_t b = a + 1; b < outputs.size(); ++b)
        {
            juce::AudioBuffer<float> difference (outputs[a]);
            difference.addFrom (0, 0, outputs[b], 0, 0, difference.getNumSamples(), -1.0f);
            EXPECT_GT (ProcessorRig::rms (difference, 0, 11025), 0.005f) << a << " vs " << b;
        }
}

TEST (AudioProcessing, StereoChannelsDoNotLeakIntoEachOther)
{
    ProcessorRig rig;
    rig.prepare (44100.0, 512);
    const auto left = rig.sine (330.0);

    juce::AudioBuffer<float> block (2, 512);
    juce::MidiBuffer midi;
    float rightPeak = 0.0f, leftRms = 0.0f;

    for (int b = 0; b < 80; ++b)
    {
        for (int i = 0; i < 512; ++i)
        {
            block.setSample (0, i, left (b * 512 + i));
            block.setSample (1, i, 0.0f);
        }

        rig.processor.processBlock (block, midi);

        if (b >= 40)
        {
            rightPeak = std::max (rightPeak, block.getMagnitude (1, 0, 512));
            leftRms = block.getRMSLevel (0, 0, 512);
        }
    }

    EXPECT_GT (leftRms, 0.01f);
    EXPECT_LT (rightPeak, 1e-6f);
}

TEST (AudioProcessing, MonoRunsTheFirstChannelModelOnly)
{
    ProcessorRig rig (1);
    rig.prepare (44100.0, 512);
    rig.set (P::gate, 0.2f);
    ASSERT_EQ (rig.processor.getTotalNumInputChannels(), 1);

    juce::AudioBuffer<float> in, out;
    rig.run (22050, rig.sine (220.0), &in, &out);

    EXPECT_GT (largestDeviationFromDelayedInput (in, out, 0, 0.0f, 11025), 0.05f);
    EXPECT_NE (rig.processor.models[0].filters.outputLowpass.state, 0.0f);
    EXPECT_EQ (rig.processor.models[1].filters.outputLowpass.state, 0.0f);
    EXPECT_EQ (rig.processor.noiseGates[1].envelope, 0.0f);
}

TEST (AudioProcessing, GateSilencesTheOutputWhenThePlayerStops)
{
    ProcessorRig rig;
    rig.prepare (44100.0, 512);
    rig.set (P::gate, 0.8f); // about -38 dB

    juce::AudioBuffer<float> playing, resting;
    rig.run (22050, rig.sine (1000.0, 0.5f), nullptr, &playing);
    rig.run (44100, [] (int n) { return 0.001f * static_cast<float> (std::sin (n * 0.05)); }, nullptr, &resting);

    // The gate closes with a glide of tens of milliseconds; after a second it is shut.
    EXPECT_GT (ProcessorRig::rms (playing, 0, 11025), 0.01f);
    EXPECT_GT (resting.getMagnitude (0, 0, 2000), 1e-3f);
    EXPECT_LT (resting.getMagnitude (0, 33075, 11025), 1e-6f);
}

TEST (AudioProcessing, InputGainDrivesTheCircuitHarder)
{
    auto measure = [] (float inputGain)
    {
        ProcessorRig rig;
        rig.prepare (44100.0, 512);
        rig.set (P::inputGain, inputGain);
        rig.set (P::circuitType, 4.0f / 23.0f); // no hard clipping, so level follows drive
        rig.set (P::gain, 0.0f);
        juce::AudioBuffer<float> out;
        rig.run (22050, rig.sine (220.0, 0.01f), nullptr, &out);
        return ProcessorRig::rms (out, 0, 11025);
    };

    EXPECT_GT (measure (1.0f), 2.0f * measure (0.5f));
    EXPECT_LT (measure (0.0f), 0.5f * measure (0.5f));
}

// A host that ignores the refused layout and sends more outputs than inputs.
struct WideOutputProcessor : TheQuillmontAudioProcessor
{
    bool isBusesLayoutSupported (const BusesLayout&) const override { return true; }
};

TEST (AudioProcessing, OutputsWithoutAnInputAreClearedWhenProcessingAndBypassed)
{
    WideOutputProcessor processor;
    processor.setPlayConfigDetails (1, 2, 44100.0, 64);
    ASSERT_EQ (processor.getTotalNumInputChannels(), 1);
    ASSERT_EQ (processor.getTotalNumOutputChannels(), 2);
    processor.prepareToPlay (44100.0, 64);

    auto fill = [] (juce::AudioBuffer<float>& buffer)
    {
        for (int i = 0; i < 64; ++i)
        {
            buffer.setSample (0, i, 0.25f);
            buffer.setSample (1, i, 0.5f);
        }
    };

    juce::AudioBuffer<float> buffer (2, 64);
    juce::MidiBuffer midi;

    fill (buffer);
    processor.processBlockBypassed (buffer, midi);
    EXPECT_EQ (buffer.getMagnitude (1, 0, 64), 0.0f);
    EXPECT_EQ (buffer.getSample (0, 10), 0.25f);

    fill (buffer);
    processor.processBlock (buffer, midi);
    EXPECT_EQ (buffer.getMagnitude (1, 0, 64), 0.0f);
}

} // namespace
