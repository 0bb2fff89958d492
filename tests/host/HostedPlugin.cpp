#include "HostedPlugin.h"

#include <gtest/gtest.h>

#include <cmath>

namespace host
{
juce::File& bundlePath()
{
    static juce::File path;
    return path;
}

juce::PluginDescription describePlugin()
{
    juce::VST3PluginFormat format;
    juce::OwnedArray<juce::PluginDescription> types;
    format.findAllTypesForFile (types, bundlePath().getFullPathName());

    if (types.size() != 1)
        ADD_FAILURE() << "expected one plug-in in " << bundlePath().getFullPathName() << ", found " << types.size();

    return types.isEmpty() ? juce::PluginDescription() : *types.getFirst();
}

std::unique_ptr<juce::AudioPluginInstance> loadPlugin (double sampleRate, int blockSize)
{
    juce::VST3PluginFormat format;
    juce::String error;
    auto instance = format.createInstanceFromDescription (describePlugin(), sampleRate, blockSize, error);

    if (instance == nullptr)
        ADD_FAILURE() << "the module did not load: " << error;

    return instance;
}

void prepare (juce::AudioPluginInstance& instance, double sampleRate, int blockSize)
{
    instance.setRateAndBufferSizeDetails (sampleRate, blockSize);
    instance.prepareToPlay (sampleRate, blockSize);

    juce::AudioBuffer<float> silence (juce::jmax (instance.getTotalNumInputChannels(),
                                                  instance.getTotalNumOutputChannels()),
                                      blockSize);
    silence.clear();
    juce::MidiBuffer midi;
    instance.processBlock (silence, midi);
}

juce::AudioProcessorParameter* findParameter (juce::AudioPluginInstance& instance, const juce::String& name)
{
    for (auto* p : instance.getParameters())
        if (p->getName (100) == name)
            return p;

    ADD_FAILURE() << "no parameter named " << name;
    return nullptr;
}

void fillWithSine (juce::AudioBuffer<float>& buffer, double sampleRate, float frequency, float amplitude)
{
    for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            buffer.setSample (ch, i, amplitude * (float) std::sin (juce::MathConstants<double>::twoPi * frequency * i / sampleRate));
}

float rms (const juce::AudioBuffer<float>& buffer, int channel)
{
    return buffer.getRMSLevel (channel, 0, buffer.getNumSamples());
}

bool allFinite (const juce::AudioBuffer<float>& buffer)
{
    for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            if (! std::isfinite (buffer.getSample (ch, i)))
                return false;
    return true;
}
} // namespace host
