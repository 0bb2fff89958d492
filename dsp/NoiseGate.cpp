#include "dsp/NoiseGate.h"

namespace
{
    float coefficientForTime (double sampleRate, double milliseconds) noexcept
    {
        return static_cast<float> (std::exp (-1.0 / (sampleRate * milliseconds * 0.001)));
    }
}

void NoiseGate::prepare (double newSampleRate) noexcept
{
    sampleRate = newSampleRate;
    attackCoefficient = coefficientForTime (newSampleRate, 10.0);
    releaseCoefficient = coefficientForTime (newSampleRate, 100.0);
    threshold = 3.1622778e-05f; // -90 dB
    holdSamples = static_cast<float> (newSampleRate * 3.0 * 0.001);
    keyFilterMode = keyFilterOff;
    programDependent = 1;
    followerCoefficient = coefficientForTime (newSampleRate, 200.0);
    baseAttackMs = 40.0f;
    baseReleaseMs = 40.0f;
    attackMs = 10.0f;
    releaseMs = 100.0f;

    keyFilter.ic1eq = 0.0;
    keyFilter.ic2eq = 0.0;
    keyFilter.lastBand = 0.0;
    keyFilter.lastLow = 0.0;
    keyFilter.sampleRate = newSampleRate;
    keyFilter.prepare();
}
