#pragma once

#include "dsp/PedalCircuitModel.h"
#include "dsp/ToneNetwork.h"

#include <cmath>

// The whole pedal for one sample of one channel: input level and coupling, the two op-amp
// stages with their coupling and feedback filters, the clipper, the "Bass" clean path, the tone
// and volume network on the gliding pots, the output lowpass, the fade-in and the output level.
namespace ChannelChain
{
    // Each pot moves 0.7 % of the way to its position per sample; the targets arrive already
    // multiplied by 1 - 0.993, so one multiply-add per pot remains.
    inline constexpr double potGlide = PedalCircuitModel::tonePotSmoothing;

    inline float processSample (PedalCircuitModel& model, float input, float inputGain, float outputGain) noexcept
    {
        auto& f = model.filters;
        const int curve = model.waveshaperCurve;

        const float x = input * inputGain;
        const double u = model.inputStageGain * static_cast<double> (f.inputCoupling.processHighpass (x));

        const auto uFloat = static_cast<float> (u);
        const double stage1Input = u - static_cast<double> (f.stage1Coupling.processLowpass (uFloat));
        const float a = model.waveshaperA.processSample (curve, static_cast<float> (stage1Input));
        const float b = f.gainFeedback.processLowpass (a);

        const float c = model.waveshaperB.processSample (curve, f.stage2Coupling.processHighpass (b));
        const float d = f.stage2Feedback.processLowpass (c);
        const float e = f.clipperCoupling.processHighpass (d);

        float clipped;

        if (model.clipperKind < PedalCircuitModel::asymmetricClipper)
        {
            auto& table = model.clipperTable;
            const double seed = static_cast<double> (table.lookup (e));
            clipped = static_cast<float> (table.solve (static_cast<double> (e), seed));
        }
        else
        {
            auto& table = model.asymmetricTable;
            clipped = table.dcBlocker.processHighpass (table.lookup (e));
        }

        // The "Bass" circuit mixes the clean input stage back in before the tone controls.
        const float toneInput = model.circuitIndex == PedalCircuitModel::bassCircuit
                                    ? static_cast<float> (u + static_cast<double> (clipped))
                                    : clipped;

        auto& pots = model.smoothedPots;

        for (size_t i = 0; i < pots.size(); ++i)
            pots[i].current = model.toneTargets[i] + pots[i].previous * potGlide;

        ToneNetwork::Coefficients coefficients;
        model.toneCoefficients.weights.computeCoefficients (pots[PedalCircuitModel::bassPot].current,
                                                            pots[PedalCircuitModel::midPot].current,
                                                            pots[PedalCircuitModel::treblePot].current,
                                                            pots[PedalCircuitModel::volumePot].current,
                                                            coefficients);

        const auto y = static_cast<float> (ToneNetwork::processSample (model.toneState, coefficients,
                                                                       static_cast<double> (toneInput)));
        const float o = f.outputLowpass.processLowpass (y);

        float fadeGain = 1.0f;

        if (model.fadeActive != 0)
        {
            ++model.fadePosition;

            if (model.fadePosition >= model.fadeLength)
            {
                model.fadeActive = 0;
                model.fadeLength = 0;
            }

            fadeGain = model.fadeStep * static_cast<float> (model.fadePosition);
        }

        for (auto& pot : pots)
            pot.previous = pot.current;

        return o * fadeGain * outputGain;
    }

    // A non-finite input sample leaves NaN or infinity in the filters it passed through, and
    // recursive state never recovers on its own. Cheap enough to run once per block: anything
    // that is no longer a number goes back to rest, everything else keeps running.
    inline bool resetNonFiniteState (PedalCircuitModel& model) noexcept
    {
        bool wasReset = false;

        auto settle = [&wasReset] (auto& value)
        {
            if (! std::isfinite (value))
            {
                value = {};
                wasReset = true;
            }
        };

        auto& f = model.filters;

        for (auto* filter : { &f.inputCoupling, &f.gainFeedback, &f.stage1Coupling, &f.stage2Coupling,
                              &f.stage2Feedback, &f.clipperCoupling, &f.outputLowpass,
                              &model.waveshaperA.lowpass, &model.waveshaperB.lowpass,
                              &model.asymmetricTable.dcBlocker })
            settle (filter->state);

        settle (model.clipperTable.state);

        for (auto& w : model.toneState)
            settle (w);

        for (auto& pot : model.smoothedPots)
        {
            settle (pot.current);
            settle (pot.previous);
        }

        return wasReset;
    }
}
