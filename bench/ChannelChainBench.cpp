#include <benchmark/benchmark.h>

#include "dsp/ChannelChain.h"

#include <cmath>
#include <vector>

// The per-sample cost of one channel of the pedal and of its tone network alone.
namespace
{
constexpr double chainRate = 48000.0;

std::vector<float> pluckedNotes()
{
    std::vector<float> s (static_cast<size_t> (chainRate));

    for (size_t i = 0; i < s.size(); ++i)
    {
        const double t = static_cast<double> (i % 12000) / chainRate;
        double v = 0.0;

        for (int h = 1; h <= 12; ++h)
            v += std::sin (2.0 * 3.141592653589793 * 110.0 * h * t) * std::exp (-t * (2.0 + h * 1.5)) / h;

        s[i] = static_cast<float> (0.3 * v);
    }

    return s;
}

void BM_ChannelChain (benchmark::State& state)
{
    PedalCircuitModel model;
    model.prepare (chainRate);
    model.setCircuitType (static_cast<int32_t> (state.range (0)));
    model.toneTargets = { 0.9 * 0.007, 0.1 * 0.007, 0.5 * 0.007, 0.5 * 0.007 };
    model.waveshaperA.gain = 23.7;
    model.waveshaperB.gain = -11.3;

    const auto signal = pluckedNotes();
    size_t i = 0;

    for (auto _ : state)
    {
        benchmark::DoNotOptimize (ChannelChain::processSample (model, signal[i], 1.0f, 1.0f));
        i = (i + 1) % signal.size();
    }

    state.counters["realtime"] = benchmark::Counter (static_cast<double> (state.iterations()) / chainRate,
                                                     benchmark::Counter::kIsRate);
}

ToneNetwork::Taps powersOfK()
{
    ToneNetwork::Taps powers {};
    double k = 1.0;

    for (auto& p : powers)
    {
        p = k;
        k *= 2.0 * chainRate;
    }

    return powers;
}

// The tone network with its pots gliding, as after a knob move: coefficients by the rule as
// written (argument 0) or by the per-rate expanded form the chain uses (argument 1).
void BM_ToneNetwork (benchmark::State& state)
{
    const bool expanded = state.range (0) != 0;
    const auto powers = powersOfK();
    ToneNetwork::Weights weights;
    weights.prepare (powers);

    ToneNetwork::Taps w {};
    double bass = 0.0;
    double x = 0.1;

    for (auto _ : state)
    {
        bass = 0.0063 + bass * 0.993;
        ToneNetwork::Coefficients c;

        if (expanded)
            weights.computeCoefficients (bass, 0.1, 0.5, 0.2, c);
        else
            ToneNetwork::computeCoefficients (bass, 0.1, 0.5, 0.2, powers, c);

        x = -x;
        benchmark::DoNotOptimize (ToneNetwork::processSample (w, c, x));
    }
}
} // namespace

// Argument: circuit type.
BENCHMARK (BM_ChannelChain)->ArgName ("circuit")->DenseRange (0, 4);
BENCHMARK (BM_ToneNetwork)->ArgName ("expanded")->Arg (0)->Arg (1);
