#include "dsp/StereoCircuitModel.h"
#include "dsp/StereoNoiseGate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace
{
    constexpr double pi = 3.141592653589793;

    PedalCircuitModel preparedModel (double sampleRate, int32_t circuit)
    {
        PedalCircuitModel model;
        model.prepare (sampleRate);
        model.setCircuitType (circuit);
        model.startFadeIn();
        return model;
    }

    // Two different plucked notes, so the channels' clippers converge in different numbers of
    // steps and the gates open and close at different times.
    float leftSignal (int n, double rate)
    {
        const double t = std::fmod (n / rate, 0.25);
        return static_cast<float> (0.5 * std::exp (-6.0 * t) * std::sin (2.0 * pi * 110.0 * t));
    }

    float rightSignal (int n, double rate)
    {
        const double t = std::fmod (n / rate, 0.4);
        return static_cast<float> ((t < 0.3 ? 0.2 : 0.0) * std::exp (-3.0 * t) * std::sin (2.0 * pi * 164.81 * t + 1.0));
    }

    struct Channels
    {
        std::vector<float> left, right;

        Channels (int length, double rate)
        {
            for (int n = 0; n < length; ++n)
            {
                left.push_back (leftSignal (n, rate));
                right.push_back (rightSignal (n, rate));
            }
        }
    };

    // Runs the pair over [from, to) and each alone sample by sample, and compares bit for bit.
    void expectLanesMatchAlone (PedalCircuitModel& left, PedalCircuitModel& right, PedalCircuitModel& leftAlone,
                                PedalCircuitModel& rightAlone, const Channels& in, int from, int to, const char* what)
    {
        const auto count = static_cast<std::size_t> (to - from);
        std::vector<float> leftOut (count), rightOut (count);
        StereoCircuitModel::process (left, right, in.left.data() + from, in.right.data() + from, leftOut.data(),
                                     rightOut.data(), count, 1.5f, 0.8f);

        for (std::size_t i = 0; i < count; ++i)
        {
            const auto n = static_cast<std::size_t> (from) + i;
            ASSERT_EQ (leftOut[i], leftAlone.processSample (in.left[n], 1.5f, 0.8f)) << what << ", left, sample " << n;
            ASSERT_EQ (rightOut[i], rightAlone.processSample (in.right[n], 1.5f, 0.8f)) << what << ", right, sample " << n;
        }
    }
}

TEST (StereoCircuitModel, EachChannelSoundsExactlyAsItsModelAloneInEveryCircuit)
{
    for (const double rate : { 48000.0, 96000.0 })
        for (int32_t circuit = 0; circuit <= 4; ++circuit)
        {
            auto left = preparedModel (rate, circuit);
            auto right = preparedModel (rate, circuit);
            left.waveshaperA.gain = 46.45;
            right.waveshaperA.gain = 12.0;
            right.toneTargets = { 0.004, 0.001, 0.0035, 0.0 };
            ASSERT_TRUE (StereoCircuitModel::runsInLanes (left, right));

            auto leftAlone = left;
            auto rightAlone = right;
            const int length = static_cast<int> (rate / 2.0);
            const Channels in (length, rate);

            // Blocks of uneven length, so the fade-in ends inside one.
            for (int from = 0; from < length; from += 301)
                expectLanesMatchAlone (left, right, leftAlone, rightAlone, in, from, std::min (from + 301, length),
                                       "circuit run");

            EXPECT_EQ (left.filters.outputLowpass.state, leftAlone.filters.outputLowpass.state) << circuit;
            EXPECT_EQ (right.clipperTable.state, rightAlone.clipperTable.state) << circuit;
        }
}

TEST (StereoCircuitModel, ACircuitSwitchBetweenTwoRunsKeepsBothChannelsExact)
{
    const double rate = 48000.0;
    const Channels in (24000, rate);
    auto left = preparedModel (rate, PedalCircuitModel::defaultCircuit);
    auto right = preparedModel (rate, PedalCircuitModel::defaultCircuit);
    auto leftAlone = left;
    auto rightAlone = right;

    expectLanesMatchAlone (left, right, leftAlone, rightAlone, in, 0, 7001, "before the switch");

    for (auto* model : { &left, &right, &leftAlone, &rightAlone })
    {
        model->setCircuitType (PedalCircuitModel::smoothCircuit);
        model->startFadeIn();
    }

    expectLanesMatchAlone (left, right, leftAlone, rightAlone, in, 7001, 15000, "into Smooth");

    for (auto* model : { &left, &right, &leftAlone, &rightAlone })
    {
        model->setCircuitType (PedalCircuitModel::bassCircuit);
        model->startFadeIn();
    }

    expectLanesMatchAlone (left, right, leftAlone, rightAlone, in, 15000, 24000, "into Bass");
}

// One lane stops at its step limit while the other converges on its own: the stopped lane
// keeps its last step while the other iterates on.
TEST (StereoCircuitModel, AChannelOutOfNewtonStepsStopsWithoutHoldingTheOtherBack)
{
    const double rate = 48000.0;
    const Channels in (12000, rate);
    auto left = preparedModel (rate, PedalCircuitModel::plexyCircuit);
    auto right = preparedModel (rate, PedalCircuitModel::plexyCircuit);
    left.clipperTable.iterationLimit = 0;
    right.waveshaperA.gain = 80.0;
    auto leftAlone = left;
    auto rightAlone = right;

    expectLanesMatchAlone (left, right, leftAlone, rightAlone, in, 0, 12000, "step limit");
}

TEST (StereoCircuitModel, ModelsOfDifferentCircuitsStillMatchEachAlone)
{
    const double rate = 48000.0;
    const Channels in (12000, rate);
    auto left = preparedModel (rate, PedalCircuitModel::defaultCircuit);
    auto right = preparedModel (rate, PedalCircuitModel::smoothCircuit);
    EXPECT_FALSE (StereoCircuitModel::runsInLanes (left, right));
    auto leftAlone = left;
    auto rightAlone = right;

    expectLanesMatchAlone (left, right, leftAlone, rightAlone, in, 0, 12000, "Default beside Smooth");
}

TEST (StereoCircuitModel, NonFiniteInputGoesThroughEachLaneAsThroughItsModelAlone)
{
    const double rate = 48000.0;
    Channels in (4000, rate);
    in.left[100] = std::numeric_limits<float>::quiet_NaN();
    in.right[200] = std::numeric_limits<float>::infinity();
    auto left = preparedModel (rate, PedalCircuitModel::defaultCircuit);
    auto right = preparedModel (rate, PedalCircuitModel::defaultCircuit);
    auto leftAlone = left;
    auto rightAlone = right;

    std::vector<float> leftOut (4000), rightOut (4000);
    StereoCircuitModel::process (left, right, in.left.data(), in.right.data(), leftOut.data(), rightOut.data(), 4000,
                                 1.0f, 1.0f);

    for (std::size_t n = 0; n < 4000; ++n)
    {
        const float l = leftAlone.processSample (in.left[n], 1.0f, 1.0f);
        const float r = rightAlone.processSample (in.right[n], 1.0f, 1.0f);

        // NaN never equals itself.
        auto same = [] (float a, float b) { return a == b || (std::isnan (a) && std::isnan (b)); };
        ASSERT_TRUE (same (leftOut[n], l)) << n << ": " << leftOut[n] << " vs " << l;
        ASSERT_TRUE (same (rightOut[n], r)) << n << ": " << rightOut[n] << " vs " << r;
    }

    EXPECT_TRUE (std::isnan (leftOut.back()));
}

TEST (StereoNoiseGate, EachChannelIsGatedExactlyAsByItsGateAlone)
{
    const double rate = 48000.0;
    const Channels dry (96000, rate);

    NoiseGate gates[2], alone[2];
    OnePoleFilter keys[2], keysAlone[2];

    for (int c = 0; c < 2; ++c)
    {
        gates[c].prepare (rate);
        gates[c].threshold = c == 0 ? 0.01f : 0.002f;
        keys[c].sampleRate = rate;
        keys[c].setCornerFrequency (312.0f);
        alone[c] = gates[c];
        keysAlone[c] = keys[c];
    }

    ASSERT_TRUE (StereoNoiseGate::runsInLanes (gates[0], gates[1]));

    // Gating a constant signal shows the gain itself.
    std::vector<float> left (96000, 0.7f), right (96000, -0.3f);

    for (std::size_t from = 0; from < left.size(); from += 509)
    {
        const auto count = std::min<std::size_t> (509, left.size() - from);
        StereoNoiseGate::process (gates[0], gates[1], keys[0], keys[1], dry.left.data() + from, dry.right.data() + from,
                                  left.data() + from, right.data() + from, count);
    }

    for (std::size_t n = 0; n < left.size(); ++n)
    {
        ASSERT_EQ (left[n], alone[0].processSample (keysAlone[0].processHighpass (dry.left[n]), 0.7f)) << n;
        ASSERT_EQ (right[n], alone[1].processSample (keysAlone[1].processHighpass (dry.right[n]), -0.3f)) << n;
    }

    // The right channel's notes stop for a tenth of a second, so its gate opens and closes
    // again and the comparison saw every step of both.
    EXPECT_EQ (left.front(), 0.0f);
    EXPECT_GT (*std::max_element (left.begin(), left.end()), 0.69f);
    EXPECT_LT (*std::min_element (right.begin() + 4000, right.end()), -0.29f);
    EXPECT_GT (*std::max_element (right.begin() + 19000, right.end()), -0.01f);
}
