#include "widgets/KV_TextButton.h"
#include "widgets/PluginTypefaces.h"

#include "PixelTestSupport.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour offColour { 0xffff4000 };
const juce::Colour onColour { 0xff00c0ff };

struct Ink
{
    int off = 0, on = 0, other = 0;
    int maxAlpha = 0;
};

// Sorts every clearly visible pixel by which of the two text colours it shows.
Ink inkOf (const juce::Image& image)
{
    Ink ink;
    for (int y = 0; y < image.getHeight(); ++y)
    {
        for (int x = 0; x < image.getWidth(); ++x)
        {
            auto p = image.getPixelAt (x, y);
            ink.maxAlpha = juce::jmax (ink.maxAlpha, int (p.getAlpha()));
            if (p.getAlpha() < 100)
                continue;
            if (p.getRed() > 200 && p.getBlue() < 60)
                ++ink.off;
            else if (p.getBlue() > 200 && p.getRed() < 60)
                ++ink.on;
            else
                ++ink.other;
        }
    }
    return ink;
}

struct KV_TextButtonDrawing : public ::testing::Test
{
    KV_TextButton button { offColour, onColour };

    KV_TextButtonDrawing()
    {
        button.buttonLookAndFeel.textFont = PluginTypefaces::fontOf (PluginTypefaces::bold(), 15.0f);
    }

    juce::Image paint (int width, int height, const juce::String& text, const char* name)
    {
        button.setButtonText (text);
        button.setBounds (0, 0, width, height);
        return snapshotForReview (button, name);
    }
};
}

TEST_F (KV_TextButtonDrawing, TextTakesTheOnOrOffColourFromTheToggleState)
{
    for (auto size : { juce::Point<int> (200, 40), juce::Point<int> (20, 20) })
    {
        auto text = size.x > 20 ? "HQ" : "X";
        auto tag = juce::String (size.x) + "x" + juce::String (size.y);

        button.setToggleState (false, juce::dontSendNotification);
        auto off = inkOf (paint (size.x, size.y, text, ("textbutton-off-" + tag).toRawUTF8()));
        EXPECT_GT (off.off, 20) << tag;
        EXPECT_EQ (off.on, 0) << tag;
        EXPECT_EQ (off.maxAlpha, 255) << tag;

        button.setToggleState (true, juce::dontSendNotification);
        auto on = inkOf (paint (size.x, size.y, text, ("textbutton-on-" + tag).toRawUTF8()));
        EXPECT_GT (on.on, 20) << tag;
        EXPECT_EQ (on.off, 0) << tag;

        // Disabled: the same letters at half the colour's alpha.
        button.setEnabled (false);
        auto disabled = inkOf (paint (size.x, size.y, text, ("textbutton-disabled-" + tag).toRawUTF8()));
        EXPECT_NEAR (disabled.maxAlpha, 128, 1) << tag;
        button.setEnabled (true);
    }
}

TEST_F (KV_TextButtonDrawing, OnlyAHighlightedOrPressedButtonShowsItsRectangle)
{
    // The default button colours are transparent: nothing behind the text until hovered or pressed,
    // then white at 0.1 or 0.2.
    auto normal = paint (200, 40, "", "textbutton-normal-200x40");
    EXPECT_EQ (inkOf (normal).maxAlpha, 0);

    button.setState (juce::Button::buttonOver);
    auto over = paint (200, 40, "", "textbutton-over-200x40");

    // t = 1.5: the rectangle runs from 1.25 to 198.75 across and from 1.25 to 38.75 down.
    EXPECT_EQ (over.getPixelAt (0, 20).getAlpha(), 0);
    EXPECT_EQ (over.getPixelAt (199, 20).getAlpha(), 0);
    EXPECT_EQ (over.getPixelAt (100, 0).getAlpha(), 0);
    EXPECT_EQ (over.getPixelAt (100, 39).getAlpha(), 0);
    EXPECT_NEAR (over.getPixelAt (100, 20).getAlpha(), 26, 1);
    EXPECT_EQ (over.getPixelAt (100, 20).getRed(), 255);
    EXPECT_NEAR (over.getPixelAt (1, 20).getAlpha(), 19, 2) << "three quarters of a pixel";
    EXPECT_NEAR (over.getPixelAt (198, 20).getAlpha(), 19, 2);
    EXPECT_NEAR (over.getPixelAt (100, 1).getAlpha(), 19, 2);
    EXPECT_NEAR (over.getPixelAt (100, 38).getAlpha(), 19, 2);
    EXPECT_NEAR (over.getPixelAt (2, 2).getAlpha(), 26, 1) << "square corners, not rounded";

    button.setState (juce::Button::buttonDown);
    auto down = paint (200, 40, "", "textbutton-down-200x40");
    EXPECT_NEAR (down.getPixelAt (100, 20).getAlpha(), 51, 1);

    // 20 x 20: t = 0.855, the rectangle from 0.9275 to 19.0725.
    button.setState (juce::Button::buttonOver);
    auto small = paint (20, 20, "", "textbutton-over-20x20");
    EXPECT_NEAR (small.getPixelAt (1, 10).getAlpha(), 26, 1);
    EXPECT_NEAR (small.getPixelAt (18, 10).getAlpha(), 26, 1);
    EXPECT_LE (small.getPixelAt (0, 10).getAlpha(), 3);
    EXPECT_LE (small.getPixelAt (19, 10).getAlpha(), 3);

    // A button one pixel high has no room for a rectangle.
    auto flat = paint (20, 1, "", "textbutton-over-20x1");
    EXPECT_EQ (inkOf (flat).maxAlpha, 0);
}

TEST_F (KV_TextButtonDrawing, DisabledBackgroundIsDrawnAtHalfAlpha)
{
    button.setColour (juce::TextButton::buttonColourId, juce::Colour (0xff3060c0));

    auto enabled = paint (200, 40, "", "textbutton-coloured-200x40");
    EXPECT_NEAR (enabled.getPixelAt (100, 20).getAlpha(), 229, 1);

    button.setEnabled (false);
    auto disabled = paint (200, 40, "", "textbutton-coloured-disabled-200x40");
    EXPECT_NEAR (disabled.getPixelAt (100, 20).getAlpha(), 128, 1);
}
