#include "widgets/FilmStripKnob.h"
#include "widgets/KV_ColorKnob.h"
#include "widgets/KV_TextButton.h"

#include <BinaryData.h>
#include <benchmark/benchmark.h>

namespace
{
    // One paint of a widget at the size the editor gives it at the window scale in range(0) / 100,
    // into an image as the window's backing store would be.
    void paintOnce (benchmark::State& state, juce::Component& widget, int baseWidth, int baseHeight)
    {
        const auto scale = float (state.range (0)) / 100.0f;
        widget.setBounds (0, 0, int (float (baseWidth) * scale), int (float (baseHeight) * scale));
        juce::Image image (juce::Image::ARGB, widget.getWidth(), widget.getHeight(), true);

        for (auto _ : state)
        {
            juce::Graphics g (image);
            widget.paintEntireComponent (g, true);
            benchmark::ClobberMemory();
        }
    }

    juce::AudioParameterFloat& benchParameter()
    {
        static juce::AudioParameterFloat parameter { juce::ParameterID { "GAIN", 1 }, "Gain", 0.0f, 1.0f, 0.5f };
        return parameter;
    }

    void paintFilmStripKnob (benchmark::State& state)
    {
        korvanth::FilmStripKnob knob (juce::ImageCache::getFromMemory (BinaryData::knob_gain_png,
                                                                       BinaryData::knob_gain_pngSize),
                                      &benchParameter());
        knob.setSliderStyle (juce::Slider::RotaryVerticalDrag);
        knob.setRange (0.0, 1.0);
        knob.setValue (0.37, juce::dontSendNotification);
        paintOnce (state, knob, 129 / 2, 130 / 2);
    }

    void paintColorKnob (benchmark::State& state)
    {
        korvanth::KV_ColorKnob knob (juce::Colour (0xccaba69e), juce::Colour (0xfff0e9de), &benchParameter());
        knob.setRange (0.0, 1.0);
        knob.setValue (0.37, juce::dontSendNotification);
        paintOnce (state, knob, 17, 17);
    }

    void paintTextButton (benchmark::State& state)
    {
        KV_TextButton button (juce::Colour (0x80f0e9de), juce::Colour (0xfff0e9de));
        auto bold = juce::Typeface::createSystemTypefaceFor (BinaryData::PluginFontBold_ttf,
                                                             size_t (BinaryData::PluginFontBold_ttfSize));
        button.buttonLookAndFeel.textFont = juce::Font (bold).withPointHeight (12.0f * float (state.range (0)) / 100.0f);
        button.setButtonText ("HQ");
        button.setState (juce::Button::buttonOver);
        paintOnce (state, button, 27, 27);
    }
}

// Window scales 1 and 1.5, in percent.
BENCHMARK (paintFilmStripKnob)->Arg (100)->Arg (150)->Unit (benchmark::kMicrosecond);
BENCHMARK (paintColorKnob)->Arg (100)->Arg (150)->Unit (benchmark::kMicrosecond);
BENCHMARK (paintTextButton)->Arg (100)->Arg (150)->Unit (benchmark::kMicrosecond);
