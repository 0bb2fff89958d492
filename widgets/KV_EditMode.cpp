#include "widgets/KV_EditMode.h"

namespace korvanth
{
void KV_EditMode::keepInsideParent (juce::Component& widget, juce::ComponentBoundsConstrainer& constrainer)
{
    if (auto* parent = widget.getParentComponent())
        constrainer.setMinimumOnscreenAmounts (parent->getHeight(), parent->getWidth(),
                                               parent->getHeight(), parent->getWidth());
}

bool KV_EditMode::nudge (bool editMode, const juce::KeyPress& key, juce::Component* originatingComponent)
{
    if (! editMode || originatingComponent == nullptr)
        return false;

    juce::Point<int> step;

    if (key.isKeyCode (juce::KeyPress::upKey))         step = { 0, -1 };
    else if (key.isKeyCode (juce::KeyPress::downKey))  step = { 0, 1 };
    else if (key.isKeyCode (juce::KeyPress::leftKey))  step = { -1, 0 };
    else if (key.isKeyCode (juce::KeyPress::rightKey)) step = { 1, 0 };
    else return false;

    if (key.getModifiers().isAnyModifierKeyDown())
        return false;

    originatingComponent->setBounds (originatingComponent->getBounds() + step);
    return true;
}
} // namespace korvanth
