#pragma once

#include "widgets/KV_HelpBubble.h"

namespace korvanth
{
/** A combo box with hover help below it. Keys go on to the parent, so arrows and return neither
    change the selection nor open the menu.
*/
class KV_ComboBox : public juce::ComboBox,
                    private juce::Timer
{
public:
    class menuHelpPopupDisplayComponent : public KV_HelpBubble<KV_ComboBox>
    {
    public:
        using KV_HelpBubble::KV_HelpBubble;
    };

    explicit KV_ComboBox (const juce::String& boxName);
    ~KV_ComboBox() override;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    bool keyPressed (const juce::KeyPress&) override;

    juce::String helpText;
    std::unique_ptr<menuHelpPopupDisplayComponent> helpBubble;
    juce::Component* bubbleParent = nullptr;
    bool helpEnabled = false;

private:
    void timerCallback() override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_ComboBox)
};
} // namespace korvanth
