#include "widgets/KV_ColorKnob.h"

#include "widgets/KV_LockMenu.h"

namespace korvanth
{
void KV_ColorKnob::KV_ColorKnobLAF::drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height,
                                                      float sliderPos, float, float, juce::Slider& slider)
{
    const auto w = float (width);
    const auto h = float (height);

    g.setColour (slider.findColour (juce::Slider::backgroundColourId));
    g.fillEllipse (float (x), float (y), w, h);

    const auto cx = float (x) + w * 0.5f;
    const auto cy = float (y) + h * 0.5f;

    g.setColour (slider.findColour (juce::Slider::rotarySliderFillColourId));
    g.fillEllipse (cx - w * sliderPos * 0.5f, cy - h * sliderPos * 0.5f, w * sliderPos, h * sliderPos);
}

KV_ColorKnob::KV_ColorKnob (juce::Colour backgroundColour, juce::Colour fillColour,
                            juce::AudioProcessorParameter* parameterToUse)
    : parameterIndex (parameterToUse->getParameterIndex()),
      parameter (parameterToUse)
{
    lookAndFeel.setColour (juce::Slider::textBoxOutlineColourId, juce::Colour (0x00000000));
    lookAndFeel.setColour (juce::PopupMenu::backgroundColourId, juce::Colour (0xff2b302c));
    lookAndFeel.setColour (juce::PopupMenu::textColourId, juce::Colour (0xffe8e0cb));
    lookAndFeel.setColour (juce::PopupMenu::highlightedBackgroundColourId, juce::Colour (0xffe8e0cb));
    lookAndFeel.setColour (juce::PopupMenu::highlightedTextColourId, juce::Colour (0xff2b302c));

    setSliderStyle (juce::Slider::RotaryVerticalDrag);
    setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);

    // The discs show the value alone: hovering and pressing give nothing new to draw.
    setRepaintsOnMouseActivity (false);

    lookAndFeel.setColour (juce::Slider::backgroundColourId, backgroundColour);
    lookAndFeel.setColour (juce::Slider::rotarySliderFillColourId, fillColour);
    setLookAndFeel (&lookAndFeel);
}

KV_ColorKnob::~KV_ColorKnob()
{
    // An open lock menu draws with this knob's look-and-feel, which goes with the knob.
    juce::PopupMenu::dismissAllActiveMenus();
    setLookAndFeel (nullptr);
}

void KV_ColorKnob::mouseEnter (const juce::MouseEvent& e)
{
    if (statusLabel != nullptr)
        statusLabel->setText (helpText, juce::dontSendNotification);

    juce::Slider::mouseEnter (e);
}

void KV_ColorKnob::mouseExit (const juce::MouseEvent& e)
{
    if (statusLabel != nullptr)
        statusLabel->setText ({}, juce::dontSendNotification);

    juce::Slider::mouseExit (e);
}

void KV_ColorKnob::mouseDown (const juce::MouseEvent& e)
{
    // The right button only: ctrl with the left button is an ordinary click on this knob.
    if (lockMenuEnabled && juce::ModifierKeys::currentModifiers.isRightButtonDown())
    {
        showLockMenu();
        return;
    }

    juce::Slider::mouseDown (e);
}

bool KV_ColorKnob::isHeldByAMouseButton() const
{
    for (auto& source : juce::Desktop::getInstance().getMouseSources())
    {
        if (source.getComponentUnderMouse() != this)
            continue;

        const auto mods = source.getCurrentModifiers();
        if (mods.isLeftButtonDown() || mods.isRightButtonDown() || mods.isMiddleButtonDown())
            return true;
    }

    return false;
}

void KV_ColorKnob::timerCallback()
{
    if (! showValueText || isHeldByAMouseButton())
        return;

    showValueText = false;
    stopTimer();
}

void KV_ColorKnob::showLockMenu()
{
    KV_LockMenu::show (*this);
}

void KV_ColorKnob::lockMenuCallback (int result, KV_ColorKnob* knob)
{
    KV_LockMenu::apply (result, knob);
}
} // namespace korvanth
