#include "editor/EditorLayout.h"
#include "editor/ExpectedLayout.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
    std::map<juce::String, juce::Rectangle<int>> byName (const EditorLayout& l)
    {
        return {
            { "logoMenu", l.logoMenu }, { "presetMenu", l.presetMenu },
            { "prevButton", l.prevButton }, { "nextButton", l.nextButton }, { "saveButton", l.saveButton },
            { "delButton", l.delButton }, { "resetButton", l.resetButton }, { "randButton", l.randButton },
            { "hqButton", l.hqButton }, { "pluginVersion", l.pluginVersion }, { "pedalImage", l.pedalImage },
            { "gainSlider", l.gainSlider }, { "bassSlider", l.bassSlider }, { "midSlider", l.midSlider },
            { "trebleSlider", l.trebleSlider }, { "volumeSlider", l.volumeSlider },
            { "powerLamp", l.powerLamp }, { "footSwitch", l.footSwitch },
            { "inCaption", l.inCaption }, { "gateCaption", l.gateCaption }, { "typeCaption", l.typeCaption },
            { "outCaption", l.outCaption }, { "mixCaption", l.mixCaption },
            { "inputKnob", l.inputKnob }, { "gateKnob", l.gateKnob }, { "circuitMenu", l.circuitMenu },
            { "outputKnob", l.outputKnob }, { "mixKnob", l.mixKnob }, { "resizeCorner", l.resizeCorner },
        };
    }
}

TEST (EditorLayout, EveryControlLandsOnItsCanvasPositionAtTheThreeMenuSizes)
{
    for (const auto& expected : expectedLayouts())
    {
        const auto actual = byName (EditorLayout::compute (expected.width, expected.height));
        ASSERT_EQ (actual.size(), expected.controls.size());

        for (const auto& control : expected.controls)
            EXPECT_EQ (actual.at (control.control), control.bounds)
                << control.control << " at " << expected.width << " x " << expected.height;
    }
}

TEST (EditorLayout, VersionAndPedalAreCentredOnTheWindowWhereverItSits)
{
    // Inside a parent the centring takes the window's own position into account.
    const auto l = EditorLayout::compute (700, 600, {}, { 30, 40 });
    EXPECT_EQ (l.pluginVersion.getX(), 30 + 226);
    EXPECT_EQ (l.pedalImage.getPosition(), juce::Point<int> (30 + 157, 40 + 69));
}
