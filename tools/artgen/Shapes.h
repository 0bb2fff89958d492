#pragma once

#include "tools/artgen/Palette.h"

#include <juce_graphics/juce_graphics.h>

// Round parts (knobs, bezels, nuts, caps) are discs shaded along the one light direction.
namespace artgen
{
    inline juce::Path disc (juce::Point<float> centre, float radius)
    {
        juce::Path p;
        p.addEllipse (centre.x - radius, centre.y - radius, radius * 2.0f, radius * 2.0f);
        return p;
    }

    // A gradient across a disc along the light direction: lit side first.
    inline juce::ColourGradient litAcross (juce::Point<float> centre, float radius, juce::Colour lit, juce::Colour unlit)
    {
        auto l = Palette::towardsLight() * radius;
        return juce::ColourGradient (lit, centre + l, unlit, centre - l, false);
    }
}
