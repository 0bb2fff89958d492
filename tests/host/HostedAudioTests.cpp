#include <gtest/gtest.h>

#include "HostedPlugin.h"

#include <cmath>

namespace
{
constexpr double rate = 48000.0;
constexpr int block = 256;

// Level of one frequency in a channel, by correlation with a sine and a cosine.
double levelAt (const juce::AudioBuffer<float>& buffer, double frequency)
{
    double re = 0.0, im = 0.0;

    for (int n = 0; n < buffer.getNumSamples(); ++n)
    {
        const double phase = juce::MathConstants<double>::twoPi * frequency * n / rate;
        re += buffer.getSample (0, n) * std::cos (phase);
        im += buffer.getSample (0, n) * std::sin (phase);
    }

    return 2.0 * std::sqrt (re * re + im * im) / buffer.getNumSamples();
}

// One second of a 250 Hz sine through a freshly loaded module set to a circuit; the last
// half second (a whole number of periods) comes back.
juce::AudioBuffer<float> playThroughCircuit (int circuit)
{
    auto plugin = host::loadPlugin (rate, block);

    if (plugin == nullptr)
        return {};

    host::prepare (*plugin, rate, block);

    if (auto* type = host::findParameter (*plugin, "Circuit Type"))
        type->setValueNotifyingHost (static_cast<float> (circuit) / 23.0f);

    const int blocks = static_cast<int> (rate) / block;
    juce::AudioBuffer<float> buffer (2, block), all (2, blocks * block);
    juce::MidiBuffer midi;

    for (int b = 0; b < blocks; ++b)
    {
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < block; ++i)
                buffer.setSample (c, i, 0.25f * static_cast<float> (std::sin (juce::MathConstants<double>::twoPi * 250.0 * (b * block + i) / rate)));

        plugin->processBlock (buffer, midi);

        for (int c = 0; c < 2; ++c)
            all.copyFrom (c, b * block, buffer, c, 0, block);
    }

    const int tailLength = static_cast<int> (rate / 2);
    juce::AudioBuffer<float> tail (2, tailLength);

    for (int c = 0; c < 2; ++c)
        tail.copyFrom (c, 0, all, c, all.getNumSamples() - tailLength, tailLength);

    plugin->releaseResources();
    return tail;
}

TEST (HostedAudio, ASineComesBackDistortedAndEachCircuitSoundsDifferent)
{
    std::vector<juce::AudioBuffer<float>> outputs;

    for (int circuit = 0; circuit <= 4; ++circuit)
    {
        auto out = playThroughCircuit (circuit);
        ASSERT_GT (out.getNumSamples(), 0);
        ASSERT_TRUE (host::allFinite (out));

        // Harmonics that were not in the input: the second (the clipper is not symmetric in
        // every circuit) or the third.
        const double fundamental = levelAt (out, 250.0);
        const double harmonics = levelAt (out, 500.0) + levelAt (out, 750.0) + levelAt (out, 1250.0);
        EXPECT_GT (fundamental, 0.005) << circuit;
        EXPECT_GT (harmonics / fundamental, 0.05) << "circuit " << circuit << " is not distorting";
        outputs.push_back (out);
    }

    for (size_t a = 0; a < outputs.size(); ++a)
        for (size_t b = a + 1; b < outputs.size(); ++b)
        {
            juce::AudioBuffer<float> difference (outputs[a]);
            difference.addFrom (0, 0, outputs[b], 0, 0, difference.getNumSamples(), -1.0f);
            EXPECT_GT (host::rms (difference, 0), 0.1f * std::max (host::rms (outputs[a], 0), host::rms (outputs[b], 0)))
                << "circuits " << a << " and " << b << " sound alike";
        }
}

TEST (HostedAudio, SwitchingHQOnReportsTheLatencyToTheHost)
{
    auto plugin = host::loadPlugin (rate, block);
    ASSERT_NE (plugin, nullptr);
    host::prepare (*plugin, rate, block);
    EXPECT_EQ (plugin->getLatencySamples(), 0);

    auto* hq = host::findParameter (*plugin, "HQ");
    ASSERT_NE (hq, nullptr);

    juce::AudioBuffer<float> buffer (2, block);
    juce::MidiBuffer midi;

    // The plug-in announces the change from its side; the host learns it on its message thread.
    auto processUntilLatencyIs = [&] (auto predicate)
    {
        for (int attempt = 0; attempt < 100 && ! predicate (plugin->getLatencySamples()); ++attempt)
        {
            host::fillWithSine (buffer, rate, 220.0f, 0.25f);
            plugin->processBlock (buffer, midi);
            juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
        }

        return plugin->getLatencySamples();
    };

    hq->setValueNotifyingHost (1.0f);
    EXPECT_GT (processUntilLatencyIs ([] (int latency) { return latency > 0; }), 0);
    EXPECT_EQ (hq->getCurrentValueAsText(), "On");

    hq->setValueNotifyingHost (0.0f);
    EXPECT_EQ (processUntilLatencyIs ([] (int latency) { return latency == 0; }), 0);

    plugin->releaseResources();
}
} // namespace
