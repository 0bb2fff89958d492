#pragma once

#include "dsp/StateVariableFilter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

// Peak-envelope gate with hold and program-dependent timing: the attack follows the key's
// crest factor, so a sustained note opens smoothly and a pick attack opens fast.
struct NoiseGate
{
    static constexpr int32_t keyFilterOff = 2;

    double sampleRate = 44100.0;
    float attackCoefficient = 0.0f;
    float releaseCoefficient = 0.0f;
    float threshold = 0.0f;
    float holdSamples = 0.0f;
    int32_t closingCount = 0;
    int32_t openingCount = 0;
    int32_t keyFilterMode = 0;
    float envelope = 0.0f;
    float target = 0.0f;
    float gain = 0.0f;
    float lastGain = 0.0f;
    uint8_t programDependent = 0;
    float followerCoefficient = 0.0f;
    float peakFollower = 0.0f;
    float meanSquareFollower = 1.0f;
    float baseAttackMs = 1.0f;
    float baseReleaseMs = 1.0f;
    float attackMs = 10.0f;
    float releaseMs = 100.0f;
    StateVariableFilter keyFilter;

    // Sets the timing for a rate; the envelope, the counters and the gain carry on, so a
    // closed gate stays closed.
    void prepare (double newSampleRate) noexcept;

    float processSample (float key, float x) noexcept
    {
        if (programDependent != 0)
            updateTimingFromKey (key);

        if (keyFilterMode != keyFilterOff)
            key = keyFilter.processSample (key);

        // Values are computed in double and rounded where they are stored.
        const double attack = attackCoefficient;
        const double release = releaseCoefficient;
        const double rise = std::max (std::abs (static_cast<double> (key)) - envelope, 0.0);
        envelope = static_cast<float> ((1.0 - attack) * rise + release * envelope);

        target = threshold > envelope ? 0.0f : 1.0f;

        if (target < gain)
        {
            countUp (closingCount);
            openingCount = 0;

            if (! (holdSamples > static_cast<float> (closingCount)))
                gain = static_cast<float> ((1.0 - attack) * target + attack * lastGain);
        }
        else
        {
            countUp (openingCount);
            closingCount = 0;

            if (! (holdSamples > static_cast<float> (openingCount)))
                gain = static_cast<float> ((1.0 - release) * target + release * lastGain);
        }

        lastGain = gain;
        return gain * x;
    }

private:
    friend struct StereoNoiseGate;

    void updateTimingFromKey (float key) noexcept
    {
        const double squared = static_cast<double> (key) * static_cast<double> (key);
        const double alpha = followerCoefficient;

        peakFollower = static_cast<float> (std::max (alpha * peakFollower + (1.0 - alpha) * squared, squared));
        meanSquareFollower = static_cast<float> ((1.0 - alpha) * squared + alpha * meanSquareFollower + 1e-13);
        const auto crest = static_cast<float> (static_cast<double> (peakFollower) / meanSquareFollower + 1e-13);

        const float attack = 2.0f * baseAttackMs / crest;
        const float release = 2.0f * baseReleaseMs / crest;
        const float attackTime = std::max (attack, 3.0f);
        const float releaseTime = std::max (release - attack, 3.0f);

        attackCoefficient = attackFromTime.coefficientFor (attackTime, sampleRate);
        releaseCoefficient = releaseFromTime.coefficientFor (releaseTime, sampleRate);
    }

    // e^(-1 / (fs t)) for a time t in ms. The release time sits at its 3 ms floor whenever the
    // base times are equal, and the attack time at its floor on spiky keys, so the last time
    // and its coefficient are kept: the same time at the same rate gives the same coefficient.
    struct TimeCoefficient
    {
        float time = std::numeric_limits<float>::quiet_NaN(); // matches no time until computed
        double rate = 0.0;
        float coefficient = 0.0f;

        float coefficientFor (float newTime, double newRate) noexcept
        {
            if (! (newTime == time && newRate == rate))
            {
                coefficient = static_cast<float> (std::exp (-1.0 / (newRate * static_cast<double> (newTime) * 0.001)));
                time = newTime;
                rate = newRate;
            }

            return coefficient;
        }
    };

    TimeCoefficient attackFromTime;
    TimeCoefficient releaseFromTime;

    // Saturates: a gate that stays open or closed for hours must not wrap into a new hold.
    static void countUp (int32_t& count) noexcept
    {
        if (count < std::numeric_limits<int32_t>::max())
            ++count;
    }
};
