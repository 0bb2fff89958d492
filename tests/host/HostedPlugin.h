#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

// Loads the built VST3 bundle from disk through the framework's VST3 hosting, the way a DAW does.
// The bundle's path is the test binary's first argument.
namespace host
{
juce::File& bundlePath();

juce::PluginDescription describePlugin();

std::unique_ptr<juce::AudioPluginInstance> loadPlugin (double sampleRate = 44100.0, int blockSize = 512);

// Prepares the instance and runs one empty block: the values the plug-in writes back while it
// prepares reach the host's side only with the next process call.
void prepare (juce::AudioPluginInstance& instance, double sampleRate, int blockSize);

juce::AudioProcessorParameter* findParameter (juce::AudioPluginInstance& instance, const juce::String& name);

void fillWithSine (juce::AudioBuffer<float>& buffer, double sampleRate, float frequency, float amplitude);

float rms (const juce::AudioBuffer<float>& buffer, int channel);

bool allFinite (const juce::AudioBuffer<float>& buffer);
} // namespace host
