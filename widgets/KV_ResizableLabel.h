#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A label whose text stays legible at every window size: it wraps onto at most two lines and is
    squeezed horizontally as far as needed, whatever the label's height.
*/
class KV_ResizableLabel : public juce::Label
{
public:
    /** Draws like the framework's label but for the fixed line count and squeeze. */
    class KV_ResizableLabelLAF : public juce::LookAndFeel_V2
    {
    public:
        KV_ResizableLabelLAF() = default;
        ~KV_ResizableLabelLAF() override = default;

        void drawLabel (juce::Graphics&, juce::Label&) override;

    private:
        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_ResizableLabelLAF)
    };

    KV_ResizableLabel();
    ~KV_ResizableLabel() override;

    void paint (juce::Graphics&) override;

private:
    // Used by paint only, never installed: the text editor and colours the label does not set
    // still come from the look-and-feel it inherits.
    KV_ResizableLabelLAF labelLookAndFeel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_ResizableLabel)
};
