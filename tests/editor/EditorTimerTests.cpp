#include "editor/EditorRig.h"

#include <gtest/gtest.h>

using namespace editortests;

namespace
{
    // Counts every parameter change the processor tells a host about.
    struct HostSpy : juce::AudioProcessorListener
    {
        void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override { ++changes; }
        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
        int changes = 0;
    };

    struct ComboSpy : juce::ComboBox::Listener
    {
        void comboBoxChanged (juce::ComboBox*) override { ++calls; }
        int calls = 0;
    };

    float circuitNormalised (TheQuillmontAudioProcessor& p, int circuit)
    {
        return p.parameter (P::circuitType).range.convertTo0to1 ((float) circuit);
    }
}

TEST (EditorTimer, AutomationMovesEveryControlWithinOneTickAndSendsNothingBack)
{
    EditorRig rig;
    auto& editor = rig.openEditor();
    auto& p = rig.processor();
    HostSpy host;
    p.addListener (&host);

    p.parameter (P::gain).setValue (0.8f);
    p.parameter (P::mix).setValue (0.25f);
    p.parameter (P::gate).setValue (0.6f);
    p.parameter (P::power).setValue (0.0f);
    p.parameter (P::hq).setValue (0.3f);
    editor.timerCallback();

    EXPECT_FLOAT_EQ ((float) editor.gainSlider->getValue(), 0.8f);
    EXPECT_FLOAT_EQ ((float) editor.mixKnob->getValue(), 0.25f);
    EXPECT_FLOAT_EQ ((float) editor.gateKnob->getValue(), 0.6f);
    EXPECT_EQ (editor.powerLamp->getValue(), 0.0);
    EXPECT_TRUE (editor.hqButton->getToggleState()) << "the processor runs HQ for any value but 0";
    EXPECT_EQ (host.changes, 0);
    p.removeListener (&host);
}

TEST (EditorTimer, CircuitFromAPresetSelectsItsItemWithoutAChangeMessage)
{
    EditorRig rig;
    auto& editor = rig.openEditor();
    ComboSpy spy;
    editor.circuitMenu.addListener (&spy);

    // No audio runs: a host that bypasses the plug-in, or has not started it, still shows the circuit.
    rig.processor().parameter (P::circuitType).setValue (circuitNormalised (rig.processor(), 3));
    editor.timerCallback();
    pump();

    EXPECT_EQ (editor.circuitMenu.getSelectedId(), 4);
    EXPECT_EQ (editor.circuitMenu.getText(), "Plexy");
    EXPECT_EQ (spy.calls, 0);
    editor.circuitMenu.removeListener (&spy);
}

TEST (EditorTimer, UnlockAllClearsEveryLockWithinTwoTicks)
{
    EditorRig rig;
    auto& editor = rig.openEditor();
    auto& p = rig.processor();

    for (auto* knob : editor.editModeKnobs)
        knob->parameterLocked = true;
    editor.footSwitch.parameterLocked = true;
    editor.timerCallback();
    EXPECT_TRUE (p.isParameterLocked (P::gain));
    EXPECT_TRUE (p.isParameterLocked (P::power));

    editor.bassSlider->unlockAllRequested = true;
    editor.timerCallback();
    editor.timerCallback();

    for (auto index : { P::power, P::gain, P::bass, P::mid, P::treble, P::level })
        EXPECT_FALSE (p.isParameterLocked (index)) << index;
    EXPECT_FALSE (editor.gainSlider->parameterLocked);
    EXPECT_FALSE (editor.footSwitch.parameterLocked);
}

TEST (EditorTimer, LocksHeldByTheProcessorReturnWithTheNextWindow)
{
    EditorRig rig;
    rig.openEditor().trebleSlider->parameterLocked = true;
    rig.editor->timerCallback();
    rig.closeEditor();

    EXPECT_TRUE (rig.openEditor().trebleSlider->parameterLocked);
    EXPECT_FALSE (rig.editor->gainSlider->parameterLocked);
}

TEST (EditorTimer, ATurnedColourKnobShowsItsValueInItsCaptionUntilReleased)
{
    EditorRig rig;
    auto& editor = rig.openEditor();

    editor.inputKnob->setValue (0.75, juce::sendNotificationSync);
    editor.timerCallback();
    EXPECT_EQ (editor.knobCaptions[0].getText(), rig.processor().parameter (P::inputGain).getText (0.75f, 2));

    editor.inputKnob->showValueText = false;
    editor.timerCallback();
    EXPECT_EQ (editor.knobCaptions[0].getText(), "IN");
}

TEST (EditorTimer, AQuietTickRepaintsNothing)
{
    EditorRig rig;
    auto& editor = rig.openEditor();
    PaintCounter counter;
    editor.addAndMakeVisible (counter);
    counter.setBounds (editor.getLocalBounds());
    juce::Component window;
    window.setBounds (100, 100, editor.getWidth(), editor.getHeight());
    window.addAndMakeVisible (editor);
    window.addToDesktop (0);
    window.setVisible (true);
    editor.timerCallback();
    pump (300);

    ASSERT_GT (counter.paints, 0) << "the window was never painted";
    counter.paints = 0;
    for (int i = 0; i < 10; ++i)
    {
        editor.timerCallback();
        pump (20);
    }
    EXPECT_EQ (counter.paints, 0);

    // The counter does see a change.
    rig.processor().parameter (P::gain).setValue (0.9f);
    editor.timerCallback();
    pump (100);
    EXPECT_GT (counter.paints, 0);

    editor.removeChildComponent (&counter);
    window.removeChildComponent (&editor);
    window.removeFromDesktop();
}
