#pragma once

#include <juce_graphics/juce_graphics.h>

namespace artgen
{
// The about box's small logo: the maker's logo outline in the accent colour on a transparent
// picture, shown at its own pixel size on the dark about panel.
class AboutLogoPainter
{
public:
    explicit AboutLogoPainter (const juce::Path& logoOutline);

    juce::Image makeImage (int width, int height) const;

private:
    const juce::Path& outline;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AboutLogoPainter)
};
}
