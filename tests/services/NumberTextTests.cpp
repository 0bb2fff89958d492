#include "services/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using korvanth::textToDouble;

// Under the sanitizers these texts used to overflow the framework's exponent counter.
TEST (NumberText, ExponentsTooLongForAnIntMeanInfinityOrZero)
{
    constexpr auto inf = std::numeric_limits<double>::infinity();

    EXPECT_EQ (textToDouble ("1e99999999999"), inf);
    EXPECT_EQ (textToDouble ("-2.5E+2147483648"), -inf);
    EXPECT_EQ (textToDouble ("  .5e-99999999999999999999"), 0.0);

    const auto negativeZero = textToDouble ("-7e-123456789012");
    EXPECT_EQ (negativeZero, 0.0);
    EXPECT_TRUE (std::signbit (negativeZero));
}

TEST (NumberText, EveryOtherTextReadsAsTheFrameworkReadsIt)
{
    for (const auto* text : { "0.5", "1", "-0", "1e3", "-2.5E-3", "  7 dB", "1e0000000000005",
                              "3.25e", "4e+", "1.7976931348623157e308", "1e400", "nan", "-inf",
                              "", "loud", "12.5.3", "+.25e1x", "5e-324" })
    {
        const auto expected = juce::String (text).getDoubleValue();
        const auto read = textToDouble (text);

        if (std::isnan (expected))
            EXPECT_TRUE (std::isnan (read)) << text;
        else
            EXPECT_EQ (read, expected) << text;
    }
}

TEST (NumberText, EveryFiniteNumberIsWrittenAsTextThatReadsBackTheSame)
{
    using korvanth::doubleToText;

    // Where the framework's own text reads back, it is kept, so files written before stay as they are.
    for (auto value : { 2.0, 1.5, -0.25, 0.1, 123456.789, 0.00012 })
        EXPECT_EQ (doubleToText (value), juce::var (value).toString()) << value;

    EXPECT_EQ (doubleToText (1111111111111111117.0), "1.1111111111111112e18");

    juce::Random random (20261207);
    auto expectReadBack = [] (double value)
    {
        EXPECT_EQ (textToDouble (doubleToText (value)), value) << doubleToText (value);
    };

    for (auto value : { 1.0e6, 1.0e-5, 5.0e-324, -2.2250738585072014e-308, 1.0e-309, 1.7976931348623157e308 })
        expectReadBack (value);

    // Any bit pattern, and whole numbers the way a hand-edited file holds them.
    for (int i = 0; i < 100000; ++i)
    {
        double value = 0.0;
        const auto bits = (juce::uint64) random.nextInt64();
        std::memcpy (&value, &bits, sizeof (value));

        if (std::isfinite (value))
            expectReadBack (value);

        expectReadBack ((double) random.nextInt64());
    }
}
