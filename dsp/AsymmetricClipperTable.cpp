#include "dsp/AsymmetricClipperTable.h"

void AsymmetricClipperTable::build()
{
    const int32_t count = ClipperTableGrid::pointCount (rangeLow, rangeHigh);

    values.clear();
    values.resize (static_cast<size_t> (count));

    for (int32_t i = 0; i < count; ++i)
    {
        const float x = ClipperTableGrid::point (rangeLow, rangeHigh, count, i);
        values[static_cast<size_t> (i)] = lookupHalves (x);
    }
}
