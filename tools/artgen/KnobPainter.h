#pragma once

#include <juce_graphics/juce_graphics.h>

namespace artgen
{
// A skirted knob: knurled skirt with a pointer line, a black cap and a brushed metal insert.
// Only the pointer and the knurling turn with the value; shadows and highlights stay put,
// because the light in the room does not turn with the knob.
class KnobPainter
{
public:
    struct Style
    {
        float skirtRadius;
        float capRadius;
        float insertRadius;
        juce::Colour body;
        juce::Colour insert;
        juce::Colour pointer;
    };

    explicit KnobPainter (Style styleToUse);

    // angle: radians clockwise from 12 o'clock.
    void paint (juce::Graphics& g, juce::Point<float> centre, float angle) const;

    // Frames one below the other, the pointer stepping evenly from startAngle to endAngle.
    juce::Image makeFilmStrip (int frameWidth, int frameHeight, int frames,
                               float startAngle, float endAngle) const;

private:
    void paintSkirt (juce::Graphics&, juce::Point<float> centre, float angle) const;
    void paintCap (juce::Graphics&, juce::Point<float> centre, float angle) const;
    void paintInsert (juce::Graphics&, juce::Point<float> centre) const;

    Style style;
    juce::Array<float> brushRings;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KnobPainter)
};
}
