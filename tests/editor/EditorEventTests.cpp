#include "editor/EditorRig.h"
#include "support/RecordingOpener.h"

#include <gtest/gtest.h>

#include <set>

using namespace editortests;

namespace
{
    void click (juce::Button& button)
    {
        button.triggerClick();
        pump();
    }

    int circuitOf (TheQuillmontAudioProcessor& p)
    {
        auto& mods = p.parameter (P::circuitType);
        return juce::roundToInt (mods.range.convertFrom0to1 (mods.getValue()));
    }

    // A drag of the knob's own mouse handling: press, move, release.
    void drag (juce::Component& c, float dy)
    {
        auto source = juce::Desktop::getInstance().getMainMouseSource();
        const auto centre = c.getLocalBounds().getCentre().toFloat();
        const auto now = juce::Time::getCurrentTime();
        auto event = [&] (juce::Point<float> at, juce::ModifierKeys mods)
        {
            return juce::MouseEvent (source, at, mods, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, &c, &c, now, centre, now, 1, false);
        };
        const auto left = juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier);
        c.mouseDown (event (centre, left));
        c.mouseDrag (event (centre.translated (0.0f, dy), left));
        c.mouseUp (event (centre.translated (0.0f, dy), juce::ModifierKeys()));
    }
}

TEST (EditorEvents, TurningAKnobWritesItsParameterTellsTheHostAndMarksThePreset)
{
    EditorRig rig;
    rig.writePreset ("A.kvp", 0.1f);
    auto& editor = rig.openEditor();
    auto& gain = rig.processor().parameter (P::gain);
    int gestures = 0;
    struct GestureSpy : juce::AudioProcessorParameter::Listener
    {
        int& count;
        explicit GestureSpy (int& c) : count (c) {}
        void parameterValueChanged (int, float) override {}
        void parameterGestureChanged (int, bool) override { ++count; }
    } spy (gestures);
    gain.addListener (&spy);

    const auto before = gain.getValue();
    drag (*editor.gainSlider, -40.0f);
    pump();

    EXPECT_GT (gain.getValue(), before);
    EXPECT_EQ (gestures, 2) << "one gesture opened on the press and closed on the release";
    EXPECT_EQ (rig.processor().settings.presetModified, 1);
    EXPECT_TRUE (editor.presetMenu.getText().endsWith ("*"));
    gain.removeListener (&spy);
}

TEST (EditorEvents, FootSwitchAndHQFlipTheirParameters)
{
    EditorRig rig;
    auto& editor = rig.openEditor();
    auto& power = rig.processor().parameter (P::power);
    auto& hq = rig.processor().parameter (P::hq);

    power.setValue (0.4f);
    click (editor.footSwitch);
    EXPECT_EQ (power.getValue(), 0.0f);
    click (editor.footSwitch);
    EXPECT_EQ (power.getValue(), 1.0f);

    click (*editor.hqButton);
    EXPECT_EQ (hq.getValue(), 1.0f);
    click (*editor.hqButton);
    EXPECT_EQ (hq.getValue(), 0.0f);
}

TEST (EditorEvents, CircuitMenuSetsTheCircuit)
{
    EditorRig rig;
    auto& editor = rig.openEditor();
    editor.circuitMenu.setSelectedId (5, juce::sendNotificationSync);
    EXPECT_EQ (circuitOf (rig.processor()), 4);
}

TEST (EditorEvents, SizeItemsKeepThePositionAndGoThroughTheLimits)
{
    EditorRig rig;
    auto& editor = rig.openEditor();
    editor.setTopLeftPosition (20, 30);

    editor.logoMenu.setSelectedId (TheQuillmontAudioProcessorEditor::sizeBig, juce::sendNotificationSync);
    EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (20, 30, 1050, 900));
    pump();
    EXPECT_EQ (editor.logoMenu.getSelectedId(), 0) << "the logo never shows a chosen item";

    editor.logoMenu.setSelectedId (TheQuillmontAudioProcessorEditor::sizeSmall, juce::sendNotificationSync);
    EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (20, 30, 466, 400));
    pump();

    // A screen smaller than Big: the window stays on it.
    editor.sizeConstrainer.setSizeLimits (466, 400, 800, 700);
    editor.logoMenu.setSelectedId (TheQuillmontAudioProcessorEditor::sizeBig, juce::sendNotificationSync);
    EXPECT_LE (editor.getWidth(), 800);
    EXPECT_LE (editor.getHeight(), 700);
    EXPECT_LE (std::abs (editor.getWidth() * 600 - editor.getHeight() * 700), 700);
}

TEST (EditorEvents, CornerDoubleClickRestoresTheDefaultSize)
{
    EditorRig rig;
    auto& editor = rig.openEditor();
    editor.setSize (1050, 900);

    auto& corner = *editor.resizeCorner;
    auto source = juce::Desktop::getInstance().getMainMouseSource();
    const auto now = juce::Time::getCurrentTime();
    corner.mouseDoubleClick (juce::MouseEvent (source, {}, {}, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, &corner, &corner, now, {}, now, 2, false));
    EXPECT_EQ (editor.getWidth(), 700);
    EXPECT_EQ (editor.getHeight(), 600);
}

TEST (EditorEvents, AboutShowsTheOverlay)
{
    EditorRig rig;
    auto& editor = rig.openEditor();
    ASSERT_FALSE (editor.aboutOverlay.isVisible());
    editor.logoMenu.setSelectedId (TheQuillmontAudioProcessorEditor::about, juce::sendNotificationSync);
    EXPECT_TRUE (editor.aboutOverlay.isVisible());
    EXPECT_EQ (editor.aboutOverlay.getBounds(), editor.getLocalBounds());
}

TEST (EditorEvents, RandomLeavesHQAndLockedParametersAndDrawsOnlyRealCircuits)
{
    EditorRig rig;
    auto& editor = rig.openEditor();
    auto& p = rig.processor();
    p.parameter (P::hq).setValue (1.0f);
    p.parameter (P::bass).setValue (0.123f);
    editor.bassSlider->parameterLocked = true;
    editor.timerCallback();

    std::set<int> circuits;
    std::set<float> powers;
    editor.randomGenerator.setSeed (1234);
    for (int i = 0; i < 60; ++i)
    {
        click (*editor.randButton);
        circuits.insert (circuitOf (p));
        powers.insert (p.parameter (P::power).getValue());
        EXPECT_EQ (p.parameter (P::hq).getValue(), 1.0f);
        EXPECT_EQ (p.parameter (P::bass).getValue(), 0.123f);
    }

    EXPECT_EQ (circuits, (std::set<int> { 0, 1, 2, 3, 4 }));
    EXPECT_EQ (powers, (std::set<float> { 0.0f, 1.0f }));
    EXPECT_EQ (p.settings.presetModified, 1);
}

TEST (EditorEvents, SettingsShowsTheSettingsWindowOverTheEditor)
{
    EditorRig rig;
    auto& editor = rig.openEditor();
    auto& window = editor.settingsWindow.documentWindow;
    ASSERT_FALSE (window.isVisible());

    editor.logoMenu.setSelectedId (TheQuillmontAudioProcessorEditor::settings, juce::sendNotificationSync);
    EXPECT_TRUE (window.isVisible());
    EXPECT_TRUE (window.isAlwaysOnTop());
    EXPECT_EQ (window.getContentComponent(), &editor.settingsWindow.settingsGUI);
    window.setVisible (false);
}

TEST (EditorEvents, LogoLinksOpenAddressesUnderTheDocumentationDomainThroughTheLauncher)
{
    EditorRig rig;
    auto& editor = rig.openEditor();
    RecordingOpener opener (rig.sandbox.top);

    for (auto id : { 1, 2, 100, 101, 102, 103 })
    {
        editor.logoMenu.setSelectedId (id, juce::sendNotificationSync);
        pump();
    }

    auto received = opener.received();
    ASSERT_EQ (received.size(), 6);
    received.sort (false);
    EXPECT_EQ (received.size(), [&] { auto unique = received; unique.removeDuplicates (false); return unique.size(); }());
    for (const auto& address : received)
        EXPECT_TRUE (address.startsWith ("https://www.example.com/")) << address;
}
