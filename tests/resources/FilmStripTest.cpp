#include <BinaryData.h>
#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
constexpr int frames = 128;
constexpr int frameHeight = 130;

// The usual rotary sweep: 7 o'clock at the minimum, 5 o'clock at the maximum.
constexpr double startDegrees = -135.0;
constexpr double endDegrees = 135.0;

struct Strip
{
    const char* name;
    juce::Image image;
    int frameWidth;
};

std::vector<Strip> strips()
{
    return {
        { "gain",   juce::ImageCache::getFromMemory (BinaryData::knob_gain_png,   BinaryData::knob_gain_pngSize),   129 },
        { "tone",   juce::ImageCache::getFromMemory (BinaryData::knob_tone_png,   BinaryData::knob_tone_pngSize),   127 },
        { "volume", juce::ImageCache::getFromMemory (BinaryData::knob_volume_png, BinaryData::knob_volume_pngSize), 127 },
    };
}

juce::Rectangle<int> frameArea (const Strip& s, int frame)
{
    return { 0, frame * frameHeight, s.frameWidth, frameHeight };
}

juce::Point<float> frameCentre (const Strip& s, int frame)
{
    return { float (s.frameWidth) * 0.5f, float (frame * frameHeight) + float (frameHeight) * 0.5f };
}

// Where the pointer is: the bright printed line on the dark skirt, between the cap and the knurling.
// Degrees clockwise from 12 o'clock; NaN when no pointer is found.
double pointerDegrees (const Strip& s, int frame)
{
    auto centre = frameCentre (s, frame);
    double sumX = 0.0, sumY = 0.0;
    int count = 0;

    for (auto y = int (centre.y) - 40; y <= int (centre.y) + 40; ++y)
    {
        for (auto x = int (centre.x) - 40; x <= int (centre.x) + 40; ++x)
        {
            auto d = juce::Point<float> (float (x) + 0.5f, float (y) + 0.5f) - centre;
            auto r = d.getDistanceFromOrigin();
            if (r < 32.0f || r > 38.0f)
                continue;

            auto p = s.image.getPixelAt (x, y);
            if (p.getAlpha() > 230 && p.getPerceivedBrightness() > 0.7f)
            {
                sumX += d.x;
                sumY += d.y;
                ++count;
            }
        }
    }

    if (count == 0)
        return std::numeric_limits<double>::quiet_NaN();

    return juce::radiansToDegrees (std::atan2 (sumX, -sumY));
}

double meanDifference (const juce::Image& image, juce::Rectangle<int> a, juce::Rectangle<int> b,
                       std::function<bool (juce::Point<int>)> include)
{
    double total = 0.0;
    int count = 0;
    for (int y = 0; y < a.getHeight(); ++y)
    {
        for (int x = 0; x < a.getWidth(); ++x)
        {
            if (! include ({ x, y }))
                continue;

            auto p = image.getPixelAt (a.getX() + x, a.getY() + y);
            auto q = image.getPixelAt (b.getX() + x, b.getY() + y);
            total += std::abs (p.getRed() - q.getRed()) + std::abs (p.getGreen() - q.getGreen())
                   + std::abs (p.getBlue() - q.getBlue()) + std::abs (p.getAlpha() - q.getAlpha());
            ++count;
        }
    }
    return total / double (juce::jmax (1, count));
}
}

TEST (FilmStrips, EveryFrameShowsADifferentKnobPosition)
{
    for (auto& s : strips())
    {
        ASSERT_TRUE (s.image.isValid()) << s.name;
        ASSERT_EQ (s.image.getHeight(), frames * frameHeight) << s.name;

        for (int f = 1; f < frames; ++f)
        {
            auto all = [] (juce::Point<int>) { return true; };
            EXPECT_GT (meanDifference (s.image, frameArea (s, f - 1), frameArea (s, f), all), 0.0)
                << s.name << " frames " << f - 1 << " and " << f << " are the same picture";
        }
    }
}

TEST (FilmStrips, NoFrameIsCutOffAtItsEdges)
{
    // A shadow or knurl that runs into the frame's edge shows as a hard seam over the pedal.
    for (auto& s : strips())
    {
        for (int f = 0; f < frames; ++f)
        {
            auto area = frameArea (s, f);
            int worst = 0;
            for (int x = 0; x < area.getWidth(); ++x)
                worst = juce::jmax (worst, (int) s.image.getPixelAt (x, area.getY()).getAlpha(),
                                    (int) s.image.getPixelAt (x, area.getBottom() - 1).getAlpha());
            for (int y = area.getY(); y < area.getBottom(); ++y)
                worst = juce::jmax (worst, (int) s.image.getPixelAt (0, y).getAlpha(),
                                    (int) s.image.getPixelAt (area.getRight() - 1, y).getAlpha());
            EXPECT_LT (worst, 8) << s.name << " frame " << f;
        }
    }
}

TEST (FilmStrips, FirstAndLastFramesPointAtTheEndsOfTheSweep)
{
    for (auto& s : strips())
    {
        EXPECT_NEAR (pointerDegrees (s, 0), startDegrees, 3.0) << s.name;
        EXPECT_NEAR (pointerDegrees (s, frames - 1), endDegrees, 3.0) << s.name;

        // The middle of the range points straight up.
        EXPECT_NEAR (pointerDegrees (s, frames / 2), 0.0, 3.0) << s.name;
    }
}

TEST (FilmStrips, PointerTurnsSteadilyClockwiseWithTheValue)
{
    auto step = (endDegrees - startDegrees) / double (frames - 1);

    for (auto& s : strips())
    {
        auto previous = pointerDegrees (s, 0);
        for (int f = 1; f < frames; ++f)
        {
            auto angle = pointerDegrees (s, f);
            ASSERT_FALSE (std::isnan (angle)) << s.name << " frame " << f;
            EXPECT_NEAR (angle - previous, step, step * 0.6) << s.name << " frame " << f;
            EXPECT_NEAR (angle, startDegrees + step * f, 3.0) << s.name << " frame " << f;
            previous = angle;
        }
    }
}

TEST (FilmStrips, LightAndShadowStayPutWhileTheKnobTurns)
{
    for (auto& s : strips())
    {
        auto centre = juce::Point<float> (float (s.frameWidth) * 0.5f, float (frameHeight) * 0.5f);
        auto within = [centre] (float lo, float hi)
        {
            return [centre, lo, hi] (juce::Point<int> p)
            {
                auto r = (p.toFloat() + juce::Point<float> (0.5f, 0.5f)).getDistanceFrom (centre);
                return r >= lo && r <= hi;
            };
        };

        // The metal insert's sheen and the shadow around the knob: the same at both ends of the sweep,
        // apart from the palette's dithering.
        EXPECT_LT (meanDifference (s.image, frameArea (s, 0), frameArea (s, frames - 1), within (0.0f, 14.0f)), 4.0) << s.name;
        EXPECT_LT (meanDifference (s.image, frameArea (s, 0), frameArea (s, frames - 1), within (52.0f, 62.0f)), 4.0) << s.name;
    }
}
