#include "editor/EditorRig.h"
#include "widgets/WidgetRig.h"

#include <gtest/gtest.h>

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
