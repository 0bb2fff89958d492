#include "widgets/KV_ImageButton.h"

#include "widgets/KV_EditMode.h"
#include "widgets/KV_LockMenu.h"

namespace korvanth
{
KV_ImageButton::KV_ImageButton()
{
    addKeyListener (this);
    setWantsKeyboardFocus (true);
}

KV_ImageButton::~KV_ImageButton()
{
    helpBubble.reset();
    stopTimer();
    removeKeyListener (this);
}

void KV_ImageButton::mouseEnter (const juce::MouseEvent& e)
{
    if (editMode)
    {
        KV_EditMode::keepInsideParent (*this, constrainer);
        return;
    }

    // With help on, the button takes no hover look: the bubble is the hover feedback.
    if (helpEnabled)
    {
        startTimer (KV_HoverHelp::delayMs);
        return;
    }

    juce::ImageButton::mouseEnter (e);
}

void KV_ImageButton::mouseExit (const juce::MouseEvent& e)
{
    if (helpEnabled)
    {
        helpBubble.reset();
        stopTimer();
    }

    juce::ImageButton::mouseExit (e);
}

void KV_ImageButton::mouseDown (const juce::MouseEvent& e)
{
    if (editMode)
    {
        dragger.startDraggingComponent (this, e);
        return;
    }

    if (opensLockMenu (e))
    {
        showLockMenu();
        return;
    }

    juce::ImageButton::mouseDown (e);
}

void KV_ImageButton::mouseDrag (const juce::MouseEvent& e)
{
    if (editMode)
    {
        dragger.dragComponent (this, e, &constrainer);
        return;
    }

    if (! ignoreMouseDrag)
        juce::ImageButton::mouseDrag (e);
}

void KV_ImageButton::mouseUp (const juce::MouseEvent& e)
{
    if (editMode)
    {
        dragger.dragComponent (this, e, &constrainer);
        return;
    }

    // The release of the click that opened the lock menu never clicks the button. A plain press
    // released with ctrl held is swallowed too, but must not leave the switch drawn down.
    if (opensLockMenu (e))
    {
        setState (isMouseOver() ? buttonOver : buttonNormal);
        return;
    }

    juce::ImageButton::mouseUp (e);
}

void KV_ImageButton::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&)
{
}

bool KV_ImageButton::keyPressed (const juce::KeyPress& key)
{
    // While it is being placed the button is not played: Return must not click it.
    if (editMode)
        return false;

    return juce::ImageButton::keyPressed (key);
}

bool KV_ImageButton::keyPressed (const juce::KeyPress& key, juce::Component* originatingComponent)
{
    return KV_EditMode::nudge (editMode, key, originatingComponent);
}

void KV_ImageButton::showLockMenu()
{
    KV_LockMenu::show (*this);
}

void KV_ImageButton::lockMenuCallback (int result, KV_ImageButton* button)
{
    KV_LockMenu::apply (result, button);
}

bool KV_ImageButton::opensLockMenu (const juce::MouseEvent& e) const
{
    return lockMenuEnabled && (e.mods.isRightButtonDown() || e.mods.isCtrlDown());
}

void KV_ImageButton::timerCallback()
{
    KV_HoverHelp::show (*this, helpPlacements, &helpFont);
    stopTimer();
}
} // namespace korvanth
