#pragma once

// Trapezoidal (TPT) one-pole section. Everything after the corner is single precision:
// the coefficient and the state are floats, which fixes the rounding of the whole chain.
struct OnePoleFilter
{
    double sampleRate = 44100.0;
    float state = 0.0f;
    float g = 0.0f;
    double reciprocal = 1.0; // 1 / (g + 1) in double, kept with g

    // g = tan (pi * fc / fs), with the corner widened to double first.
    void setCornerFrequency (float cornerHz) noexcept;

    // Sets g directly; g is only ever changed through here or the corner.
    void setCoefficient (float newG) noexcept
    {
        g = newG;
        reciprocal = 1.0 / static_cast<double> (g + 1.0f);
    }

    float processLowpass (float input) noexcept
    {
        // The float quotient (g x + s) / (g + 1), as a multiplication: a float quotient is never
        // within 2^-49 of a float rounding boundary, and the double product lands much closer
        // than that to the exact quotient, so rounding it to float gives the division's float.
        const float output = static_cast<float> (static_cast<double> (g * input + state) * reciprocal);
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
