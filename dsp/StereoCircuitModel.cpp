#include "dsp/StereoCircuitModel.h"

#include "dsp/LanePair.h"
#include "dsp/OnePoleFilterPair.h"

#include <array>
#include <cmath>

namespace
{
    using namespace LanePair;

    enum class CurveKind
    {
        linear,
        hardClip,
        other
    };

    // The two curves the circuits use run in lanes; any other goes the scalar way.
    CurveKind curveKind (int curve) noexcept
    {
        const auto c = static_cast<unsigned> (curve);

        if (c == Waveshaper::HardClip)
            return CurveKind::hardClip;

        return c == Waveshaper::Linear || c > Waveshaper::DiodeTable ? CurveKind::linear : CurveKind::other;
    }

    bool symmetric (const PedalCircuitModel& model) noexcept
    {
        return model.clipperKind < PedalCircuitModel::asymmetricClipper;
    }

    bool addsCleanPath (const PedalCircuitModel& model) noexcept
    {
        return model.circuitIndex == PedalCircuitModel::bassCircuit;
    }

    struct WaveshaperPair
    {
        Doubles gain;
        Floats negativeRail, positiveRail;
        OnePoleFilterPair lowpass;

        static WaveshaperPair load (const Waveshaper& left, const Waveshaper& right) noexcept
        {
            return { Doubles::of (left.gain, right.gain),
                     Floats::of (static_cast<float> (left.negativeRail), static_cast<float> (right.negativeRail)),
                     Floats::of (static_cast<float> (left.positiveRail), static_cast<float> (right.positiveRail)),
                     OnePoleFilterPair::load (left.lowpass, right.lowpass) };
        }

        Floats process (bool hardClip, Floats x) noexcept
        {
            const Floats u = toFloat (gain * toDouble (x));

            // A rail is a double rounded to float on its way into the lowpass, which is the
            // float it was compared with.
            const Floats y = hardClip ? select (less (u, negativeRail), negativeRail,
                                                select (less (positiveRail, u), positiveRail, u))
                                      : u;
            return lowpass.processLowpass (y);
        }
    };

    // ClipperTableGrid::lookup of two tables: the clamp and the position in lanes, with the
    // scale the read divides out every time worked out once; the interpolation per lane.
    struct TableReadPair
    {
        const float* values[2];
        int32_t counts[2];
        Floats low, high, scale;

        template <typename Table>
        static TableReadPair load (const Table& left, const Table& right) noexcept
        {
            const auto lc = static_cast<int32_t> (left.values.size());
            const auto rc = static_cast<int32_t> (right.values.size());
            const Floats low = Floats::of (static_cast<float> (left.rangeLow), static_cast<float> (right.rangeLow));
            const Floats high = Floats::of (static_cast<float> (left.rangeHigh), static_cast<float> (right.rangeHigh));
            const Floats last = Floats::of (static_cast<float> (lc - 1), static_cast<float> (rc - 1));
            return { { left.values.data(), right.values.data() }, { lc, rc }, low, high, last / (high - low) };
        }

        Floats read (Floats x) const noexcept
        {
            const Floats clamped = select (greater (x, low), select (less (x, high), x, high), low);
            const Floats position = scale * (clamped - low) + Floats::both (0.0f);
            return Floats::of (ClipperTableGrid::interpolate (values[0], counts[0], position.left()),
                               ClipperTableGrid::interpolate (values[1], counts[1], position.right()));
        }
    };

    // The Newton solve of both channels' clippers, each lane stepping until it alone has
    // converged or run out of steps; a lane that has stopped keeps its value while the other
    // goes on.
    struct ClipperPair
    {
        TableReadPair table;
        Doubles state, blend, a, b, perVolt;
        int32_t iterationCount[2];
        int32_t iterationLimit[2];

        static ClipperPair load (DiodeClipperTable& left, DiodeClipperTable& right) noexcept
        {
            // The solve's constants, worked out by the solve itself so they round as it does.
            const DiodeClipperTable::NewtonSolve l (left, 0.0, 0.0), r (right, 0.0, 0.0);
            return { TableReadPair::load (left, right),
                     Doubles::of (left.state, right.state),
                     Doubles::of (left.blend, right.blend),
                     Doubles::of (l.a, r.a),
                     Doubles::of (l.b, r.b),
                     Doubles::of (l.perVolt, r.perVolt),
                     { left.iterationCount, right.iterationCount },
                     { left.iterationLimit, right.iterationLimit } };
        }

        void store (DiodeClipperTable& left, DiodeClipperTable& right) const noexcept
        {
            left.state = state.left();
            right.state = state.right();
            left.iterationCount = iterationCount[0];
            right.iterationCount = iterationCount[1];
        }

        Floats solve (Floats input) noexcept
        {
            const Doubles x = toDouble (input);
            const Doubles start = toDouble (table.read (input));
            const Doubles s = state;
            const Doubles drive = s + blend * (x - s);
            const Doubles one = Doubles::both (1.0);
            Doubles v = start, next = start;
            int running = 3;

            while (running != 0)
            {
                const Doubles u = v * perVolt;
                const Doubles exponent = -abs (u);
                const Doubles e = Doubles::of ((running & 1) != 0 ? std::exp (exponent.left()) : 0.0,
                                               (running & 2) != 0 ? std::exp (exponent.right()) : 0.0);
                const Doubles eSquared = e * e;
                const Doubles twiceE = Doubles::both (2.0) * e;
                const Doubles error = twiceE * (drive - v) - a * copySign (one - eSquared, u);
                const Doubles slope = -twiceE - b * (one + eSquared);
                const Doubles step = v - error / slope;

                next = select (maskOf (running), step, next);
                const int converged = less (abs (step - v), Doubles::both (9.999999747378752e-06)).bits();

                for (int lane = 0; lane < 2; ++lane)
                {
                    const int bit = 1 << lane;

                    if ((running & bit) == 0)
                        continue;

                    if ((converged & bit) != 0)
                    {
                        running &= ~bit;
                        continue;
                    }

                    const int32_t previous = iterationCount[lane];
                    iterationCount[lane] = previous + 1;

                    if (! (previous < iterationLimit[lane]))
                        running &= ~bit;
                }

                v = select (maskOf (running), next, v);
            }

            iterationCount[0] = 0;
            iterationCount[1] = 0;
            state = Doubles::both (2.0) * next - s;
            return toFloat (next);
        }
    };

    struct FadePair
    {
        struct Lane
        {
            uint8_t active;
            int32_t position, length;
            float step;

            float next() noexcept
            {
                ++position;

                if (position >= length)
                {
                    active = 0;
                    length = 0;
                }

                return step * static_cast<float> (position);
            }
        };

        Lane lanes[2];

        static FadePair load (const PedalCircuitModel& left, const PedalCircuitModel& right) noexcept
        {
            return { { { left.fadeActive, left.fadePosition, left.fadeLength, left.fadeStep },
                       { right.fadeActive, right.fadePosition, right.fadeLength, right.fadeStep } } };
        }

        void store (PedalCircuitModel& left, PedalCircuitModel& right) const noexcept
        {
            left.fadeActive = lanes[0].active;
            left.fadePosition = lanes[0].position;
            left.fadeLength = lanes[0].length;
            right.fadeActive = lanes[1].active;
            right.fadePosition = lanes[1].position;
            right.fadeLength = lanes[1].length;
        }

        Floats next() noexcept
        {
            if (lanes[0].active == 0 && lanes[1].active == 0)
                return Floats::both (1.0f);

            const float l = lanes[0].active != 0 ? lanes[0].next() : 1.0f;
            const float r = lanes[1].active != 0 ? lanes[1].next() : 1.0f;
            return Floats::of (l, r);
        }
    };

    // The pots, the tone network's delay line and its coefficients in lanes. The coefficients
    // are gathered from each model's own cache only when the pots have moved.
    struct TonePair
    {
        static constexpr std::size_t pots = 4;

        PedalCircuitModel& left;
        PedalCircuitModel& right;
        Doubles targets[pots], current[pots], previous[pots];
        Doubles w[6];
        Doubles a[6], b[6], scale;
        Doubles gatheredPots[pots];
        bool gathered = false;

        TonePair (PedalCircuitModel& l, PedalCircuitModel& r) noexcept : left (l), right (r)
        {
            for (std::size_t p = 0; p < pots; ++p)
            {
                targets[p] = Doubles::of (l.toneTargets[p], r.toneTargets[p]);
                current[p] = Doubles::of (l.smoothedPots[p].current, r.smoothedPots[p].current);
                previous[p] = Doubles::of (l.smoothedPots[p].previous, r.smoothedPots[p].previous);
            }

            for (std::size_t j = 0; j < 6; ++j)
                w[j] = Doubles::of (l.toneState[j], r.toneState[j]);
        }

        void store() const noexcept
        {
            for (std::size_t p = 0; p < pots; ++p)
            {
                left.smoothedPots[p] = { current[p].left(), previous[p].left() };
                right.smoothedPots[p] = { current[p].right(), previous[p].right() };
            }

            for (std::size_t j = 0; j < 6; ++j)
            {
                left.toneState[j] = w[j].left();
                right.toneState[j] = w[j].right();
            }
        }

        void glidePots() noexcept
        {
            for (std::size_t p = 0; p < pots; ++p)
                current[p] = targets[p] + previous[p] * Doubles::both (PedalCircuitModel::tonePotSmoothing);
        }

        void gatherCoefficients() noexcept
        {
            bool moved = ! gathered;

            for (std::size_t p = 0; p < pots && ! moved; ++p)
                moved = ! sameBits (current[p], gatheredPots[p]);

            if (! moved)
                return;

            const std::array<double, pots> l { current[0].left(), current[1].left(), current[2].left(), current[3].left() };
            const std::array<double, pots> r { current[0].right(), current[1].right(), current[2].right(), current[3].right() };
            const auto& lc = left.toneCoefficients.forPots (l);
            const auto& rc = right.toneCoefficients.forPots (r, left.toneCoefficients);

            for (std::size_t j = 0; j < 6; ++j)
            {
                a[j] = Doubles::of (lc.a[j], rc.a[j]);
                b[j] = Doubles::of (lc.b[j], rc.b[j]);
            }

            scale = Doubles::of (left.toneCoefficients.networkScale, right.toneCoefficients.networkScale);

            for (std::size_t p = 0; p < pots; ++p)
                gatheredPots[p] = current[p];

            gathered = true;
        }

        // ToneNetwork::process in lanes, the sums paired the same way.
        Doubles process (Doubles input) noexcept
        {
            const Doubles feedback = (a[1] * w[1] + a[2] * w[2]) + (a[3] * w[3] + a[4] * w[4]) + a[5] * w[5];
            const Doubles history = (b[1] * w[1] + b[2] * w[2]) + (b[3] * w[3] + b[4] * w[4]) + b[5] * w[5];
            const Doubles w0 = input - feedback * scale;
            const Doubles output = (b[0] * w0 + history) * scale;

            w[5] = w[4];
            w[4] = w[3];
            w[3] = w[2];
            w[2] = w[1];
            w[1] = w0;
            w[0] = w0;
            return output;
        }

        void endSample() noexcept
        {
            for (std::size_t p = 0; p < pots; ++p)
                previous[p] = current[p];
        }
    };

    void processInLanes (PedalCircuitModel& left, PedalCircuitModel& right,
                         const float* leftInput, const float* rightInput, float* leftOutput, float* rightOutput,
                         std::size_t numSamples, float inputGain, float outputGain) noexcept
    {
        auto& lf = left.filters;
        auto& rf = right.filters;
        auto inputCoupling = OnePoleFilterPair::load (lf.inputCoupling, rf.inputCoupling);
        auto gainFeedback = OnePoleFilterPair::load (lf.gainFeedback, rf.gainFeedback);
        auto stage1Coupling = OnePoleFilterPair::load (lf.stage1Coupling, rf.stage1Coupling);
        auto stage2Coupling = OnePoleFilterPair::load (lf.stage2Coupling, rf.stage2Coupling);
        auto stage2Feedback = OnePoleFilterPair::load (lf.stage2Feedback, rf.stage2Feedback);
        auto clipperCoupling = OnePoleFilterPair::load (lf.clipperCoupling, rf.clipperCoupling);
        auto outputLowpass = OnePoleFilterPair::load (lf.outputLowpass, rf.outputLowpass);
        auto dcBlocker = OnePoleFilterPair::load (left.asymmetricTable.dcBlocker, right.asymmetricTable.dcBlocker);
        auto waveshaperA = WaveshaperPair::load (left.waveshaperA, right.waveshaperA);
        auto waveshaperB = WaveshaperPair::load (left.waveshaperB, right.waveshaperB);
        auto clipper = ClipperPair::load (left.clipperTable, right.clipperTable);
        auto fade = FadePair::load (left, right);
        const auto asymmetricTable = TableReadPair::load (left.asymmetricTable, right.asymmetricTable);
        TonePair tone (left, right);

        const Doubles inputStageGain = Doubles::of (left.inputStageGain, right.inputStageGain);
        const bool hardClip = curveKind (left.waveshaperCurve) == CurveKind::hardClip;
        const bool symmetricClipper = symmetric (left);
        const bool cleanPath = addsCleanPath (left);
        const Floats inGain = Floats::both (inputGain);
        const Floats outGain = Floats::both (outputGain);

        for (std::size_t i = 0; i < numSamples; ++i)
        {
            const Floats x = Floats::of (leftInput[i], rightInput[i]) * inGain;
            const Doubles u = inputStageGain * toDouble (inputCoupling.processHighpass (x));

            const Doubles stage1Lows = toDouble (stage1Coupling.processLowpass (toFloat (u)));
            const Floats a = waveshaperA.process (hardClip, toFloat (u - stage1Lows));
            const Floats b = gainFeedback.processLowpass (a);

            const Floats c = waveshaperB.process (hardClip, stage2Coupling.processHighpass (b));
            const Floats d = stage2Feedback.processLowpass (c);
            const Floats e = clipperCoupling.processHighpass (d);

            const Floats clipped = symmetricClipper ? clipper.solve (e) : dcBlocker.processHighpass (asymmetricTable.read (e));

            const Floats toneInput = cleanPath ? toFloat (u + toDouble (clipped)) : clipped;

            tone.glidePots();
            tone.gatherCoefficients();
            const Floats y = toFloat (tone.process (toDouble (toneInput)));
            const Floats o = outputLowpass.processLowpass (y);
            const Floats result = o * fade.next() * outGain;
            tone.endSample();

            leftOutput[i] = result.left();
            rightOutput[i] = result.right();
        }

        inputCoupling.storeState (lf.inputCoupling, rf.inputCoupling);
        gainFeedback.storeState (lf.gainFeedback, rf.gainFeedback);
        stage1Coupling.storeState (lf.stage1Coupling, rf.stage1Coupling);
        stage2Coupling.storeState (lf.stage2Coupling, rf.stage2Coupling);
        stage2Feedback.storeState (lf.stage2Feedback, rf.stage2Feedback);
        clipperCoupling.storeState (lf.clipperCoupling, rf.clipperCoupling);
        outputLowpass.storeState (lf.outputLowpass, rf.outputLowpass);
        dcBlocker.storeState (left.asymmetricTable.dcBlocker, right.asymmetricTable.dcBlocker);
        waveshaperA.lowpass.storeState (left.waveshaperA.lowpass, right.waveshaperA.lowpass);
        waveshaperB.lowpass.storeState (left.waveshaperB.lowpass, right.waveshaperB.lowpass);
        clipper.store (left.clipperTable, right.clipperTable);
        fade.store (left, right);
        tone.store();
    }
}

bool StereoCircuitModel::runsInLanes (const PedalCircuitModel& left, const PedalCircuitModel& right) noexcept
{
    const auto curve = curveKind (left.waveshaperCurve);
    return curve != CurveKind::other && curve == curveKind (right.waveshaperCurve)
           && symmetric (left) == symmetric (right) && addsCleanPath (left) == addsCleanPath (right);
}

void StereoCircuitModel::process (PedalCircuitModel& left, PedalCircuitModel& right,
                                  const float* leftInput, const float* rightInput, float* leftOutput, float* rightOutput,
                                  std::size_t numSamples, float inputGain, float outputGain) noexcept
{
    if (runsInLanes (left, right))
    {
        processInLanes (left, right, leftInput, rightInput, leftOutput, rightOutput, numSamples, inputGain, outputGain);
        return;
    }

    for (std::size_t i = 0; i < numSamples; ++i)
        PedalCircuitModel::processSamplePair (left, right, leftInput[i], rightInput[i], inputGain, outputGain,
                                              leftOutput[i], rightOutput[i]);
}
