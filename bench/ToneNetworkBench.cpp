#include <benchmark/benchmark.h>

#include "dsp/ToneNetwork.h"

// The tone network with its pots gliding, as after a knob move: coefficients by the rule as
// written (argument 0) or by the per-rate expanded form the chain uses (argument 1).
namespace
{
void BM_ToneNetwork (benchmark::State& state)
{
    const bool expanded = state.range (0) != 0;

    std::array<double, 6> powers {};
    double k = 1.0;

    for (auto& p : powers)
    {
        p = k;
        k *= 2.0 * 48000.0;
    }

    const ToneNetwork::ExpandedWeights weights (powers);
    std::array<double, 6> w {};
    double bass = 0.0;
    double x = 0.1;

    for (auto _ : state)
    {
        bass = 0.0063 + bass * 0.993;
        const auto c = expanded ? weights.computeCoefficients (bass, 0.1, 0.5, 0.2)
                                : ToneNetwork::computeCoefficients (bass, 0.1, 0.5, 0.2, powers);
        x = -x;
        benchmark::DoNotOptimize (ToneNetwork::process (w, c, x));
    }
}
} // namespace

BENCHMARK (BM_ToneNetwork)->ArgName ("expanded")->Arg (0)->Arg (1);
