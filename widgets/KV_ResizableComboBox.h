#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace korvanth
{
/** A combo box that shows its help text in an external status label while the mouse is over it.
    Keys go on to the parent.
*/
class KV_ResizableComboBox : public juce::ComboBox
{
public:
    explicit KV_ResizableComboBox (const juce::String& boxName);
    ~KV_ResizableComboBox() override;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    bool keyPressed (const juce::KeyPress&) override;

    /** Filled and used by the owner; the box itself never reads it. */
    juce::PopupMenu menu;
    juce::String helpText;
    juce::Label* statusLabel = nullptr;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_ResizableComboBox)
};
} // namespace korvanth
