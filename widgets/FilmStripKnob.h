#pragma once

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace korvanth
{
    /** The pedal's rotary knob: draws one frame of a film strip chosen from its value, shows the
        value in a bubble while it is clicked, dragged, wheeled or hovered, and converts value and
        text through the parameter it is bound to. */
    class FilmStripKnob : public juce::Slider,
                          public juce::KeyListener,
                          public juce::Timer
    {
    public:
        FilmStripKnob (juce::Image filmStrip, juce::AudioProcessorParameter* parameter);
        ~FilmStripKnob() override;

        void mouseEnter (const juce::MouseEvent&) override;
        void mouseExit (const juce::MouseEvent&) override;
        void mouseDown (const juce::MouseEvent&) override;
        void mouseDrag (const juce::MouseEvent&) override;
        void mouseUp (const juce::MouseEvent&) override;
        void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
        void paint (juce::Graphics&) override;
        void focusOfChildComponentChanged (FocusChangeType) override;

        double getValueFromText (const juce::String& text) override;
        juce::String getTextFromValue (double value) override;

        bool keyPressed (const juce::KeyPress&, juce::Component* originatingComponent) override;
        using juce::Slider::keyPressed;

        void timerCallback() override;

        juce::Component* bubbleParent = nullptr;
        bool helpEnabled = false;
        bool editMode = false;
        juce::ComponentDragger dragger;
        juce::ComponentBoundsConstrainer constrainer;
        bool lockMenuEnabled = false;
        bool parameterLocked = false;
        bool unlockAllRequested = false;
        const int parameterIndex;

    private:
        int frameCount = 128;
        bool isHorizontal = false;
        juce::Image filmStrip;
        int frameWidth = 0;
        int frameHeight = 0;
        juce::AudioProcessorParameter* const parameter;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FilmStripKnob)
    };
}
