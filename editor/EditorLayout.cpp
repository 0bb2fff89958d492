#include "editor/EditorLayout.h"

namespace
{
    // Every canvas measure is scaled in floats and truncated once, when it becomes a pixel.
    int px (float value) { return static_cast<int> (value); }

    // A small control centred under its caption, with the caption's 3-unit gap.
    juce::Rectangle<int> underCaption (juce::Rectangle<int> caption, float widthUnits, float heightUnits, float sx, float sy)
    {
        const auto x = 27.5f * sx + static_cast<float> (caption.getX()) - 1.0f - widthUnits * 0.5f * sx;
        const auto y = 3.0f * sy + static_cast<float> (caption.getY()) + static_cast<float> (caption.getHeight());
        return { px (x), px (y), px (widthUnits * sx), px (heightUnits * sy) };
    }
}

EditorLayout EditorLayout::compute (int width, int height, Pictures pictures, juce::Point<int> origin)
{
    EditorLayout l;
    const auto W = static_cast<float> (width);
    const auto H = static_cast<float> (height);
    const auto sx = W / static_cast<float> (baseWidth);
    const auto sy = H / static_cast<float> (baseHeight);
    l.scaleX = sx;
    l.scaleY = sy;

    auto scaled = [sx, sy] (float x, float y, float w, float h) -> juce::Rectangle<int>
    {
        return { px (x * sx), px (y * sy), px (w * sx), px (h * sy) };
    };

    l.logoMenu = scaled (10.0f, 10.0f, 103.0f, 29.0f);

    // The preset bar: one row of squares as tall as the preset menu, the HQ square a unit higher.
    const auto P = juce::Rectangle<int> (px (W / 2.0f - 225.0f * sx / 2.0f), px (6.0f * sy), px (225.0f * sx), px (27.0f * sy));
    const auto side = P.getHeight();
    l.presetMenu = P;
    l.prevButton = { P.getX() - side, P.getY(), side, side };
    l.nextButton = { P.getRight(), P.getY(), side, side };
    l.saveButton = { l.nextButton.getRight(), P.getY(), side, side };
    l.delButton = { l.saveButton.getRight(), P.getY(), side, side };
    l.resetButton = { l.prevButton.getX() - side, P.getY(), side, side };
    l.randButton = { l.resetButton.getX() - side, P.getY(), side, side };
    l.hqButton = { l.randButton.getX() - side, px (static_cast<float> (P.getY()) - sy), side, side };
    l.newsBell = { px (static_cast<float> (l.delButton.getRight()) - 10.0f * sx), 0, px (40.0f * sx), px (40.0f * sy) };

    const auto versionWidth = px (248.0f * sx);
    l.pluginVersion = { origin.x + width / 2 - versionWidth / 2,
                        px (static_cast<float> (P.getY()) + 19.0f * sy),
                        versionWidth, side };

    // The pedal picture is drawn at half its pixel size, centred in the window.
    const auto pedalWidth = px (static_cast<float> (pictures.pedal.x) * 0.5f * sx);
    const auto pedalHeight = px (static_cast<float> (pictures.pedal.y) * 0.5f * sy);
    l.pedalImage = { origin.x - pedalWidth / 2 + width / 2, origin.y - pedalHeight / 2 + height / 2, pedalWidth, pedalHeight };

    auto knob = [&scaled] (float x, juce::Point<int> frame)
    {
        return scaled (x, 87.0f, static_cast<float> (frame.x) * 0.5f, static_cast<float> (frame.y) * 0.5f);
    };
    l.gainSlider = knob (182.0f, pictures.gainFrame);
    l.bassSlider = knob (250.0f, pictures.toneFrame);
    l.midSlider = knob (317.0f, pictures.toneFrame);
    l.trebleSlider = knob (387.0f, pictures.toneFrame);
    l.volumeSlider = knob (457.0f, pictures.volumeFrame);

    l.powerLamp = scaled (339.0f, 297.0f, static_cast<float> (pictures.lampFrame.x) * 0.5f, static_cast<float> (pictures.lampFrame.y) * 0.5f);
    l.footSwitch = scaled (325.0f, 345.0f, static_cast<float> (pictures.footSwitch.x) * 0.5f, static_cast<float> (pictures.footSwitch.y) * 0.5f);

    // The lower row grows outwards from "IN", just left of the centre.
    const auto captionWidth = px (55.0f * sx);
    const auto captionHeight = px (12.0f * sy);
    l.inCaption = { px (W / 2.0f - 28.0f * sx), px (558.0f * sy), captionWidth, captionHeight };
    l.inputKnob = underCaption (l.inCaption, 17.0f, 17.0f, sx, sy);
    l.gateCaption = { l.inCaption.getX() - captionWidth, l.inCaption.getY(), captionWidth, captionHeight };
    l.gateKnob = underCaption (l.gateCaption, 17.0f, 17.0f, sx, sy);
    l.typeCaption = { l.gateCaption.getX() - captionWidth, l.gateCaption.getY(), captionWidth, captionHeight };
    l.circuitMenu = underCaption (l.typeCaption, 60.0f, 17.0f, sx, sy);
    l.outCaption = { l.inCaption.getRight(), l.inCaption.getY(), captionWidth, captionHeight };
    l.outputKnob = underCaption (l.outCaption, 17.0f, 17.0f, sx, sy);
    l.mixCaption = { l.outCaption.getRight(), l.outCaption.getY(), captionWidth, captionHeight };
    l.mixKnob = underCaption (l.mixCaption, 17.0f, 17.0f, sx, sy);

    l.resizeCorner = { px (W - 12.0f * sx), px (H - 12.0f * sy), px (12.0f * sx), px (12.0f * sy) };

    l.versionFontHeight = 10.0f * sy;
    l.arrowFontHeight = 18.0f * sy;
    l.fileFontHeight = 14.0f * sy;
    l.actionFontHeight = 12.0f * sy;
    l.hqFontHeight = 12.0f * sy;
    l.captionFontHeight = 12.0f * sy;
    return l;
}
