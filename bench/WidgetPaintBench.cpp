#include "widgets/FilmStripKnob.h"
#include "widgets/KV_Animation.h"
#include "widgets/KV_ColorKnob.h"
#include "widgets/KV_ComboBox.h"
#include "widgets/KV_ImageButton.h"
#include "widgets/KV_ResizableComboBox.h"
#include "widgets/KV_ResizableCornerComponent.h"
#include "widgets/KV_ResizableLabel.h"
#include "widgets/KV_ScaledImage.h"
#include "widgets/KV_TextButton.h"
#include "widgets/PluginTypefaces.h"
#include "widgets/pluginLookAndFeel.h"

#include <BinaryData.h>
#include <benchmark/benchmark.h>

// One paint of one widget at its editor size, into an image at the window's scale (range(0) in
// percent), drawn through the plug-in's look-and-feel as in the editor.
namespace
{
juce::Image embedded (const void* data, int size)
{
    return juce::ImageCache::getFromMemory (data, size);
}

template <typename Widget>
void paintOnce (benchmark::State& state, Widget& widget, juce::Rectangle<int> bounds)
{
    const auto scale = (float) state.range (0) / 100.0f;

    juce::Component editor;
    pluginLookAndFeel lookAndFeel (&editor);
    editor.setLookAndFeel (&lookAndFeel);
    editor.setSize (700, 600);
    editor.addAndMakeVisible (widget);
    widget.setBounds (bounds);

    juce::Image image (juce::Image::ARGB, juce::roundToInt ((float) bounds.getWidth() * scale),
                       juce::roundToInt ((float) bounds.getHeight() * scale), true);

    for (auto _ : state)
    {
        juce::Graphics g (image);
        g.addTransform (juce::AffineTransform::scale (scale));
        widget.paintEntireComponent (g, false);
        benchmark::DoNotOptimize (image.getPixelData());
    }

    editor.removeChildComponent (&widget);
    editor.setLookAndFeel (nullptr);
}

void BM_PaintImageButton (benchmark::State& state)
{
    korvanth::KV_ImageButton button;
    const auto up = embedded (BinaryData::footswitch_up_png, BinaryData::footswitch_up_pngSize);
    const auto down = embedded (BinaryData::footswitch_down_png, BinaryData::footswitch_down_pngSize);
    button.setImages (false, true, true, up, 1.0f, {}, {}, 1.0f, {}, down, 1.0f, {});
    paintOnce (state, button, { 0, 0, 55, 52 });
}

void BM_PaintComboBox (benchmark::State& state)
{
    korvanth::KV_ComboBox box ("circuitMenu");
    box.addItemList ({ "Default", "Bass", "MGV", "Plexy", "Smooth" }, 1);
    box.setSelectedId (4, juce::dontSendNotification);
    paintOnce (state, box, { 0, 0, 90, 20 });
}

void BM_PaintResizableComboBox (benchmark::State& state)
{
    korvanth::KV_ResizableComboBox box ("newsMenu");
    box.setText ("3", juce::dontSendNotification);
    paintOnce (state, box, { 0, 0, 30, 20 });
}

void BM_PaintResizableLabel (benchmark::State& state)
{
    KV_ResizableLabel label;
    label.setText ("INPUT GAIN", juce::dontSendNotification);
    label.setJustificationType (juce::Justification::centred);
    paintOnce (state, label, { 0, 0, 50, 20 });
}

void BM_PaintScaledImage (benchmark::State& state)
{
    korvanth::KV_ScaledImage picture;
    picture.image = embedded (BinaryData::pedal_png, BinaryData::pedal_pngSize);
    picture.scale = 0.5f;
    paintOnce (state, picture, { 0, 0, 386, 463 });
}

void BM_PaintAnimation (benchmark::State& state)
{
    KV_Animation lamp (embedded (BinaryData::lamp_png, BinaryData::lamp_pngSize), 2);
    lamp.setRange (0.0, 1.0);
    lamp.setValue (1.0);
    paintOnce (state, lamp, { 0, 0, 24, 24 });
}

void BM_PaintResizeCorner (benchmark::State& state)
{
    juce::ComponentBoundsConstrainer limits;
    korvanth::KV_ResizableCornerComponent corner (nullptr, &limits);
    paintOnce (state, corner, { 0, 0, 16, 16 });
}

void BM_PaintHelpBubble (benchmark::State& state)
{
    korvanth::KV_ComboBox owner ("circuitMenu");
    korvanth::KV_ComboBox::menuHelpPopupDisplayComponent bubble (owner);
    bubble.text = "Circuit type";
    int w = 0, h = 0;
    bubble.getContentSize (w, h);
    paintOnce (state, bubble, { 0, 0, w + 20, h + 20 });
}

juce::AudioParameterFloat& knobParameter()
{
    static juce::AudioParameterFloat parameter { juce::ParameterID { "GAIN", 1 }, "Gain", 0.0f, 1.0f, 0.5f };
    return parameter;
}

void BM_PaintFilmStripKnob (benchmark::State& state)
{
    korvanth::FilmStripKnob knob (embedded (BinaryData::knob_gain_png, BinaryData::knob_gain_pngSize),
                                  &knobParameter());
    knob.setSliderStyle (juce::Slider::RotaryVerticalDrag);
    knob.setRange (0.0, 1.0);
    knob.setValue (0.37, juce::dontSendNotification);
    paintOnce (state, knob, { 0, 0, 64, 65 });
}

void BM_PaintColorKnob (benchmark::State& state)
{
    korvanth::KV_ColorKnob knob (juce::Colour (0xccaba69e), juce::Colour (0xfff0e9de), &knobParameter());
    knob.setRange (0.0, 1.0);
    knob.setValue (0.37, juce::dontSendNotification);
    paintOnce (state, knob, { 0, 0, 17, 17 });
}

void BM_PaintTextButton (benchmark::State& state)
{
    KV_TextButton button (juce::Colour (0x80f0e9de), juce::Colour (0xfff0e9de));
    button.buttonLookAndFeel.textFont = PluginTypefaces::fontOf (PluginTypefaces::bold(), 12.0f);
    button.setButtonText ("HQ");
    button.setState (juce::Button::buttonOver);
    paintOnce (state, button, { 0, 0, 27, 27 });
}
}

BENCHMARK (BM_PaintImageButton)->Arg (100)->Arg (150);
BENCHMARK (BM_PaintComboBox)->Arg (100)->Arg (150);
BENCHMARK (BM_PaintResizableComboBox)->Arg (100)->Arg (150);
BENCHMARK (BM_PaintResizableLabel)->Arg (100)->Arg (150);
BENCHMARK (BM_PaintScaledImage)->Arg (100)->Arg (150);
BENCHMARK (BM_PaintAnimation)->Arg (100)->Arg (150);
BENCHMARK (BM_PaintResizeCorner)->Arg (100)->Arg (150);
BENCHMARK (BM_PaintHelpBubble)->Arg (100)->Arg (150);
BENCHMARK (BM_PaintFilmStripKnob)->Arg (100)->Arg (150);
BENCHMARK (BM_PaintColorKnob)->Arg (100)->Arg (150);
BENCHMARK (BM_PaintTextButton)->Arg (100)->Arg (150);
