#include "FirstPrepareChild.h"

#include "processor/TheQuillmontAudioProcessor.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

// What preparing costs the host: the first prepare of the first instance in a process, which
// solves every clipper table itself, and the first prepare of a further instance at the same rate.
namespace
{
    constexpr int blockSize = 256;

    double timePrepare (TheQuillmontAudioProcessor& processor, double rate)
    {
        const auto start = std::chrono::steady_clock::now();
        processor.prepareToPlay (rate, blockSize);
        const auto end = std::chrono::steady_clock::now();
        return std::chrono::duration<double> (end - start).count();
    }

    // One child process per iteration; only the prepare inside it is counted.
    void BM_FirstPrepareInFreshProcess (benchmark::State& state)
    {
        const auto rate = static_cast<double> (state.range (0));
        const auto self = juce::File::getSpecialLocation (juce::File::currentExecutableFile).getFullPathName();

        for (auto _ : state)
        {
            juce::ChildProcess child;

            if (! child.start (juce::StringArray { self, FirstPrepareChild::flag, juce::String (rate) }))
            {
                state.SkipWithError ("the child did not start");
                return;
            }

            // The status is read only once the child has ended: before that the framework answers 0.
            const auto output = child.readAllProcessOutput();
            const auto ended = child.waitForProcessToFinish (60000);
            const auto nanoseconds = output.trim().getLargeIntValue();

            if (! ended || child.getExitCode() != 0 || nanoseconds <= 0)
            {
                state.SkipWithError ("the child reported no time");
                return;
            }

            state.SetIterationTime (static_cast<double> (nanoseconds) * 1e-9);
        }
    }

    void BM_FirstPrepareOfAnotherInstance (benchmark::State& state)
    {
        const auto rate = static_cast<double> (state.range (0));
        TheQuillmontAudioProcessor first;
        first.prepareToPlay (rate, blockSize);

        for (auto _ : state)
        {
            TheQuillmontAudioProcessor processor;
            state.SetIterationTime (timePrepare (processor, rate));
        }
    }
}

bool FirstPrepareChild::runIfAsked (int argc, char** argv)
{
    if (argc < 3 || std::strcmp (argv[1], flag) != 0)
        return false;

    const auto rate = juce::String (argv[2]).getDoubleValue();
    TheQuillmontAudioProcessor processor;
    const double seconds = timePrepare (processor, rate);
    std::printf ("%lld\n", static_cast<long long> (seconds * 1e9));
    std::fflush (stdout);
    return true;
}

BENCHMARK (BM_FirstPrepareInFreshProcess)->ArgName ("rate")->Arg (48000)->Arg (96000)
    ->UseManualTime()->Iterations (10)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_FirstPrepareOfAnotherInstance)->ArgName ("rate")->Arg (48000)->Arg (96000)
    ->UseManualTime()->Iterations (20)->Unit (benchmark::kMillisecond);
