#pragma once

#include <juce_graphics/juce_graphics.h>

// One place for the colours, so a repaint of the enclosure is a one-line change and a rebuild.
namespace artgen::Palette
{
    const juce::Colour windowFill       { 0xff171819 };
    const juce::Colour backdropCentre   { 0xff2a2c2f };
    const juce::Colour backdropEdge     { 0xff0e0f10 };

    const juce::Colour enclosureFace    { 0xff1f4a3b };
    const juce::Colour enclosureEdge    { 0xff0b1d16 };
    const juce::Colour silkscreen       { 0xffeee6d3 };

    const juce::Colour knobBody         { 0xff1c1c1e };
    const juce::Colour knobPointer      { 0xfff0e9de };
    const juce::Colour gainInsert       { 0xffb3262a };
    const juce::Colour toneInsert       { 0xffc9cbce };
    const juce::Colour volumeInsert     { 0xffc9cbce };

    const juce::Colour chrome           { 0xffd9dbde };
    const juce::Colour lampDark         { 0xff3a0b0a };
    const juce::Colour lampLit          { 0xffff3b24 };

    const juce::Colour accent           { 0xfff0e9de };

    // Light falls from above and a little to the left; every highlight and shadow agrees with it.
    inline juce::Point<float> towardsLight() { return juce::Point<float> (-0.45f, -0.89f); }

    // How much a surface whose outward normal points at screenAngle (radians, atan2 in screen space)
    // faces the light: 1 full on, -1 turned away.
    inline float facing (float screenAngle)
    {
        auto l = towardsLight();
        return std::cos (screenAngle) * l.x + std::sin (screenAngle) * l.y;
    }
}
