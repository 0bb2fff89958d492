#pragma once

#include "widgets/KV_HelpBubble.h"

/** The editor's text button: a flat rectangle tinted by focus, enablement, hover and press, its
    text in an on or an off colour, a help text for an external status label and an optional hover
    help bubble below it.
*/
class KV_TextButton : public juce::TextButton,
                      public juce::Timer
{
public:
    /** Draws the button and its help bubble; the editor sets the text font. */
    class KV_TextButtonLAF : public juce::LookAndFeel_V3
    {
    public:
        KV_TextButtonLAF() = default;

        void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                                   bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
        juce::Font getTextButtonFont (juce::TextButton&, int buttonHeight) override;
        void drawButtonText (juce::Graphics&, juce::TextButton&,
                             bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
        void drawBubble (juce::Graphics&, juce::BubbleComponent&,
                         const juce::Point<float>& tip, const juce::Rectangle<float>& body) override;

        juce::Font textFont;

    private:
        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_TextButtonLAF)
    };

    class helpPopupDisplayComponent : public korvanth::KV_HelpBubble<KV_TextButton>
    {
    public:
        using KV_HelpBubble::KV_HelpBubble;
    };

    /** The text colour of the untoggled button, then that of the toggled one. */
    KV_TextButton (juce::Colour textColourOff, juce::Colour textColourOn);
    ~KV_TextButton() override;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void timerCallback() override;

    juce::String helpText;
    juce::Label* statusLabel = nullptr;
    std::unique_ptr<helpPopupDisplayComponent> helpBubble;
    juce::Component* bubbleParent = nullptr;
    bool helpEnabled = false;
    KV_TextButtonLAF buttonLookAndFeel;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_TextButton)
};
