#include "widgets/KV_ResizableComboBox.h"

namespace korvanth
{
KV_ResizableComboBox::KV_ResizableComboBox (const juce::String& boxName)
    : juce::ComboBox (boxName)
{
}

KV_ResizableComboBox::~KV_ResizableComboBox() = default;

void KV_ResizableComboBox::mouseEnter (const juce::MouseEvent&)
{
    if (statusLabel != nullptr)
        statusLabel->setText (helpText, juce::dontSendNotification);
}

void KV_ResizableComboBox::mouseExit (const juce::MouseEvent&)
{
    if (statusLabel != nullptr)
        statusLabel->setText ({}, juce::dontSendNotification);
}

bool KV_ResizableComboBox::keyPressed (const juce::KeyPress&)
{
    return false;
}
} // namespace korvanth
