#include "dsp/PedalCircuitModel.h"
#include "dsp/Waveshaper.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
    constexpr float rail = 7.650000214576721f;

    // A lowpass wide open enough that the output follows the curve to about 1e-5.
    Waveshaper openStage()
    {
        Waveshaper stage;
        stage.lowpass.setCoefficient (1.0e6f);
        return stage;
    }

    // The curve's value for x, read through a wide-open lowpass from rest.
    float curveValue (int curve, float x, double gain = 1.0)
    {
        auto stage = openStage();
        stage.gain = gain;
        return stage.processSample (curve, x);
    }
}

TEST (Waveshaper, ErfTableRunsFromErfMinusTwoToErfTwo)
{
    const Waveshaper stage;

    EXPECT_NEAR (stage.erfTable.front(), std::erf (-2.0), 1e-6);
    EXPECT_NEAR (stage.erfTable.back(), std::erf (2.0), 1e-6);
    EXPECT_NEAR (stage.erfTable[1023], std::erf (-2.0 + 4.0 * 1023.0 / 2047.0), 1e-6);
}

TEST (Waveshaper, LinearCurveIsPlainGain)
{
    EXPECT_NEAR (curveValue (Waveshaper::Linear, 0.25f, 46.45), 11.6125, 1e-3);
    EXPECT_NEAR (curveValue (Waveshaper::Linear, -0.25f, -68.0), 17.0, 1e-3);
}

TEST (Waveshaper, CurveNumbersOutsideZeroToSixActAsLinear)
{
    for (const int curve : { 7, 100, -1 })
    {
        auto linear = openStage();
        auto other = openStage();
        linear.lowpass.setCoefficient (0.3f);
        other.lowpass.setCoefficient (0.3f);
        linear.gain = other.gain = 3.0;

        for (const float x : { 0.5f, -2.0f, 10.0f, 0.1f })
            EXPECT_EQ (other.processSample (curve, x), linear.processSample (Waveshaper::Linear, x)) << curve;
    }
}

TEST (Waveshaper, HardClipStopsAtTheRails)
{
    EXPECT_NEAR (curveValue (Waveshaper::HardClip, 10.0f), 7.65, 1e-4);
    EXPECT_NEAR (curveValue (Waveshaper::HardClip, -10.0f), -7.47, 1e-4);
    EXPECT_NEAR (curveValue (Waveshaper::HardClip, 3.0f), 3.0, 1e-4);
}

TEST (Waveshaper, ErfCurvesSaturateAtTheRail)
{
    EXPECT_NEAR (curveValue (Waveshaper::Erf, rail), rail * std::erf (1.0), 1e-4);
    EXPECT_NEAR (curveValue (Waveshaper::ErfTable, 2.0f * rail), rail * 0.99532, 1e-3);
    EXPECT_NEAR (curveValue (Waveshaper::ErfTable, 100.0f * rail), rail * 0.99532, 1e-3);
    EXPECT_NEAR (curveValue (Waveshaper::ErfTable, -2.5f * rail), -rail * 0.99532, 1e-3);
    EXPECT_NEAR (curveValue (Waveshaper::ErfTable, rail), rail * std::erf (1.0), 1e-3);

    // One table step of erf near 0 is 4 / 2047 * 2 / sqrt (pi).
    EXPECT_LT (std::abs (curveValue (Waveshaper::ErfTable, 0.0f)), rail * 0.0023);
}

TEST (Waveshaper, ArctangentCurves)
{
    EXPECT_NEAR (curveValue (Waveshaper::Atan, rail), rail * 0.78539816, 1e-4);
    EXPECT_NEAR (curveValue (Waveshaper::Atan, -rail), -rail * 0.78539816, 1e-4);
    EXPECT_EQ (curveValue (Waveshaper::Atan, 0.0f), 0.0f);
    EXPECT_NEAR (curveValue (Waveshaper::AtanPower, rail), rail * std::pow (0.78539816, 0.2), 1e-4);
    EXPECT_NEAR (curveValue (Waveshaper::AtanPower, -1000.0f * rail), -rail * std::pow (1.5707963, 0.2), 1e-4);
}

TEST (Waveshaper, DiodeTableCurveReadsZeroUntilPrepared)
{
    for (const float x : { -20.0f, -1.0f, 0.0f, 3.0f, 50.0f })
        EXPECT_EQ (curveValue (Waveshaper::DiodeTable, x), 0.0f);
}

TEST (Waveshaper, DiodeTableCurveReadsTheStageDiodeTable)
{
    PedalCircuitModel model;
    model.prepare (48000.0);
    auto stage = model.waveshaperA;
    stage.gain = 1.0;
    stage.lowpass.setCoefficient (1.0e6f);
    const auto& values = stage.diodeTable.values;

    // x' = 5 V is the top of the stage's table: the last entry comes back exactly.
    EXPECT_NEAR (stage.processSample (Waveshaper::DiodeTable, 5.0f * rail), rail * values.back(), 1e-3);

    auto low = model.waveshaperA;
    low.gain = 1.0;
    low.lowpass.setCoefficient (1.0e6f);
    EXPECT_NEAR (low.processSample (Waveshaper::DiodeTable, -100.0f), rail * values.front(), 1e-3);
}

TEST (Waveshaper, LowpassCarriesStateBetweenSamples)
{
    Waveshaper stage;
    stage.lowpass.sampleRate = 48000.0;
    stage.lowpass.setCornerFrequency (1000.0f);

    const float first = stage.processSample (Waveshaper::HardClip, 1.0f);
    const float second = stage.processSample (Waveshaper::HardClip, 1.0f);
    EXPECT_NE (first, second);

    float settled = 0.0f;

    for (int i = 0; i < 4800; ++i)
        settled = stage.processSample (Waveshaper::HardClip, 1.0f);

    EXPECT_NEAR (settled, 1.0f, 1e-4f);
}
