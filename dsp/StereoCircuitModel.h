#pragma once

#include "dsp/PedalCircuitModel.h"

#include <cstddef>

// Both channels of a stereo instance through their pedals together, left in lane 0 and right
// in lane 1 of one register. Each channel comes out bit for bit as PedalCircuitModel's own
// processSample would give it: the same operations in the same order, rounded at the same
// points, with the exponentials of the clipper solve taken per lane by the scalar function.
namespace StereoCircuitModel
{
    // Runs numSamples samples of each channel (input and output may be the same memory).
    // Two models whose stages differ in kind (curve, clipper, the "Bass" path) are run one
    // sample of each at a time instead; the result is the same.
    void process (PedalCircuitModel& left, PedalCircuitModel& right,
                  const float* leftInput, const float* rightInput, float* leftOutput, float* rightOutput,
                  std::size_t numSamples, float inputGain, float outputGain) noexcept;

    // Whether process runs these two models in the lanes of one register.
    bool runsInLanes (const PedalCircuitModel& left, const PedalCircuitModel& right) noexcept;
}
