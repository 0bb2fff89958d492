#include <gtest/gtest.h>

#include "ProcessorRig.h"

#include <atomic>
#include <thread>

namespace
{
using P = QuillmontParameters::Index;

struct AnnouncementCounter : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override { ++count; }
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
    int count = 0;
};

// The host takes every announcement for the user's edit, and one sent while preparing reaches
// it late, after it may have restored a project. A prepare keeps what was set before it, tells
// the host nothing and leaves only its own flag raised for the next block.
TEST (Preparation, PreparingKeepsEveryValueAndAnnouncesNothing)
{
    ProcessorRig rig;
    AnnouncementCounter host;
    rig.processor.addListener (&host);

    rig.set (P::gain, 0.9f);
    rig.set (P::circuitType, 2.0f / 23.0f);
    rig.prepare (48000.0, 256);
    EXPECT_EQ (rig.processor.parameter (P::gain).getValue(), 0.9f);
    EXPECT_EQ (rig.processor.parametersChanged.load(), 1) << "the first block must apply every value";

    rig.run (256, rig.sine (220.0));
    EXPECT_EQ (rig.processor.getCircuitName(), "MGV");

    rig.prepare (48000.0, 512);
    rig.prepare (96000.0, 512);
    EXPECT_EQ (rig.processor.parametersChanged.load(), 1);
    EXPECT_EQ (rig.processor.parameter (P::gain).getValue(), 0.9f);
    EXPECT_EQ (host.count, 0);

    rig.processor.removeListener (&host);
}

TEST (Preparation, AStateLoadedBeforeTheFirstPrepareKeepsItsValues)
{
    juce::MemoryBlock state;

    {
        ProcessorRig saved;
        saved.set (P::gain, 0.9f);
        saved.set (P::hq, 1.0f);
        saved.processor.getStateInformation (state);
    }

    ProcessorRig rig;
    rig.processor.setStateInformation (state.getData(), static_cast<int> (state.getSize()));
    rig.prepare (48000.0, 256);

    EXPECT_EQ (rig.processor.parameter (P::gain).getValue(), 0.9f);

    // HQ from the state is taken up by the first prepare: the circuit runs at twice the rate.
    rig.run (256, rig.sine (220.0));
    EXPECT_EQ (rig.processor.models[0].sampleRate, 96000.0);
    EXPECT_GT (rig.processor.getLatencySamples(), 0);
}

TEST (Preparation, TheFirstPrepareSelectsTheCircuitAndFadesIn)
{
    ProcessorRig rig;
    rig.prepare (44100.0, 512);

    EXPECT_EQ (rig.processor.getCircuitName(), "Default");
    EXPECT_EQ (rig.processor.circuitChanged.load(), 1);

    for (auto& model : rig.processor.models)
    {
        EXPECT_EQ (model.fadeActive, 1);
        EXPECT_EQ (model.fadeLength, 441);
    }
}

TEST (Preparation, TheSameRateAgainKeepsTheDspRunningAndANewRatePreparesAgain)
{
    ProcessorRig rig;
    rig.prepare (48000.0, 256);
    rig.run (48000, rig.sine (220.0));
    ASSERT_EQ (rig.processor.models[0].fadeActive, 0);
    const float stateBefore = rig.processor.models[0].filters.outputLowpass.state;

    rig.prepare (48000.0, 512);
    EXPECT_EQ (rig.processor.models[0].fadeActive, 0);
    EXPECT_EQ (rig.processor.models[0].filters.outputLowpass.state, stateBefore);
    EXPECT_EQ (rig.processor.parametersChanged.load(), 0);
    EXPECT_EQ (rig.processor.dryBuffer.getNumSamples(), 512);

    rig.prepare (96000.0, 512);
    EXPECT_EQ (rig.processor.models[0].sampleRate, 96000.0);
    EXPECT_EQ (rig.processor.models[0].fadeActive, 1);
    EXPECT_EQ (rig.processor.noiseGates[0].sampleRate, 96000.0);
    EXPECT_EQ (rig.processor.parametersChanged.load(), 1);
}

TEST (Preparation, HQRunsTheCircuitAtTwiceTheRateAndTheGatesAtTheHostRate)
{
    ProcessorRig rig;
    rig.prepare (48000.0, 256);
    rig.set (P::hq, 0.5f); // any value above 0 is on
    rig.run (256, rig.sine (220.0));

    for (size_t c = 0; c < 2; ++c)
    {
        EXPECT_EQ (rig.processor.models[c].sampleRate, 96000.0);
        EXPECT_EQ (rig.processor.dryDelayLines[c].length, 960);
        EXPECT_EQ (rig.processor.noiseGates[c].sampleRate, 48000.0);
        EXPECT_EQ (rig.processor.keyHighPass[c].sampleRate, 48000.0);
    }
}

TEST (Preparation, LatencyIsReportedOnlyWhileHQIsOn)
{
    ProcessorRig rig;
    rig.prepare (44100.0, 512);
    rig.run (512, rig.sine (220.0));
    EXPECT_EQ (rig.processor.getLatencySamples(), 0);

    rig.set (P::hq, 1.0f);
    rig.run (512, rig.sine (220.0));
    const float latency = rig.processor.oversampler->getLatencyInSamples();
    EXPECT_GT (latency, 0.5f);
    EXPECT_EQ (rig.processor.getLatencySamples(), static_cast<int> (std::nearbyint (latency)));

    rig.set (P::hq, 0.0f);
    rig.run (512, rig.sine (220.0));
    EXPECT_EQ (rig.processor.getLatencySamples(), 0);
}

TEST (Preparation, CircuitTypeRoundsToTheNearestCircuitTiesToEven)
{
    ProcessorRig rig;
    rig.prepare (44100.0, 64);

    // 3.5 cannot be met exactly through the 0..1 value (it reads back as 3.4999998), so the tie
    // cases are 2.5 and 0.5.
    const std::pair<float, const char*> cases[] { { 2.5f, "MGV" }, { 4.4f, "Smooth" }, { 1.0f, "Bass" },
                                                  { 3.0f, "Plexy" }, { 0.5f, "Default" } };

    for (const auto& [plain, name] : cases)
    {
        rig.processor.parameter (P::circuitType).setRealValueNotifyingHost (plain);
        rig.processor.circuitChanged = 0;
        rig.run (64, rig.sine (220.0));
        EXPECT_EQ (rig.processor.getCircuitName(), name) << plain;
        EXPECT_EQ (rig.processor.circuitChanged.load(), 1) << plain;
    }

    // Past the five circuits the name stays, but the change is still announced.
    rig.processor.parameter (P::circuitType).setRealValueNotifyingHost (9.0f);
    rig.run (64, rig.sine (220.0));
    EXPECT_EQ (rig.processor.currentCircuitIndex.load(), 9);
    EXPECT_EQ (rig.processor.getCircuitName(), "Default");
}

TEST (Preparation, GainTurnsBothStagesUpTogether)
{
    ProcessorRig rig;
    rig.prepare (44100.0, 64);

    rig.set (P::gain, 0.0f);
    rig.run (64, rig.sine (220.0));
    EXPECT_FLOAT_EQ (static_cast<float> (rig.processor.models[0].waveshaperA.gain), 1.0f);
    EXPECT_NEAR (rig.processor.models[0].waveshaperB.gain, -6.18, 0.01);
    EXPECT_NEAR (std::atan (rig.processor.models[0].filters.gainFeedback.g) * 44100.0 / juce::MathConstants<double>::pi, 19000.0, 1.0);

    rig.set (P::gain, 1.0f);
    rig.run (64, rig.sine (220.0));
    EXPECT_NEAR (rig.processor.models[1].waveshaperA.gain, 46.45, 0.01);
    EXPECT_NEAR (rig.processor.models[1].waveshaperB.gain, -68.0, 1e-4);
}

TEST (Preparation, InputGainAndGateFollowTheirKnobs)
{
    ProcessorRig rig;
    rig.prepare (44100.0, 64);

    rig.set (P::inputGain, 0.0f);
    rig.set (P::gate, 0.001f);
    rig.run (64, rig.sine (220.0));
    EXPECT_NEAR (rig.processor.inputGain, 0.0631f, 1e-4f);
    EXPECT_FALSE (rig.processor.gateActive);

    rig.set (P::gate, 0.0011f);
    rig.set (P::outputGain, 0.5f);
    rig.run (64, rig.sine (220.0));
    EXPECT_TRUE (rig.processor.gateActive);
    EXPECT_NEAR (juce::Decibels::gainToDecibels (rig.processor.noiseGates[0].threshold, -200.0f), -100.0f, 0.1f);
    EXPECT_EQ (rig.processor.outputGain, 1.0f);

    rig.set (P::gate, 1.0f);
    rig.run (64, rig.sine (220.0));
    EXPECT_NEAR (juce::Decibels::gainToDecibels (rig.processor.noiseGates[1].threshold), -10.0f, 0.01f);
}

// Another thread keeps writing the gain while blocks run; whatever it wrote last must be in
// force once the next block has run.
TEST (Preparation, AValueWrittenDuringAnUpdateIsNeverLost)
{
    ProcessorRig rig;
    rig.prepare (44100.0, 32);

    std::atomic<bool> stop { false };
    std::atomic<int> written { 0 };

    std::thread writer ([&]
    {
        for (int i = 0; ! stop; ++i)
        {
            rig.set (P::gain, static_cast<float> (i % 101) / 100.0f);
            written = i % 101;
        }
    });

    rig.run (44100, rig.sine (220.0));
    stop = true;
    writer.join();
    rig.run (32, rig.sine (220.0));

    const float p = static_cast<float> (written.load()) / 100.0f;
    const auto expected = static_cast<double> (static_cast<float> (100000.0 * p) / 2200.0f + 1.0f);
    EXPECT_EQ (rig.processor.models[0].waveshaperA.gain, expected);
    EXPECT_EQ (rig.processor.parametersChanged.load(), 0);
}
} // namespace
