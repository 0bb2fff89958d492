#pragma once

#include "widgets/KV_HelpBubble.h"

namespace korvanth
{
/** An image button with hover help, the parameter lock menu on a right or ctrl click, and
    moving in the editor's edit mode. Drawing and clicking are the framework's.
*/
class KV_ImageButton : public juce::ImageButton,
                       public juce::KeyListener,
                       private juce::Timer
{
public:
    class buttonPopupDisplayComponent : public KV_HelpBubble<KV_ImageButton>
    {
    public:
        using KV_HelpBubble::KV_HelpBubble;
    };

    KV_ImageButton();
    ~KV_ImageButton() override;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;

    bool keyPressed (const juce::KeyPress&) override;
    bool keyPressed (const juce::KeyPress&, juce::Component* originatingComponent) override;

    void showLockMenu();
    static void lockMenuCallback (int result, KV_ImageButton* button);

    bool editMode = false;
    bool ignoreMouseDrag = false;
    bool lockMenuEnabled = false;
    bool parameterLocked = false;
    bool unlockAllRequested = false;
    bool helpEnabled = false;
    int helpPlacements = juce::BubbleComponent::above;
    juce::String helpText;
    juce::Font helpFont;
    std::unique_ptr<buttonPopupDisplayComponent> helpBubble;
    juce::Component* bubbleParent = nullptr;
    juce::ComponentDragger dragger;
    juce::ComponentBoundsConstrainer constrainer;

private:
    bool opensLockMenu (const juce::MouseEvent&) const;
    void timerCallback() override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_ImageButton)
};
} // namespace korvanth
