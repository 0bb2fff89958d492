#pragma once

#include "dsp/LanePair.h"
#include "dsp/OnePoleFilter.h"

// Two channels' OnePoleFilter in the lanes of one register, rounding exactly as the scalar
// filter does. Loaded from the two filters, run, and its states stored back.
struct OnePoleFilterPair
{
    LanePair::Floats g, state;
    LanePair::Doubles reciprocal;

    static OnePoleFilterPair load (const OnePoleFilter& left, const OnePoleFilter& right) noexcept
    {
        return { LanePair::Floats::of (left.g, right.g), LanePair::Floats::of (left.state, right.state),
                 LanePair::Doubles::of (left.reciprocal, right.reciprocal) };
    }

    void storeState (OnePoleFilter& left, OnePoleFilter& right) const noexcept
    {
        left.state = state.left();
        right.state = state.right();
    }

    LanePair::Floats processLowpass (LanePair::Floats input) noexcept
    {
        using namespace LanePair;
        const Floats output = toFloat (toDouble (g * input + state) * reciprocal);
        state = Floats::both (2.0f) * output - state;
        return output;
    }

    LanePair::Floats processHighpass (LanePair::Floats input) noexcept
    {
        return input - processLowpass (input);
    }
};
