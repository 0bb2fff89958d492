#pragma once

#include "dsp/ToneNetworkTables.h"

#include <array>

// The pedal's bass, mid, treble and volume network as a fifth-order digital filter: the bilinear
// transform (K = 2F, no prewarping) of the analog network at the current pot positions. The pots
// glide every sample, so the coefficients are recomputed every sample, in double precision.
struct ToneNetwork
{
    static constexpr int order = ToneNetworkTables::order;
    static constexpr int monomialCount = ToneNetworkTables::monomialCount;

    using Taps = std::array<double, order + 1>;

    struct Coefficients
    {
        Taps a {}; // denominator, a[0] normalises
        Taps b {}; // numerator, volume included
    };

    // Coefficient j of z^-j in (1 - z^-1)^k (1 + z^-1)^(5 - k): how s^k maps through the transform.
    static constexpr double bilinearExpansion[order + 1][order + 1] {
        { 1.0, 5.0, 10.0, 10.0, 5.0, 1.0 },
        { 1.0, 3.0, 2.0, -2.0, -3.0, -1.0 },
        { 1.0, 1.0, -2.0, -2.0, 1.0, 1.0 },
        { 1.0, -1.0, -2.0, 2.0, 1.0, -1.0 },
        { 1.0, -3.0, 2.0, 2.0, -3.0, 1.0 },
        { 1.0, -5.0, 10.0, -10.0, 5.0, -1.0 },
    };

    // B^i M^j T^l for i, j, l in 0..2, in the tables' order.
    static void computeMonomials (double bass, double mid, double treble,
                                  std::array<double, monomialCount>& monomials) noexcept
    {
        const double b[3] { 1.0, bass, bass * bass };
        const double m[3] { 1.0, mid, mid * mid };
        const double t[3] { 1.0, treble, treble * treble };

        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
            {
                const double bm = b[i] * m[j];

                for (int l = 0; l < 3; ++l)
                    monomials[static_cast<size_t> (i * 9 + j * 3 + l)] = bm * t[l];
            }
    }

    // The rule as written: the analog coefficients Dk and Nk at the pots, each scaled by K^k,
    // then spread over the z^-j taps. kPowers holds K^0 .. K^5.
    static void computeCoefficients (double bass, double mid, double treble, double volume,
                                     const Taps& kPowers, Coefficients& c) noexcept
    {
        std::array<double, monomialCount> monomials;
        computeMonomials (bass, mid, treble, monomials);

        Taps d {};
        Taps n {};

        for (int r = 0; r < monomialCount; ++r)
            for (int k = 0; k <= order; ++k)
            {
                d[static_cast<size_t> (k)] += monomials[static_cast<size_t> (r)] * ToneNetworkTables::denominator[r][k];
                n[static_cast<size_t> (k)] += monomials[static_cast<size_t> (r)] * ToneNetworkTables::numerator[r][k];
            }

        for (size_t k = 0; k <= order; ++k)
        {
            d[k] *= kPowers[k];
            n[k] *= kPowers[k];
        }

        const double level = 1.0 - volume;

        for (size_t j = 0; j <= order; ++j)
        {
            double a = 0.0;
            double b = 0.0;

            for (size_t k = 0; k <= order; ++k)
            {
                a += d[k] * bilinearExpansion[k][j];
                b += n[k] * bilinearExpansion[k][j];
            }

            c.a[j] = a;
            c.b[j] = level * b;
        }
    }

    // Direct form II; state holds w0 .. w5, the newest first.
    static double processSample (Taps& w, const Coefficients& c, double input) noexcept
    {
        const double feedback = c.a[1] * w[1] + c.a[2] * w[2] + c.a[3] * w[3] + c.a[4] * w[4] + c.a[5] * w[5];
        const double w0 = input - feedback / c.a[0];
        const double y = (c.b[0] * w0 + c.b[1] * w[1] + c.b[2] * w[2] + c.b[3] * w[3] + c.b[4] * w[4] + c.b[5] * w[5]) / c.a[0];

        w[5] = w[4];
        w[4] = w[3];
        w[3] = w[2];
        w[2] = w[1];
        w[1] = w0;
        w[0] = w0;
        return y;
    }
};
