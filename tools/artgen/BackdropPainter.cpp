#include "tools/artgen/BackdropPainter.h"
#include "tools/artgen/Palette.h"
#include "tools/artgen/PedalLayout.h"

namespace artgen
{
namespace
{
    // Window base units to backdrop pixels.
    float px (float units) { return units / PedalLayout::backgroundScale; }
}

juce::Image BackdropPainter::makeImage (int width, int height) const
{
    juce::Image image (juce::Image::RGB, width, height, true);
    juce::Graphics g (image);

    juce::Point<float> pool (px (350.0f), px (310.0f));
    juce::ColourGradient light (Palette::backdropCentre, pool,
                                Palette::backdropEdge, pool + juce::Point<float> (px (480.0f), 0.0f), true);
    light.addColour (0.45, Palette::backdropCentre.interpolatedWith (Palette::backdropEdge, 0.45f));
    g.setGradientFill (light);
    g.fillAll();

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
