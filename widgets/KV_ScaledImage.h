#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace korvanth
{
/** A picture drawn through a uniform scale from the component's top-left corner, movable by
    mouse in the editor's edit mode (without limits).
*/
class KV_ScaledImage : public juce::Component,
                       public juce::KeyListener
{
public:
    KV_ScaledImage();
    ~KV_ScaledImage() override;

    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;

    using juce::Component::keyPressed;
    bool keyPressed (const juce::KeyPress&, juce::Component* originatingComponent) override;

    bool editMode = false;
    juce::Image image;
    float scale = 1.0f;
    juce::ComponentDragger dragger;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_ScaledImage)
};
} // namespace korvanth
