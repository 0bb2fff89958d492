#include "processor/TheQuillmontAudioProcessor.h"

#include <benchmark/benchmark.h>

namespace
{
    // Hosts save every instance's state with each project save and auto-save, and restore it
    // when the project opens; both run on a host thread of its choice.
    struct BenchProcessor
    {
        BenchProcessor()
        {
            folder.createDirectory();
            PluginSettings::overrideBaseFolder (folder);
            processor = std::make_unique<TheQuillmontAudioProcessor>();
        }

        ~BenchProcessor()
        {
            processor.reset();
            PluginSettings::overrideBaseFolder ({});
            folder.deleteRecursively();
        }

        const juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                                      .getChildFile ("quillmont-state-bench-" + juce::Uuid().toString());
        std::unique_ptr<TheQuillmontAudioProcessor> processor;
    };

    void saveHostState (benchmark::State& state)
    {
        BenchProcessor bench;
        juce::MemoryBlock block;

        for (auto _ : state)
        {
            bench.processor->getStateInformation (block);
            benchmark::DoNotOptimize (block.getData());
        }
    }

    void restoreHostState (benchmark::State& state)
    {
        BenchProcessor bench;
        juce::MemoryBlock block;
        bench.processor->getStateInformation (block);

        for (auto _ : state)
            bench.processor->setStateInformation (block.getData(), (int) block.getSize());
    }
}

BENCHMARK (saveHostState)->Unit (benchmark::kMicrosecond);
BENCHMARK (restoreHostState)->Unit (benchmark::kMicrosecond);
