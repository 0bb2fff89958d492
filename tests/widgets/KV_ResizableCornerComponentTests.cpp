#include "WidgetRig.h"
#include "widgets/KV_ResizableCornerComponent.h"

#include <gtest/gtest.h>

TEST (KV_ResizableCornerComponent, SeenOnlyWhileHoveredAndDoubleClickRestoresTheSize)
{
    WidgetRig rig (600, 500);
    juce::Component editor;
    editor.setBounds (20, 30, 500, 400);
    rig.root().addAndMakeVisible (editor);

    juce::ComponentBoundsConstrainer limits;
    korvanth::KV_ResizableCornerComponent corner (&editor, &limits);
    corner.setBounds (484, 384, 16, 16);
    editor.addAndMakeVisible (corner);
    corner.setAlpha (0.0f);
    corner.restoreWidth = 350;
    corner.restoreHeight = 300;

    const auto onCorner = rig.centreOf (corner);
    rig.moveTo (onCorner);
    EXPECT_EQ (corner.getAlpha(), 1.0f);
    rig.moveTo ({ 100, 100 });
    EXPECT_EQ (corner.getAlpha(), 0.0f);

    rig.moveTo (onCorner);
    rig.doubleClick (onCorner);
    EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (20, 30, 350, 300));
}
