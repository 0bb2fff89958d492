#include <gtest/gtest.h>

#include "HostedPlugin.h"

namespace
{
using Layout = juce::AudioProcessor::BusesLayout;

Layout layout (juce::AudioChannelSet in, juce::AudioChannelSet out)
{
    Layout l;
    l.inputBuses.add (in);
    l.outputBuses.add (out);
    return l;
}

TEST (HostedModule, DescribesItselfAsAKorvanthDistortionEffect)
{
    const auto d = host::describePlugin();
    EXPECT_EQ (d.name, "The Quillmont");
    EXPECT_EQ (d.manufacturerName, "Korvanth");
    EXPECT_EQ (d.category, "Fx|Distortion");
    EXPECT_EQ (d.version, "1.0.1");
    EXPECT_EQ (d.pluginFormatName, "VST3");
    EXPECT_FALSE (d.isInstrument);
}

TEST (HostedModule, ShowsTwelveParametersInOrderWithTheirDefaultTexts)
{
    auto plugin = host::loadPlugin();
    ASSERT_NE (plugin, nullptr);

    const juce::StringArray names { "Power", "Gain", "Bass", "Mid", "Treble", "Level",
                                    "Input Gain", "Output Gain", "Mix", "HQ", "Noise Gate", "Circuit Type" };
    const juce::StringArray texts { "On", "50.0 %", "50.0 %", "50.0 %", "50.0 %", "50.0 %",
                                    "0.0 dB", "0.0 dB", "100.0 %", "Off", "0.0 %" };

    // The framework's VST3 wrapper adds a host bypass switch after the plug-in's own parameters.
    const auto& params = plugin->getParameters();
    ASSERT_EQ (params.size(), names.size() + 1);
    EXPECT_EQ (params[names.size()]->getName (100), "Bypass");

    for (int i = 0; i < names.size(); ++i)
    {
        EXPECT_EQ (params[i]->getName (100), names[i]);
        if (i < texts.size())
        {
            EXPECT_EQ (params[i]->getCurrentValueAsText(), texts[i]) << names[i];
        }
    }
}

TEST (HostedModule, AcceptsMatchingMonoOrStereoAndRefusesMonoToStereo)
{
    auto plugin = host::loadPlugin();
    ASSERT_NE (plugin, nullptr);

    const auto mono = juce::AudioChannelSet::mono();
    const auto stereo = juce::AudioChannelSet::stereo();

    EXPECT_TRUE (plugin->checkBusesLayoutSupported (layout (stereo, stereo)));
    EXPECT_TRUE (plugin->checkBusesLayoutSupported (layout (mono, mono)));
    EXPECT_FALSE (plugin->checkBusesLayoutSupported (layout (mono, stereo)));
}

TEST (HostedModule, AParameterSetByTheHostChangesItsText)
{
    auto plugin = host::loadPlugin();
    ASSERT_NE (plugin, nullptr);
    host::prepare (*plugin, 44100.0, 512);

    auto* gain = host::findParameter (*plugin, "Gain");
    ASSERT_NE (gain, nullptr);
    gain->setValueNotifyingHost (0.75f);

    EXPECT_FLOAT_EQ (gain->getValue(), 0.75f);
    EXPECT_EQ (gain->getCurrentValueAsText(), "75.0 %");

    auto* power = host::findParameter (*plugin, "Power");
    ASSERT_NE (power, nullptr);
    power->setValueNotifyingHost (0.0f);
    EXPECT_EQ (power->getCurrentValueAsText(), "Off");
}

TEST (HostedModule, AudioComesOutFiniteAndAudible)
{
    constexpr double rate = 48000.0;
    constexpr int block = 256;

    auto plugin = host::loadPlugin (rate, block);
    ASSERT_NE (plugin, nullptr);
    host::prepare (*plugin, rate, block);

    juce::AudioBuffer<float> buffer (2, block);
    juce::MidiBuffer midi;
    float outputRms = 0.0f;

    for (int b = 0; b < 40; ++b)
    {
        host::fillWithSine (buffer, rate, 220.0f, 0.25f);
        plugin->processBlock (buffer, midi);
        ASSERT_TRUE (host::allFinite (buffer));
        outputRms = host::rms (buffer, 0);
    }

    EXPECT_GT (outputRms, 0.01f);
    plugin->releaseResources();
}
} // namespace
