#include <gtest/gtest.h>

#include "HostedPlugin.h"

#include <cmath>

// The framework's VST3 wrapper adds a "Bypass" switch of its own and, while it is on, calls the
// plug-in's bypassed processing instead of the normal one.
namespace
{
constexpr double rate = 48000.0;
constexpr int block = 256;
constexpr int clickAt = 100;

struct BypassRig
{
    BypassRig()
    {
        plugin = host::loadPlugin (rate, block);

        if (plugin == nullptr)
            return;

        host::prepare (*plugin, rate, block);
        bypass = host::findParameter (*plugin, "Bypass");
        hq = host::findParameter (*plugin, "HQ");

        // Power off: the processed output is the dry signal, on the same dry path as with HQ.
        if (auto* power = host::findParameter (*plugin, "Power"))
            power->setValueNotifyingHost (0.0f);
    }

    void processSilence (int blocks)
    {
        for (int b = 0; b < blocks; ++b)
        {
            buffer.clear();
            plugin->processBlock (buffer, midi);
        }
    }

    // The plug-in announces a new latency from its side; the host learns it on its message thread.
    int switchHQ (bool on)
    {
        hq->setValueNotifyingHost (on ? 1.0f : 0.0f);

        for (int attempt = 0; attempt < 100 && (plugin->getLatencySamples() > 0) != on; ++attempt)
        {
            processSilence (1);
            juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
        }

        processSilence (static_cast<int> (rate) / block); // the power cross-fade settles
        return plugin->getLatencySamples();
    }

    // The block in which a click comes back, with the wrapper's bypass set as given.
    juce::AudioBuffer<float> click (bool bypassed)
    {
        bypass->setValueNotifyingHost (bypassed ? 1.0f : 0.0f);
        processSilence (2);

        buffer.clear();
        buffer.setSample (0, clickAt, 0.5f);
        buffer.setSample (1, clickAt, -0.5f);
        plugin->processBlock (buffer, midi);
        return buffer;
    }

    static int peakPosition (const juce::AudioBuffer<float>& out, int channel)
    {
        int peak = 0;

        for (int i = 1; i < out.getNumSamples(); ++i)
            if (std::abs (out.getSample (channel, i)) > std::abs (out.getSample (channel, peak)))
                peak = i;

        return peak;
    }

    std::unique_ptr<juce::AudioPluginInstance> plugin;
    juce::AudioProcessorParameter* bypass = nullptr;
    juce::AudioProcessorParameter* hq = nullptr;
    juce::AudioBuffer<float> buffer { 2, block };
    juce::MidiBuffer midi;
};

void expectSameBlock (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < block; ++i)
            ASSERT_FLOAT_EQ (a.getSample (c, i), b.getSample (c, i)) << "channel " << c << ", sample " << i;
}

TEST (HostedBypass, WithHQOnABypassedClickComesOutWhereAProcessedOneDoes)
{
    BypassRig rig;
    ASSERT_NE (rig.plugin, nullptr);
    ASSERT_NE (rig.bypass, nullptr);
    ASSERT_NE (rig.hq, nullptr);

    const int latency = rig.switchHQ (true);
    ASSERT_GT (latency, 0);

    const auto processed = rig.click (false);
    const auto bypassed = rig.click (true);
    const auto processedAgain = rig.click (false);

    for (int c = 0; c < 2; ++c)
    {
        EXPECT_EQ (BypassRig::peakPosition (processed, c), clickAt + latency);
        EXPECT_EQ (BypassRig::peakPosition (bypassed, c), clickAt + latency);
    }

    expectSameBlock (bypassed, processed);
    expectSameBlock (processedAgain, processed);
}

TEST (HostedBypass, WithHQOffABypassedClickPassesUntouched)
{
    BypassRig rig;
    ASSERT_NE (rig.plugin, nullptr);
    ASSERT_NE (rig.bypass, nullptr);
    ASSERT_EQ (rig.plugin->getLatencySamples(), 0);
    rig.processSilence (static_cast<int> (rate) / block);

    const auto bypassed = rig.click (true);
    EXPECT_EQ (bypassed.getSample (0, clickAt), 0.5f);
    EXPECT_EQ (bypassed.getSample (1, clickAt), -0.5f);
    EXPECT_EQ (bypassed.getMagnitude (0, block), 0.5f);
    expectSameBlock (bypassed, rig.click (false));
}
} // namespace
