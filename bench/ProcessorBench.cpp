#include <benchmark/benchmark.h>

#include "processor/TheQuillmontAudioProcessor.h"

#include <cmath>
#include <vector>

// Real-time factor of the whole processor: seconds of audio per second of one core. On one
// core the stereo rows should reach 100 with HQ off and 50 with HQ on.
namespace
{
constexpr double benchRate = 48000.0;

// Two seconds of plucked notes: a bright attack over decaying harmonics, one note every
// quarter second, moving through a few pitches like a simple riff.
const std::vector<float>& guitarLikeSignal()
{
    static const std::vector<float> signal = []
    {
        const int length = static_cast<int> (benchRate * 2.0);
        const int noteLength = static_cast<int> (benchRate * 0.25);
        const double pitches[] { 82.41, 110.0, 146.83, 98.0, 123.47, 164.81, 110.0, 82.41 };
        std::vector<float> s (static_cast<size_t> (length));

        for (int i = 0; i < length; ++i)
        {
            const int note = i / noteLength;
            const double t = (i % noteLength) / benchRate;
            const double f = pitches[note % 8];
            double v = 0.0;

            for (int h = 1; h <= 12; ++h)
                v += std::sin (2.0 * juce::MathConstants<double>::pi * f * h * t) * std::exp (-t * (2.0 + h * 1.5)) / h;

            s[static_cast<size_t> (i)] = static_cast<float> (0.3 * v);
        }

        return s;
    }();

    return signal;
}

void setParameter (TheQuillmontAudioProcessor& p, QuillmontParameters::Index index, float value)
{
    p.parameter (index).setValue (value);
}

void BM_ProcessBlock (benchmark::State& state)
{
    const int channels = static_cast<int> (state.range (0));
    const int blockSize = static_cast<int> (state.range (1));
    const bool hq = state.range (2) != 0;

    TheQuillmontAudioProcessor processor;
    const auto set = channels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (set);
    layout.outputBuses.add (set);
    processor.setBusesLayout (layout);
    processor.prepareToPlay (benchRate, blockSize);

    setParameter (processor, QuillmontParameters::gate, 0.3f);
    setParameter (processor, QuillmontParameters::hq, hq ? 1.0f : 0.0f);

    juce::AudioBuffer<float> buffer (channels, blockSize);
    juce::MidiBuffer midi;
    const auto& signal = guitarLikeSignal();
    size_t position = 0;

    // A fresh stretch of the signal for every block; copying it costs next to nothing beside
    // the processing, so it stays inside the timed loop.
    auto fill = [&]
    {
        if (position + static_cast<size_t> (blockSize) > signal.size())
            position = 0;

        for (int c = 0; c < channels; ++c)
            buffer.copyFrom (c, 0, signal.data() + position, blockSize);

        position += static_cast<size_t> (blockSize);
    };

    // Past the fade-in and the first parameter update.
    for (int i = 0; i < 50; ++i)
    {
        fill();
        processor.processBlock (buffer, midi);
    }

    for (auto _ : state)
    {
        fill();
        processor.processBlock (buffer, midi);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }

    state.counters["realtime"] = benchmark::Counter (static_cast<double> (state.iterations()) * blockSize / benchRate,
                                                     benchmark::Counter::kIsRate);
}

// A stereo 256-sample block that applies a change made since the last one, against a block
// that applies none. Changes: 0 none, 1 the next circuit, 2 HQ toggled (every other block
// then runs oversampled, so compare with the mean of the two ordinary rows of BM_ProcessBlock).
void BM_BlockApplyingASwitch (benchmark::State& state)
{
    const int change = static_cast<int> (state.range (0));
    constexpr int blockSize = 256;

    TheQuillmontAudioProcessor processor;
    processor.prepareToPlay (benchRate, blockSize);
    setParameter (processor, QuillmontParameters::gate, 0.3f);

    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;
    const auto& signal = guitarLikeSignal();
    size_t position = 0;
    int count = 0;

    auto processNextBlock = [&] (bool applyChange)
    {
        if (applyChange && change == 1)
            setParameter (processor, QuillmontParameters::circuitType, static_cast<float> (count % 5) / 23.0f);

        if (applyChange && change == 2)
            setParameter (processor, QuillmontParameters::hq, count % 2 == 0 ? 1.0f : 0.0f);

        count += applyChange ? 1 : 0;

        if (position + static_cast<size_t> (blockSize) > signal.size())
            position = 0;

        for (int c = 0; c < 2; ++c)
            buffer.copyFrom (c, 0, signal.data() + position, blockSize);

        position += static_cast<size_t> (blockSize);
        processor.processBlock (buffer, midi);
    };

    // Past the first parameter update and the fade-in.
    for (int i = 0; i < 50; ++i)
        processNextBlock (false);

    for (auto _ : state)
    {
        processNextBlock (true);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }
}
} // namespace

// Arguments: channels, block size, HQ.
BENCHMARK (BM_ProcessBlock)
    ->ArgNames ({ "channels", "block", "hq" })
    ->ArgsProduct ({ { 2, 1 }, { 64, 512 }, { 0, 1 } })
    ->Unit (benchmark::kMicrosecond);

BENCHMARK (BM_BlockApplyingASwitch)->ArgName ("change")->DenseRange (0, 2)->Unit (benchmark::kMicrosecond);
