#include "widgets/FilmStripKnob.h"

#include "PixelTestSupport.h"

#include <BinaryData.h>
#include <gtest/gtest.h>

namespace
{
constexpr int frameHeight = 130;

juce::Image gainStrip()
{
    return juce::ImageCache::getFromMemory (BinaryData::knob_gain_png, BinaryData::knob_gain_pngSize);
}

juce::Image toneStrip()
{
    return juce::ImageCache::getFromMemory (BinaryData::knob_tone_png, BinaryData::knob_tone_pngSize);
}

juce::Image volumeStrip()
{
    return juce::ImageCache::getFromMemory (BinaryData::knob_volume_png, BinaryData::knob_volume_pngSize);
}

bool samePixels (const juce::Image& painted, const juce::Image& strip, int frame)
{
    for (int y = 0; y < frameHeight; ++y)
        for (int x = 0; x < strip.getWidth(); ++x)
            if (painted.getPixelAt (x, y).getARGB() != strip.getPixelAt (x, frame * frameHeight + y).getARGB())
                return false;
    return true;
}

struct FilmStripKnobDrawing : public ::testing::Test
{
    juce::AudioParameterFloat parameter { juce::ParameterID { "GAIN", 1 }, "Gain", 0.0f, 1.0f, 0.5f };
};
}

TEST_F (FilmStripKnobDrawing, ValueChoosesTheFrame)
{
    struct Case { const char* name; juce::Image strip; };
    for (auto& c : { Case { "gain", gainStrip() }, Case { "tone", toneStrip() }, Case { "volume", volumeStrip() } })
    {
        ASSERT_TRUE (c.strip.isValid()) << c.name;
        korvanth::FilmStripKnob knob (c.strip, &parameter);
        knob.setSliderStyle (juce::Slider::RotaryVerticalDrag);
        knob.setRange (0.0, 1.0);
        knob.setBounds (0, 0, c.strip.getWidth(), frameHeight);

        // 0.5 x 127 = 63.5, truncated: frame 63; the neighbours differ, so only the right frame matches.
        for (auto [value, frame] : { std::pair<double, int> { 0.0, 0 }, { 0.5, 63 }, { 1.0, 127 } })
        {
            knob.setValue (value, juce::dontSendNotification);
            auto image = snapshotForReview (knob, juce::String ("filmstrip-") + c.name + "-" + juce::String (value));
            EXPECT_TRUE (samePixels (image, c.strip, frame)) << c.name << " at " << value;
            EXPECT_FALSE (samePixels (image, c.strip, juce::jmax (frame - 1, 1))) << c.name << " at " << value;
            EXPECT_FALSE (samePixels (image, c.strip, juce::jmin (frame + 1, 126))) << c.name << " at " << value;
        }
    }
}

TEST_F (FilmStripKnobDrawing, FrameIsScaledIntoTheKnobsBounds)
{
    korvanth::FilmStripKnob knob (gainStrip(), &parameter);
    knob.setRange (0.0, 1.0);
    knob.setValue (1.0, juce::dontSendNotification);
    knob.setBounds (0, 0, 65, 65);

    auto half = snapshotForReview (knob, "filmstrip-gain-65x65-max");
    auto frame = gainStrip().getClippedImage ({ 0, 127 * frameHeight, 129, frameHeight })
                            .rescaled (65, 65, juce::Graphics::highResamplingQuality);

    double difference = 0.0;
    for (int y = 0; y < 65; ++y)
        for (int x = 0; x < 65; ++x)
            difference += std::abs (half.getPixelAt (x, y).getBrightness() - frame.getPixelAt (x, y).getBrightness());
    EXPECT_LT (difference / (65.0 * 65.0), 0.03);
}

TEST_F (FilmStripKnobDrawing, KnobWithoutAPictureDrawsNothing)
{
    korvanth::FilmStripKnob knob (juce::Image(), &parameter);
    knob.setBounds (0, 0, 60, 60);
    knob.setValue (knob.getMaximum(), juce::dontSendNotification);

    auto image = snapshotForReview (knob, "filmstrip-none");
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ (image.getPixelAt (x, y).getAlpha(), 0);
}

TEST_F (FilmStripKnobDrawing, KnobsShareTheCachedStripInsteadOfCopyingIt)
{
    // A decoded strip is 129 x 16640 pixels, over 8 MB: five knobs in two editors must not hold ten.
    auto strip = gainStrip();
    const auto holders = strip.getReferenceCount();

    korvanth::FilmStripKnob first (gainStrip(), &parameter);
    korvanth::FilmStripKnob second (gainStrip(), &parameter);

    EXPECT_EQ (strip.getReferenceCount(), holders + 2);
}
