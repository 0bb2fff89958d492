#include "editor/EditorRig.h"
#include "editor/ShownEditor.h"

#include <gtest/gtest.h>

using namespace editortests;

namespace
{
    /** What a host hears of one parameter, in order. */
    struct HostLog : juce::AudioProcessorParameter::Listener
    {
        void parameterValueChanged (int, float) override { events.add ("value"); }
        void parameterGestureChanged (int, bool starting) override { events.add (starting ? "begin" : "end"); }
        juce::StringArray events;
    };

    bool menuOpens()
    {
        const auto opened = WidgetRig::pumpUntil ([] { return WidgetRig::openMenu() != nullptr; });
        juce::PopupMenu::dismissAllActiveMenus();
        WidgetRig::pumpUntil ([] { return WidgetRig::openMenu() == nullptr; });
        return opened;
    }
}

TEST (EditorWindowInput, TheVersionTextLetsClicksThroughToThePresetBarBelowIt)
{
    EditorRig rig;
    rig.writePreset ("Factory/00 - INIT.kvp", 0.1f);
    rig.writePreset ("Factory/B.kvp", 0.2f);
    auto& editor = rig.openEditor();
    editor.setSize (1050, 900);
    ShownEditor shown (editor);
    pump();
    ASSERT_EQ (editor.presetMenu.getText(), "00 - INIT");

    // 30 px below the box's top: its lower third, where the version text overlaps the bar.
    const auto y = editor.presetMenu.getY() + 30;
    const juce::Point<int> inBox { editor.presetMenu.getBounds().getCentreX(), y };
    const juce::Point<int> prevRightEdge { editor.prevButton->getRight() - 1, y };
    const juce::Point<int> nextLeftEdge { editor.nextButton->getX(), y };
    for (auto p : { inBox, prevRightEdge, nextLeftEdge })
        ASSERT_TRUE (editor.pluginVersion.getBounds().contains (p)) << p.toString();
    ASSERT_TRUE (editor.presetMenu.getBounds().contains (inBox));

    shown.window.click (inBox);
    EXPECT_TRUE (menuOpens());

    shown.window.click (prevRightEdge);
    EXPECT_EQ (editor.presetMenu.getText(), "B");
    shown.window.click (nextLeftEdge);
    EXPECT_EQ (editor.presetMenu.getText(), "00 - INIT");

    EXPECT_TRUE (editor.pluginVersion.isVisible());
}

TEST (EditorWindowInput, AnArrowKeyOnAClickedKnobIsOneHostGestureAndMarksThePreset)
{
    EditorRig rig;
    rig.writePreset ("Factory/00 - INIT.kvp", 0.1f);
    auto& editor = rig.openEditor();
    ShownEditor shown (editor);
    pump();

    auto& knob = *editor.gainSlider;
    shown.window.click (shown.window.centreOf (knob));
    ASSERT_TRUE (knob.hasKeyboardFocus (false));

    // The click itself counts as touching the knob; start from an unmarked preset.
    rig.processor().settings.presetModified = 0;
    editor.presetMenu.setModified (false);
    pump();
    ASSERT_EQ (editor.presetMenu.getText(), "00 - INIT");

    auto& gain = rig.processor().parameter (P::gain);
    HostLog host;
    gain.addListener (&host);
    const auto before = gain.getValue();

    EXPECT_TRUE (shown.window.key (juce::KeyPress (juce::KeyPress::upKey)));
    pump();
    EXPECT_EQ (host.events.joinIntoString (" "), "begin value end");
    EXPECT_GT (gain.getValue(), before);
    EXPECT_EQ (rig.processor().settings.presetModified, 1);
    EXPECT_EQ (editor.presetMenu.getText(), "00 - INIT*");

    // Keys that step nothing open no gesture.
    host.events.clear();
    shown.window.key (juce::KeyPress ('a'));
    shown.window.key (juce::KeyPress (juce::KeyPress::upKey, juce::ModifierKeys::shiftModifier, 0));
    EXPECT_TRUE (host.events.isEmpty()) << host.events.joinIntoString (" ");

    gain.removeListener (&host);
}

TEST (EditorWindowInput, ReturnAfterAClickOnAPartThatTakesNoKeysGoesOnToTheHost)
{
    EditorRig rig;
    auto& editor = rig.openEditor();
    ShownEditor shown (editor);
    pump();
    auto& hq = rig.processor().parameter (P::hq);

    const auto backdrop = editor.pedalImage.getBounds().getBottomLeft() + juce::Point<int> (-20, -20);
    ASSERT_EQ (editor.getComponentAt (backdrop), &editor);

    for (auto p : { backdrop, shown.window.centreOf (*editor.inputKnob), shown.window.centreOf (editor.pedalImage) })
    {
        const auto hqBefore = hq.getValue();
        shown.window.click (p);
        EXPECT_FALSE (shown.window.key (juce::KeyPress (juce::KeyPress::returnKey))) << p.toString();
        pump();
        EXPECT_EQ (hq.getValue(), hqBefore) << p.toString();
    }
}
