#include "PixelTestSupport.h"
#include "widgets/KV_ResizableLabel.h"

#include <gtest/gtest.h>

namespace
{
// Bands of rows holding ink, top to bottom: one band per drawn line of text.
int inkBands (const juce::Image& image)
{
    int bands = 0;
    bool inBand = false;
    for (int y = 0; y < image.getHeight(); ++y)
    {
        bool ink = false;
        for (int x = 0; x < image.getWidth() && ! ink; ++x)
            ink = image.getPixelAt (x, y).getAlpha() > 40;
        if (ink && ! inBand)
            ++bands;
        inBand = ink;
    }
    return bands;
}

int maxAlpha (const juce::Image& image)
{
    int result = 0;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            result = juce::jmax (result, (int) image.getPixelAt (x, y).getAlpha());
    return result;
}

template <typename Label>
void setUp (Label& label, const juce::String& text, int width, int height)
{
    label.setText (text, juce::dontSendNotification);
    label.setFont (juce::Font (14.0f));
    label.setColour (juce::Label::textColourId, juce::Colours::white);
    label.setJustificationType (juce::Justification::centred);
    label.setBorderSize ({});
    label.setSize (width, height);
}
}

TEST (KV_ResizableLabel, LongTextWrapsOntoTwoLinesButNeverThree)
{
    // 20 px is less than two font heights, so the framework's own label keeps to one line.
    juce::Label plain;
    setUp (plain, "INPUT GAIN LEVEL", 60, 20);
    EXPECT_EQ (inkBands (snapshotOf (plain)), 1);

    KV_ResizableLabel label;
    setUp (label, "INPUT GAIN LEVEL", 60, 20);
    EXPECT_EQ (inkBands (snapshotOf (label)), 2);
    {
        juce::Image review (juce::Image::ARGB, 60, 20, true);
        juce::Graphics g (review);
        g.fillAll (juce::Colours::black);
        g.drawImageAt (snapshotOf (label), 0, 0);
        saveForReview (review.rescaled (240, 80), "resizable-label-two-lines");
    }

    setUp (label, "INPUT GAIN LEVEL OUTPUT GAIN LEVEL MIX", 60, 40);
    EXPECT_EQ (inkBands (snapshotOf (label)), 2);

    // Its own minimum squeeze is not consulted.
    const auto before = snapshotOf (label);
    label.setMinimumHorizontalScale (1.0f);
    const auto after = snapshotOf (label);
    for (int y = 0; y < before.getHeight(); ++y)
        for (int x = 0; x < before.getWidth(); ++x)
            ASSERT_EQ (before.getPixelAt (x, y), after.getPixelAt (x, y)) << x << ", " << y;
}

TEST (KV_ResizableLabel, DisabledTextIsDrawnAtHalfAlpha)
{
    juce::Component parent;
    KV_ResizableLabel label;
    parent.addAndMakeVisible (label);
    setUp (label, "GATE", 80, 30);

    EXPECT_EQ (maxAlpha (snapshotOf (label)), 255);
    parent.setEnabled (false); // a disabled parent disables the label
    EXPECT_NEAR (maxAlpha (snapshotOf (label)), 128, 1);
}
