#include "widgets/KV_ColorKnob.h"

#include "PixelTestSupport.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour background { 0xff203040 };
const juce::Colour fill { 0xffe0c080 };

struct KV_ColorKnobDrawing : public ::testing::Test
{
    juce::AudioParameterFloat parameter { juce::ParameterID { "MIX", 1 }, "Mix", 0.0f, 1.0f, 0.5f };
    korvanth::KV_ColorKnob knob { background, fill, &parameter };

    juce::Image paintAt (int width, int height, double value, const char* name)
    {
        knob.setRange (0.0, 1.0);
        knob.setValue (value, juce::dontSendNotification);
        knob.setBounds (0, 0, width, height);
        return snapshotForReview (knob, name);
    }
};
}

TEST_F (KV_ColorKnobDrawing, DiscsGrowWithTheValue)
{
    {
        // At the minimum only the background disc shows, right into the middle.
        auto image = paintAt (40, 40, 0.0, "colorknob-40x40-min");
        EXPECT_EQ (image.getPixelAt (20, 20), background);
        EXPECT_EQ (image.getPixelAt (20, 3), background);
        EXPECT_EQ (image.getPixelAt (0, 0).getAlpha(), 0) << "the corners are outside the disc";
    }
    {
        // Half way the fill disc has half the diameter: radius 10 around (20, 20).
        auto image = paintAt (40, 40, 0.5, "colorknob-40x40-half");
        EXPECT_EQ (image.getPixelAt (20, 20), fill);
        EXPECT_EQ (image.getPixelAt (20, 12), fill);
        EXPECT_EQ (image.getPixelAt (27, 20), fill);
        EXPECT_EQ (image.getPixelAt (20, 7), background);
        EXPECT_EQ (image.getPixelAt (32, 20), background);
    }
    {
        // At the maximum the fill disc covers the background disc exactly: no background ring.
        auto image = paintAt (40, 40, 1.0, "colorknob-40x40-max");
        for (auto p : { juce::Point<int> (20, 1), juce::Point<int> (1, 20), juce::Point<int> (38, 20),
                        juce::Point<int> (20, 20), juce::Point<int> (6, 6) })
            EXPECT_EQ (image.getPixelAt (p.x, p.y), fill) << p.toString();

        // Along the rim both discs are anti-aliased with the same coverage, so the background shows
        // through by at most a third there; a ring of background would show its own red.
        for (int y = 0; y < 40; ++y)
        {
            for (int x = 0; x < 40; ++x)
            {
                auto pixel = image.getPixelAt (x, y);
                if (pixel.getAlpha() >= 128)
                {
                    EXPECT_GT (pixel.getRed(), 128) << x << ", " << y;
                }
            }
        }
    }
}

TEST_F (KV_ColorKnobDrawing, AWideKnobDrawsEllipses)
{
    // 40 x 20 at half: the fill ellipse is 20 x 10 around (20, 10), the background ellipse 40 x 20.
    auto image = paintAt (40, 20, 0.5, "colorknob-40x20-half");

    EXPECT_EQ (image.getPixelAt (20, 10), fill);
    EXPECT_EQ (image.getPixelAt (27, 10), fill) << "a circle of the height's size would end at x 25";
    EXPECT_EQ (image.getPixelAt (20, 3), background) << "a circle of the width's size would reach y 0";
    EXPECT_EQ (image.getPixelAt (5, 10), background);
    EXPECT_EQ (image.getPixelAt (34, 10), background);
    EXPECT_EQ (image.getPixelAt (2, 2).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (37, 17).getAlpha(), 0);
}
