#include <gtest/gtest.h>

#include "HostedPlugin.h"

namespace
{
const juce::StringArray parameterNames { "Power", "Gain", "Bass", "Mid", "Treble", "Level",
                                         "Input Gain", "Output Gain", "Mix", "HQ", "Noise Gate", "Circuit Type" };

TEST (HostedState, ProjectSavedByTheHostReopensWithTheSameSettings)
{
    auto saved = host::loadPlugin();
    ASSERT_NE (saved, nullptr);
    host::prepare (*saved, 44100.0, 512);

    const float values[] = { 1.0f, 0.8f, 0.2f, 0.35f, 0.65f, 0.4f, 0.6f, 0.45f, 0.7f, 0.0f, 0.3f };

    for (int i = 0; i < (int) std::size (values); ++i)
    {
        auto* p = host::findParameter (*saved, parameterNames[i]);
        ASSERT_NE (p, nullptr) << parameterNames[i];
        p->setValueNotifyingHost (values[i]);
    }

    auto* savedCircuit = host::findParameter (*saved, "Circuit Type");
    ASSERT_NE (savedCircuit, nullptr);
    savedCircuit->setValueNotifyingHost (3.0f / 23.0f);

    juce::MemoryBlock project;
    saved->getStateInformation (project);
    ASSERT_GT (project.getSize(), 0u);

    auto reopened = host::loadPlugin();
    ASSERT_NE (reopened, nullptr);
    host::prepare (*reopened, 44100.0, 512);
    reopened->setStateInformation (project.getData(), (int) project.getSize());

    for (int i = 0; i < (int) std::size (values); ++i)
    {
        auto* p = host::findParameter (*reopened, parameterNames[i]);
        ASSERT_NE (p, nullptr);
        EXPECT_NEAR (p->getValue(), values[i], 1.0e-6f) << parameterNames[i];
    }

    auto* reopenedCircuit = host::findParameter (*reopened, "Circuit Type");
    ASSERT_NE (reopenedCircuit, nullptr);
    EXPECT_EQ (juce::roundToInt (reopenedCircuit->getValue() * 23.0f), 3);

    // The reopened instance plays.
    juce::AudioBuffer<float> buffer (2, 512);
    juce::MidiBuffer midi;
    host::fillWithSine (buffer, 44100.0, 220.0f, 0.25f);
    reopened->processBlock (buffer, midi);
    EXPECT_TRUE (host::allFinite (buffer));
}

// The host keeps each VST3 component's own state as Base64 inside its project data; only that
// part is the plug-in's to read, so only that part is damaged here.
juce::MemoryBlock withDamagedComponentState (const juce::MemoryBlock& project, juce::Random& random)
{
    auto head = juce::AudioProcessor::getXmlFromBinary (project.getData(), (int) project.getSize());
    auto* component = head != nullptr ? head->getChildByName ("IComponent") : nullptr;

    if (component == nullptr)
        return {};

    juce::MemoryBlock state;
    state.fromBase64Encoding (component->getAllSubText());

    // The processor's envelope comes first: magic, text length, text, 0.
    const auto envelopeSize = juce::jmin (state.getSize(),
                                          9 + (size_t) juce::ByteOrder::littleEndianInt (juce::addBytesToPointer (state.getData(), 4)));

    for (int i = 0; i < 8; ++i)
        state[random.nextInt ((int) envelopeSize)] = (char) random.nextInt (256);

    if (random.nextBool())
        state.removeSection ((size_t) random.nextInt ((int) envelopeSize), envelopeSize);

    component->deleteAllTextElements();
    component->addTextElement (state.toBase64Encoding());

    juce::MemoryBlock damaged;
    juce::AudioProcessor::copyXmlToBinary (*head, damaged);
    return damaged;
}

TEST (HostedState, DamagedPlugInStateNeverBreaksTheInstance)
{
    auto plugin = host::loadPlugin();
    ASSERT_NE (plugin, nullptr);
    host::prepare (*plugin, 44100.0, 512);

    auto* gain = host::findParameter (*plugin, "Gain");
    ASSERT_NE (gain, nullptr);
    gain->setValueNotifyingHost (0.8f);

    juce::MemoryBlock project;
    plugin->getStateInformation (project);

    juce::Random random (1);
    juce::AudioBuffer<float> buffer (2, 512);
    juce::MidiBuffer midi;

    for (int attempt = 0; attempt < 50; ++attempt)
    {
        const auto damaged = withDamagedComponentState (project, random);
        ASSERT_GT (damaged.getSize(), 0u);
        plugin->setStateInformation (damaged.getData(), (int) damaged.getSize());

        host::fillWithSine (buffer, 44100.0, 220.0f, 0.25f);
        plugin->processBlock (buffer, midi);
        ASSERT_TRUE (host::allFinite (buffer));

        for (auto* p : plugin->getParameters())
            ASSERT_TRUE (p->getValue() >= 0.0f && p->getValue() <= 1.0f) << p->getName (64);
    }
}
} // namespace
