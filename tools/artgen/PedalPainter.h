#pragma once

#include <juce_graphics/juce_graphics.h>

namespace artgen
{
class ArtFonts;

// The enclosure with its printing. The knobs, the lamp and the foot switch are separate pictures
// that the editor lays over this one; the scales and labels here are placed around the points
// where the editor puts them (see PedalLayout).
class PedalPainter
{
public:
    PedalPainter (const ArtFonts& fonts, const juce::Path& logoOutline);

    juce::Image makeImage (int width, int height) const;

private:
    void paintEnclosure (juce::Graphics&, juce::Rectangle<float> body) const;
    void paintKnobScales (juce::Graphics&) const;
    void paintPrinting (juce::Graphics&, juce::Rectangle<float> face) const;

    const ArtFonts& fonts;
    juce::Path logo;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PedalPainter)
};
}
