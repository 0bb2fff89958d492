#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

// QUILLMONT_LANE_PAIR_SCALAR forces the plain form, so it is tested where SSE2 exists too.
#if ! defined(QUILLMONT_LANE_PAIR_SCALAR) \
    && (defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2))
    #define QUILLMONT_LANE_PAIR_SSE2 1
    #include <emmintrin.h>
#else
    #define QUILLMONT_LANE_PAIR_SSE2 0
#endif

// Two channels in the lanes of one register: lane 0 left, lane 1 right. Every operation is the
// IEEE operation of the scalar code on each lane, rounded the same way, so a lane's result is
// bit for bit what the scalar path gives; that is why there is no fused or approximate
// operation here. Without SSE2 the same types hold two plain values.
namespace LanePair
{
#if QUILLMONT_LANE_PAIR_SSE2

    // Two floats in the low lanes of an SSE register; the upper lanes only come along.
    struct Floats
    {
        __m128 v;

        static Floats of (float left, float right) noexcept { return { _mm_setr_ps (left, right, 0.0f, 0.0f) }; }
        static Floats both (float value) noexcept { return { _mm_set1_ps (value) }; }

        float left() const noexcept { return _mm_cvtss_f32 (v); }
        float right() const noexcept { return _mm_cvtss_f32 (_mm_shuffle_ps (v, v, _MM_SHUFFLE (1, 1, 1, 1))); }

        friend Floats operator+ (Floats a, Floats b) noexcept { return { _mm_add_ps (a.v, b.v) }; }
        friend Floats operator- (Floats a, Floats b) noexcept { return { _mm_sub_ps (a.v, b.v) }; }
        friend Floats operator* (Floats a, Floats b) noexcept { return { _mm_mul_ps (a.v, b.v) }; }
        friend Floats operator/ (Floats a, Floats b) noexcept { return { _mm_div_ps (a.v, b.v) }; }
    };

    struct Doubles
    {
        __m128d v;

        static Doubles of (double left, double right) noexcept { return { _mm_setr_pd (left, right) }; }
        static Doubles both (double value) noexcept { return { _mm_set1_pd (value) }; }

        double left() const noexcept { return _mm_cvtsd_f64 (v); }
        double right() const noexcept { return _mm_cvtsd_f64 (_mm_unpackhi_pd (v, v)); }

        friend Doubles operator+ (Doubles a, Doubles b) noexcept { return { _mm_add_pd (a.v, b.v) }; }
        friend Doubles operator- (Doubles a, Doubles b) noexcept { return { _mm_sub_pd (a.v, b.v) }; }
        friend Doubles operator* (Doubles a, Doubles b) noexcept { return { _mm_mul_pd (a.v, b.v) }; }
        friend Doubles operator/ (Doubles a, Doubles b) noexcept { return { _mm_div_pd (a.v, b.v) }; }

        // Flips the sign bit, as unary minus does (0 - x would turn -0 into +0).
        Doubles operator-() const noexcept { return { _mm_xor_pd (v, _mm_set1_pd (-0.0)) }; }
    };

    // Lane masks: all ones where a comparison holds. Bit 0 of bits() is the left lane.
    struct FloatMask
    {
        __m128 m;
        int bits() const noexcept { return _mm_movemask_ps (m) & 3; }
    };

    struct DoubleMask
    {
        __m128d m;
        int bits() const noexcept { return _mm_movemask_pd (m); }
    };

    // Two int32 counters.
    struct Ints
    {
        __m128i v;

        static Ints of (int32_t left, int32_t right) noexcept { return { _mm_setr_epi32 (left, right, 0, 0) }; }
        int32_t left() const noexcept { return _mm_cvtsi128_si32 (v); }
        int32_t right() const noexcept { return _mm_cvtsi128_si32 (_mm_shuffle_epi32 (v, _MM_SHUFFLE (1, 1, 1, 1))); }
    };

    inline Doubles toDouble (Floats x) noexcept { return { _mm_cvtps_pd (x.v) }; }
    inline Floats toFloat (Doubles x) noexcept { return { _mm_cvtpd_ps (x.v) }; }
    inline Floats toFloat (Ints x) noexcept { return { _mm_cvtepi32_ps (x.v) }; }

    // a < b and a > b per lane; false where either is NaN, like the scalar comparison.
    inline FloatMask less (Floats a, Floats b) noexcept { return { _mm_cmplt_ps (a.v, b.v) }; }
    inline DoubleMask less (Doubles a, Doubles b) noexcept { return { _mm_cmplt_pd (a.v, b.v) }; }

    inline Floats select (FloatMask m, Floats whereTrue, Floats whereFalse) noexcept
    {
        return { _mm_or_ps (_mm_and_ps (m.m, whereTrue.v), _mm_andnot_ps (m.m, whereFalse.v)) };
    }

    inline Doubles select (DoubleMask m, Doubles whereTrue, Doubles whereFalse) noexcept
    {
        return { _mm_or_pd (_mm_and_pd (m.m, whereTrue.v), _mm_andnot_pd (m.m, whereFalse.v)) };
    }

    inline Ints select (FloatMask m, Ints whereTrue, Ints whereFalse) noexcept
    {
        const auto mask = _mm_castps_si128 (m.m);
        return { _mm_or_si128 (_mm_and_si128 (mask, whereTrue.v), _mm_andnot_si128 (mask, whereFalse.v)) };
    }

    // The lanes of a float comparison widened to the double lanes.
    inline DoubleMask widen (FloatMask m) noexcept { return { _mm_castps_pd (_mm_unpacklo_ps (m.m, m.m)) }; }

    // std::max (a, b) per lane, which is (a < b) ? b : a; MAXPD returns its second operand
    // unless the first is greater, so the operands go in swapped.
    inline Floats max (Floats a, Floats b) noexcept { return { _mm_max_ps (b.v, a.v) }; }
    inline Doubles max (Doubles a, Doubles b) noexcept { return { _mm_max_pd (b.v, a.v) }; }

    inline Doubles abs (Doubles x) noexcept { return { _mm_andnot_pd (_mm_set1_pd (-0.0), x.v) }; }

    // std::copysign (magnitude, sign) per lane.
    inline Doubles copySign (Doubles magnitude, Doubles sign) noexcept
    {
        const auto signBit = _mm_set1_pd (-0.0);
        return { _mm_or_pd (_mm_andnot_pd (signBit, magnitude.v), _mm_and_pd (signBit, sign.v)) };
    }

    // count + 1, held at the largest int32 instead of wrapping.
    inline Ints incrementSaturating (Ints count) noexcept
    {
        const auto atLimit = _mm_cmpeq_epi32 (count.v, _mm_set1_epi32 (std::numeric_limits<int32_t>::max()));
        return { _mm_add_epi32 (_mm_add_epi32 (count.v, _mm_set1_epi32 (1)), atLimit) };
    }

    inline Ints zeroInts() noexcept { return { _mm_setzero_si128() }; }

    // The mask whose lanes are the bits of bits() (bit 0 left).
    inline DoubleMask maskOf (int bits) noexcept
    {
        return { _mm_castsi128_pd (_mm_set_epi64x ((bits & 2) != 0 ? -1 : 0, (bits & 1) != 0 ? -1 : 0)) };
    }

    // Both lanes hold the same bits (so NaN matches itself and -0 does not match +0).
    inline bool sameBits (Doubles a, Doubles b) noexcept
    {
        return _mm_movemask_epi8 (_mm_cmpeq_epi32 (_mm_castpd_si128 (a.v), _mm_castpd_si128 (b.v))) == 0xffff;
    }

#else

    struct Floats
    {
        float l, r;

        static Floats of (float left, float right) noexcept { return { left, right }; }
        static Floats both (float value) noexcept { return { value, value }; }

        float left() const noexcept { return l; }
        float right() const noexcept { return r; }

        friend Floats operator+ (Floats a, Floats b) noexcept { return { a.l + b.l, a.r + b.r }; }
        friend Floats operator- (Floats a, Floats b) noexcept { return { a.l - b.l, a.r - b.r }; }
        friend Floats operator* (Floats a, Floats b) noexcept { return { a.l * b.l, a.r * b.r }; }
        friend Floats operator/ (Floats a, Floats b) noexcept { return { a.l / b.l, a.r / b.r }; }
    };

    struct Doubles
    {
        double l, r;

        static Doubles of (double left, double right) noexcept { return { left, right }; }
        static Doubles both (double value) noexcept { return { value, value }; }

        double left() const noexcept { return l; }
        double right() const noexcept { return r; }

        friend Doubles operator+ (Doubles a, Doubles b) noexcept { return { a.l + b.l, a.r + b.r }; }
        friend Doubles operator- (Doubles a, Doubles b) noexcept { return { a.l - b.l, a.r - b.r }; }
        friend Doubles operator* (Doubles a, Doubles b) noexcept { return { a.l * b.l, a.r * b.r }; }
        friend Doubles operator/ (Doubles a, Doubles b) noexcept { return { a.l / b.l, a.r / b.r }; }

        Doubles operator-() const noexcept { return { -l, -r }; }
    };

    struct FloatMask
    {
        bool l, r;
        int bits() const noexcept { return (l ? 1 : 0) | (r ? 2 : 0); }
    };

    struct DoubleMask
    {
        bool l, r;
        int bits() const noexcept { return (l ? 1 : 0) | (r ? 2 : 0); }
    };

    struct Ints
    {
        int32_t l, r;

        static Ints of (int32_t left, int32_t right) noexcept { return { left, right }; }
        int32_t left() const noexcept { return l; }
        int32_t right() const noexcept { return r; }
    };

    inline Doubles toDouble (Floats x) noexcept { return { static_cast<double> (x.l), static_cast<double> (x.r) }; }
    inline Floats toFloat (Doubles x) noexcept { return { static_cast<float> (x.l), static_cast<float> (x.r) }; }
    inline Floats toFloat (Ints x) noexcept { return { static_cast<float> (x.l), static_cast<float> (x.r) }; }

    inline FloatMask less (Floats a, Floats b) noexcept { return { a.l < b.l, a.r < b.r }; }
    inline DoubleMask less (Doubles a, Doubles b) noexcept { return { a.l < b.l, a.r < b.r }; }

    inline Floats select (FloatMask m, Floats t, Floats f) noexcept { return { m.l ? t.l : f.l, m.r ? t.r : f.r }; }
    inline Doubles select (DoubleMask m, Doubles t, Doubles f) noexcept { return { m.l ? t.l : f.l, m.r ? t.r : f.r }; }
    inline Ints select (FloatMask m, Ints t, Ints f) noexcept { return { m.l ? t.l : f.l, m.r ? t.r : f.r }; }

    inline DoubleMask widen (FloatMask m) noexcept { return { m.l, m.r }; }

    inline Floats max (Floats a, Floats b) noexcept { return { a.l < b.l ? b.l : a.l, a.r < b.r ? b.r : a.r }; }
    inline Doubles max (Doubles a, Doubles b) noexcept { return { a.l < b.l ? b.l : a.l, a.r < b.r ? b.r : a.r }; }

    inline Doubles abs (Doubles x) noexcept { return { std::abs (x.l), std::abs (x.r) }; }

    inline Doubles copySign (Doubles magnitude, Doubles sign) noexcept
    {
        return { std::copysign (magnitude.l, sign.l), std::copysign (magnitude.r, sign.r) };
    }

    inline Ints incrementSaturating (Ints count) noexcept
    {
        auto up = [] (int32_t c) { return c < std::numeric_limits<int32_t>::max() ? c + 1 : c; };
        return { up (count.l), up (count.r) };
    }

    inline Ints zeroInts() noexcept { return { 0, 0 }; }

    inline DoubleMask maskOf (int bits) noexcept { return { (bits & 1) != 0, (bits & 2) != 0 }; }

    inline bool sameBits (Doubles a, Doubles b) noexcept { return std::memcmp (&a, &b, sizeof (a)) == 0; }

#endif

    inline FloatMask greater (Floats a, Floats b) noexcept { return less (b, a); }

    // Applies a scalar function to each lane; for what has no exact vector form (exp).
    template <typename Function>
    Doubles perLane (Doubles x, Function&& f) noexcept
    {
        return Doubles::of (f (x.left()), f (x.right()));
    }
}
