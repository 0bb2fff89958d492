#include "processor/TheQuillmontAudioProcessor.h"

#include <benchmark/benchmark.h>

namespace
{
    // Hosts save every instance's state with each project save and auto-save, and restore it
    // when the project opens; both run on a host thread of its choice.
    void saveHostState (benchmark::State& state)
    {
        TheQuillmontAudioProcessor processor;
        juce::MemoryBlock block;

        for (auto _ : state)
        {
            processor.getStateInformation (block);
            benchmark::DoNotOptimize (block.getData());
        }
    }

    void restoreHostState (benchmark::State& state)
    {
        TheQuillmontAudioProcessor processor;
        juce::MemoryBlock block;
        processor.getStateInformation (block);

        for (auto _ : state)
            processor.setStateInformation (block.getData(), (int) block.getSize());
    }
}

BENCHMARK (saveHostState)->Unit (benchmark::kMicrosecond);
BENCHMARK (restoreHostState)->Unit (benchmark::kMicrosecond);
