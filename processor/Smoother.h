#pragma once

#include <cmath>

// One-pole glide of a gain towards its target, once per host sample; used by the mix and power
// cross-fades so that a switch or a knob jump never clicks.
struct Smoother
{
    float coefficient = 0.0f;
    float complement = 1.0f;
    float value = 0.0f;
    float target = 0.0f;

    // Covers a step to within e^-2pi in 10 ms at the given rate; starts again from 0.
    void prepare (double rate) noexcept
    {
        coefficient = std::exp (-6.2831855f / (static_cast<float> (rate) * 0.010000001f));
        complement = 1.0f - coefficient;
        value = 0.0f;
    }

    float next() noexcept
    {
        value = target * complement + value * coefficient;
        return value;
    }
};
