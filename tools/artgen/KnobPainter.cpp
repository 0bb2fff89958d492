#include "tools/artgen/KnobPainter.h"
#include "tools/artgen/Palette.h"
#include "tools/artgen/Shapes.h"

namespace artgen
{
namespace
{
    constexpr float twoPi = juce::MathConstants<float>::twoPi;

    juce::Point<float> polar (juce::Point<float> centre, float radius, float angle)
    {
        return centre + juce::Point<float> (radius * std::sin (angle), -radius * std::cos (angle));
    }

    void strokeRing (juce::Graphics& g, juce::Point<float> centre, float radius, float thickness)
    {
        g.drawEllipse (centre.x - radius, centre.y - radius, radius * 2.0f, radius * 2.0f, thickness);
    }
}

KnobPainter::KnobPainter (Style styleToUse) : style (styleToUse)
{
    // Fixed grain for the brushed insert, the same on every frame.
    juce::Random grain (0x5157);
    for (int i = 0; i < 64; ++i)
        brushRings.add (grain.nextFloat());
}

void KnobPainter::paint (juce::Graphics& g, juce::Point<float> centre, float angle) const
{
    auto skirt = disc (centre, style.skirtRadius);
    juce::DropShadow (juce::Colours::black.withAlpha (0.55f), 14, { 3, 7 }).drawForPath (g, skirt);
    juce::DropShadow (juce::Colours::black.withAlpha (0.7f), 4, { 1, 2 }).drawForPath (g, skirt);

    paintSkirt (g, centre, angle);
    paintCap (g, centre, angle);
}

void KnobPainter::paintSkirt (juce::Graphics& g, juce::Point<float> centre, float angle) const
{
    auto r = style.skirtRadius;
    auto knurlDepth = r * 0.14f;

    g.setGradientFill (litAcross (centre, r, style.body.brighter (0.9f), style.body.darker (0.8f)));
    g.fillPath (disc (centre, r));

    // Knurled rim: ridges turn with the knob, each one catching light by where it faces now.
    constexpr int ridges = 44;
    for (int i = 0; i < ridges; ++i)
    {
        auto a = angle + twoPi * float (i) / float (ridges);
        auto screenAngle = a - juce::MathConstants<float>::halfPi;
        auto light = juce::jmax (0.0f, Palette::facing (screenAngle));

        g.setColour (juce::Colours::white.withAlpha (0.05f + 0.28f * light * light));
        g.drawLine ({ polar (centre, r - knurlDepth, a), polar (centre, r - 0.6f, a) }, 1.3f);

        auto b = a + twoPi * 0.5f / float (ridges);
        g.setColour (juce::Colours::black.withAlpha (0.45f));
        g.drawLine ({ polar (centre, r - knurlDepth, b), polar (centre, r - 0.6f, b) }, 1.3f);
    }

    // Flat top of the skirt inside the knurling.
    auto top = r - knurlDepth;
    g.setGradientFill (litAcross (centre, top, style.body.brighter (0.35f), style.body.darker (0.3f)));
    g.fillPath (disc (centre, top));
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    strokeRing (g, centre, top, 1.2f);

    g.setColour (style.pointer);
    juce::Path line;
    line.startNewSubPath (polar (centre, style.capRadius + 2.0f, angle));
    line.lineTo (polar (centre, r - 1.5f, angle));
    g.strokePath (line, juce::PathStrokeType (3.4f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}

void KnobPainter::paintCap (juce::Graphics& g, juce::Point<float> centre, float angle) const
{
    auto r = style.capRadius;
    auto cap = disc (centre, r);
    juce::DropShadow (juce::Colours::black.withAlpha (0.6f), 6, { 1, 3 }).drawForPath (g, cap);

    // The cap's rounded shoulder: bright towards the light, falling away on the far side.
    g.setGradientFill (litAcross (centre, r, style.body.brighter (1.6f), style.body.darker (0.9f)));
    g.fillPath (cap);

    auto face = r - 3.0f;
    g.setGradientFill (litAcross (centre, face, style.body.brighter (0.5f), style.body.darker (0.4f)));
    g.fillPath (disc (centre, face));

    paintInsert (g, centre);

    g.setColour (style.pointer);
    juce::Path notch;
    notch.startNewSubPath (polar (centre, style.insertRadius + 2.5f, angle));
    notch.lineTo (polar (centre, face - 1.5f, angle));
    g.strokePath (notch, juce::PathStrokeType (2.6f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));

    // Soft gloss on the shoulder nearest the light.
    auto glossCentre = centre + Palette::towardsLight() * (r * 0.55f);
    juce::ColourGradient gloss (juce::Colours::white.withAlpha (0.16f), glossCentre,
                                juce::Colours::white.withAlpha (0.0f), glossCentre + juce::Point<float> (r * 0.7f, 0.0f), true);
    g.setGradientFill (gloss);
    g.fillPath (cap);
}

void KnobPainter::paintInsert (juce::Graphics& g, juce::Point<float> centre) const
{
    auto r = style.insertRadius;
    auto insert = disc (centre, r);

    g.setGradientFill (litAcross (centre, r, style.insert.brighter (0.15f), style.insert.darker (0.45f)));
    g.fillPath (insert);

    // Concentric brushing: rotation-invariant, so it can stay the same on every frame.
    for (int i = 0; i < brushRings.size(); ++i)
    {
        auto ringRadius = r * float (i + 1) / float (brushRings.size());
        auto v = brushRings.getUnchecked (i);
        g.setColour ((v > 0.5f ? juce::Colours::white : juce::Colours::black).withAlpha (0.05f + 0.07f * std::abs (v - 0.5f)));
        strokeRing (g, centre, ringRadius, 0.6f);
    }

    // Brushed metal throws its sheen as a bow tie across the light direction.
    auto lightAngle = std::atan2 (Palette::towardsLight().y, Palette::towardsLight().x);
    constexpr int wedges = 120;
    for (int i = 0; i < wedges; ++i)
    {
        auto a0 = twoPi * float (i) / float (wedges);
        auto a1 = twoPi * float (i + 1) / float (wedges);
        auto c = std::cos ((a0 + a1) * 0.5f - lightAngle);
        auto strength = std::pow (c * c, 10.0f);
        if (strength < 0.01f)
            continue;

        juce::Path wedge;
        wedge.addPieSegment (centre.x - r, centre.y - r, r * 2.0f, r * 2.0f,
                             a0 + juce::MathConstants<float>::halfPi, a1 + juce::MathConstants<float>::halfPi, 0.0f);
        g.setColour (juce::Colours::white.withAlpha (0.32f * strength));
        g.fillPath (wedge);
    }

    // A recessed edge: shadowed where the light comes from, lit on the far lip.
    g.setGradientFill (litAcross (centre, r, juce::Colours::black.withAlpha (0.55f), juce::Colours::white.withAlpha (0.3f)));
    strokeRing (g, centre, r, 1.4f);
}

juce::Image KnobPainter::makeFilmStrip (int frameWidth, int frameHeight, int frames,
                                        float startAngle, float endAngle) const
{
    juce::Image strip (juce::Image::ARGB, frameWidth, frameHeight * frames, true);
    juce::Graphics g (strip);

    for (int i = 0; i < frames; ++i)
    {
        auto proportion = float (i) / float (frames - 1);
        auto angle = startAngle + proportion * (endAngle - startAngle);

        juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (0, i * frameHeight, frameWidth, frameHeight);
        paint (g, { float (frameWidth) * 0.5f, float (i * frameHeight) + float (frameHeight) * 0.5f }, angle);
    }

    return strip;
}
}
