#pragma once

#include <juce_graphics/juce_graphics.h>

namespace artgen
{
// The jewel lamp: a faceted red lens in a chrome bezel, dark in the upper frame and lit in the lower.
class LampPainter
{
public:
    LampPainter() = default;

    void paint (juce::Graphics& g, juce::Point<float> centre, bool lit) const;

    // Two square frames one below the other: off, then on.
    juce::Image makeStrip (int frameSize) const;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LampPainter)
};
}
