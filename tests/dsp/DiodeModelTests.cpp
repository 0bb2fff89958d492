#include "dsp/DiodeModelParams.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <vector>

namespace
{
    double forwardVoltageAt1mA (const DiodeModelParams& d)
    {
        return d.emissionCoefficient * d.thermalVoltage * std::log (0.001 / d.saturationCurrent);
    }
}

TEST (DiodeRecords, HoldTheWidenedSinglePrecisionValues)
{
    EXPECT_EQ (standardClipperDiode.emissionCoefficient, 3.694700002670288);
    EXPECT_EQ (standardClipperDiode.thermalVoltage, 0.02710000053048134);
    EXPECT_EQ (seriesDiodeA.emissionCoefficient, 1.9509999752044678);
    EXPECT_EQ (seriesDiodeA.thermalVoltage, 0.024399999529123306);
    EXPECT_EQ (seriesDiodeB.emissionCoefficient, 1.3275200128555298);
    EXPECT_EQ (softClipperDiode.emissionCoefficient, 1.9600000381469727);
    EXPECT_EQ (waveshaperDiode.emissionCoefficient, 1.100000023841858);
    EXPECT_EQ (waveshaperDiode.thermalVoltage, 0.026);
    EXPECT_EQ (standardClipperDiode.iterationLimit, 1000);
}

TEST (FitSeriesPair, MgvPairFitsInElevenSteps)
{
    int steps = 0;
    const auto fit = fitSeriesPair (seriesDiodeA, seriesDiodeB, &steps);

    EXPECT_EQ (steps, 11);
    EXPECT_NEAR (fit.saturationCurrent, 3.04e-15, 0.01e-15);
    EXPECT_NEAR (fit.emissionCoefficient, 1.63926, 1e-5);
    EXPECT_EQ (fit.thermalVoltage, 0.024399999529123306);
    EXPECT_EQ (fit.seriesResistance, 18600.0);
}

TEST (FitSeriesPair, TwoSoftDiodesFitInElevenSteps)
{
    int steps = 0;
    const auto fit = fitSeriesPair (softClipperDiode, softClipperDiode, &steps);

    EXPECT_EQ (steps, 11);
    EXPECT_NEAR (fit.saturationCurrent, 4.53e-12, 0.01e-12);
    EXPECT_EQ (fit.emissionCoefficient, softClipperDiode.emissionCoefficient);
    EXPECT_EQ (fit.thermalVoltage, softClipperDiode.thermalVoltage);
    EXPECT_DOUBLE_EQ (fit.seriesResistance, 0.147);
}

TEST (FitSeriesPair, PairConductsOneMilliampNearTheSumOfBothForwardVoltages)
{
    for (const auto& [first, second] : { std::pair { seriesDiodeA, seriesDiodeB },
                                         std::pair { softClipperDiode, softClipperDiode },
                                         std::pair { standardClipperDiode, standardClipperDiode } })
    {
        const auto fit = fitSeriesPair (first, second);
        const double target = forwardVoltageAt1mA (first) + forwardVoltageAt1mA (second);
        const double error = forwardVoltageAt1mA (fit) - target;

        // The stop rule is one-sided: never more than 50 mV above, a Newton overshoot below.
        EXPECT_LT (error, 0.05);
        EXPECT_GT (error, -0.25);
    }
}

TEST (FitSeriesPair, SelfPairKeepsNAndVtDoublesRAndLowersIs)
{
    const auto fit = fitSeriesPair (standardClipperDiode, standardClipperDiode);

    EXPECT_EQ (fit.emissionCoefficient, standardClipperDiode.emissionCoefficient);
    EXPECT_EQ (fit.thermalVoltage, standardClipperDiode.thermalVoltage);
    EXPECT_EQ (fit.seriesResistance, 2.0 * standardClipperDiode.seriesResistance);
    EXPECT_LT (fit.saturationCurrent, standardClipperDiode.saturationCurrent);
    EXPECT_EQ (fit.iterationCount, 0);
}

TEST (FitSeriesPair, ConcurrentFitsOnSeveralThreadsAgree)
{
    int referenceSteps = 0;
    const auto reference = fitSeriesPair (seriesDiodeA, seriesDiodeB, &referenceSteps);

    std::vector<int> mismatches (4, 0);
    std::vector<std::thread> threads;

    for (size_t t = 0; t < mismatches.size(); ++t)
        threads.emplace_back ([&, t]
        {
            for (int i = 0; i < 2000; ++i)
            {
                int steps = 0;
                const auto fit = fitSeriesPair (seriesDiodeA, seriesDiodeB, &steps);

                if (steps != referenceSteps || fit.saturationCurrent != reference.saturationCurrent)
                    ++mismatches[t];
            }
        });

    for (auto& thread : threads)
        thread.join();

    for (const int count : mismatches)
        EXPECT_EQ (count, 0);
}
