#include "dsp/PedalCircuitModel.h"

#include "dsp/DiodeModelParams.h"
#include "dsp/DspConstants.h"

#include <algorithm>
#include <cmath>

namespace
{
    // The op-amps swing to 85 % of the supply upwards and 83 % downwards; the ratios are
    // floats, the products doubles.
    constexpr double standardPositiveRail = double (0.85f) * 9.0;     // 7.650000214576721
    constexpr double standardNegativeRail = double (-0.83f) * 9.0;    // -7.469999849796295
    constexpr double highVoltagePositiveRail = double (0.85f) * 18.0; // 15.300000429153442
    constexpr double highVoltageNegativeRail = double (-0.83f) * 18.0; // -14.93999969959259

    constexpr const char* circuitNames[] { "Default", "Bass", "MGV", "Plexy", "Smooth" };

    constexpr double clipperRangeLow = -10.0;
    constexpr double clipperRangeHigh = 10.0;

    // The clippers' own lowpass, from the widened float constants 0.43 and pi.
    struct ClipperCorner
    {
        explicit ClipperCorner (double fs) noexcept
            : coefficient (std::tan ((fs < 44100.0 ? fs * 0.4300000071525574 * 3.1415927410125732
                                                   : 59690.26207923889) // 19000 pi
                                     / fs)),
              blend (coefficient / (coefficient + 1.0))
        {
        }

        double coefficient, blend;
    };

    // The devices of a circuit's clipper table and of the two halves of its asymmetric table.
    struct ClipperDevices
    {
        DiodeModelParams clipper, positiveHalf, negativeHalf;
    };

    ClipperDevices clipperDevicesOf (int32_t index) noexcept
    {
        if (index == PedalCircuitModel::mgvCircuit)
            return { fitSeriesPair (seriesDiodeA, seriesDiodeB), standardClipperDiode, standardClipperDiode };

        if (index == PedalCircuitModel::smoothCircuit)
            return { standardClipperDiode, softClipperDiode, fitSeriesPair (softClipperDiode, softClipperDiode) };

        return { standardClipperDiode, standardClipperDiode, standardClipperDiode };
    }

    // Every clipper table is swept from rest over -10..+10 V. Tables of one model often hold
    // the same device, so a sweep the sibling has just done is copied.
    void buildClipperTable (DiodeClipperTable& table, const DiodeModelParams& device,
                            const DiodeClipperTable& sibling, const ClipperSweepBank* bank)
    {
        table.setDevice (device);
        table.state = 0.0;
        table.rangeLow = clipperRangeLow;
        table.rangeHigh = clipperRangeHigh;
        table.buildLike (sibling, bank);
    }

    // The bandwidth of the op-amp stages sits at the top corner.
    void setWaveshaperBandwidth (Waveshaper& stage) noexcept
    {
        stage.lowpass.setCornerFrequency (topCorner (stage.lowpass.sampleRate));
    }

    void setWaveshaperSupply (Waveshaper& stage, double supply, double positiveRail, double negativeRail) noexcept
    {
        stage.supplyVoltage = supply;
        stage.positiveRail = positiveRail;
        stage.negativeRail = negativeRail;
    }

    // fc = 1 / (2 pi R C), held inside [1 Hz, topCorner].
    void setRcCorner (OnePoleFilter& filter, double capacitance, double resistance) noexcept
    {
        const auto cornerHz = static_cast<float> (1.0 / (2.0 * dspPi * capacitance * resistance));
        filter.setCornerFrequency (limitCorner (cornerHz, filter.sampleRate));
    }

    int32_t roundToInt32 (double value) noexcept
    {
        return static_cast<int32_t> (std::nearbyint (value)); // ties to even in the default mode
    }
}

void PedalCircuitModel::prepare (double newSampleRate)
{
    const double fs = newSampleRate;

    toneCoefficients.rate = std::clamp (fs, 1.0, toneRateLimit);
    const double k = 2.0 * toneCoefficients.rate;
    double power = 1.0;

    for (auto& p : toneCoefficients.bilinearPowers)
    {
        p = power;
        power *= k;
    }

    toneCoefficients.weights.prepare (toneCoefficients.bilinearPowers);
    toneCoefficients.networkValid = false;

    sampleRate = fs;
    fadeLength = std::max (roundToInt32 (fs * 10.0 * 0.001), 1);
    fadeStep = 1.0f / static_cast<float> (fadeLength);

    components = Components();

    for (auto* filter : { &filters.inputCoupling, &filters.gainFeedback, &filters.stage1Coupling,
                          &filters.stage2Coupling, &filters.stage2Feedback, &filters.clipperCoupling,
                          &filters.outputLowpass })
        filter->sampleRate = fs;

    smoothedPots = {};
    toneState = {};

    const ClipperCorner corner (fs);

    for (auto* table : { &clipperTable, &asymmetricTable.positiveHalf, &asymmetricTable.negativeHalf,
                         &waveshaperA.diodeTable, &waveshaperB.diodeTable })
    {
        table->cornerCoefficient = corner.coefficient;
        table->blend = corner.blend;
    }

    for (auto* stage : { &waveshaperA, &waveshaperB })
    {
        stage->lowpass.sampleRate = fs;
        setWaveshaperBandwidth (*stage);

        auto& table = stage->diodeTable;
        table.setDevice (waveshaperDiode);
        table.state = 0.0;
        table.buildLike (waveshaperA.diodeTable, sweepBank);

        setWaveshaperSupply (*stage, 9.0, standardPositiveRail, standardNegativeRail);
    }

    waveshaperA.name = "Input Amp";
    waveshaperB.gain = static_cast<double> (-static_cast<float> (components.rStage2Feedback)
                                            / static_cast<float> (components.rStage2Input));

    auto& positiveHalf = asymmetricTable.positiveHalf;
    auto& negativeHalf = asymmetricTable.negativeHalf;

    buildClipperTable (clipperTable, standardClipperDiode, positiveHalf, sweepBank);

    asymmetricTable.sampleRate = fs;
    buildClipperTable (positiveHalf, standardClipperDiode, clipperTable, sweepBank);
    buildClipperTable (negativeHalf, standardClipperDiode, clipperTable, sweepBank);
    asymmetricTable.dcBlocker.sampleRate = fs;
    asymmetricTable.dcBlocker.setCornerFrequency (std::min (topCorner (fs), 5.0f));
    asymmetricTable.rangeLow = clipperRangeLow;
    asymmetricTable.rangeHigh = clipperRangeHigh;
    asymmetricTable.build (sweepBank);

    waveshaperCurve = Waveshaper::HardClip;
    inputStageGain = 1.0;
    updateFilterCorners();
}

void PedalCircuitModel::setCircuitType (int32_t index)
{
    if (index < defaultCircuit || index > smoothCircuit)
    {
        circuitIndex = index;
        return;
    }

    const bool plexy = index == plexyCircuit;
    const bool smooth = index == smoothCircuit;

    circuitName = circuitNames[index];

    components = Components();

    if (plexy)
        components.cInputCoupling = 2.2e-7;

    if (index == bassCircuit || plexy)
        components.cStage1Coupling = 2.2e-7;

    clipperKind = smooth ? asymmetricClipper : symmetricClipper;

    for (auto* stage : { &waveshaperA, &waveshaperB })
    {
        if (plexy)
            setWaveshaperSupply (*stage, 18.0, highVoltagePositiveRail, highVoltageNegativeRail);
        else
            setWaveshaperSupply (*stage, 9.0, standardPositiveRail, standardNegativeRail);
    }

    // The next gain update replaces this with the pot-dependent value.
    waveshaperB.gain = -68.0;

    setWaveshaperBandwidth (waveshaperA);
    setWaveshaperBandwidth (waveshaperB);

    auto& positiveHalf = asymmetricTable.positiveHalf;
    auto& negativeHalf = asymmetricTable.negativeHalf;

    const auto devices = clipperDevicesOf (index);
    buildClipperTable (clipperTable, devices.clipper, positiveHalf, sweepBank);

    if (smooth)
    {
        buildClipperTable (positiveHalf, devices.positiveHalf, negativeHalf, sweepBank);
        buildClipperTable (negativeHalf, devices.negativeHalf, positiveHalf, sweepBank);
    }
    else
    {
        buildClipperTable (positiveHalf, devices.positiveHalf, clipperTable, sweepBank);
        buildClipperTable (negativeHalf, devices.negativeHalf, positiveHalf, sweepBank);
    }

    asymmetricTable.rangeLow = clipperRangeLow;
    asymmetricTable.rangeHigh = clipperRangeHigh;
    asymmetricTable.build (sweepBank);

    waveshaperCurve = smooth ? Waveshaper::Linear : Waveshaper::HardClip;
    inputStageGain = 1.0;
    updateFilterCorners();
    circuitIndex = index;
}

ClipperSweepBank::Contents PedalCircuitModel::clipperTablesAt (double rate)
{
    const ClipperCorner corner (rate);
    ClipperSweepBank::Contents tables;

    auto sweepOf = [&] (const DiodeModelParams& device, const DiodeClipperTable& shape)
    {
        DiodeClipperTable table (shape);
        table.setDevice (device);
        table.blend = corner.blend;
        table.state = 0.0;
        return table.currentBuildInputs();
    };

    // The waveshapers' tables keep the range they were constructed with.
    tables.add (sweepOf (waveshaperDiode, Waveshaper().diodeTable));

    DiodeClipperTable clipperShape;
    clipperShape.rangeLow = clipperRangeLow;
    clipperShape.rangeHigh = clipperRangeHigh;

    for (int32_t index = defaultCircuit; index <= smoothCircuit; ++index)
    {
        const auto devices = clipperDevicesOf (index);
        const auto positive = sweepOf (devices.positiveHalf, clipperShape);
        const auto negative = sweepOf (devices.negativeHalf, clipperShape);

        tables.add (sweepOf (devices.clipper, clipperShape));
        tables.add (positive);
        tables.add (negative);
        tables.add (AsymmetricClipperTable::Source { positive, negative, clipperRangeLow, clipperRangeHigh });
    }

    return tables;
}

void PedalCircuitModel::updateFilterCorners() noexcept
{
    setRcCorner (filters.inputCoupling, components.cInputCoupling, components.rInputBias);
    setRcCorner (filters.stage1Coupling, components.cStage1Coupling, components.rGainGround);
    setRcCorner (filters.stage2Coupling, components.cStage2Coupling, components.rStage2Input);
    setRcCorner (filters.stage2Feedback, components.cStage2Feedback, components.rStage2Feedback);

    auto& clipperCoupling = filters.clipperCoupling;
    clipperCoupling.setCornerFrequency (std::min (360.0f, topCorner (clipperCoupling.sampleRate)));

    setRcCorner (filters.outputLowpass, components.cOutput, components.rOutput);
}

void PedalCircuitModel::startFadeIn() noexcept
{
    fadeLength = std::max (roundToInt32 (sampleRate * 10.0 * 0.001), 1);
    fadeStep = 1.0f / static_cast<float> (fadeLength);
    fadeActive = 1;
    fadePosition = 0;
}
