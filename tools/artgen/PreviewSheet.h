#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace artgen
{
// Three 700 x 600 windows side by side, composed the way the editor composes them: the backdrop
// at 0.56, the pedal centred at half size, knobs, lamp and switch at their base-unit bounds.
class PreviewSheet
{
public:
    struct Pictures
    {
        juce::Image background, pedal, gainStrip, toneStrip, volumeStrip, lamp, footswitchUp, footswitchDown;
        juce::String logoSvg;
    };

    explicit PreviewSheet (const Pictures& picturesToUse);

    juce::Image makeImage() const;

private:
    struct Setting
    {
        float knobValues[5];
        bool powered;
        bool pressed;
    };

    void paintWindow (juce::Graphics&, const Setting&) const;

    const Pictures& pictures;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PreviewSheet)
};
}
