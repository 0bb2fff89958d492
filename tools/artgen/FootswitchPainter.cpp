#include "tools/artgen/FootswitchPainter.h"
#include "tools/artgen/Palette.h"
#include "tools/artgen/Shapes.h"

namespace artgen
{
void FootswitchPainter::paint (juce::Graphics& g, juce::Point<float> centre, bool pressed) const
{
    constexpr float washerRadius = 42.0f;
    constexpr float nutRadius = 38.0f;
    constexpr float bushingRadius = 23.0f;
    const auto steel = Palette::chrome;

    auto washer = disc (centre, washerRadius);
    juce::DropShadow (juce::Colours::black.withAlpha (0.6f), 6, { 2, 4 }).drawForPath (g, washer);
    g.setGradientFill (litAcross (centre, washerRadius, steel.darker (0.2f), steel.darker (1.8f)));
    g.fillPath (washer);
    g.setColour (juce::Colours::black.withAlpha (0.4f));
    g.strokePath (washer, juce::PathStrokeType (1.0f));

    // Hex nut: six faces, each chamfer shaded by where it faces.
    juce::Path nut;
    nut.addPolygon (centre, 6, nutRadius, juce::MathConstants<float>::pi / 6.0f);
    juce::DropShadow (juce::Colours::black.withAlpha (0.55f), 5, { 1, 3 }).drawForPath (g, nut);
    g.setGradientFill (litAcross (centre, nutRadius, steel.brighter (0.2f), steel.darker (1.2f)));
    g.fillPath (nut);

    constexpr float chamferInner = 30.0f;
    for (int i = 0; i < 6; ++i)
    {
        auto a0 = juce::MathConstants<float>::pi / 6.0f + juce::MathConstants<float>::twoPi * float (i) / 6.0f;
        auto a1 = a0 + juce::MathConstants<float>::twoPi / 6.0f;
        auto p0 = centre + juce::Point<float> (nutRadius * std::sin (a0), -nutRadius * std::cos (a0));
        auto p1 = centre + juce::Point<float> (nutRadius * std::sin (a1), -nutRadius * std::cos (a1));
        auto q0 = centre + juce::Point<float> (chamferInner * std::sin (a0), -chamferInner * std::cos (a0));
        auto q1 = centre + juce::Point<float> (chamferInner * std::sin (a1), -chamferInner * std::cos (a1));

        juce::Path face;
        face.startNewSubPath (p0);
        face.lineTo (p1);
        face.lineTo (q1);
        face.lineTo (q0);
        face.closeSubPath();

        auto f = Palette::facing ((a0 + a1) * 0.5f - juce::MathConstants<float>::halfPi);
        g.setColour (f > 0.0f ? juce::Colours::white.withAlpha (0.45f * f) : juce::Colours::black.withAlpha (-0.5f * f));
        g.fillPath (face);
    }

    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.strokePath (nut, juce::PathStrokeType (1.0f));

    // Flat top of the nut, lit evenly, with the ring where the chamfer begins.
    auto top = disc (centre, chamferInner);
    g.setGradientFill (litAcross (centre, chamferInner, steel.brighter (0.1f), steel.darker (0.6f)));
    g.fillPath (top);

    // Threaded bushing.
    auto bushing = disc (centre, bushingRadius);
    juce::DropShadow (juce::Colours::black.withAlpha (0.6f), 4, { 1, 2 }).drawForPath (g, bushing);
    g.setGradientFill (litAcross (centre, bushingRadius, steel.darker (0.3f), steel.darker (2.2f)));
    g.fillPath (bushing);
    for (float r = 17.0f; r < bushingRadius - 0.5f; r += 1.6f)
    {
        g.setColour (juce::Colours::black.withAlpha (0.25f));
        g.drawEllipse (centre.x - r, centre.y - r, r * 2.0f, r * 2.0f, 0.7f);
    }

    // Plunger cap: a chrome dome. Pressed, it drops a little and its shadow tightens.
    auto capRadius = pressed ? 14.5f : 16.5f;
    auto capCentre = centre + (pressed ? juce::Point<float> (0.4f, 1.5f) : juce::Point<float> (-0.6f, -1.5f));
    auto cap = disc (capCentre, capRadius);

    if (pressed)
    {
        // Pushed down into the bushing: the opening around it falls into shadow.
        g.setColour (juce::Colours::black.withAlpha (0.55f));
        g.fillPath (disc (centre + juce::Point<float> (0.0f, 0.5f), capRadius + 3.0f));
    }

    juce::DropShadow (juce::Colours::black.withAlpha (pressed ? 0.5f : 0.75f), pressed ? 3 : 7,
                      pressed ? juce::Point<int> (0, 1) : juce::Point<int> (2, 5)).drawForPath (g, cap);

    auto l = Palette::towardsLight();
    auto hot = capCentre + l * (capRadius * 0.45f);
    juce::ColourGradient dome (juce::Colours::white, hot, steel.darker (pressed ? 2.0f : 1.6f),
                               capCentre - l * capRadius, true);
    dome.addColour (0.35, steel.brighter (0.1f));
    dome.addColour (0.75, steel.darker (0.8f));
    g.setGradientFill (dome);
    g.fillPath (cap);

    g.setColour (juce::Colours::black.withAlpha (0.45f));
    g.strokePath (cap, juce::PathStrokeType (1.0f));

    if (pressed)
    {
        g.setColour (juce::Colours::black.withAlpha (0.2f));
        g.fillPath (cap);
    }
}

juce::Image FootswitchPainter::makeImage (int width, int height, bool pressed) const
{
    juce::Image image (juce::Image::ARGB, width, height, true);
    juce::Graphics g (image);
    paint (g, { float (width) * 0.5f, float (height) * 0.5f - 1.0f }, pressed);
    return image;
}
}
