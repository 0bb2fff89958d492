#include <BinaryData.h>
#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
struct PictureSpec
{
    const char* name;
    const char* data;
    int size;
    int width, height;
};

const PictureSpec pictures[] = {
    { "background",      BinaryData::background_png,      BinaryData::background_pngSize,      1400, 1080 },
    { "pedal",           BinaryData::pedal_png,           BinaryData::pedal_pngSize,            772,  925 },
    { "gain strip",      BinaryData::knob_gain_png,       BinaryData::knob_gain_pngSize,        129, 16640 },
    { "tone strip",      BinaryData::knob_tone_png,       BinaryData::knob_tone_pngSize,        127, 16640 },
    { "volume strip",    BinaryData::knob_volume_png,     BinaryData::knob_volume_pngSize,      127, 16640 },
    { "lamp",            BinaryData::lamp_png,            BinaryData::lamp_pngSize,              48,   96 },
    { "footswitch up",   BinaryData::footswitch_up_png,   BinaryData::footswitch_up_pngSize,    110,  105 },
    { "footswitch down", BinaryData::footswitch_down_png, BinaryData::footswitch_down_pngSize,  110,  105 },
    { "about logo",      BinaryData::about_logo_png,      BinaryData::about_logo_pngSize,       165,   32 },
};

juce::Image decode (const char* data, int size)
{
    return juce::ImageCache::getFromMemory (data, size);
}

// Sum of absolute channel differences between two equally sized areas of two images.
juce::int64 difference (const juce::Image& a, juce::Rectangle<int> areaA, const juce::Image& b, juce::Rectangle<int> areaB)
{
    juce::int64 total = 0;
    for (int y = 0; y < areaA.getHeight(); ++y)
    {
        for (int x = 0; x < areaA.getWidth(); ++x)
        {
            auto p = a.getPixelAt (areaA.getX() + x, areaA.getY() + y);
            auto q = b.getPixelAt (areaB.getX() + x, areaB.getY() + y);
            total += std::abs (p.getRed() - q.getRed()) + std::abs (p.getGreen() - q.getGreen())
                   + std::abs (p.getBlue() - q.getBlue()) + std::abs (p.getAlpha() - q.getAlpha());
        }
    }
    return total;
}

float meanBrightness (const juce::Image& image, juce::Rectangle<int> area)
{
    double total = 0.0;
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            total += image.getPixelAt (x, y).getPerceivedBrightness() * image.getPixelAt (x, y).getFloatAlpha();
    return float (total / double (area.getWidth() * area.getHeight()));
}
}

TEST (EmbeddedImages, EveryPictureDecodesAtTheSizeTheLayoutIsBuiltOn)
{
    for (auto& picture : pictures)
    {
        auto image = decode (picture.data, picture.size);
        ASSERT_TRUE (image.isValid()) << picture.name;
        EXPECT_EQ (image.getWidth(), picture.width) << picture.name;
        EXPECT_EQ (image.getHeight(), picture.height) << picture.name;
    }
}

TEST (EmbeddedImages, PedalIsCutOutSoTheBackdropShowsAroundIt)
{
    auto pedal = decode (BinaryData::pedal_png, BinaryData::pedal_pngSize);
    ASSERT_TRUE (pedal.hasAlphaChannel());

    // Corners are beyond the rounded box and its shadow; the middle is solid enclosure.
    EXPECT_EQ (pedal.getPixelAt (0, 0).getAlpha(), 0);
    EXPECT_EQ (pedal.getPixelAt (pedal.getWidth() - 1, pedal.getHeight() - 1).getAlpha(), 0);
    EXPECT_EQ (pedal.getPixelAt (pedal.getWidth() / 2, pedal.getHeight() / 2).getAlpha(), 255);

    // The shadow fades out inside the picture, so no hard edge shows where the picture ends.
    for (int x = 0; x < pedal.getWidth(); ++x)
        EXPECT_LT (pedal.getPixelAt (x, pedal.getHeight() - 1).getAlpha(), 8) << "bottom row, x " << x;
    for (int y = 0; y < pedal.getHeight(); ++y)
    {
        EXPECT_LT (pedal.getPixelAt (0, y).getAlpha(), 8) << "left column, y " << y;
        EXPECT_LT (pedal.getPixelAt (pedal.getWidth() - 1, y).getAlpha(), 8) << "right column, y " << y;
    }
}

TEST (EmbeddedImages, LampIsDarkInTheFirstFrameAndLitInTheSecond)
{
    auto lamp = decode (BinaryData::lamp_png, BinaryData::lamp_pngSize);
    ASSERT_TRUE (lamp.isValid());

    juce::Rectangle<int> off (0, 0, 48, 48), on (0, 48, 48, 48);
    EXPECT_GT (difference (lamp, off, lamp, on), 0);

    // The lens in the middle of each frame.
    auto lens = juce::Rectangle<int> (16, 16, 16, 16);
    EXPECT_GT (meanBrightness (lamp, lens.translated (0, 48)), meanBrightness (lamp, lens) + 0.25f);

    // A lit lamp is red.
    auto centre = lamp.getPixelAt (24, 48 + 26);
    EXPECT_GT (centre.getRed(), centre.getGreen() + 60);
    EXPECT_GT (centre.getRed(), centre.getBlue() + 60);
}

TEST (EmbeddedImages, FootswitchLooksDifferentWhenPressed)
{
    auto up = decode (BinaryData::footswitch_up_png, BinaryData::footswitch_up_pngSize);
    auto down = decode (BinaryData::footswitch_down_png, BinaryData::footswitch_down_pngSize);
    ASSERT_TRUE (up.isValid() && down.isValid());

    EXPECT_GT (difference (up, up.getBounds(), down, down.getBounds()), 0);

    // Both are round parts on a transparent square, so the button's corners stay see-through.
    for (auto* image : { &up, &down })
    {
        EXPECT_EQ (image->getPixelAt (0, 0).getAlpha(), 0);
        EXPECT_EQ (image->getPixelAt (109, 104).getAlpha(), 0);
        EXPECT_EQ (image->getPixelAt (55, 52).getAlpha(), 255);
    }
}

TEST (EmbeddedImages, KnobScalesArePrintedAroundWhereTheEditorPutsEachKnob)
{
    auto pedal = decode (BinaryData::pedal_png, BinaryData::pedal_pngSize);
    ASSERT_TRUE (pedal.isValid());

    // The editor centres the pedal at half size in the 700 x 600 window and puts each knob's
    // top-left at these base units, (frame width / 2) x 65 units large.
    const float pedalX = 350.0f - 193.0f, pedalY = 300.0f - 231.0f;
    struct Knob { int x, y, frameWidth; };
    const Knob knobs[] = { { 182, 87, 129 }, { 250, 87, 127 }, { 317, 87, 127 }, { 387, 87, 127 }, { 457, 87, 127 } };

    auto printed = [&pedal] (juce::Point<float> p)
    {
        auto c = pedal.getPixelAt (juce::roundToInt (p.x), juce::roundToInt (p.y));
        return c.getPerceivedBrightness() > 0.7f;
    };

    for (auto& k : knobs)
    {
        auto width = float (int (float (k.frameWidth) * 0.5f));
        juce::Point<float> centre ((float (k.x) + width * 0.5f - pedalX) * 2.0f,
                                   (float (k.y) + 32.5f - pedalY) * 2.0f);

        auto at = [centre] (float degrees)
        {
            auto a = juce::degreesToRadians (degrees);
            return centre + juce::Point<float> (58.0f * std::sin (a), -58.0f * std::cos (a));
        };

        // Marks at both ends of the sweep and at its middle, just outside the knob's skirt...
        EXPECT_TRUE (printed (at (-135.0f))) << "knob at " << k.x;
        EXPECT_TRUE (printed (at (0.0f))) << "knob at " << k.x;
        EXPECT_TRUE (printed (at (135.0f))) << "knob at " << k.x;

        // ...and none in the gap at the bottom.
        EXPECT_FALSE (printed (at (180.0f))) << "knob at " << k.x;
    }
}
