#pragma once

#include "dsp/ClipperTableGrid.h"
#include "dsp/DiodeClipperTable.h"
#include "dsp/OnePoleFilter.h"

#include <cmath>
#include <cstdint>
#include <vector>

struct ClipperSweepBank;

// A clipper whose two halves come from different diodes: negative inputs read one table,
// inputs from 0 up read the other. The uneven halves put a DC offset on the signal, which
// the chain removes with dcBlocker after the read.
struct AsymmetricClipperTable
{
    double sampleRate = 44100.0;
    OnePoleFilter dcBlocker;
    DiodeClipperTable positiveHalf;
    DiodeClipperTable negativeHalf;
    double rangeLow = -5.0;
    double rangeHigh = 5.0;
    std::vector<float> values;

    // What the values follow from: the halves' sweeps and the table's own range.
    struct Source
    {
        DiodeClipperTable::BuildInputs positive, negative;
        double rangeLow, rangeHigh;

        bool operator== (const Source& other) const noexcept;
    };

    // Build both halves first. Halves swept from the same inputs as last time over the same
    // range give the same values, so those are kept; values bank holds are copied.
    void build (const ClipperSweepBank* bank = nullptr);

    // The split the table is built from: by sign bit, so -0.0 reads the negative half.
    float lookupHalves (float x) const noexcept
    {
        return std::signbit (x) ? negativeHalf.lookup (x) : positiveHalf.lookup (x);
    }

    float lookup (float x) const noexcept
    {
        return ClipperTableGrid::lookup (values.data(), static_cast<int32_t> (values.size()), rangeLow, rangeHigh, x);
    }

private:
    Source lastSource {};
    bool hasBuilt = false;
};
