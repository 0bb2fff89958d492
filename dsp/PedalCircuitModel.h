#pragma once

#include "dsp/AsymmetricClipperTable.h"
#include "dsp/ClipperSweepBank.h"
#include "dsp/DiodeClipperTable.h"
#include "dsp/OnePoleFilter.h"
#include "dsp/ToneNetwork.h"
#include "dsp/Waveshaper.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

// One channel of the pedal at component level: input coupling, two op-amp gain stages,
// the diode clipper, the tone and volume network and the output lowpass.
struct PedalCircuitModel
{
    enum CircuitType : int32_t
    {
        defaultCircuit = 0,
        bassCircuit = 1,
        mgvCircuit = 2,
        plexyCircuit = 3,
        smoothCircuit = 4
    };

    enum ClipperKind : int32_t
    {
        symmetricClipper = 2,  // clipperTable seeding a Newton solve
        asymmetricClipper = 3  // asymmetricTable, then its DC blocker
    };

    enum Pot : std::size_t
    {
        bassPot = 0,
        midPot = 1,
        treblePot = 2,
        volumePot = 3
    };

    // The schematic's values for the "Default" circuit; variants change a few of them.
    struct Components
    {
        double cInputCoupling = 9.6e-9;
        double cGainFeedback = 1.2e-10;
        double cStage1Coupling = 1e-7;
        double cStage2Coupling = 2.2e-7;
        double cStage2Feedback = 2.2e-10;
        double cOutput = 2.2e-10;
        double rInputBias = 1e6;
        double rGainGround = 2200.0;
        double rStage2Input = 10000.0;
        double rStage2Feedback = 680000.0;
        double rOutput = 22000.0;
        double rGainPot = 100000.0;
    };

    struct Filters
    {
        OnePoleFilter inputCoupling;
        OnePoleFilter gainFeedback;
        OnePoleFilter stage1Coupling;
        OnePoleFilter stage2Coupling;
        OnePoleFilter stage2Feedback;
        OnePoleFilter clipperCoupling;
        OnePoleFilter outputLowpass;
    };

    struct SmoothedPot
    {
        double current = 0.0;
        double previous = 0.0;
    };

    // What the tone network needs of the rate: F, the rate limited to [1, 192000], and the
    // powers of the bilinear transform's K = 2F, so the per-sample rule needs no pow().
    struct ToneCoefficients
    {
        static constexpr double k = 2.0 * 44100.0; // as constructed, like the filters

        double rate = 44100.0;
        std::array<double, 6> bilinearPowers { 1.0, k, k * k, k * k * k, k * k * k * k, k * k * k * k * k };
        ToneNetwork::ExpandedWeights weights { bilinearPowers }; // the network's rule at this rate

        // The network last computed from the smoothed pots. Once the pots have settled they
        // repeat bitwise, and the same pots give the same network, so it is reused until they
        // move; prepare forgets it with the rule it came from.
        ToneNetwork::Coefficients network;
        double networkScale = 1.0; // 1 / a0 of network
        std::array<double, 4> networkPots {};
        bool networkValid = false;

        const ToneNetwork::Coefficients& forPots (const std::array<SmoothedPot, 4>& pots) noexcept
        {
            return forPots (std::array<double, 4> { pots[bassPot].current, pots[midPot].current,
                                                    pots[treblePot].current, pots[volumePot].current });
        }

        const ToneNetwork::Coefficients& forPots (const std::array<double, 4>& current) noexcept
        {
            if (! holds (current))
            {
                network = weights.computeCoefficients (current[bassPot], current[midPot],
                                                       current[treblePot], current[volumePot]);
                networkScale = 1.0 / network.a[0];
                networkPots = current;
                networkValid = true;
            }

            return network;
        }

        // The same, taking the network from another channel's that already holds it for these
        // pots under the same rule: the same inputs give the same network, so it is copied, not
        // computed twice.
        const ToneNetwork::Coefficients& forPots (const std::array<double, 4>& current,
                                                  const ToneCoefficients& sibling) noexcept
        {
            if (! holds (current) && sibling.holds (current) && sameRuleAs (sibling))
            {
                network = sibling.network;
                networkScale = sibling.networkScale;
                networkPots = current;
                networkValid = true;
            }

            return forPots (current);
        }

        bool holds (const std::array<double, 4>& current) const noexcept
        {
            return networkValid && std::memcmp (current.data(), networkPots.data(), sizeof (current)) == 0;
        }

        // The weights follow from the powers of K alone.
        bool sameRuleAs (const ToneCoefficients& other) const noexcept
        {
            return std::memcmp (bilinearPowers.data(), other.bilinearPowers.data(), sizeof (bilinearPowers)) == 0;
        }
    };

    double sampleRate = 44100.0;
    double inputStageGain = 1.0;
    Components components;
    int32_t clipperKind = symmetricClipper;
    int32_t circuitIndex = 0;
    std::string circuitName;
    int32_t waveshaperCurve = Waveshaper::HardClip;
    Filters filters;
    std::array<double, 4> toneTargets {};   // already scaled by (1 - 0.993)
    std::array<SmoothedPot, 4> smoothedPots {};
    ToneCoefficients toneCoefficients;
    std::array<double, 6> toneState {};
    DiodeClipperTable clipperTable;
    AsymmetricClipperTable asymmetricTable;
    Waveshaper waveshaperA;
    Waveshaper waveshaperB;
    uint8_t fadeActive = 0;
    int32_t fadePosition = 0;
    int32_t fadeLength = 0;
    float fadeStep = 0.0f;

    // Finished sweeps the tables copy instead of solving, owned by whoever prepares the models
    // (none: tables share sweeps through the process-wide cache, or solve them).
    const ClipperSweepBank* sweepBank = nullptr;

    // Every table prepare and setCircuitType may ask for at a rate, whichever circuit is chosen.
    static ClipperSweepBank::Contents clipperTablesAt (double rate);

    // Prepares every filter and rebuilds every table for a rate. Apply the circuit with
    // setCircuitType afterwards.
    void prepare (double newSampleRate);

    // Selects "Default", "Bass", "MGV", "Plexy" or "Smooth" (0..4). Any other index is only
    // remembered; the circuit in force stays as it is.
    void setCircuitType (int32_t index);

    // Recomputes the corners that follow from the component values (all but gainFeedback,
    // which follows the gain pot).
    void updateFilterCorners() noexcept;

    // Restarts the 10 ms fade-in that hides a circuit change or a preparation.
    void startFadeIn() noexcept;

    // One sample through the whole pedal, from the input level to the output level.
    float processSample (float input, float inputGain, float outputGain) noexcept;

    // One sample through two channels' pedals at once, each exactly as processSample would;
    // their clipper solves run interleaved so that the two overlap.
    static void processSamplePair (PedalCircuitModel& left, PedalCircuitModel& right,
                                   float leftInput, float rightInput, float inputGain, float outputGain,
                                   float& leftOutput, float& rightOutput) noexcept;

    static constexpr double tonePotSmoothing = 0.993;
    static constexpr double toneRateLimit = 192000.0;

private:
    // A sample's way to the clipper: the input stage's output u and the clipper's input e.
    struct ClipperFeed
    {
        double u;
        float e;
    };

    ClipperFeed processUpToClipper (float input, float inputGain) noexcept;
    float clip (float e) noexcept;
    float processAfterClipper (const ClipperFeed& feed, float clipped, float outputGain) noexcept;
};

inline float PedalCircuitModel::processSample (float input, float inputGain, float outputGain) noexcept
{
    const auto feed = processUpToClipper (input, inputGain);
    return processAfterClipper (feed, clip (feed.e), outputGain);
}

inline void PedalCircuitModel::processSamplePair (PedalCircuitModel& left, PedalCircuitModel& right,
                                                  float leftInput, float rightInput, float inputGain,
                                                  float outputGain, float& leftOutput, float& rightOutput) noexcept
{
    const auto leftFeed = left.processUpToClipper (leftInput, inputGain);
    const auto rightFeed = right.processUpToClipper (rightInput, inputGain);
    float leftClipped, rightClipped;

    if (left.clipperKind < asymmetricClipper && right.clipperKind < asymmetricClipper)
    {
        double leftNode, rightNode;
        DiodeClipperTable::solvePair (left.clipperTable, leftFeed.e, left.clipperTable.lookup (leftFeed.e), leftNode,
                                      right.clipperTable, rightFeed.e, right.clipperTable.lookup (rightFeed.e), rightNode);
        leftClipped = static_cast<float> (leftNode);
        rightClipped = static_cast<float> (rightNode);
    }
    else
    {
        leftClipped = left.clip (leftFeed.e);
        rightClipped = right.clip (rightFeed.e);
    }

    leftOutput = left.processAfterClipper (leftFeed, leftClipped, outputGain);
    rightOutput = right.processAfterClipper (rightFeed, rightClipped, outputGain);
}

inline PedalCircuitModel::ClipperFeed PedalCircuitModel::processUpToClipper (float input, float inputGain) noexcept
{
    const float x = input * inputGain;
    const double u = inputStageGain * static_cast<double> (filters.inputCoupling.processHighpass (x));

    // First stage: the gain-ground capacitor takes the lows out of the amplified signal.
    const double stage1Lows = filters.stage1Coupling.processLowpass (static_cast<float> (u));
    const float a = waveshaperA.processSample (waveshaperCurve, static_cast<float> (u - stage1Lows));
    const float b = filters.gainFeedback.processLowpass (a);

    const float c = waveshaperB.processSample (waveshaperCurve, filters.stage2Coupling.processHighpass (b));
    const float d = filters.stage2Feedback.processLowpass (c);
    const float e = filters.clipperCoupling.processHighpass (d);
    return { u, e };
}

inline float PedalCircuitModel::clip (float e) noexcept
{
    if (clipperKind < asymmetricClipper)
        return static_cast<float> (clipperTable.solve (e, clipperTable.lookup (e)));

    return asymmetricTable.dcBlocker.processHighpass (asymmetricTable.lookup (e));
}

inline float PedalCircuitModel::processAfterClipper (const ClipperFeed& feed, float clipped, float outputGain) noexcept
{
    const double u = feed.u;

    // "Bass" mixes the clean input stage back in before the tone controls.
    const float toneInput = circuitIndex == bassCircuit ? static_cast<float> (u + static_cast<double> (clipped))
                                                        : clipped;

    for (std::size_t pot = 0; pot < smoothedPots.size(); ++pot)
        smoothedPots[pot].current = toneTargets[pot] + smoothedPots[pot].previous * tonePotSmoothing;

    const auto& coefficients = toneCoefficients.forPots (smoothedPots);
    const auto y = static_cast<float> (ToneNetwork::process (toneState, coefficients, toneInput,
                                                             toneCoefficients.networkScale));
    const float o = filters.outputLowpass.processLowpass (y);

    float fadeGain = 1.0f;

    if (fadeActive != 0)
    {
        ++fadePosition;

        if (fadePosition >= fadeLength)
        {
            fadeActive = 0;
            fadeLength = 0;
        }

        fadeGain = fadeStep * static_cast<float> (fadePosition);
    }

    for (auto& pot : smoothedPots)
        pot.previous = pot.current;

    return o * fadeGain * outputGain;
}
