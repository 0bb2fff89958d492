#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The fifth-order tone and volume network: the bilinear transform (K = 2F, no prewarping)
// of H(s) = (1 - V) N(s) / D(s), where each coefficient of N and D is a polynomial in the
// bass, mid and treble pot values. The coefficients follow the pots every sample.
namespace ToneNetwork
{
    struct Term
    {
        int32_t bassPower, midPower, treblePower;
        std::array<double, 6> weights; // in the s^0 .. s^5 coefficients
    };

    inline constexpr int denominatorTermCount = 27;
    inline constexpr int numeratorTermCount = 18;
    extern const Term denominatorTerms[denominatorTermCount];
    extern const Term numeratorTerms[numeratorTermCount];

    struct Coefficients
    {
        std::array<double, 6> a {}; // denominator, z^0 .. z^-5
        std::array<double, 6> b {}; // numerator
    };

    // Coefficient of z^-j in (1 - z^-1)^k (1 + z^-1)^(5 - k), for s^k.
    inline constexpr double bilinearWeights[6][6] {
        { 1, 5, 10, 10, 5, 1 },
        { 1, 3, 2, -2, -3, -1 },
        { 1, 1, -2, -2, 1, 1 },
        { 1, -1, -2, 2, 1, -1 },
        { 1, -3, 2, 2, -3, 1 },
        { 1, -5, 10, -10, 5, -1 }
    };

    // kPowers holds K^0 .. K^5 for K = 2F.
    inline Coefficients computeCoefficients (double bass, double mid, double treble, double volume,
                                             const std::array<double, 6>& kPowers) noexcept
    {
        const double bassPowers[3] { 1.0, bass, bass * bass };
        const double midPowers[3] { 1.0, mid, mid * mid };
        const double treblePowers[3] { 1.0, treble, treble * treble };

        std::array<double, 6> d {}, n {};

        for (const auto& term : denominatorTerms)
        {
            const double monomial = bassPowers[term.bassPower] * midPowers[term.midPower] * treblePowers[term.treblePower];

            for (std::size_t k = 0; k < 6; ++k)
                d[k] += term.weights[k] * monomial;
        }

        for (const auto& term : numeratorTerms)
        {
            const double monomial = bassPowers[term.bassPower] * midPowers[term.midPower] * treblePowers[term.treblePower];

            for (std::size_t k = 0; k < 6; ++k)
                n[k] += term.weights[k] * monomial;
        }

        Coefficients c;
        const double level = 1.0 - volume;

        for (std::size_t k = 0; k < 6; ++k)
        {
            const double dk = d[k] * kPowers[k];
            const double nk = n[k] * kPowers[k];

            for (std::size_t j = 0; j < 6; ++j)
            {
                c.a[j] += dk * bilinearWeights[k][j];
                c.b[j] += nk * bilinearWeights[k][j];
            }
        }

        for (auto& bj : c.b)
            bj *= level;

        return c;
    }

    // One sample through the direct form II delay line w (w[0] is the newest).
    inline double process (std::array<double, 6>& w, const Coefficients& c, double input) noexcept
    {
        const double w0 = input - (c.a[1] * w[1] + c.a[2] * w[2] + c.a[3] * w[3] + c.a[4] * w[4] + c.a[5] * w[5]) / c.a[0];
        const double output = (c.b[0] * w0 + c.b[1] * w[1] + c.b[2] * w[2] + c.b[3] * w[3] + c.b[4] * w[4] + c.b[5] * w[5]) / c.a[0];

        w[5] = w[4];
        w[4] = w[3];
        w[3] = w[2];
        w[2] = w[1];
        w[1] = w0;
        w[0] = w0;
        return output;
    }
}
