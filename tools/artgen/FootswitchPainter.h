#pragma once

#include <juce_graphics/juce_graphics.h>

namespace artgen
{
// A chrome stomp switch seen from above: washer, hex nut, threaded bushing and the plunger cap.
// Pressed, the cap sits lower and its shadow tightens.
class FootswitchPainter
{
public:
    FootswitchPainter() = default;

    void paint (juce::Graphics& g, juce::Point<float> centre, bool pressed) const;

    juce::Image makeImage (int width, int height, bool pressed) const;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FootswitchPainter)
};
}
