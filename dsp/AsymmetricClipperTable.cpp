#include "dsp/AsymmetricClipperTable.h"

#include "dsp/ClipperSweepBank.h"

bool AsymmetricClipperTable::Source::operator== (const Source& other) const noexcept
{
    return positive == other.positive && negative == other.negative
        && rangeLow == other.rangeLow && rangeHigh == other.rangeHigh;
}

void AsymmetricClipperTable::build (const ClipperSweepBank* bank)
{
    const auto* positive = positiveHalf.builtFrom();
    const auto* negative = negativeHalf.builtFrom();

    // Halves filled by hand are not known by their inputs, so they are read again every time.
    if (positive == nullptr || negative == nullptr)
    {
        hasBuilt = false;
    }
    else
    {
        const Source source { *positive, *negative, rangeLow, rangeHigh };

        if (hasBuilt && source == lastSource)
            return;

        hasBuilt = true;
        lastSource = source;

        if (bank != nullptr && bank->fetch (source, *this))
            return;
    }

    const int32_t count = ClipperTableGrid::pointCount (rangeLow, rangeHigh);

    values.clear();
    values.resize (static_cast<size_t> (count));

    for (int32_t i = 0; i < count; ++i)
    {
        const float x = ClipperTableGrid::point (rangeLow, rangeHigh, count, i);
        values[static_cast<size_t> (i)] = lookupHalves (x);
    }
}
