#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A display that shows one frame of a film strip chosen by its slider value (the editor's lamp).
    The user cannot change the value; it can only be moved in the editor's edit mode.
*/
class KV_Animation : public juce::Slider,
                     public juce::KeyListener
{
public:
    KV_Animation (const juce::Image& filmStripImage, int numFrames);
    ~KV_Animation() override;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    void paint (juce::Graphics&) override;

    bool keyPressed (const juce::KeyPress&) override;
    bool keyPressed (const juce::KeyPress&, juce::Component* originatingComponent) override;

    int frameCount;
    bool isHorizontal = false;
    bool editMode = false;
    juce::Image filmStrip;
    int frameWidth;
    int frameHeight;
    juce::ComponentDragger dragger;
    juce::ComponentBoundsConstrainer constrainer;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_Animation)
};
