#include "dsp/Waveshaper.h"

Waveshaper::Waveshaper()
{
    // erf from -2 to +2 in 2047 equal steps; 0.0019540791 is the float nearest to 4 / 2047.
    for (int i = 0; i < erfTableSize; ++i)
        erfTable[static_cast<size_t> (i)] = std::erf (static_cast<float> (i) * 0.0019540791f - 2.0f);
}
