#include "dsp/StateVariableFilter.h"

#include <cmath>

void StateVariableFilter::prepare() noexcept
{
    type = 0;
    reserved = 0;
    cutoff = 19000.0;
    resonance = 0.707;

    const double g = std::tan (59690.26041820607 / sampleRate); // pi * 19000
    a1 = 1.0 / (g * (g + 1.4144271570014144) + 1.0);            // 1.4144... = 1 / 0.707
    a2 = g * a1;
    a3 = g * a2;
    m0 = 0.0;
    m1 = 0.0;
    m2 = 1.0;
}
