#include "dsp/OnePoleFilter.h"

#include "dsp/DspConstants.h"

#include <algorithm>
#include <cmath>

void OnePoleFilter::setCornerFrequency (float cornerHz) noexcept
{
    setCoefficient (static_cast<float> (std::tan (static_cast<double> (cornerHz) * dspPi / sampleRate)));
}

float topCorner (double sampleRate) noexcept
{
    if (sampleRate < 44100.0)
        return 0.43f * static_cast<float> (sampleRate);

    return 19000.0f;
}

float limitCorner (float cornerHz, double sampleRate) noexcept
{
    return std::min (std::max (cornerHz, 1.0f), topCorner (sampleRate));
}
