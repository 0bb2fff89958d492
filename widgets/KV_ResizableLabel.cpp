#include "widgets/KV_ResizableLabel.h"

void KV_ResizableLabel::KV_ResizableLabelLAF::drawLabel (juce::Graphics& g, juce::Label& label)
{
    g.fillAll (label.findColour (juce::Label::backgroundColourId));

    if (! label.isBeingEdited())
    {
        const auto alpha = label.isEnabled() ? 1.0f : 0.5f;

        g.setColour (label.findColour (juce::Label::textColourId).withMultipliedAlpha (alpha));
        g.setFont (getLabelFont (label));

        const auto textArea = label.getBorderSize().subtractedFrom (label.getLocalBounds());
        g.drawFittedText (label.getText(), textArea, label.getJustificationType(), 2, 0.0f);

        g.setColour (label.findColour (juce::Label::outlineColourId).withMultipliedAlpha (alpha));
    }
    else if (label.isEnabled())
    {
        g.setColour (label.findColour (juce::Label::outlineColourId));
    }

    g.drawRect (label.getLocalBounds());
}

KV_ResizableLabel::KV_ResizableLabel() = default;

KV_ResizableLabel::~KV_ResizableLabel() = default;

void KV_ResizableLabel::paint (juce::Graphics& g)
{
    labelLookAndFeel.drawLabel (g, *this);
}
