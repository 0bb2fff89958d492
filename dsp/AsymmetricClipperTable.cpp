#include "dsp/AsymmetricClipperTable.h"

#include <cmath>

void AsymmetricClipperTable::build()
{
    const int32_t count = ClipperTableGrid::pointCount (rangeLow, rangeHigh);

    values.clear();
    values.resize (static_cast<size_t> (count));

    for (int32_t i = 0; i < count; ++i)
    {
        const float x = ClipperTableGrid::point (rangeLow, rangeHigh, count, i);

        // By sign bit, so that -0.0 belongs to the negative half and +0.0 to the positive.
        values[static_cast<size_t> (i)] = std::signbit (x) ? negativeHalf.lookup (x)
                                                           : positiveHalf.lookup (x);
    }
}
