#pragma once

#include "dsp/NoiseGate.h"
#include "dsp/OnePoleFilter.h"

#include <cstddef>

// Both channels' gates in the lanes of one register, each keyed by its own dry input through
// its own high-pass; every channel comes out bit for bit as its NoiseGate alone gives it.
struct StereoNoiseGate
{
    // Gates numSamples samples of each channel in place. Gates with the key filter on or
    // without program-dependent timing run one after the other instead.
    static void process (NoiseGate& leftGate, NoiseGate& rightGate, OnePoleFilter& leftKey, OnePoleFilter& rightKey,
                         const float* leftDry, const float* rightDry, float* leftSamples, float* rightSamples,
                         std::size_t numSamples) noexcept;

    static bool runsInLanes (const NoiseGate& left, const NoiseGate& right) noexcept;
};
