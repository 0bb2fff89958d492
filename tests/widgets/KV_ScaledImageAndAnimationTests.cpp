#include "PixelTestSupport.h"
#include "WidgetRig.h"
#include "WidgetTestSupport.h"
#include "widgets/KV_Animation.h"
#include "widgets/KV_ScaledImage.h"

#include <BinaryData.h>
#include <gtest/gtest.h>

namespace
{
juce::Image lampStrip()
{
    return juce::ImageCache::getFromMemory (BinaryData::lamp_png, BinaryData::lamp_pngSize);
}

// Frame n of the 48 x 48 lamp, drawn the size of the component.
juce::Image lampFrame (int n, int size)
{
    juce::Image image (juce::Image::ARGB, size, size, true);
    juce::Graphics g (image);
    g.drawImage (lampStrip(), 0, 0, size, size, 0, n * 48, 48, 48);
    return image;
}

bool sameImage (const juce::Image& a, const juce::Image& b)
{
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                return false;
    return true;
}
}

TEST (KV_ScaledImage, DrawsThroughAUniformScaleFromTheTopLeft)
{
    korvanth::KV_ScaledImage picture;
    picture.setSize (500, 500);
    EXPECT_EQ (snapshotOf (picture).getPixelAt (0, 0).getAlpha(), 0); // no image, nothing drawn

    juce::Image red (juce::Image::ARGB, 772, 925, true);
    red.clear (red.getBounds(), juce::Colours::red);
    picture.image = red;
    picture.scale = 0.5f;

    auto image = snapshotOf (picture); // covers 386 x 462.5
    EXPECT_PIXEL (image, 0, 0, juce::Colours::red);
    EXPECT_PIXEL (image, 385, 461, juce::Colours::red);
    EXPECT_PIXEL (image, 386, 100, juce::Colour (0x00000000));
    EXPECT_NEAR (image.getPixelAt (100, 462).getAlpha(), 128, 2);
    EXPECT_PIXEL (image, 100, 463, juce::Colour (0x00000000));
}

TEST (KV_ScaledImage, EditModeDragHasNoLimits)
{
    WidgetRig rig (300, 200);
    korvanth::KV_ScaledImage picture;
    picture.setBounds (10, 10, 50, 50);
    rig.root().addAndMakeVisible (picture);

    rig.press ({ 20, 20 });
    rig.moveTo ({ 120, 20 }, juce::ModifierKeys::leftButtonModifier);
    rig.release ({ 120, 20 });
    EXPECT_EQ (picture.getPosition(), juce::Point<int> (10, 10));

    picture.editMode = true;
    rig.press ({ 20, 20 });
    rig.moveTo ({ 290, 20 }, juce::ModifierKeys::leftButtonModifier);
    rig.release ({ 290, 20 });
    EXPECT_EQ (picture.getPosition(), juce::Point<int> (280, 10)); // past the parent's right edge
}

TEST (KV_Animation, ShowsTheLastFrameOnlyAtTheTopOfTheRange)
{
    KV_Animation lamp (lampStrip(), 2);
    EXPECT_EQ (lamp.frameWidth, 48);
    EXPECT_EQ (lamp.frameHeight, 48);
    lamp.setRange (0.0, 1.0);
    lamp.setSize (24, 24);
    EXPECT_EQ (lamp.getNumChildComponents(), 0); // no text box over the frames

    lamp.setValue (0.0);
    EXPECT_TRUE (sameImage (snapshotOf (lamp), lampFrame (0, 24)));
    lamp.setValue (0.99);
    EXPECT_TRUE (sameImage (snapshotOf (lamp), lampFrame (0, 24)));
    lamp.setValue (1.0);
    EXPECT_TRUE (sameImage (snapshotOf (lamp), lampFrame (1, 24)));
    EXPECT_FALSE (sameImage (lampFrame (0, 24), lampFrame (1, 24)));

    // No image, or no frames, leaves nothing to draw (and nothing to divide by).
    KV_Animation empty ({}, 2);
    KV_Animation noFrames (lampStrip(), 0);
    for (auto* display : { &empty, &noFrames })
    {
        EXPECT_EQ (display->frameWidth, 0);
        EXPECT_EQ (display->frameHeight, 0);
        display->setSize (24, 24);
        EXPECT_EQ (snapshotOf (*display).getPixelAt (12, 12).getAlpha(), 0);
    }
}

TEST (KV_Animation, OnlyEditModeMovesItAndTheUserNeverChangesIt)
{
    WidgetRig rig (300, 200);
    KV_Animation lamp (lampStrip(), 2);
    lamp.setRange (0.0, 1.0);
    lamp.setValue (0.0);
    lamp.setBounds (100, 100, 48, 48);
    rig.root().addAndMakeVisible (lamp);

    const auto centre = rig.centreOf (lamp);
    rig.moveTo (centre);
    rig.press (centre);
    rig.moveTo (centre + juce::Point<int> (0, -60), juce::ModifierKeys::leftButtonModifier);
    rig.release (centre + juce::Point<int> (0, -60));
    rig.peer().handleMouseWheel (juce::MouseInputSource::InputSourceType::mouse, centre.toFloat(),
                                 juce::Time::currentTimeMillis(), { 0.0f, 1.0f, false, false, false });
    EXPECT_EQ (lamp.getValue(), 0.0);
    EXPECT_EQ (lamp.getPosition(), juce::Point<int> (100, 100));

    // The click focused it; arrow keys still leave its value alone and go on to the parent.
    KeyRecorder parent;
    rig.root().addKeyListener (&parent);
    ASSERT_TRUE (lamp.hasKeyboardFocus (false));
    rig.key (juce::KeyPress (juce::KeyPress::upKey));
    EXPECT_EQ (lamp.getValue(), 0.0);
    EXPECT_EQ (parent.keys.size(), 1);

    lamp.editMode = true;
    rig.moveTo (rig.outside());
    rig.moveTo (centre);
    rig.press (centre);
    rig.moveTo (centre + juce::Point<int> (500, 500), juce::ModifierKeys::leftButtonModifier);
    rig.release (centre + juce::Point<int> (500, 500));
    EXPECT_EQ (lamp.getBounds(), juce::Rectangle<int> (252, 152, 48, 48)); // held inside the parent

    lamp.grabKeyboardFocus();
    rig.key (juce::KeyPress (juce::KeyPress::upKey));
    rig.key (juce::KeyPress (juce::KeyPress::rightKey, juce::ModifierKeys::shiftModifier, 0));
    EXPECT_EQ (lamp.getPosition(), juce::Point<int> (252, 151));
    EXPECT_EQ (parent.keys.size(), 2);
    rig.root().removeKeyListener (&parent);
}
