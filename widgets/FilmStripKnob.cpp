#include "widgets/FilmStripKnob.h"

#include <cmath>

namespace korvanth
{
    FilmStripKnob::FilmStripKnob (juce::Image filmStripToUse, juce::AudioProcessorParameter* parameterToUse)
        : parameterIndex (parameterToUse->getParameterIndex()),
          filmStrip (std::move (filmStripToUse)),
          parameter (parameterToUse)
    {
        setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);

        if (filmStrip.isValid())
        {
            frameWidth = isHorizontal ? filmStrip.getWidth() / frameCount : filmStrip.getWidth();
            frameHeight = isHorizontal ? filmStrip.getHeight() : filmStrip.getHeight() / frameCount;
        }

        // The frame depends on the value alone: hover, clicks and focus leave the picture as it is.
        setRepaintsOnMouseActivity (false);

        addKeyListener (this);
        setWantsKeyboardFocus (true);
    }

    FilmStripKnob::~FilmStripKnob()
    {
        juce::PopupMenu::dismissAllActiveMenus();
        removeKeyListener (this);
    }

    void FilmStripKnob::mouseEnter (const juce::MouseEvent&)
    {
        startTimer (500);
    }

    void FilmStripKnob::mouseExit (const juce::MouseEvent&)
    {
        stopTimer();
    }

    void FilmStripKnob::mouseDown (const juce::MouseEvent& e)
    {
        juce::Slider::mouseDown (e);
    }

    void FilmStripKnob::mouseDrag (const juce::MouseEvent& e)
    {
        if (isEnabled())
            juce::Slider::mouseDrag (e);
    }

    void FilmStripKnob::mouseUp (const juce::MouseEvent& e)
    {
        juce::Slider::mouseUp (e);
    }

    void FilmStripKnob::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
    {
        juce::Slider::mouseWheelMove (e, wheel);
    }

    void FilmStripKnob::paint (juce::Graphics& g)
    {
        const auto proportion = valueToProportionOfLength (getValue());
        const auto frame = int (float (proportion) * float (frameCount - 1));

        if (isHorizontal)
            g.drawImage (filmStrip, 0, 0, getWidth(), getHeight(), frame * frameWidth, 0, frameWidth, frameHeight);
        else
            g.drawImage (filmStrip, 0, 0, getWidth(), getHeight(), 0, frame * frameHeight, frameWidth, frameHeight);
    }

    void FilmStripKnob::focusOfChildComponentChanged (FocusChangeType)
    {
        // The slider repaints here to show focus; the film strip has no focused look.
    }

    double FilmStripKnob::getValueFromText (const juce::String& text)
    {
        return double (parameter->getValueForText (text));
    }

    juce::String FilmStripKnob::getTextFromValue (double value)
    {
        if (getNumDecimalPlacesToDisplay() <= 0)
            return juce::String (static_cast<juce::int64> (std::nearbyint (value))) + getTextValueSuffix();

        return parameter->getText (float (value), 2);
    }

    bool FilmStripKnob::keyPressed (const juce::KeyPress&, juce::Component*)
    {
        return false;
    }

    void FilmStripKnob::timerCallback()
    {
        stopTimer();
    }
}
