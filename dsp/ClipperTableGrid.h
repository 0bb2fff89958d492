#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

// The grid and the read shared by every clipper table. The single-precision steps fix the
// grid points and the read positions, so they are spelled out where the rounding happens.
namespace ClipperTableGrid
{
    // One volt's worth of points more than the span alone, at 0.01 V per point.
    inline int32_t pointCount (double rangeLow, double rangeHigh) noexcept
    {
        const double points = (rangeHigh + (std::abs (rangeLow) + 1.0)) / 0.01;
        return points > 0.0 ? static_cast<int32_t> (points) : 0;
    }

    // The grid spreads the N points over the span in steps of span / N, so its last point
    // lies one step below the top of the range.
    inline float point (double rangeLow, double rangeHigh, int32_t count, int32_t index) noexcept
    {
        const float lo = static_cast<float> (rangeLow);
        const float hi = static_cast<float> (rangeHigh);
        return lo + ((hi - lo) / static_cast<float> (count)) * static_cast<float> (index);
    }

    // Linear interpolation at a position in entries; a neighbour outside the table reads 0.
    inline float interpolate (const float* table, int32_t count, float position) noexcept
    {
        const auto index = static_cast<int32_t> (position);
        const auto fraction = static_cast<float> (static_cast<double> (position) - static_cast<double> (index));

        // Compared unsigned so that an index of -1 (an empty table read at its top) reads 0.
        const auto size = static_cast<uint32_t> (count);
        const auto i = static_cast<uint32_t> (index);
        const float a = i < size ? table[i] : 0.0f;
        const float b = i + 1u < size ? table[i + 1u] : 0.0f;
        return (1.0f - fraction) * a + b * fraction;
    }

    // Clamped read: [rangeLow, rangeHigh] is stretched over entries 0 .. count - 1.
    inline float lookup (const float* table, int32_t count, double rangeLow, double rangeHigh, float x) noexcept
    {
        const float lo = static_cast<float> (rangeLow);
        const float hi = static_cast<float> (rangeHigh);

        // Written so that a NaN input reads the bottom of the table instead of a wild index.
        const float clamped = x > lo ? (x < hi ? x : hi) : lo;
        const float position = (static_cast<float> (count - 1) / (hi - lo)) * (clamped - lo) + 0.0f;
        return interpolate (table, count, position);
    }
}
