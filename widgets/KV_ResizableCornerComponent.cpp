#include "widgets/KV_ResizableCornerComponent.h"

namespace korvanth
{
KV_ResizableCornerComponent::KV_ResizableCornerComponent (juce::Component* componentToResize,
                                                          juce::ComponentBoundsConstrainer* sizeLimits)
    : juce::ResizableCornerComponent (componentToResize, sizeLimits),
      limits (sizeLimits)
{
}

KV_ResizableCornerComponent::~KV_ResizableCornerComponent() = default;

void KV_ResizableCornerComponent::mouseEnter (const juce::MouseEvent&)
{
    setAlpha (1.0f);
}

void KV_ResizableCornerComponent::mouseExit (const juce::MouseEvent&)
{
    setAlpha (0.0f);
}

void KV_ResizableCornerComponent::mouseDoubleClick (const juce::MouseEvent&)
{
    auto* parent = getParentComponent();
    if (parent == nullptr)
        return;

    // The restored size is held to the same limits as a drag (the screen's edges among them).
    const juce::Rectangle<int> restored (parent->getX(), parent->getY(), restoreWidth, restoreHeight);
    if (limits != nullptr)
        limits->setBoundsForComponent (parent, restored, false, false, true, true);
    else
        parent->setBounds (restored);
}
} // namespace korvanth
