#include <gtest/gtest.h>

#include "HostedPlugin.h"

#include <cmath>

// Hosts differ in when they hand over a saved project: before the first prepare, right after it
// (before any block), between blocks, or before preparing again at another rate. In every order
// the reopened session must keep what was saved: in the host's view, in the plug-in's own state
// and in its sound.
namespace
{
constexpr int block = 256;

// A session as a user left it: Gain and Level at 0.8, the "MGV" circuit, every tone knob moved.
struct SavedSession
{
    std::unique_ptr<juce::AudioPluginInstance> instance;
    juce::MemoryBlock project;
};

SavedSession saveSession()
{
    SavedSession session { host::loadPlugin (44100.0, block), {} };

    if (session.instance == nullptr)
        return session;

    host::prepare (*session.instance, 44100.0, block);

    const std::pair<const char*, float> settings[] = { { "Gain", 0.8f },  { "Level", 0.8f },
                                                       { "Bass", 0.3f },  { "Mid", 0.65f },
                                                       { "Treble", 0.7f }, { "Input Gain", 0.55f },
                                                       { "Mix", 0.9f },   { "Circuit Type", 2.0f / 23.0f } };

    for (const auto& [name, value] : settings)
        if (auto* p = host::findParameter (*session.instance, name))
            p->setValueNotifyingHost (value);

    session.instance->getStateInformation (session.project);
    return session;
}

void restore (juce::AudioPluginInstance& instance, const juce::MemoryBlock& project)
{
    instance.setStateInformation (project.getData(), (int) project.getSize());
}

void processSilence (juce::AudioPluginInstance& instance, int blocks)
{
    juce::AudioBuffer<float> buffer (2, block);
    juce::MidiBuffer midi;

    for (int b = 0; b < blocks; ++b)
    {
        buffer.clear();
        instance.processBlock (buffer, midi);
    }
}

// The plug-in's own element, as it writes it into the host's project: its parameter values.
std::unique_ptr<juce::XmlElement> pluginState (juce::AudioPluginInstance& instance)
{
    juce::MemoryBlock project;
    instance.getStateInformation (project);

    auto head = juce::AudioProcessor::getXmlFromBinary (project.getData(), (int) project.getSize());
    auto* component = head != nullptr ? head->getChildByName ("IComponent") : nullptr;

    if (component == nullptr)
        return {};

    juce::MemoryBlock state;
    state.fromBase64Encoding (component->getAllSubText());
    return juce::AudioProcessor::getXmlFromBinary (state.getData(), (int) state.getSize());
}

// One second of a 220 Hz note; the last quarter second, by when the filters, pots and fades of
// any earlier history have settled, comes back.
juce::AudioBuffer<float> renderNote (juce::AudioPluginInstance& instance, double rate)
{
    instance.prepareToPlay (rate, block);

    const int blocks = (int) rate / block;
    const int tailBlocks = blocks / 4;
    juce::AudioBuffer<float> buffer (2, block), tail (2, tailBlocks * block);
    juce::MidiBuffer midi;

    for (int b = 0; b < blocks; ++b)
    {
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < block; ++i)
                buffer.setSample (c, i, 0.3f * (float) std::sin (juce::MathConstants<double>::twoPi * 220.0 * (b * block + i) / rate));

        instance.processBlock (buffer, midi);

        if (const int t = b - (blocks - tailBlocks); t >= 0)
            for (int c = 0; c < 2; ++c)
                tail.copyFrom (c, t * block, buffer, c, 0, block);
    }

    return tail;
}

void expectSameSession (juce::AudioPluginInstance& reopened, SavedSession& saved, double rate)
{
    const auto& savedParameters = saved.instance->getParameters();
    const auto& reopenedParameters = reopened.getParameters();
    ASSERT_EQ (reopenedParameters.size(), savedParameters.size());

    for (int i = 0; i < savedParameters.size(); ++i)
        EXPECT_EQ (reopenedParameters[i]->getValue(), savedParameters[i]->getValue())
            << "host's view of " << savedParameters[i]->getName (64);

    const auto expected = pluginState (*saved.instance);
    const auto actual = pluginState (reopened);
    ASSERT_NE (expected, nullptr);
    ASSERT_NE (actual, nullptr);

    for (int i = 0; i < expected->getNumAttributes(); ++i)
        EXPECT_EQ (actual->getStringAttribute (expected->getAttributeName (i)), expected->getAttributeValue (i))
            << "plug-in's " << expected->getAttributeName (i);

    const auto expectedNote = renderNote (*saved.instance, rate);
    const auto actualNote = renderNote (reopened, rate);
    ASSERT_TRUE (host::allFinite (actualNote));

    juce::AudioBuffer<float> difference (actualNote);

    for (int c = 0; c < 2; ++c)
    {
        difference.addFrom (c, 0, expectedNote, c, 0, difference.getNumSamples(), -1.0f);
        EXPECT_GT (host::rms (expectedNote, c), 0.01f);
        EXPECT_LT (difference.getMagnitude (c, 0, difference.getNumSamples()), 1.0e-4f * expectedNote.getMagnitude (c, 0, expectedNote.getNumSamples()))
            << "channel " << c << " does not sound like the saved session";
    }
}

TEST (HostedRestoreOrder, StateBeforeTheFirstPrepare)
{
    auto saved = saveSession();
    ASSERT_NE (saved.instance, nullptr);

    auto reopened = host::loadPlugin (44100.0, block);
    ASSERT_NE (reopened, nullptr);
    restore (*reopened, saved.project);
    reopened->prepareToPlay (44100.0, block);
    processSilence (*reopened, 4);

    expectSameSession (*reopened, saved, 44100.0);
}

// The order of a host that activates the plug-in before it hands over the project.
TEST (HostedRestoreOrder, StateRightAfterTheFirstPrepare)
{
    auto saved = saveSession();
    ASSERT_NE (saved.instance, nullptr);

    auto reopened = host::loadPlugin (44100.0, block);
    ASSERT_NE (reopened, nullptr);
    reopened->prepareToPlay (44100.0, block);
    restore (*reopened, saved.project);
    processSilence (*reopened, 4);

    expectSameSession (*reopened, saved, 44100.0);
}

TEST (HostedRestoreOrder, StateBetweenProcessedBlocks)
{
    auto saved = saveSession();
    ASSERT_NE (saved.instance, nullptr);

    auto reopened = host::loadPlugin (44100.0, block);
    ASSERT_NE (reopened, nullptr);
    reopened->prepareToPlay (44100.0, block);
    processSilence (*reopened, 4);
    restore (*reopened, saved.project);
    processSilence (*reopened, 4);

    expectSameSession (*reopened, saved, 44100.0);
}

TEST (HostedRestoreOrder, StateThenASecondPrepareAtAnotherRate)
{
    auto saved = saveSession();
    ASSERT_NE (saved.instance, nullptr);

    auto reopened = host::loadPlugin (44100.0, block);
    ASSERT_NE (reopened, nullptr);
    reopened->prepareToPlay (44100.0, block);
    restore (*reopened, saved.project);
    reopened->prepareToPlay (48000.0, block);
    processSilence (*reopened, 4);

    expectSameSession (*reopened, saved, 48000.0);
}

// A host's own change after the restore, sent before the first block that follows a prepare, is
// the last word: nothing the plug-in did while preparing may overwrite it.
TEST (HostedRestoreOrder, HostAutomationAfterTheRestoreWins)
{
    auto saved = saveSession();
    ASSERT_NE (saved.instance, nullptr);

    auto reopened = host::loadPlugin (44100.0, block);
    ASSERT_NE (reopened, nullptr);
    reopened->prepareToPlay (44100.0, block);
    restore (*reopened, saved.project);
    reopened->prepareToPlay (48000.0, block);

    auto* gain = host::findParameter (*reopened, "Gain");
    ASSERT_NE (gain, nullptr);
    gain->setValueNotifyingHost (0.25f);
    processSilence (*reopened, 4);

    EXPECT_EQ (gain->getValue(), 0.25f);
    const auto state = pluginState (*reopened);
    ASSERT_NE (state, nullptr);
    EXPECT_EQ (state->getDoubleAttribute ("Gain"), 0.25);
    EXPECT_EQ (state->getIntAttribute ("CircuitType"), 2) << "the rest of the restore stays";
}
} // namespace
