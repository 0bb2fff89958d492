#include "widgets/KV_ComboBox.h"

namespace korvanth
{
KV_ComboBox::KV_ComboBox (const juce::String& boxName)
    : juce::ComboBox (boxName)
{
}

KV_ComboBox::~KV_ComboBox()
{
    helpBubble.reset();
    stopTimer();
}

void KV_ComboBox::mouseEnter (const juce::MouseEvent& e)
{
    if (helpEnabled)
        startTimer (KV_HoverHelp::delayMs);

    juce::ComboBox::mouseEnter (e);
}

void KV_ComboBox::mouseExit (const juce::MouseEvent& e)
{
    if (helpEnabled)
    {
        helpBubble.reset();
        stopTimer();
    }

    juce::ComboBox::mouseExit (e);
}

void KV_ComboBox::mouseDown (const juce::MouseEvent& e)
{
    // The bubble would sit over the menu that is about to open.
    if (helpEnabled)
    {
        helpBubble.reset();
        stopTimer();
    }

    juce::ComboBox::mouseDown (e);
}

bool KV_ComboBox::keyPressed (const juce::KeyPress&)
{
    return false;
}

void KV_ComboBox::timerCallback()
{
    KV_HoverHelp::show (*this, juce::BubbleComponent::below);
    stopTimer();
}
} // namespace korvanth
