#include "dsp/StereoNoiseGate.h"

#include "dsp/LanePair.h"
#include "dsp/OnePoleFilterPair.h"

#include <algorithm>

bool StereoNoiseGate::runsInLanes (const NoiseGate& left, const NoiseGate& right) noexcept
{
    auto fits = [] (const NoiseGate& gate)
    {
        return gate.programDependent != 0 && gate.keyFilterMode == NoiseGate::keyFilterOff;
    };

    return fits (left) && fits (right);
}

void StereoNoiseGate::process (NoiseGate& leftGate, NoiseGate& rightGate, OnePoleFilter& leftKey, OnePoleFilter& rightKey,
                               const float* leftDry, const float* rightDry, float* leftSamples, float* rightSamples,
                               std::size_t numSamples) noexcept
{
    if (! runsInLanes (leftGate, rightGate))
    {
        for (std::size_t n = 0; n < numSamples; ++n)
            leftSamples[n] = leftGate.processSample (leftKey.processHighpass (leftDry[n]), leftSamples[n]);

        for (std::size_t n = 0; n < numSamples; ++n)
            rightSamples[n] = rightGate.processSample (rightKey.processHighpass (rightDry[n]), rightSamples[n]);

        return;
    }

    using namespace LanePair;
    auto& l = leftGate;
    auto& r = rightGate;

    auto keyFilter = OnePoleFilterPair::load (leftKey, rightKey);

    // What stays put over the block.
    const Doubles alpha = Doubles::of (l.followerCoefficient, r.followerCoefficient);
    const Doubles oneMinusAlpha = Doubles::both (1.0) - alpha;
    const Floats baseAttack = Floats::of (l.baseAttackMs, r.baseAttackMs);
    const Floats baseRelease = Floats::of (l.baseReleaseMs, r.baseReleaseMs);
    const Floats threshold = Floats::of (l.threshold, r.threshold);
    const Floats holdSamples = Floats::of (l.holdSamples, r.holdSamples);
    const Doubles one = Doubles::both (1.0);
    const Floats floor = Floats::both (3.0f);

    // The running state.
    Floats peakFollower = Floats::of (l.peakFollower, r.peakFollower);
    Floats meanSquareFollower = Floats::of (l.meanSquareFollower, r.meanSquareFollower);
    Floats envelope = Floats::of (l.envelope, r.envelope);
    Floats target = Floats::of (l.target, r.target);
    Floats gain = Floats::of (l.gain, r.gain);
    Floats lastGain = Floats::of (l.lastGain, r.lastGain);
    Ints closingCount = Ints::of (l.closingCount, r.closingCount);
    Ints openingCount = Ints::of (l.openingCount, r.openingCount);
    Floats attackCoefficient = Floats::of (l.attackCoefficient, r.attackCoefficient);
    Floats releaseCoefficient = Floats::of (l.releaseCoefficient, r.releaseCoefficient);

    // The timing follows the key alone, so it is worked out a stretch ahead of the gain: the
    // exponentials then run in a loop of their own instead of between the vector steps.
    constexpr std::size_t stretch = 64;
    Floats keys[stretch];
    float times[2][2][stretch];        // [attack, release][lane][sample], then their coefficients
    NoiseGate* gates[2] { &l, &r };

    for (std::size_t start = 0; start < numSamples; start += stretch)
    {
        const std::size_t count = std::min (stretch, numSamples - start);

        for (std::size_t i = 0; i < count; ++i)
        {
            const Floats key = keyFilter.processHighpass (Floats::of (leftDry[start + i], rightDry[start + i]));
            keys[i] = key;

            // Program-dependent timing, as NoiseGate::updateTimingFromKey.
            const Doubles keyWide = toDouble (key);
            const Doubles squared = keyWide * keyWide;
            peakFollower = toFloat (max (alpha * toDouble (peakFollower) + oneMinusAlpha * squared, squared));
            meanSquareFollower = toFloat (oneMinusAlpha * squared + alpha * toDouble (meanSquareFollower)
                                          + Doubles::both (1e-13));
            const Floats crest = toFloat (toDouble (peakFollower) / toDouble (meanSquareFollower) + Doubles::both (1e-13));

            const Floats attack = Floats::both (2.0f) * baseAttack / crest;
            const Floats release = Floats::both (2.0f) * baseRelease / crest;
            const Floats attackTime = max (attack, floor);
            const Floats releaseTime = max (release - attack, floor);

            times[0][0][i] = attackTime.left();
            times[0][1][i] = attackTime.right();
            times[1][0][i] = releaseTime.left();
            times[1][1][i] = releaseTime.right();
        }

        for (std::size_t lane = 0; lane < 2; ++lane)
        {
            auto& gate = *gates[lane];

            for (std::size_t i = 0; i < count; ++i)
            {
                times[0][lane][i] = gate.attackFromTime.coefficientFor (times[0][lane][i], gate.sampleRate);
                times[1][lane][i] = gate.releaseFromTime.coefficientFor (times[1][lane][i], gate.sampleRate);
            }
        }

        for (std::size_t i = 0; i < count; ++i)
        {
            const std::size_t n = start + i;
            attackCoefficient = Floats::of (times[0][0][i], times[0][1][i]);
            releaseCoefficient = Floats::of (times[1][0][i], times[1][1][i]);

            // Envelope, decision and gain step, as NoiseGate::processSample.
            const Doubles attackWide = toDouble (attackCoefficient);
            const Doubles releaseWide = toDouble (releaseCoefficient);
            const Doubles rise = max (abs (toDouble (keys[i])) - toDouble (envelope), Doubles::both (0.0));
            envelope = toFloat ((one - attackWide) * rise + releaseWide * toDouble (envelope));

            target = select (greater (threshold, envelope), Floats::both (0.0f), Floats::both (1.0f));

            const FloatMask closing = less (target, gain);
            closingCount = select (closing, incrementSaturating (closingCount), zeroInts());
            openingCount = select (closing, zeroInts(), incrementSaturating (openingCount));

            const FloatMask holding = greater (holdSamples, toFloat (select (closing, closingCount, openingCount)));
            const Doubles coefficient = select (widen (closing), attackWide, releaseWide);
            const Floats stepped = toFloat ((one - coefficient) * toDouble (target) + coefficient * toDouble (lastGain));

            gain = select (holding, gain, stepped);
            lastGain = gain;

            const Floats out = gain * Floats::of (leftSamples[n], rightSamples[n]);
            leftSamples[n] = out.left();
            rightSamples[n] = out.right();
        }
    }

    keyFilter.storeState (leftKey, rightKey);

    l.peakFollower = peakFollower.left();
    r.peakFollower = peakFollower.right();
    l.meanSquareFollower = meanSquareFollower.left();
    r.meanSquareFollower = meanSquareFollower.right();
    l.envelope = envelope.left();
    r.envelope = envelope.right();
    l.target = target.left();
    r.target = target.right();
    l.gain = gain.left();
    r.gain = gain.right();
    l.lastGain = lastGain.left();
    r.lastGain = lastGain.right();
    l.closingCount = closingCount.left();
    r.closingCount = closingCount.right();
    l.openingCount = openingCount.left();
    r.openingCount = openingCount.right();
    l.attackCoefficient = attackCoefficient.left();
    r.attackCoefficient = attackCoefficient.right();
    l.releaseCoefficient = releaseCoefficient.left();
    r.releaseCoefficient = releaseCoefficient.right();
}
