#include "PixelTestSupport.h"
#include "WidgetRig.h"
#include "widgets/pluginLookAndFeel.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour text { 0xffe8e0cb };
const juce::Colour highlight { 0xffe8e0cb };
const juce::Colour highlightedText { 0xe62b302c };
const juce::Colour clear { 0x00000000 };

// A 120 x 24 item: the dot sits at the centre of the icon strip, (4, 4, 21, 16) inside the item.
juce::Image drawItem (bool active, bool highlighted, bool ticked)
{
    pluginLookAndFeel lf (nullptr);
    juce::Image image (juce::Image::ARGB, 120, 24, true);
    juce::Graphics g (image);
    lf.drawPopupMenuItem (g, { 0, 0, 120, 24 }, false, active, highlighted, ticked, false,
                          "Item", {}, nullptr, nullptr);
    return image;
}

// A combo box in a real window, drawn by the plug-in's look-and-feel.
struct ComboInWindow
{
    ComboInWindow (const juce::String& name, juce::Rectangle<int> bounds, juce::Colour background, juce::Colour outline)
        : box (name)
    {
        box.setLookAndFeel (&lf);
        box.setColour (juce::ComboBox::backgroundColourId, background);
        box.setColour (juce::ComboBox::outlineColourId, outline);
        box.setBounds (bounds);
        rig.root().addAndMakeVisible (box);
    }

    ~ComboInWindow() { box.setLookAndFeel (nullptr); }

    WidgetRig rig;
    pluginLookAndFeel lf { nullptr };
    juce::ComboBox box;
};
}

TEST (PluginLookAndFeelDrawing, PopupMenuItemsShowADotHighlightAndDimming)
{
    const juce::Point<int> dot (14, 12);
    const juce::Point<int> inside (2, 2);

    auto plain = drawItem (true, false, false);
    EXPECT_PIXEL (plain, dot.x, dot.y, clear);
    EXPECT_PIXEL (plain, inside.x, inside.y, clear);

    auto ticked = drawItem (true, false, true);
    EXPECT_PIXEL (ticked, dot.x, dot.y, text);
    EXPECT_PIXEL (ticked, dot.x + 4, dot.y, clear); // a 5-pixel dot, not the base's tick mark
    EXPECT_PIXEL (ticked, dot.x, dot.y - 4, clear);

    auto highlighted = drawItem (true, true, true);
    EXPECT_PIXEL (highlighted, inside.x, inside.y, highlight);
    EXPECT_PIXEL (highlighted, 0, 0, clear); // one pixel in from the item's edge
    EXPECT_PIXEL (highlighted, dot.x, dot.y, highlight.overlaidWith (highlightedText));

    // Inactive: everything after the highlight at 30 % opacity, the highlight itself not.
    auto inactive = drawItem (false, false, true);
    EXPECT_TRUE (colourNear (inactive.getPixelAt (dot.x, dot.y), text.withAlpha (0.3f), 4)); // premultiplied at low alpha

    auto inactiveHighlighted = drawItem (false, true, true);
    juce::Image sheet (juce::Image::ARGB, 120, 24 * 5, true);
    {
        juce::Graphics g (sheet);
        g.fillAll (juce::Colour (0xff2b302c));
        int y = 0;
        for (auto* item : { &plain, &ticked, &highlighted, &inactive, &inactiveHighlighted })
            g.drawImageAt (*item, 0, (y++) * 24);
    }
    saveForReview (sheet.rescaled (360, 360), "popup-menu-items");

    EXPECT_PIXEL (inactiveHighlighted, inside.x, inside.y, highlight);
    EXPECT_PIXEL (inactiveHighlighted, dot.x, dot.y, highlight.overlaidWith (highlightedText.withAlpha (0.3f)));
}

TEST (PluginLookAndFeelDrawing, PopupMenuBackgroundIsOneFlatRoundedBox)
{
    pluginLookAndFeel lf (nullptr);
    juce::Image image (juce::Image::ARGB, 100, 60, true);
    juce::Graphics g (image);
    lf.drawPopupMenuBackground (g, 100, 60);

    EXPECT_PIXEL (image, 50, 30, juce::Colour (0xe62b302c));
    EXPECT_PIXEL (image, 2, 30, juce::Colour (0xe62b302c)); // no outline, no gradient
    EXPECT_PIXEL (image, 0, 0, clear);                      // rounded corner

    juce::Image tiny (juce::Image::ARGB, 1, 1, true);
    juce::Graphics tg (tiny);
    lf.drawPopupMenuBackground (tg, 1, 1);
    EXPECT_PIXEL (tiny, 0, 0, clear);
}

TEST (PluginLookAndFeelDrawing, ComboBoxHasNoArrowAndAFocusFrame)
{
    ComboInWindow combo ("circuitMenu", { 10, 10, 100, 24 }, juce::Colours::red, juce::Colours::lime);
    auto& box = combo.box;
    box.setColour (juce::ComboBox::buttonColourId, juce::Colours::blue);

    auto unfocused = snapshotOf (box);
    EXPECT_PIXEL (unfocused, 0, 12, juce::Colours::lime);
    EXPECT_PIXEL (unfocused, 99, 12, juce::Colours::lime);
    EXPECT_PIXEL (unfocused, 1, 12, juce::Colours::red);
    for (int x = 70; x < 98; ++x) // where the base draws its arrow
        for (int y = 2; y < 22; ++y)
            ASSERT_TRUE (colourNear (unfocused.getPixelAt (x, y), juce::Colours::red)) << x << ", " << y;

    box.grabKeyboardFocus();
    ASSERT_TRUE (box.hasKeyboardFocus (false));
    box.setText ("Plexy", juce::dontSendNotification);
    auto focused = snapshotOf (box);
    saveForReview (focused.rescaled (400, 96), "combo-box-focused");
    EXPECT_PIXEL (focused, 0, 12, juce::Colours::lime); // the 1-px outline over the 2-px frame
    EXPECT_PIXEL (focused, 1, 12, juce::Colours::blue);
    EXPECT_PIXEL (focused, 2, 2, juce::Colours::red);
}

TEST (PluginLookAndFeelDrawing, TextWhenNothingSelectedTakesTheBoxsOwnColour)
{
    ComboInWindow combo ("presetMenu", { 10, 10, 160, 30 }, juce::Colours::black, juce::Colours::transparentBlack);
    auto& box = combo.box;
    box.setColour (juce::ComboBox::textColourId, juce::Colours::white);
    box.setTextWhenNothingSelected ("Default");

    const auto image = snapshotOf (box);
    int brightest = 0;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            brightest = juce::jmax (brightest, (int) image.getPixelAt (x, y).getRed());

    EXPECT_GT (brightest, 0x70) << "white dimmed to half over black";
    EXPECT_LT (brightest, 0x90);
}

TEST (PluginLookAndFeelDrawing, CornerResizerDrawsLightAndDarkStripes)
{
    pluginLookAndFeel lf (nullptr);
    juce::Image image (juce::Image::ARGB, 40, 40, true);
    juce::Graphics g (image);
    lf.drawCornerResizer (g, 40, 40, true, true);
    saveForReview (image.rescaled (200, 200, juce::Graphics::lowResamplingQuality), "corner-resizer");

    // Thickness 3: the light line x + y = 41, the dark one 3 further out, then a gap before the next pair.
    EXPECT_PIXEL (image, 19, 20, juce::Colour (0xffe8e0cb));
    EXPECT_PIXEL (image, 21, 22, juce::Colour (0xff2b302c));
    EXPECT_PIXEL (image, 23, 24, clear);
    EXPECT_PIXEL (image, 25, 26, juce::Colour (0xffe8e0cb)); // second pair, x + y = 53
    EXPECT_PIXEL (image, 37, 38, juce::Colour (0xffe8e0cb)); // fourth pair, x + y = 77
    EXPECT_PIXEL (image, 10, 10, clear);                     // the corner's inner half stays clear
}

TEST (PluginLookAndFeelDrawing, BubbleIsARoundedBoxWithoutPointerAndFrameIsInvisible)
{
    pluginLookAndFeel lf (nullptr);
    struct Bubble : juce::BubbleComponent
    {
        void getContentSize (int& w, int& h) override { w = h = 0; }
        void paintContent (juce::Graphics&, int, int) override {}
    } bubble;
    bubble.setLookAndFeel (&lf);

    juce::Image image (juce::Image::ARGB, 80, 40, true);
    {
        juce::Graphics g (image);
        lf.drawBubble (g, bubble, { 40.0f, 0.0f }, { 10.0f, 10.0f, 60.0f, 20.0f });
        lf.drawResizableFrame (g, 80, 40, juce::BorderSize<int> (5));
    }

    EXPECT_PIXEL (image, 40, 20, juce::Colour (0xd525251d));
    EXPECT_PIXEL (image, 40, 5, clear);  // nothing towards the tip
    EXPECT_PIXEL (image, 9, 9, clear);   // rounded corner, where a square outline would reach
    EXPECT_GT (image.getPixelAt (9, 20).getAlpha(), 0); // the outline, half a pixel outside the body
    EXPECT_PIXEL (image, 1, 1, clear);   // the frame draws nothing visible

    bubble.setLookAndFeel (nullptr);
}
