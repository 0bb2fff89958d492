#pragma once

#include <juce_graphics/juce_graphics.h>

namespace artgen
{
class ArtFonts;

// The maker's logo: a round badge with a K cut out of it beside the name in capitals.
// Drawn once as an outline in the logo's own view box, written out as a black SVG for the
// editor (which recolours it) and reused for the print on the enclosure.
class LogoBuilder
{
public:
    static constexpr float viewBoxWidth = 722.30582f;
    static constexpr float viewBoxHeight = 134.12806f;

    explicit LogoBuilder (const ArtFonts& fonts);

    // Even-odd filled outline inside (0, 0, viewBoxWidth, viewBoxHeight).
    const juce::Path& getOutline() const { return outline; }

    juce::String createSvg() const;

private:
    juce::Path outline;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LogoBuilder)
};
}
