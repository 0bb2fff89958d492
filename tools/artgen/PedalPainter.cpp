#include "tools/artgen/PedalPainter.h"
#include "tools/artgen/ArtFonts.h"
#include "tools/artgen/Palette.h"
#include "tools/artgen/PedalLayout.h"

namespace artgen
{
namespace
{
    constexpr float cornerRadius = 34.0f;
    constexpr float edgeWidth = 14.0f;

    juce::Path roundedBox (juce::Rectangle<float> r, float radius)
    {
        juce::Path p;
        p.addRoundedRectangle (r, radius);
        return p;
    }

    // Fine powder-coat grain on the painted face: a fixed pattern, so every rebuild is the same.
    void addPowderCoat (juce::Image& image, juce::Rectangle<float> face)
    {
        juce::Random grain (0x9a17);
        juce::Image::BitmapData pixels (image, juce::Image::BitmapData::readWrite);
        auto area = face.getSmallestIntegerContainer().getIntersection (image.getBounds());

        for (int y = area.getY(); y < area.getBottom(); ++y)
        {
            for (int x = area.getX(); x < area.getRight(); ++x)
            {
                auto n = grain.nextInt (7) - 3;
                auto c = pixels.getPixelColour (x, y);
                if (c.getAlpha() != 255)
                    continue;

                auto shift = [n] (juce::uint8 v) { return (juce::uint8) juce::jlimit (0, 255, int (v) + n); };
                pixels.setPixelColour (x, y, juce::Colour (shift (c.getRed()), shift (c.getGreen()), shift (c.getBlue())));
            }
        }
    }

    juce::ColourGradient litAcross (juce::Rectangle<float> r, juce::Colour lit, juce::Colour unlit)
    {
        auto l = Palette::towardsLight();
        auto reach = juce::Point<float> (l.x * r.getWidth(), l.y * r.getHeight()) * 0.5f;
        return juce::ColourGradient (lit, r.getCentre() + reach, unlit, r.getCentre() - reach, false);
    }
}

PedalPainter::PedalPainter (const ArtFonts& fontsToUse, const juce::Path& logoOutline)
    : fonts (fontsToUse), logo (logoOutline)
{
}

juce::Image PedalPainter::makeImage (int width, int height) const
{
    juce::Image image (juce::Image::ARGB, width, height, true);
    juce::Graphics g (image);

    // Room around the box for its shadow, which must fade out inside the picture.
    juce::Rectangle<float> body (24.0f, 12.0f, float (width) - 48.0f, float (height) - 46.0f);
    paintEnclosure (g, body);
    addPowderCoat (image, body);
    paintKnobScales (g);
    paintPrinting (g, body.reduced (edgeWidth));
    return image;
}

void PedalPainter::paintEnclosure (juce::Graphics& g, juce::Rectangle<float> body) const
{
    auto outline = roundedBox (body, cornerRadius);
    juce::DropShadow (juce::Colours::black.withAlpha (0.8f), 20, { 0, 10 }).drawForPath (g, outline);

    // The cast box's rounded edge: rings from the dark outer lip in to the flat face,
    // each lit from the same side.
    constexpr int rings = 14;
    for (int i = 0; i < rings; ++i)
    {
        auto t = float (i) / float (rings - 1);
        auto inset = edgeWidth * t;
        auto shade = Palette::enclosureEdge.interpolatedWith (Palette::enclosureFace, std::sqrt (t));
        auto box = body.reduced (inset);
        g.setGradientFill (litAcross (box, shade.brighter (0.9f - 0.6f * t), shade.darker (0.7f - 0.4f * t)));
        g.fillPath (roundedBox (box, cornerRadius - inset));
    }

    auto face = body.reduced (edgeWidth);
    g.setGradientFill (litAcross (face, Palette::enclosureFace.brighter (0.25f), Palette::enclosureFace.darker (0.35f)));
    g.fillPath (roundedBox (face, cornerRadius - edgeWidth));

    // A broad, soft sheen of the metallic paint.
    auto sheenCentre = face.getRelativePoint (0.3f, 0.22f);
    juce::ColourGradient sheen (juce::Colours::white.withAlpha (0.09f), sheenCentre,
                                juce::Colours::white.withAlpha (0.0f), sheenCentre + juce::Point<float> (face.getWidth() * 0.75f, 0.0f), true);
    g.setGradientFill (sheen);
    g.fillPath (roundedBox (face, cornerRadius - edgeWidth));

    // Fine highlight on the lip, strongest at the top left.
    g.setGradientFill (litAcross (body, juce::Colours::white.withAlpha (0.35f), juce::Colours::white.withAlpha (0.0f)));
    g.strokePath (roundedBox (body.reduced (1.0f), cornerRadius - 1.0f), juce::PathStrokeType (1.5f));
}

void PedalPainter::paintKnobScales (juce::Graphics& g) const
{
    constexpr int ticks = 11;
    for (auto& knob : PedalLayout::knobs)
    {
        auto c = PedalLayout::centreOnPedal (knob);

        for (int i = 0; i < ticks; ++i)
        {
            auto a = PedalLayout::knobStartAngle
                   + (PedalLayout::knobEndAngle - PedalLayout::knobStartAngle) * float (i) / float (ticks - 1);
            auto major = (i == 0 || i == ticks / 2 || i == ticks - 1);
            auto inner = major ? 54.0f : 56.0f;
            auto outer = major ? 62.0f : 60.0f;
            juce::Point<float> dir (std::sin (a), -std::cos (a));

            g.setColour (Palette::silkscreen.withAlpha (major ? 0.95f : 0.75f));
            juce::Path tick;
            tick.startNewSubPath (c + dir * inner);
            tick.lineTo (c + dir * outer);
            g.strokePath (tick, juce::PathStrokeType (major ? 3.0f : 2.2f, juce::PathStrokeType::curved,
                                                      juce::PathStrokeType::rounded));
        }

        g.setColour (Palette::silkscreen);
        g.fillPath (ArtFonts::textPath (fonts.getBold (23.0f), knob.label, { c.x, c.y + 80.0f }, 0.12f));
    }
}

void PedalPainter::paintPrinting (juce::Graphics& g, juce::Rectangle<float> face) const
{
    g.setColour (Palette::silkscreen);

    // Product name in the middle of the face, between the knob row and the lamp.
    auto centreX = face.getCentreX();
    auto rule = [&g, centreX] (float y, float halfWidth)
    {
        g.fillRect (juce::Rectangle<float> (centreX - halfWidth, y - 1.0f, halfWidth * 2.0f, 2.0f));
    };

    rule (232.0f, 300.0f);
    g.fillPath (ArtFonts::textPath (fonts.getBold (30.0f), "The", { centreX, 278.0f }, 0.02f));
    g.fillPath (ArtFonts::textPath (fonts.getBold (104.0f), "Quillmont", { centreX, 344.0f }, -0.01f));
    g.fillPath (ArtFonts::textPath (fonts.getRegular (22.0f), "DISTORTION", { centreX, 408.0f }, 0.55f));
    rule (436.0f, 300.0f);

    // The maker's badge and name under the foot switch.
    auto badge = logo;
    auto logoWidth = 330.0f;
    auto bounds = badge.getBounds();
    auto scale = logoWidth / bounds.getWidth();
    badge.applyTransform (juce::AffineTransform::translation (-bounds.getCentreX(), -bounds.getCentreY())
                              .scaled (scale)
                              .translated (centreX, 770.0f));
    g.fillPath (badge);
}
}
