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

    // The same rule with the transform folded in once per rate: every monomial B^i M^j T^l
    // gets its weight in each digital coefficient, so a sample needs no pass through the s^k
    // coefficients. The weights are summed in nested form, T innermost, which keeps the chain
    // of dependent additions short; the result equals computeCoefficients to rounding.
    struct ExpandedWeights
    {
        ExpandedWeights() = default;
        explicit ExpandedWeights (const std::array<double, 6>& kPowers) noexcept { prepare (kPowers); }

        void prepare (const std::array<double, 6>& kPowers) noexcept
        {
            *this = {};
            addTerms (denominatorTerms, denominator, kPowers);
            addTerms (numeratorTerms, numerator, kPowers);
        }

        Coefficients computeCoefficients (double bass, double mid, double treble, double volume) const noexcept
        {
            Coefficients c;
            const double level = 1.0 - volume;
            double byBass[2][3][6];

            for (int i = 0; i < 3; ++i)
            {
                double byMid[2][3][6];

                for (int j = 0; j < 3; ++j)
                    for (std::size_t tap = 0; tap < 6; ++tap)
                    {
                        const auto& d = denominator[i][j];
                        const auto& n = numerator[i][j];
                        byMid[0][j][tap] = d[0][tap] + treble * (d[1][tap] + treble * d[2][tap]);
                        byMid[1][j][tap] = n[0][tap] + treble * (n[1][tap] + treble * n[2][tap]);
                    }

                for (int part = 0; part < 2; ++part)
                    for (std::size_t tap = 0; tap < 6; ++tap)
                        byBass[part][i][tap] = byMid[part][0][tap] + mid * (byMid[part][1][tap] + mid * byMid[part][2][tap]);
            }

            for (std::size_t tap = 0; tap < 6; ++tap)
            {
                c.a[tap] = byBass[0][0][tap] + bass * (byBass[0][1][tap] + bass * byBass[0][2][tap]);
                c.b[tap] = level * (byBass[1][0][tap] + bass * (byBass[1][1][tap] + bass * byBass[1][2][tap]));
            }

            return c;
        }

    private:
        using Cube = double[3][3][3][6];

        template <std::size_t count>
        static void addTerms (const Term (&terms)[count], Cube& cube, const std::array<double, 6>& kPowers) noexcept
        {
            for (const auto& term : terms)
                for (std::size_t tap = 0; tap < 6; ++tap)
                {
                    double sum = 0.0;

                    for (std::size_t k = 0; k < 6; ++k)
                        sum += term.weights[k] * kPowers[k] * bilinearWeights[k][tap];

                    cube[term.bassPower][term.midPower][term.treblePower][tap] += sum;
                }
        }

        Cube denominator {};
        Cube numerator {};
    };

    // One sample through the direct form II delay line w (w[0] is the newest).
    // scale is 1 / a0: one reciprocal serves both divisions by a0, and a caller holding the
    // coefficients over many samples keeps it with them.
    inline double process (std::array<double, 6>& w, const Coefficients& c, double input, double scale) noexcept
    {
        // The sums are taken in pairs, so the step waits on as few operations as possible;
        // the difference is rounding.
        const double feedback = (c.a[1] * w[1] + c.a[2] * w[2]) + (c.a[3] * w[3] + c.a[4] * w[4]) + c.a[5] * w[5];
        const double history = (c.b[1] * w[1] + c.b[2] * w[2]) + (c.b[3] * w[3] + c.b[4] * w[4]) + c.b[5] * w[5];
        const double w0 = input - feedback * scale;
        const double output = (c.b[0] * w0 + history) * scale;

        w[5] = w[4];
        w[4] = w[3];
        w[3] = w[2];
        w[2] = w[1];
        w[1] = w0;
        w[0] = w0;
        return output;
    }

    inline double process (std::array<double, 6>& w, const Coefficients& c, double input) noexcept
    {
        return process (w, c, input, 1.0 / c.a[0]);
    }
}
