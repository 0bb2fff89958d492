#include "dsp/StereoNoiseGate.h"

#include "dsp/LanePair.h"
#include "dsp/OnePoleFilterPair.h"

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

    for (std::size_t n = 0; n < numSamples; ++n)
    {
        const Floats key = keyFilter.processHighpass (Floats::of (leftDry[n], rightDry[n]));
        const Doubles keyWide = toDouble (key);

        // Program-dependent timing, as NoiseGate::updateTimingFromKey.
        const Doubles squared = keyWide * keyWide;
        peakFollower = toFloat (max (alpha * toDouble (peakFollower) + oneMinusAlpha * squared, squared));
        meanSquareFollower = toFloat (oneMinusAlpha * squared + alpha * toDouble (meanSquareFollower) + Doubles::both (1e-13));
        const Floats crest = toFloat (toDouble (peakFollower) / toDouble (meanSquareFollower) + Doubles::both (1e-13));

        const Floats attack = Floats::both (2.0f) * baseAttack / crest;
        const Floats release = Floats::both (2.0f) * baseRelease / crest;
        const Floats attackTime = max (attack, floor);
        const Floats releaseTime = max (release - attack, floor);

        attackCoefficient = Floats::of (l.attackFromTime.coefficientFor (attackTime.left(), l.sampleRate),
                                        r.attackFromTime.coefficientFor (attackTime.right(), r.sampleRate));
        releaseCoefficient = Floats::of (l.releaseFromTime.coefficientFor (releaseTime.left(), l.sampleRate),
                                         r.releaseFromTime.coefficientFor (releaseTime.right(), r.sampleRate));

        // Envelope, decision and gain step, as NoiseGate::processSample.
        const Doubles attackWide = toDouble (attackCoefficient);
        const Doubles releaseWide = toDouble (releaseCoefficient);
        const Doubles rise = max (abs (keyWide) - toDouble (envelope), Doubles::both (0.0));
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
