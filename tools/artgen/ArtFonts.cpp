#include "tools/artgen/ArtFonts.h"

namespace artgen
{
namespace
{
    juce::Typeface::Ptr loadTypeface (const juce::File& file)
    {
        juce::MemoryBlock data;

        if (! file.loadFileAsData (data) || data.isEmpty())
            return nullptr;

        return juce::Typeface::createSystemTypefaceFor (data.getData(), data.getSize());
    }
}

ArtFonts::ArtFonts (const juce::File& fontFolder)
    : regular (loadTypeface (fontFolder.getChildFile ("PluginFont-Regular.ttf"))),
      bold (loadTypeface (fontFolder.getChildFile ("PluginFont-Bold.ttf")))
{
}

juce::Font ArtFonts::getRegular (float height) const { return juce::Font (regular).withHeight (height); }
juce::Font ArtFonts::getBold (float height) const    { return juce::Font (bold).withHeight (height); }

juce::Path ArtFonts::textPath (const juce::Font& font, const juce::String& text,
                               juce::Point<float> centre, float tracking)
{
    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText (font.withExtraKerningFactor (tracking), text, 0.0f, 0.0f);

    juce::Path path;
    glyphs.createPath (path);

    // Centre on the ink, but vertically on the cap height so lines of capitals sit on one baseline.
    juce::GlyphArrangement capital;
    capital.addLineOfText (font, "H", 0.0f, 0.0f);
    juce::Path capitalOutline;
    capital.createPath (capitalOutline);
    auto capHeight = capitalOutline.getBounds().getHeight();

    auto ink = path.getBounds();
    path.applyTransform (juce::AffineTransform::translation (centre.x - ink.getCentreX(),
                                                             centre.y + capHeight * 0.5f));
    return path;
}
}
