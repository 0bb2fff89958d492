#pragma once

#include <juce_graphics/juce_graphics.h>

namespace artgen
{
// The printing on the pedal uses the plug-in's own embedded family, read from resources/fonts.
class ArtFonts
{
public:
    explicit ArtFonts (const juce::File& fontFolder);

    bool isValid() const { return regular != nullptr && bold != nullptr; }

    juce::Font getRegular (float height) const;
    juce::Font getBold (float height) const;

    // Text outline centred on a point, with extra letter spacing as a fraction of the height.
    static juce::Path textPath (const juce::Font& font, const juce::String& text,
                                juce::Point<float> centre, float tracking);

private:
    juce::Typeface::Ptr regular, bold;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ArtFonts)
};
}
