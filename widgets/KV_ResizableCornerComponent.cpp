#include "widgets/KV_ResizableCornerComponent.h"

namespace korvanth
{
KV_ResizableCornerComponent::KV_ResizableCornerComponent (juce::Component* componentToResize,
                                                          juce::ComponentBoundsConstrainer* sizeLimits)
    : juce::ResizableCornerComponent (componentToResize, sizeLimits)
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
    if (auto* parent = getParentComponent())
        parent->setBounds (parent->getX(), parent->getY(), restoreWidth, restoreHeight);
}
} // namespace korvanth
