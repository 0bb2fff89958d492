#include "dsp/PedalCircuitModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace
{
    constexpr double pi = 3.141592653589793;

    float coefficientFor (double cornerHz, double sampleRate)
    {
        return static_cast<float> (std::tan (pi * cornerHz / sampleRate));
    }

    // The corner a prepared filter stands at, read back from its coefficient.
    double cornerOf (const OnePoleFilter& filter)
    {
        return std::atan (static_cast<double> (filter.g)) * filter.sampleRate / pi;
    }

    PedalCircuitModel preparedModel (double sampleRate, int32_t circuit)
    {
        PedalCircuitModel model;
        model.prepare (sampleRate);
        model.setCircuitType (circuit);
        return model;
    }

    void expectDevice (const DiodeClipperTable& table, const DiodeModelParams& device)
    {
        EXPECT_EQ (table.saturationCurrent, device.saturationCurrent);
        EXPECT_EQ (table.emissionCoefficient, device.emissionCoefficient);
        EXPECT_EQ (table.thermalVoltage, device.thermalVoltage);
        EXPECT_EQ (table.seriesResistance, device.seriesResistance);
    }
}

TEST (PedalCircuitModel, NewModelHasNoTablesUntilPrepared)
{
    PedalCircuitModel model;

    EXPECT_EQ (model.clipperKind, PedalCircuitModel::symmetricClipper);
    EXPECT_TRUE (model.circuitName.empty());
    EXPECT_TRUE (model.clipperTable.values.empty());
    EXPECT_TRUE (model.asymmetricTable.values.empty());
    EXPECT_TRUE (model.waveshaperA.diodeTable.values.empty());
    EXPECT_EQ (model.clipperTable.iterationLimit, 100);
    EXPECT_EQ (model.clipperTable.rangeLow, -5.0);
    EXPECT_EQ (model.filters.outputLowpass.sampleRate, 44100.0);
    EXPECT_EQ (model.asymmetricTable.dcBlocker.sampleRate, 44100.0);
}

TEST (PedalCircuitModel, PrepareBuildsEveryTableAndNamesTheInputAmp)
{
    const auto model = preparedModel (48000.0, PedalCircuitModel::defaultCircuit);

    EXPECT_EQ (model.circuitName, "Default");
    EXPECT_EQ (model.clipperTable.values.size(), 2100u);
    EXPECT_EQ (model.asymmetricTable.positiveHalf.values.size(), 2100u);
    EXPECT_EQ (model.asymmetricTable.negativeHalf.values.size(), 2100u);
    EXPECT_EQ (model.asymmetricTable.values.size(), 2100u);
    EXPECT_EQ (model.waveshaperA.diodeTable.values.size(), 1100u);
    EXPECT_EQ (model.waveshaperB.diodeTable.values.size(), 1100u);
    EXPECT_EQ (model.waveshaperA.name, "Input Amp");
    EXPECT_EQ (model.waveshaperB.gain, -68.0);
    EXPECT_EQ (model.waveshaperCurve, Waveshaper::HardClip);
    EXPECT_EQ (model.fadeLength, 480);
    EXPECT_EQ (model.fadeStep, 1.0f / 480.0f);
}

TEST (PedalCircuitModel, DefaultCornersFollowTheSchematic)
{
    const auto model = preparedModel (48000.0, PedalCircuitModel::defaultCircuit);

    EXPECT_NEAR (cornerOf (model.filters.inputCoupling), 16.58, 0.01);
    EXPECT_NEAR (cornerOf (model.filters.stage1Coupling), 723.4, 0.1);
    EXPECT_NEAR (cornerOf (model.filters.stage2Coupling), 72.34, 0.01);
    EXPECT_NEAR (cornerOf (model.filters.stage2Feedback), 1063.8, 0.1);
    EXPECT_NEAR (cornerOf (model.filters.clipperCoupling), 360.0, 0.01);
    EXPECT_EQ (model.filters.outputLowpass.g, coefficientFor (19000.0, 48000.0));
    EXPECT_EQ (model.asymmetricTable.dcBlocker.g, coefficientFor (5.0, 48000.0));
}

TEST (PedalCircuitModel, OutputCornerDropsTo13760HzAt32kHz)
{
    const auto model = preparedModel (32000.0, PedalCircuitModel::defaultCircuit);

    EXPECT_EQ (model.filters.outputLowpass.g, coefficientFor (13760.0, 32000.0));
    EXPECT_EQ (model.waveshaperA.lowpass.g, coefficientFor (13760.0, 32000.0));
    EXPECT_NEAR (model.clipperTable.cornerCoefficient, std::tan (0.43 * pi), 1e-5);
}

TEST (PedalCircuitModel, ClipperCornerIs19kHzOnEveryTableAt48kHz)
{
    const auto model = preparedModel (48000.0, PedalCircuitModel::defaultCircuit);
    const double g = std::tan (59690.26207923889 / 48000.0); // 19000 times pi as a float

    for (const auto* table : { &model.clipperTable, &model.asymmetricTable.positiveHalf,
                               &model.asymmetricTable.negativeHalf, &model.waveshaperA.diodeTable,
                               &model.waveshaperB.diodeTable })
    {
        EXPECT_DOUBLE_EQ (table->cornerCoefficient, g);
        EXPECT_DOUBLE_EQ (table->blend, g / (g + 1.0));
    }
}

TEST (PedalCircuitModel, PlexyHoldsInputCouplingAtOneHertzAndRunsFromEighteenVolts)
{
    const auto model = preparedModel (48000.0, PedalCircuitModel::plexyCircuit);

    EXPECT_EQ (model.circuitName, "Plexy");
    EXPECT_EQ (model.filters.inputCoupling.g, coefficientFor (1.0, 48000.0));
    EXPECT_NEAR (cornerOf (model.filters.stage1Coupling), 328.8, 0.1);
    EXPECT_EQ (model.waveshaperA.supplyVoltage, 18.0);
    EXPECT_EQ (model.waveshaperB.positiveRail, 15.300000429153442);
    EXPECT_EQ (model.waveshaperB.negativeRail, -14.93999969959259);
}

TEST (PedalCircuitModel, BassWidensOnlyTheFirstStageCoupling)
{
    const auto model = preparedModel (48000.0, PedalCircuitModel::bassCircuit);

    EXPECT_EQ (model.circuitName, "Bass");
    EXPECT_NEAR (cornerOf (model.filters.stage1Coupling), 328.8, 0.1);
    EXPECT_NEAR (cornerOf (model.filters.inputCoupling), 16.58, 0.01);
    EXPECT_EQ (model.waveshaperA.positiveRail, 7.650000214576721);
}

TEST (PedalCircuitModel, MgvClipsWithTheFittedSeriesPair)
{
    const auto model = preparedModel (48000.0, PedalCircuitModel::mgvCircuit);

    EXPECT_EQ (model.circuitName, "MGV");
    EXPECT_EQ (model.clipperTable.seriesResistance, 18600.0);
    EXPECT_NEAR (model.clipperTable.saturationCurrent, 3.04e-15, 0.01e-15);
    expectDevice (model.asymmetricTable.positiveHalf, standardClipperDiode);
    EXPECT_EQ (model.clipperKind, PedalCircuitModel::symmetricClipper);
}

TEST (PedalCircuitModel, SmoothUsesTheAsymmetricSoftClipperAndLinearStages)
{
    const auto model = preparedModel (48000.0, PedalCircuitModel::smoothCircuit);

    EXPECT_EQ (model.circuitName, "Smooth");
    EXPECT_EQ (model.clipperKind, PedalCircuitModel::asymmetricClipper);
    EXPECT_EQ (model.waveshaperCurve, Waveshaper::Linear);
    expectDevice (model.clipperTable, standardClipperDiode);
    expectDevice (model.asymmetricTable.positiveHalf, softClipperDiode);
    EXPECT_DOUBLE_EQ (model.asymmetricTable.negativeHalf.seriesResistance, 0.147);
    EXPECT_NEAR (model.asymmetricTable.negativeHalf.saturationCurrent, 4.53e-12, 0.01e-12);

    // The two halves clip at different levels, which is the point of the variant.
    EXPECT_GT (std::abs (model.asymmetricTable.lookup (-5.0f)), std::abs (model.asymmetricTable.lookup (5.0f)) + 0.2f);
}

TEST (PedalCircuitModel, SmoothThenDefaultRestoresTheStandardTables)
{
    auto model = preparedModel (48000.0, PedalCircuitModel::smoothCircuit);
    model.setCircuitType (PedalCircuitModel::defaultCircuit);
    const auto fresh = preparedModel (48000.0, PedalCircuitModel::defaultCircuit);

    EXPECT_EQ (model.clipperKind, PedalCircuitModel::symmetricClipper);
    EXPECT_EQ (model.waveshaperCurve, Waveshaper::HardClip);
    expectDevice (model.clipperTable, standardClipperDiode);
    expectDevice (model.asymmetricTable.positiveHalf, standardClipperDiode);
    expectDevice (model.asymmetricTable.negativeHalf, standardClipperDiode);
    EXPECT_EQ (model.clipperTable.values, fresh.clipperTable.values);
    EXPECT_EQ (model.asymmetricTable.values, fresh.asymmetricTable.values);
}

TEST (PedalCircuitModel, UnknownCircuitIndexOnlyRemembersTheIndex)
{
    auto model = preparedModel (48000.0, PedalCircuitModel::plexyCircuit);
    const auto before = model;

    model.setCircuitType (7);

    EXPECT_EQ (model.circuitIndex, 7);
    EXPECT_EQ (model.circuitName, "Plexy");
    EXPECT_EQ (model.components.cInputCoupling, before.components.cInputCoupling);
    EXPECT_EQ (model.waveshaperA.positiveRail, before.waveshaperA.positiveRail);
    EXPECT_EQ (model.clipperTable.values, before.clipperTable.values);
    EXPECT_EQ (model.filters.inputCoupling.g, before.filters.inputCoupling.g);

    model.setCircuitType (-1);
    EXPECT_EQ (model.circuitIndex, -1);
    EXPECT_EQ (model.circuitName, "Plexy");
}

TEST (PedalCircuitModel, ToneRateStopsAt192kHzWhileFiltersUseTheTrueRate)
{
    const auto at192 = preparedModel (192000.0, PedalCircuitModel::defaultCircuit);
    const auto at384 = preparedModel (384000.0, PedalCircuitModel::defaultCircuit);

    EXPECT_EQ (at192.toneCoefficients.rate, 192000.0);
    EXPECT_EQ (at384.toneCoefficients.rate, at192.toneCoefficients.rate);
    EXPECT_EQ (at384.toneCoefficients.bilinearPowers, at192.toneCoefficients.bilinearPowers);
    EXPECT_EQ (at384.filters.outputLowpass.sampleRate, 384000.0);
    EXPECT_EQ (at384.filters.outputLowpass.g, coefficientFor (19000.0, 384000.0));
    EXPECT_EQ (at384.fadeLength, 3840);
}

TEST (PedalCircuitModel, PrepareClearsPotsAndToneMemoryAndFadeLengthRoundsToEven)
{
    auto model = preparedModel (44100.0, PedalCircuitModel::defaultCircuit);
    model.smoothedPots[PedalCircuitModel::bassPot].current = 0.5;
    model.toneState[3] = 1.0;

    model.prepare (22050.0);
    EXPECT_EQ (model.smoothedPots[PedalCircuitModel::bassPot].current, 0.0);
    EXPECT_EQ (model.toneState[3], 0.0);
    EXPECT_EQ (model.fadeLength, 220); // 220.5 rounds to even

    model.prepare (44100.0);
    EXPECT_EQ (model.fadeLength, 441);

    model.startFadeIn();
    EXPECT_EQ (model.fadeActive, 1);
    EXPECT_EQ (model.fadePosition, 0);
    EXPECT_EQ (model.fadeStep, 1.0f / 441.0f);
}

TEST (PedalCircuitModel, RatesAndVariantsInAnyOrderGiveTheTablesOfAFreshModel)
{
    auto model = preparedModel (48000.0, PedalCircuitModel::mgvCircuit);

    // Run the clipper a little so its state has moved, as the audio does between changes.
    for (int i = 0; i < 100; ++i)
        model.clipperTable.solve (3.0 * std::sin (i * 0.3), 0.0);

    for (const auto& [rate, circuit] : { std::pair { 96000.0, 4 }, std::pair { 96000.0, 0 },
                                         std::pair { 44100.0, 2 }, std::pair { 48000.0, 3 } })
    {
        model.prepare (rate);
        model.setCircuitType (circuit);
        const auto fresh = preparedModel (rate, circuit);

        EXPECT_EQ (model.clipperTable.values, fresh.clipperTable.values) << rate << " " << circuit;
        EXPECT_EQ (model.clipperTable.state, fresh.clipperTable.state);
        EXPECT_EQ (model.asymmetricTable.positiveHalf.values, fresh.asymmetricTable.positiveHalf.values);
        EXPECT_EQ (model.asymmetricTable.negativeHalf.state, fresh.asymmetricTable.negativeHalf.state);
        EXPECT_EQ (model.asymmetricTable.values, fresh.asymmetricTable.values);
        EXPECT_EQ (model.waveshaperB.diodeTable.values, fresh.waveshaperB.diodeTable.values);
    }
}

// The tone network is reused while the smoothed pots stand still; a listener must hear exactly
// what a network recomputed every sample gives, through knob moves, glides and a new rate.
TEST (PedalCircuitModel, ReusedToneNetworkSoundsExactlyLikeOneRecomputedEverySample)
{
    for (const int32_t circuit : { PedalCircuitModel::defaultCircuit, PedalCircuitModel::bassCircuit })
    {
        auto reused = preparedModel (48000.0, circuit);
        auto recomputed = preparedModel (48000.0, circuit);

        for (int i = 0; i < 96000; ++i)
        {
            if (i == 48000)
            {
                reused.prepare (96000.0);
                reused.setCircuitType (circuit);
                recomputed.prepare (96000.0);
                recomputed.setCircuitType (circuit);
            }

            if (i % 12000 == 0)
                for (auto* model : { &reused, &recomputed })
                    for (std::size_t pot = 0; pot < 4; ++pot)
                        model->toneTargets[pot] = static_cast<double> ((i / 12000 + static_cast<int> (pot)) % 5)
                                                  * 0.25 * (1.0 - PedalCircuitModel::tonePotSmoothing);

            const auto x = static_cast<float> (0.3 * std::sin (2.0 * pi * 110.0 * i / 48000.0));
            recomputed.toneCoefficients.networkValid = false;
            ASSERT_EQ (reused.processSample (x, 1.0f, 1.0f), recomputed.processSample (x, 1.0f, 1.0f))
                << "circuit " << circuit << ", sample " << i;
        }
    }
}

// Stereo runs both channels' pedals together; each channel must sound exactly as it does alone,
// whatever circuit, gain and signal the two see.
TEST (PedalCircuitModel, ChannelsProcessedTogetherSoundExactlyAsEachAlone)
{
    const std::pair<int32_t, int32_t> circuits[] { { PedalCircuitModel::defaultCircuit, PedalCircuitModel::defaultCircuit },
                                                   { PedalCircuitModel::plexyCircuit, PedalCircuitModel::plexyCircuit },
                                                   { PedalCircuitModel::mgvCircuit, PedalCircuitModel::bassCircuit },
                                                   { PedalCircuitModel::smoothCircuit, PedalCircuitModel::smoothCircuit },
                                                   { PedalCircuitModel::defaultCircuit, PedalCircuitModel::smoothCircuit } };

    for (const auto& [leftCircuit, rightCircuit] : circuits)
    {
        auto left = preparedModel (48000.0, leftCircuit);
        auto right = preparedModel (48000.0, rightCircuit);
        left.waveshaperA.gain = 46.45;
        right.waveshaperA.gain = 12.0;
        auto leftAlone = left;
        auto rightAlone = right;

        for (int i = 0; i < 48000; ++i)
        {
            const double t = std::fmod (i / 48000.0, 0.25);
            const auto l = static_cast<float> (0.5 * std::exp (-6.0 * t) * std::sin (2.0 * pi * 110.0 * t));
            const auto r = static_cast<float> (0.2 * std::exp (-3.0 * t) * std::sin (2.0 * pi * 164.81 * t + 1.0));
            float leftOut = 0.0f, rightOut = 0.0f;
            PedalCircuitModel::processSamplePair (left, right, l, r, 1.0f, 1.0f, leftOut, rightOut);

            ASSERT_EQ (leftOut, leftAlone.processSample (l, 1.0f, 1.0f)) << leftCircuit << ", sample " << i;
            ASSERT_EQ (rightOut, rightAlone.processSample (r, 1.0f, 1.0f)) << rightCircuit << ", sample " << i;
        }
    }
}
