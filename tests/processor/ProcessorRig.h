#pragma once

#include "processor/TheQuillmontAudioProcessor.h"

#include <cmath>
#include <functional>

// A processor driven like a host drives it: a layout, a prepare, then blocks of a test signal.
struct ProcessorRig
{
    using P = QuillmontParameters::Index;

    explicit ProcessorRig (int channels = 2)
    {
        const auto set = channels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (set);
        layout.outputBuses.add (set);
        processor.setBusesLayout (layout);
    }

    void prepare (double rate, int block)
    {
        sampleRate = rate;
        blockSize = block;
        processor.setRateAndBufferSizeDetails (rate, block);
        processor.prepareToPlay (rate, block);
    }

    void set (P index, float normalised) { processor.parameter (index).setValue (normalised); }

    // Runs `samples` samples of signal(n) through blocks of blockSize; returns input and output.
    void run (int samples, const std::function<float (int)>& signal,
              juce::AudioBuffer<float>* input = nullptr, juce::AudioBuffer<float>* output = nullptr)
    {
        const int channels = processor.getTotalNumOutputChannels();

        if (input != nullptr)
            input->setSize (channels, samples);

        if (output != nullptr)
            output->setSize (channels, samples);

        juce::AudioBuffer<float> block (channels, blockSize);
        juce::MidiBuffer midi;

        for (int start = 0; start < samples; start += blockSize)
        {
            const int n = std::min (blockSize, samples - start);
            block.setSize (channels, n, false, false, true);

            for (int c = 0; c < channels; ++c)
                for (int i = 0; i < n; ++i)
                    block.setSample (c, i, signal (position + i));

            if (input != nullptr)
                for (int c = 0; c < channels; ++c)
                    input->copyFrom (c, start, block, c, 0, n);

            processor.processBlock (block, midi);

            if (output != nullptr)
                for (int c = 0; c < channels; ++c)
                    output->copyFrom (c, start, block, c, 0, n);

            position += n;
        }
    }

    std::function<float (int)> sine (double frequency, float amplitude = 0.3f) const
    {
        const double rate = sampleRate;
        return [=] (int n) { return amplitude * static_cast<float> (std::sin (juce::MathConstants<double>::twoPi * frequency * n / rate)); };
    }

    static float rms (const juce::AudioBuffer<float>& b, int channel, int start = 0)
    {
        return b.getRMSLevel (channel, start, b.getNumSamples() - start);
    }

    TheQuillmontAudioProcessor processor;
    double sampleRate = 44100.0;
    int blockSize = 512;
    int position = 0;
};
