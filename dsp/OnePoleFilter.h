#pragma once

// Trapezoidal (TPT) one-pole section. Everything after the corner is single precision:
// the coefficient and the state are floats, which fixes the rounding of the whole chain.
struct OnePoleFilter
{
    double sampleRate = 44100.0;
    float state = 0.0f;
    float g = 0.0f;

    // g = tan (pi * fc / fs), with the corner widened to double first.
    void setCornerFrequency (float cornerHz) noexcept;

    float processLowpass (float input) noexcept
    {
        const float output = (g * input + state) / (g + 1.0f);
        state = 2.0f * output - state;
        return output;
    }

    float processHighpass (float input) noexcept
    {
        return input - processLowpass (input);
    }
};

// The highest corner any filter of the pedal may have at a rate: 19 kHz, or 0.43 of the
// rate when that is lower (below 44.1 kHz), so no corner ever gets near Nyquist.
float topCorner (double sampleRate) noexcept;

// A corner limited to [1 Hz, topCorner], as every component-derived corner is.
float limitCorner (float cornerHz, double sampleRate) noexcept;
