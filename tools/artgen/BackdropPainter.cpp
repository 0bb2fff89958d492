#include "tools/artgen/BackdropPainter.h"
#include "tools/artgen/Palette.h"
#include "tools/artgen/PedalLayout.h"

namespace artgen
{
namespace
{
    // Window base units to backdrop pixels.
    float px (float units) { return units / PedalLayout::backgroundScale; }

    // The pool of light is worked out per pixel in floating point and ordered-dithered to 8 bits:
    // a plain gradient this dark steps one grey level every few dozen pixels and shows rings.
    void paintLightPool (juce::Image& image, juce::Point<float> centre, float radius)
    {
        constexpr float bayer[4][4] = { { 0, 8, 2, 10 }, { 12, 4, 14, 6 }, { 3, 11, 1, 9 }, { 15, 7, 13, 5 } };
        const auto inner = Palette::backdropCentre, outer = Palette::backdropEdge;
        const auto middle = inner.interpolatedWith (outer, 0.45f);

        auto channel = [] (juce::Colour c, int i)
        {
            return float (i == 0 ? c.getRed() : i == 1 ? c.getGreen() : c.getBlue());
        };

        juce::Image::BitmapData pixels (image, juce::Image::BitmapData::writeOnly);
        for (int y = 0; y < image.getHeight(); ++y)
        {
            for (int x = 0; x < image.getWidth(); ++x)
            {
                auto t = juce::jmin (1.0f, juce::Point<float> (float (x) + 0.5f, float (y) + 0.5f).getDistanceFrom (centre) / radius);
                auto threshold = (bayer[y & 3][x & 3] + 0.5f) / 16.0f;
                juce::uint8 rgb[3];

                for (int i = 0; i < 3; ++i)
                {
                    auto v = t < 0.45f ? juce::jmap (t, 0.0f, 0.45f, channel (inner, i), channel (middle, i))
                                       : juce::jmap (t, 0.45f, 1.0f, channel (middle, i), channel (outer, i));
                    rgb[i] = (juce::uint8) juce::jlimit (0, 255, (int) std::floor (v + threshold));
                }

                pixels.setPixelColour (x, y, juce::Colour (rgb[0], rgb[1], rgb[2]));
            }
        }
    }
}

juce::Image BackdropPainter::makeImage (int width, int height) const
{
    juce::Image image (juce::Image::RGB, width, height, true);
    juce::Graphics g (image);

    paintLightPool (image, { px (350.0f), px (310.0f) }, px (480.0f));

    // Faint horizontal slats, like a treated studio wall, fading out towards the corners.
    for (float y = 0.0f; y < float (height); y += px (24.0f))
    {
        g.setColour (juce::Colours::black.withAlpha (0.16f));
        g.fillRect (0.0f, y, float (width), 2.0f);
        g.setColour (juce::Colours::white.withAlpha (0.025f));
        g.fillRect (0.0f, y + 2.0f, float (width), 1.0f);
    }

    // Header band under the logo and the preset bar.
    auto headerBottom = px (42.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff0c0d0e), 0.0f, 0.0f,
                                             juce::Colour (0xff151618), 0.0f, headerBottom, false));
    g.fillRect (0.0f, 0.0f, float (width), headerBottom);
    g.setColour (juce::Colours::black.withAlpha (0.7f));
    g.fillRect (0.0f, headerBottom, float (width), 2.0f);
    g.setColour (juce::Colours::white.withAlpha (0.07f));
    g.fillRect (0.0f, headerBottom + 2.0f, float (width), 2.0f);

    // Footer band behind the small knobs of the lower row.
    auto footerTop = px (548.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff151618), 0.0f, footerTop,
                                             juce::Colour (0xff0c0d0e), 0.0f, float (height), false));
    g.fillRect (0.0f, footerTop, float (width), float (height) - footerTop);
    g.setColour (juce::Colours::white.withAlpha (0.07f));
    g.fillRect (0.0f, footerTop - 2.0f, float (width), 2.0f);
    g.setColour (juce::Colours::black.withAlpha (0.7f));
    g.fillRect (0.0f, footerTop, float (width), 2.0f);

    return image;
}
}
