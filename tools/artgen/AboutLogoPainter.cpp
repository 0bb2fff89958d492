#include "tools/artgen/AboutLogoPainter.h"
#include "tools/artgen/Palette.h"

namespace artgen
{
AboutLogoPainter::AboutLogoPainter (const juce::Path& logoOutline)
    : outline (logoOutline)
{
}

juce::Image AboutLogoPainter::makeImage (int width, int height) const
{
    juce::Image image (juce::Image::ARGB, width, height, true);
    juce::Graphics g (image);

    // The whole width is used and the logo sits on the vertical centre; its proportions are kept.
    const auto area = juce::Rectangle<int> (width, height).toFloat();
    const auto fit = juce::RectanglePlacement (juce::RectanglePlacement::centred)
                         .getTransformToFit (outline.getBounds(), area);

    g.setColour (Palette::accent);
    g.fillPath (outline, fit);
    return image;
}
}
