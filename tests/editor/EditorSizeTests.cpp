#include "editor/EditorRig.h"
#include "widgets/WidgetRig.h"

#include <gtest/gtest.h>

#include <optional>

using namespace editortests;

namespace
{
    juce::Rectangle<int> workArea()
    {
        return juce::Desktop::getInstance().getDisplays().getPrimaryDisplay()->userArea;
    }

    bool onRatio (juce::Rectangle<int> r)
    {
        return std::abs (r.getWidth() * 600 - r.getHeight() * 700) < 700;
    }

    // The framework's displays seen through a desktop scale: the same screen then reports a work
    // area of its size divided by the scale, and reports its own again when the scale goes back.
    struct DisplayScale
    {
        explicit DisplayScale (float scale) { juce::Desktop::getInstance().setGlobalScaleFactor (scale); }
        ~DisplayScale() { juce::Desktop::getInstance().setGlobalScaleFactor (1.0f); }
    };
}

TEST (EditorSize, TheWindowNeverGrowsPastTheScreensRightOrBottomEdge)
{
    EditorRig rig;
    auto& editor = rig.openEditor();
    const auto screen = workArea();

    // 780 x 724 of room to the right of and below the window's top-left corner.
    WidgetRig window;
    window.root().setBounds (screen.getRight() - 780, screen.getBottom() - 724, 780, 724);
    window.root().addAndMakeVisible (editor);
    editor.setTopLeftPosition (0, 0);
    ASSERT_EQ (editor.getScreenPosition(), juce::Point<int> (screen.getRight() - 780, screen.getBottom() - 724));

    const auto corner = window.centreOf (*editor.resizeCorner);
    window.moveTo (corner);
    window.press (corner);
    window.moveTo (corner + juce::Point<int> (400, 400), juce::ModifierKeys::leftButtonModifier);
    window.release (corner + juce::Point<int> (400, 400));

    auto onScreen = editor.getScreenBounds();
    EXPECT_EQ (onScreen.getRight(), screen.getRight()) << onScreen.toString();
    EXPECT_LE (onScreen.getBottom(), screen.getBottom()) << onScreen.toString();
    EXPECT_TRUE (onRatio (onScreen)) << onScreen.toString();

    // The menu's Big size from the same place.
    editor.setSize (466, 400);
    editor.logoMenu.setSelectedId (TheQuillmontAudioProcessorEditor::sizeBig, juce::sendNotificationSync);
    onScreen = editor.getScreenBounds();
    EXPECT_LE (onScreen.getRight(), screen.getRight()) << onScreen.toString();
    EXPECT_LE (onScreen.getBottom(), screen.getBottom()) << onScreen.toString();
    EXPECT_GT (onScreen.getWidth(), 466);

    // A double click on the corner with less room than the default size.
    editor.setSize (466, 400);
    window.root().setTopLeftPosition (screen.getRight() - 600, screen.getBottom() - 500);
    window.doubleClick (window.centreOf (*editor.resizeCorner));
    onScreen = editor.getScreenBounds();
    EXPECT_LE (onScreen.getRight(), screen.getRight()) << onScreen.toString();
    EXPECT_LE (onScreen.getBottom(), screen.getBottom()) << onScreen.toString();
    EXPECT_GT (onScreen.getWidth(), 466);

    window.root().removeChildComponent (&editor);
}

TEST (EditorSize, AFirstWindowOpenedBeforeTheWorkAreaIsKnownOpensAt700x600OnceItIs)
{
    // 640 x 512 is below the default size, 320 x 256 below the smallest.
    for (auto scale : { 2.0f, 4.0f })
    {
        EditorRig rig;
        std::optional<DisplayScale> unsettled (std::in_place, scale);
        auto& editor = rig.openEditor();
        ASSERT_LT (editor.getHeight(), 600) << "the window opens inside the small work area";
        EXPECT_EQ (rig.processor().getEditorSize().width, 700) << "a forced size is nobody's choice";

        unsettled.reset();
        WidgetRig::pumpUntil ([&] { return editor.getHeight() == 600; });
        EXPECT_EQ (editor.getLocalBounds(), juce::Rectangle<int> (700, 600)) << "at scale " << scale;

        // The limits are the real screen's now.
        editor.setSize (1050, 900);
        EXPECT_EQ (editor.getLocalBounds(), juce::Rectangle<int> (1050, 900)) << "at scale " << scale;
    }

    // A size chosen before the work area settles is kept.
    EditorRig rig;
    std::optional<DisplayScale> unsettled (std::in_place, 2.0f);
    auto& editor = rig.openEditor();
    editor.logoMenu.setSelectedId (TheQuillmontAudioProcessorEditor::sizeSmall, juce::sendNotificationSync);
    unsettled.reset();
    pump (200);
    EXPECT_EQ (editor.getLocalBounds(), juce::Rectangle<int> (466, 400));
    EXPECT_EQ (rig.processor().getEditorSize().width, 466);
}
