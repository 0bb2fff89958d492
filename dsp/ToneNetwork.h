#pragma once

#include "dsp/ToneNetworkTables.h"

#include <array>
#include <cstddef>

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

    // The same rule with the transform folded in once per rate (the expanded form): each
    // monomial B^i M^j T^l gets its weight in every digital coefficient. Per sample the weights
    // are summed in nested form, T innermost, which keeps the chain of dependent additions short.
    // No numerator term has T squared, so the numerator's innermost level is linear.
    struct Weights
    {
        alignas (16) double denominator[3][3][3][order + 1] {};
        alignas (16) double numerator[3][3][2][order + 1] {};

        void prepare (const Taps& kPowers) noexcept
        {
            for (int r = 0; r < monomialCount; ++r)
            {
                const int i = r / 9;
                const int j = (r / 3) % 3;
                const int l = r % 3;

                for (int tap = 0; tap <= order; ++tap)
                {
                    double a = 0.0;
                    double b = 0.0;

                    for (int k = 0; k <= order; ++k)
                    {
                        const double spread = kPowers[static_cast<size_t> (k)] * bilinearExpansion[k][tap];
                        a += ToneNetworkTables::denominator[r][k] * spread;
                        b += ToneNetworkTables::numerator[r][k] * spread;
                    }

                    denominator[i][j][l][tap] = a;

                    if (l < 2)
                        numerator[i][j][l][tap] = b;
                }
            }
        }

        void computeCoefficients (double bass, double mid, double treble, double volume, Coefficients& c) const noexcept
        {
            double inB[3][order + 1];
            double inN[3][order + 1];

            for (int i = 0; i < 3; ++i)
            {
                double byMidD[3][order + 1];
                double byMidN[3][order + 1];

                for (int j = 0; j < 3; ++j)
                    for (int tap = 0; tap <= order; ++tap)
                    {
                        const auto& d = denominator[i][j];
                        const auto& n = numerator[i][j];
                        byMidD[j][tap] = d[0][tap] + treble * (d[1][tap] + treble * d[2][tap]);
                        byMidN[j][tap] = n[0][tap] + treble * n[1][tap];
                    }

                for (int tap = 0; tap <= order; ++tap)
                {
                    inB[i][tap] = byMidD[0][tap] + mid * (byMidD[1][tap] + mid * byMidD[2][tap]);
                    inN[i][tap] = byMidN[0][tap] + mid * (byMidN[1][tap] + mid * byMidN[2][tap]);
                }
            }

            const double level = 1.0 - volume;

            for (size_t tap = 0; tap <= order; ++tap)
            {
                c.a[tap] = inB[0][tap] + bass * (inB[1][tap] + bass * inB[2][tap]);
                c.b[tap] = level * (inN[0][tap] + bass * (inN[1][tap] + bass * inN[2][tap]));
            }
        }
    };

    // Direct form II; state holds w0 .. w5, the newest first. One reciprocal of a0 serves both
    // divisions, and the sums are paired, so the step waits on as few operations as possible.
    static double processSample (Taps& w, const Coefficients& c, double input) noexcept
    {
        const double scale = 1.0 / c.a[0];
        const double feedback = (c.a[1] * w[1] + c.a[2] * w[2]) + (c.a[3] * w[3] + c.a[4] * w[4]) + c.a[5] * w[5];
        const double history = (c.b[1] * w[1] + c.b[2] * w[2]) + (c.b[3] * w[3] + c.b[4] * w[4]) + c.b[5] * w[5];
        const double w0 = input - feedback * scale;
        const double y = (c.b[0] * w0 + history) * scale;

        w[5] = w[4];
        w[4] = w[3];
        w[3] = w[2];
        w[2] = w[1];
        w[1] = w0;
        w[0] = w0;
        return y;
    }
};
