#include "dsp/NoiseGate.h"
#include "dsp/PedalCircuitModel.h"
#include "dsp/Waveshaper.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace
{
    // A guitar-like test signal: a decaying 110 Hz note with a little noise floor.
    std::vector<float> makeTestSignal (int length, double sampleRate)
    {
        std::vector<float> signal (static_cast<size_t> (length));
        uint32_t noise = 12345u;

        for (size_t i = 0; i < signal.size(); ++i)
        {
            noise = noise * 1664525u + 1013904223u;
            const double t = static_cast<double> (i) / sampleRate;
            const double note = 0.3 * std::exp (-3.0 * std::fmod (t, 0.5)) * std::sin (2.0 * 3.141592653589793 * 110.0 * t);
            signal[i] = static_cast<float> (note + 1e-4 * (static_cast<double> (noise) / 4294967296.0 - 0.5));
        }

        return signal;
    }

    // Preparing one channel model and applying the circuit, when another model in the
    // process has already prepared the same circuit at the same rate: the second channel,
    // another instance, or a return to an earlier rate.
    void BM_PrepareAndSetCircuitTypeWarm (benchmark::State& state)
    {
        const auto circuit = static_cast<int32_t> (state.range (0));
        const auto sampleRate = static_cast<double> (state.range (1));

        for (auto _ : state)
        {
            PedalCircuitModel model;
            model.prepare (sampleRate);
            model.setCircuitType (circuit);
            benchmark::DoNotOptimize (model.clipperTable.values.data());
        }
    }

    // The same when no model has swept these tables yet: every iteration nudges the rate by a
    // millionth of a hertz so each sweep is solved afresh. This fills the process's sweep
    // cache with rates nobody uses, so it is registered last.
    void BM_PrepareAndSetCircuitTypeCold (benchmark::State& state)
    {
        const auto circuit = static_cast<int32_t> (state.range (0));
        double sampleRate = static_cast<double> (state.range (1));

        for (auto _ : state)
        {
            sampleRate += 1.0e-6;
            PedalCircuitModel model;
            model.prepare (sampleRate);
            model.setCircuitType (circuit);
            benchmark::DoNotOptimize (model.clipperTable.values.data());
        }
    }

    // A player trying a variant: "Default" to the variant and back, on a prepared model.
    void BM_SetCircuitTypeRoundTrip (benchmark::State& state)
    {
        const auto circuit = static_cast<int32_t> (state.range (0));
        PedalCircuitModel model;
        model.prepare (static_cast<double> (state.range (1)));
        model.setCircuitType (PedalCircuitModel::defaultCircuit);

        for (auto _ : state)
        {
            model.setCircuitType (circuit);
            model.setCircuitType (PedalCircuitModel::defaultCircuit);
            benchmark::DoNotOptimize (model.clipperTable.values.data());
        }
    }

    void BM_WaveshaperProcessSample (benchmark::State& state)
    {
        const auto curve = static_cast<int> (state.range (0));
        PedalCircuitModel model;
        model.prepare (48000.0);
        auto stage = model.waveshaperA;
        stage.gain = 46.45;
        const auto signal = makeTestSignal (4800, 48000.0);

        for (auto _ : state)
            for (const float x : signal)
                benchmark::DoNotOptimize (stage.processSample (curve, x));

        state.SetItemsProcessed (state.iterations() * static_cast<int64_t> (signal.size()));
    }

    // The whole channel per sample, knobs at noon, on a decaying guitar-like note.
    void BM_PedalCircuitModelProcessSample (benchmark::State& state)
    {
        PedalCircuitModel model;
        model.prepare (48000.0);
        model.setCircuitType (static_cast<int32_t> (state.range (0)));
        model.waveshaperA.gain = 23.7;
        model.waveshaperB.gain = -11.3;
        model.filters.gainFeedback.setCornerFrequency (topCorner (48000.0));
        model.toneTargets = { 0.007 * 0.9, 0.007 * 0.1, 0.007 * 0.5, 0.0 };
        const auto signal = makeTestSignal (4800, 48000.0);

        for (auto _ : state)
            for (const float x : signal)
                benchmark::DoNotOptimize (model.processSample (x, 1.0f, 1.0f));

        state.SetItemsProcessed (state.iterations() * static_cast<int64_t> (signal.size()));
    }

    void BM_NoiseGateProcessSample (benchmark::State& state)
    {
        NoiseGate gate;
        gate.prepare (48000.0);
        gate.threshold = 1e-3f;
        const auto signal = makeTestSignal (4800, 48000.0);

        for (auto _ : state)
            for (const float x : signal)
                benchmark::DoNotOptimize (gate.processSample (x, x));

        state.SetItemsProcessed (state.iterations() * static_cast<int64_t> (signal.size()));
    }
}

BENCHMARK (BM_PrepareAndSetCircuitTypeWarm)
    ->ArgsProduct ({ { 0, 1, 2, 3, 4 }, { 48000, 96000 } })
    ->ArgNames ({ "circuit", "rate" })
    ->Unit (benchmark::kMillisecond);

BENCHMARK (BM_SetCircuitTypeRoundTrip)
    ->ArgsProduct ({ { 1, 2, 3, 4 }, { 48000, 96000 } })
    ->ArgNames ({ "circuit", "rate" })
    ->Unit (benchmark::kMillisecond);

BENCHMARK (BM_WaveshaperProcessSample)->DenseRange (0, 6)->ArgName ("curve");

BENCHMARK (BM_PedalCircuitModelProcessSample)->DenseRange (0, 4)->ArgName ("circuit");

BENCHMARK (BM_NoiseGateProcessSample);

BENCHMARK (BM_PrepareAndSetCircuitTypeCold)
    ->ArgsProduct ({ { 0, 1, 2, 3, 4 }, { 48000, 96000 } })
    ->ArgNames ({ "circuit", "rate" })
    ->Unit (benchmark::kMillisecond);
