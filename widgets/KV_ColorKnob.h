#pragma once

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace korvanth
{
/** The small drawn knob of the lower row: a disc in the background colour with a concentric disc
    in the fill colour whose size follows the value. It writes its help into an external status
    label instead of showing a bubble, and offers the lock menu on a right click.
*/
class KV_ColorKnob : public juce::Slider,
                     public juce::Timer
{
public:
    /** Holds the knob's colours and draws the two discs. */
    class KV_ColorKnobLAF : public juce::LookAndFeel_V3
    {
    public:
        KV_ColorKnobLAF() = default;

        void drawRotarySlider (juce::Graphics&, int x, int y, int width, int height, float sliderPos,
                               float rotaryStartAngle, float rotaryEndAngle, juce::Slider&) override;

    private:
        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_ColorKnobLAF)
    };

    KV_ColorKnob (juce::Colour backgroundColour, juce::Colour fillColour, juce::AudioProcessorParameter* parameter);
    ~KV_ColorKnob() override;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;

    /** Lowers showValueText once no button is held over the knob; the editor starts the timer. */
    void timerCallback() override;

    void showLockMenu();
    static void lockMenuCallback (int result, KV_ColorKnob* knob);

    juce::String helpText;
    juce::Label* statusLabel = nullptr;
    bool showValueText = false;
    bool lockMenuEnabled = true;
    bool parameterLocked = false;
    bool unlockAllRequested = false;
    const int parameterIndex;

private:
    bool isHeldByAMouseButton() const;

    KV_ColorKnobLAF lookAndFeel;
    [[maybe_unused]] juce::AudioProcessorParameter* const parameter;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_ColorKnob)
};
} // namespace korvanth
