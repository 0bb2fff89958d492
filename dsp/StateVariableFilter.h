#pragma once

#include <cstdint>

// Two-pole trapezoidal state-variable filter, used to shape the noise gate's key.
struct StateVariableFilter
{
    int32_t type = 0; // not read by processing
    double sampleRate = 44100.0;
    double ic1eq = 0.0;
    double ic2eq = 0.0;
    double a1 = 0.0;
    double a2 = 0.0;
    double a3 = 0.0;
    double m0 = 0.0; // input weight
    double m1 = 0.0; // band weight
    double m2 = 0.0; // low weight
    double lastBand = 0.0;
    double lastLow = 0.0;
    double cutoff = 0.0;
    double resonance = 0.0;
    int64_t reserved = 0; // not read by processing

    // A 19 kHz lowpass at Q 0.707 for sampleRate; leaves the integrator states alone.
    void prepare() noexcept;

    float processSample (float input) noexcept
    {
        const double u = input;
        const double d = u - ic2eq;
        const double band = a1 * ic1eq + a2 * d;
        const double low = ic2eq + a2 * ic1eq + a3 * d;
        lastBand = band;
        lastLow = low;
        ic1eq = 2.0 * band - ic1eq;
        ic2eq = 2.0 * low - ic2eq;
        return static_cast<float> (m0 * u + m1 * band + m2 * low);
    }
};
