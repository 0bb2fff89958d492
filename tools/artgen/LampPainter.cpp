#include "tools/artgen/LampPainter.h"
#include "tools/artgen/Palette.h"
#include "tools/artgen/Shapes.h"

namespace artgen
{
void LampPainter::paint (juce::Graphics& g, juce::Point<float> centre, bool lit) const
{
    constexpr float bezelRadius = 15.5f;
    constexpr float lensRadius = 11.0f;
    auto l = Palette::towardsLight();

    if (lit)
    {
        // Glow spilling onto the enclosure; it fades out before the frame's edge.
        juce::ColourGradient glow (Palette::lampLit.withAlpha (0.55f), centre,
                                   Palette::lampLit.withAlpha (0.0f), centre + juce::Point<float> (23.0f, 0.0f), true);
        glow.addColour (0.55, Palette::lampLit.withAlpha (0.22f));
        g.setGradientFill (glow);
        g.fillEllipse (centre.x - 24.0f, centre.y - 24.0f, 48.0f, 48.0f);
    }

    auto bezel = disc (centre, bezelRadius);
    juce::DropShadow (juce::Colours::black.withAlpha (0.6f), 5, { 1, 3 }).drawForPath (g, bezel);

    g.setGradientFill (juce::ColourGradient (Palette::chrome.brighter (0.3f), centre + l * bezelRadius,
                                             Palette::chrome.darker (1.4f), centre - l * bezelRadius, false));
    g.fillPath (bezel);

    // The bezel's inner lip faces the other way, so it is lit on the far side.
    auto lip = lensRadius + 1.8f;
    g.setGradientFill (juce::ColourGradient (Palette::chrome.darker (1.6f), centre + l * lip,
                                             Palette::chrome.brighter (0.2f), centre - l * lip, false));
    g.fillPath (disc (centre, lip));

    auto lensColour = lit ? Palette::lampLit : Palette::lampDark;
    juce::ColourGradient lens (lit ? juce::Colour (0xffffd9b0) : lensColour.brighter (0.5f), centre + l * 2.0f,
                               lit ? lensColour.darker (0.3f) : lensColour.darker (0.7f), centre + juce::Point<float> (lensRadius, 0.0f), true);
    if (lit)
        lens.addColour (0.45, lensColour);
    g.setGradientFill (lens);
    g.fillPath (disc (centre, lensRadius));

    // Facets: eight slices, each lit by the way it tilts towards the light.
    constexpr int facets = 8;
    for (int i = 0; i < facets; ++i)
    {
        auto a0 = juce::MathConstants<float>::twoPi * float (i) / float (facets);
        auto a1 = juce::MathConstants<float>::twoPi * float (i + 1) / float (facets);
        auto mid = (a0 + a1) * 0.5f - juce::MathConstants<float>::halfPi;
        auto f = Palette::facing (mid);

        juce::Path slice;
        slice.addPieSegment (centre.x - lensRadius, centre.y - lensRadius, lensRadius * 2.0f, lensRadius * 2.0f, a0, a1, 0.35f);
        g.setColour (f > 0.0f ? juce::Colours::white.withAlpha (0.16f * f) : juce::Colours::black.withAlpha (-0.22f * f));
        g.fillPath (slice);
    }

    g.setColour (juce::Colours::black.withAlpha (0.35f));
    g.drawEllipse (centre.x - lensRadius, centre.y - lensRadius, lensRadius * 2.0f, lensRadius * 2.0f, 0.8f);

    // Specular glint on the glass.
    auto glint = centre + l * (lensRadius * 0.45f);
    g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.85f), glint,
                                             juce::Colours::white.withAlpha (0.0f), glint + juce::Point<float> (4.0f, 0.0f), true));
    g.fillEllipse (glint.x - 4.0f, glint.y - 4.0f, 8.0f, 8.0f);
}

juce::Image LampPainter::makeStrip (int frameSize) const
{
    juce::Image strip (juce::Image::ARGB, frameSize, frameSize * 2, true);
    juce::Graphics g (strip);
    auto half = float (frameSize) * 0.5f;

    for (int frame = 0; frame < 2; ++frame)
    {
        juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (0, frame * frameSize, frameSize, frameSize);
        paint (g, { half, float (frame * frameSize) + half }, frame == 1);
    }

    return strip;
}
}
