#include "tools/artgen/PreviewSheet.h"
#include "tools/artgen/Palette.h"
#include "tools/artgen/PedalLayout.h"

namespace artgen
{
PreviewSheet::PreviewSheet (const Pictures& picturesToUse) : pictures (picturesToUse) {}

juce::Image PreviewSheet::makeImage() const
{
    const Setting settings[] = {
        { { 0.0f, 0.0f, 0.0f, 0.0f, 0.0f }, false, false },
        { { 0.7f, 0.45f, 0.5f, 0.62f, 0.5f }, true, true },
        { { 1.0f, 1.0f, 1.0f, 1.0f, 1.0f }, true, false },
    };

    constexpr int count = (int) std::size (settings);
    juce::Image sheet (juce::Image::RGB, PedalLayout::editorWidth * count, PedalLayout::editorHeight, true);
    juce::Graphics g (sheet);

    for (int i = 0; i < count; ++i)
    {
        juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (i * PedalLayout::editorWidth, 0, PedalLayout::editorWidth, PedalLayout::editorHeight);
        g.setOrigin (i * PedalLayout::editorWidth, 0);
        paintWindow (g, settings[i]);
    }

    return sheet;
}

void PreviewSheet::paintWindow (juce::Graphics& g, const Setting& setting) const
{
    g.fillAll (Palette::windowFill);
    g.drawImageTransformed (pictures.background,
                            juce::AffineTransform::scale (PedalLayout::backgroundScale));

    if (auto xml = juce::parseXML (pictures.logoSvg))
    {
        if (auto logo = juce::Drawable::createFromSVG (*xml))
        {
            logo->replaceColour (juce::Colours::black, Palette::accent);
            logo->draw (g, 1.0f, juce::AffineTransform::scale (0.12f, 0.12f).translated (10.0f, 10.0f));
        }
    }

    g.drawImageTransformed (pictures.pedal,
                            juce::AffineTransform::scale (PedalLayout::pedalScale)
                                .translated (float (PedalLayout::pedalUnitsX), float (PedalLayout::pedalUnitsY)));

    const juce::Image* strips[] = { &pictures.gainStrip, &pictures.toneStrip, &pictures.toneStrip,
                                    &pictures.toneStrip, &pictures.volumeStrip };

    // Frame choice as the film-strip knob makes it: proportion times (frames - 1), truncated.
    for (size_t k = 0; k < std::size (PedalLayout::knobs); ++k)
    {
        auto& knob = PedalLayout::knobs[k];
        auto frame = (int) (setting.knobValues[k] * float (PedalLayout::knobFrames - 1));
        auto b = PedalLayout::unitsBounds (knob);
        g.drawImage (*strips[k], b.getX(), b.getY(), b.getWidth(), b.getHeight(),
                     0, frame * knob.frameHeight, knob.frameWidth, knob.frameHeight);
    }

    auto lamp = PedalLayout::unitsBounds (PedalLayout::lamp);
    g.drawImage (pictures.lamp, lamp.getX(), lamp.getY(), lamp.getWidth(), lamp.getHeight(),
                 0, setting.powered ? PedalLayout::lampSize : 0, PedalLayout::lampSize, PedalLayout::lampSize);

    auto footswitch = PedalLayout::unitsBounds (PedalLayout::footswitch);
    g.drawImage (setting.pressed ? pictures.footswitchDown : pictures.footswitchUp, footswitch.toFloat(),
                 juce::RectanglePlacement::centred, false);
}
}
