#pragma once

#include <algorithm>
#include <vector>

// Delays the dry signal by the oversampler's latency while HQ is on, so that dry and processed
// signal line up in the mix. Fractional delays read between two samples.
struct DryDelayLine
{
    int length = 1;
    int writeIndex = 0;
    std::vector<float> buffer = std::vector<float> (1, 0.0f);
    double sampleRate = 44100.0;

    // 10 ms of samples at a rate, never less than one.
    static int lengthForRate (double rate) noexcept
    {
        const double samples = rate * 10.0 * 0.001;
        return samples >= 1.0 ? static_cast<int> (samples) : 1;
    }

    // Makes room for the longest line a rate will need, so that preparing for HQ inside a block
    // finds the memory already there.
    void reserve (int maxLength)
    {
        if (static_cast<int> (buffer.size()) < maxLength)
            buffer.resize (static_cast<size_t> (maxLength), 0.0f);
    }

    void prepare (double rate)
    {
        sampleRate = rate;
        length = lengthForRate (rate);
        writeIndex = 0;
        reserve (length);
        std::fill_n (buffer.begin(), length, 0.0f);
    }

    // Reads the input of delay samples ago; call before writing the current sample.
    float read (float delay) const noexcept
    {
        const auto len = static_cast<float> (length);
        float r = static_cast<float> (writeIndex) - delay;

        if (r >= len)
            r -= len;

        if (r < 0.0f)
            r += len;

        const auto i = static_cast<int> (r);
        const float frac = r - static_cast<float> (i);
        const float ia = wrap (static_cast<float> (i), len);
        const float ib = wrap (static_cast<float> (i + 1), len);

        return frac * buffer[static_cast<size_t> (ib)] + (1.0f - frac) * buffer[static_cast<size_t> (ia)];
    }

    void write (float x) noexcept
    {
        const int w = writeIndex % length;
        buffer[static_cast<size_t> (w)] = x;
        writeIndex = w + 1;
    }

private:
    static float wrap (float index, float len) noexcept
    {
        while (index >= len)
            index -= len;

        while (index < 0.0f)
            index += len;

        return index;
    }
};
