#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace korvanth
{
/** The window's resize corner: seen only while the mouse is over it; a double click returns the
    window to its stored size without moving it.
*/
class KV_ResizableCornerComponent : public juce::ResizableCornerComponent
{
public:
    KV_ResizableCornerComponent (juce::Component* componentToResize,
                                 juce::ComponentBoundsConstrainer* sizeLimits);
    ~KV_ResizableCornerComponent() override;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDoubleClick (const juce::MouseEvent&) override;

    /** The size a double click restores; the editor sets its base size here. */
    int restoreWidth = 400;
    int restoreHeight = 300;

private:
    juce::ComponentBoundsConstrainer* const limits;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_ResizableCornerComponent)
};
} // namespace korvanth
