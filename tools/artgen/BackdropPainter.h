#pragma once

#include <juce_graphics/juce_graphics.h>

namespace artgen
{
// The dark studio backdrop behind the pedal. It is drawn at 0.56 of its pixel size from the
// window's top-left, so only its left 1250 x 1071 pixels are ever seen; the pool of light and the
// header and footer bands are placed for that part.
class BackdropPainter
{
public:
    BackdropPainter() = default;

    juce::Image makeImage (int width, int height) const;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BackdropPainter)
};
}
