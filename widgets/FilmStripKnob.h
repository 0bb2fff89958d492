#pragma once

#include "widgets/KV_HelpBubble.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace korvanth
{
/** The pedal's rotary knob: draws the frame of its film strip that matches the value, shows the
    value in a bubble while it is clicked, dragged, wheeled or hovered, converts value and text
    through the parameter it is bound to, offers the lock menu and moves in edit mode.
*/
class FilmStripKnob : public juce::Slider,
                      public juce::KeyListener,
                      public juce::Timer
{
public:
    /** The value bubble: the look-and-feel's slider-popup font and placement. */
    class KnobPopupDisplayComponent : public KV_HelpBubble<FilmStripKnob>
    {
    public:
        explicit KnobPopupDisplayComponent (FilmStripKnob& knob);
    };

    /** The strip is shared, not copied: pass the framework's cached image so that every knob and
        every editor draws from one decoded picture.
    */
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

    /** The slider's arrow-key step, told to listeners as a whole drag, as a wheel step is. */
    bool keyPressed (const juce::KeyPress&) override;
    bool keyPressed (const juce::KeyPress&, juce::Component* originatingComponent) override;

    void timerCallback() override;

    void showLockMenu();
    static void lockMenuCallback (int result, FilmStripKnob* knob);

    std::unique_ptr<KnobPopupDisplayComponent> helpBubble;
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
    void showNewBubble();
    void refreshBubble();

    int frameCount = 128;
    bool isHorizontal = false;
    juce::Image filmStrip;
    int frameWidth = 0;
    int frameHeight = 0;
    juce::AudioProcessorParameter* const parameter;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FilmStripKnob)
};
} // namespace korvanth
