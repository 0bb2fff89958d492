#include "editor/TheQuillmontAudioProcessorEditor.h"

#include <benchmark/benchmark.h>

namespace
{
    // Opening the window: from construction to its first complete picture at 700 x 600, as the
    // host would show it. Target: under 150 ms. The pictures are decoded once per process, so
    // the first iteration pays for them and every later one measures a reopening.
    void openEditor (benchmark::State& state)
    {
        TheQuillmontAudioProcessor processor;
        juce::Image frame (juce::Image::ARGB, 700, 600, true);

        for (auto _ : state)
        {
            TheQuillmontAudioProcessorEditor editor (processor);
            juce::Graphics g (frame);
            editor.paintEntireComponent (g, true);
            benchmark::ClobberMemory();
        }
    }
}

BENCHMARK (openEditor)->Unit (benchmark::kMillisecond);
