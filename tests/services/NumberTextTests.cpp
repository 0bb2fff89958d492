#include "services/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
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
