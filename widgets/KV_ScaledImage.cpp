#include "widgets/KV_ScaledImage.h"

#include "widgets/KV_EditMode.h"

namespace korvanth
{
// Not its own key listener: the pedal picture is the backdrop every other widget is nudged over,
// so it stays where the layout puts it unless dragged.
KV_ScaledImage::KV_ScaledImage() = default;

KV_ScaledImage::~KV_ScaledImage() = default;

void KV_ScaledImage::mouseDown (const juce::MouseEvent& e)
{
    if (editMode)
        dragger.startDraggingComponent (this, e);
}

void KV_ScaledImage::mouseDrag (const juce::MouseEvent& e)
{
    if (editMode)
        dragger.dragComponent (this, e, nullptr);
}

void KV_ScaledImage::mouseUp (const juce::MouseEvent& e)
{
    if (editMode)
        dragger.dragComponent (this, e, nullptr);
}

void KV_ScaledImage::paint (juce::Graphics& g)
{
    if (image.isValid())
        g.drawImageTransformed (image, juce::AffineTransform::scale (scale));
}

bool KV_ScaledImage::keyPressed (const juce::KeyPress& key, juce::Component* originatingComponent)
{
    return KV_EditMode::nudge (editMode, key, originatingComponent);
}
} // namespace korvanth
