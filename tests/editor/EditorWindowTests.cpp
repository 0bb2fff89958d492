#include "editor/EditorRig.h"
#include "editor/ExpectedLayout.h"

#include <gtest/gtest.h>

using namespace editortests;

namespace
{
    juce::Component* controlNamed (TheQuillmontAudioProcessorEditor& e, const juce::String& name)
    {
        const std::pair<const char*, juce::Component*> extra[] = {
            { "pedalImage", &e.pedalImage }, { "powerLamp", e.powerLamp.get() }, { "footSwitch", &e.footSwitch },
            { "inCaption", &e.knobCaptions[0] }, { "outCaption", &e.knobCaptions[1] }, { "mixCaption", &e.knobCaptions[2] },
            { "gateCaption", &e.knobCaptions[3] }, { "typeCaption", &e.knobCaptions[4] },
            { "inputKnob", e.inputKnob.get() }, { "outputKnob", e.outputKnob.get() }, { "mixKnob", e.mixKnob.get() },
            { "gateKnob", e.gateKnob.get() }, { "resizeCorner", e.resizeCorner.get() },
        };
        for (const auto& [n, c] : extra)
            if (name == n)
                return c;
        return child (e, name);
    }

    juce::Image snapshot (juce::Component& c)
    {
        return c.createComponentSnapshot (c.getLocalBounds(), true, 1.0f);
    }

    // The bounding box of the pixels that differ between two pictures of the same window.
    juce::Rectangle<int> differingArea (const juce::Image& a, const juce::Image& b)
    {
        juce::Rectangle<int> area;
        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
                if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                    area = area.isEmpty() ? juce::Rectangle<int> (x, y, 1, 1) : area.getUnion ({ x, y, 1, 1 });
        return area;
    }

    juce::File artefact (const juce::String& name)
    {
        auto file = juce::File::getSpecialLocation (juce::File::currentExecutableFile)
                        .getSiblingFile ("editor-screenshots").getChildFile (name);
        file.getParentDirectory().createDirectory();
        return file;
    }
}

TEST (EditorWindow, EveryControlSitsWhereTheLayoutPutsItAtTheThreeMenuSizes)
{
    EditorRig rig;
    auto& editor = rig.openEditor();

    for (const auto& expected : expectedLayouts())
    {
        editor.setSize (expected.width, expected.height);
        ASSERT_EQ (editor.getBounds().getWidth(), expected.width);

        for (const auto& control : expected.controls)
        {
            auto* c = controlNamed (editor, control.control);
            ASSERT_NE (c, nullptr) << control.control;
            EXPECT_EQ (c->getBounds(), control.bounds) << control.control << " at " << expected.width << " x " << expected.height;
        }
    }
}

TEST (EditorWindow, ScreenshotsShowEachControlDrawnAtItsPlace)
{
    EditorRig rig;
    rig.writePreset ("Crunch.kvp", 0.7f);
    auto& editor = rig.openEditor();
    editor.presetMenu.setPresetsFolder (editor.presetMenu.presetsFolder);
    korvanth::KV_PresetMenu::menuCallback (1, &editor.presetMenu);
    pump();
    editor.timerCallback();
    ASSERT_EQ (editor.presetMenu.getText(), "Crunch");

    for (const auto& expected : expectedLayouts())
    {
        editor.setSize (expected.width, expected.height);
        const auto whole = snapshot (editor);
        {
            juce::FileOutputStream out (artefact ("editor-" + juce::String (expected.width) + "x" + juce::String (expected.height) + ".png"));
            out.setPosition (0);
            out.truncate();
            juce::PNGImageFormat().writeImageToStream (whole, out);
        }

        // Hiding one control changes the picture exactly where that control was placed.
        for (const auto* name : { "gainSlider", "bassSlider", "midSlider", "trebleSlider", "volumeSlider",
                                  "powerLamp", "footSwitch", "inputKnob", "gateKnob", "outputKnob", "mixKnob",
                                  "inCaption", "typeCaption", "circuitMenu" })
        {
            auto* c = controlNamed (editor, name);
            c->setVisible (false);
            const auto without = snapshot (editor);
            c->setVisible (true);

            const auto drawn = differingArea (whole, without);
            const auto place = c->getBounds();
            EXPECT_FALSE (drawn.isEmpty()) << name << " draws nothing at " << expected.width;
            EXPECT_TRUE (place.contains (drawn)) << name << " draws outside its place at " << expected.width;
            EXPECT_LE (std::abs (drawn.getCentreX() - place.getCentreX()), place.getWidth() / 4 + 1) << name;
            EXPECT_LE (std::abs (drawn.getCentreY() - place.getCentreY()), place.getHeight() / 4 + 1) << name;
        }
    }
}

TEST (EditorWindow, ASizeOffTheRatioIsBroughtBackOntoIt)
{
    EditorRig rig;
    auto& editor = rig.openEditor();

    // The largest size on the ratio inside the requested one.
    editor.setSize (900, 700);
    EXPECT_EQ (editor.getWidth(), 817);
    EXPECT_EQ (editor.getHeight(), 700);

    editor.setSize (600, 700);
    EXPECT_EQ (editor.getWidth(), 600);
    EXPECT_EQ (editor.getHeight(), 514);

    editor.setSize (200, 150);
    EXPECT_GE (editor.getWidth(), 466);
    EXPECT_EQ (editor.getHeight(), 400);

    const auto screen = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay()->userArea;
    editor.setSize (5000, 4000);
    EXPECT_LE (editor.getWidth(), screen.getWidth());
    EXPECT_LE (editor.getHeight(), screen.getHeight());
    EXPECT_LE (std::abs (editor.getWidth() * 600 - editor.getHeight() * 700), 700);
    EXPECT_EQ (rig.processor().getEditorSize().width, editor.getWidth());
    EXPECT_EQ (rig.processor().getEditorSize().height, editor.getHeight());
}

TEST (EditorWindow, SizeSurvivesClosingTheWindowAndAStateRoundTrip)
{
    EditorRig rig;
    rig.openEditor().setSize (1050, 900);
    rig.closeEditor();
    EXPECT_EQ (rig.openEditor().getBounds().getWidth(), 1050);

    rig.editor->setSize (466, 400);
    juce::MemoryBlock state;
    rig.processor().getStateInformation (state);
    rig.closeEditor();

    TheQuillmontAudioProcessor restored;
    restored.setStateInformation (state.getData(), (int) state.getSize());
    TheQuillmontAudioProcessorEditor reopened (restored);
    EXPECT_EQ (reopened.getWidth(), 466);
    EXPECT_EQ (reopened.getHeight(), 400);
}

TEST (EditorWindow, ASizeFromAHostStateIsHeldToTheLimits)
{
    EditorRig rig;
    // A project saved on a bigger screen, or a hand-edited one.
    rig.processor().setEditorSize (9000, 300);
    auto& editor = rig.openEditor();
    const auto screen = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay()->userArea;

    EXPECT_LE (editor.getWidth(), screen.getWidth());
    EXPECT_LE (editor.getHeight(), screen.getHeight());
    EXPECT_GE (editor.getWidth(), 466);
    EXPECT_GE (editor.getHeight(), 400);
    EXPECT_LE (std::abs (editor.getWidth() * 600 - editor.getHeight() * 700), 700);
}
