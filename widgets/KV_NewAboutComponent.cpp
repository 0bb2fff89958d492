#include "widgets/KV_NewAboutComponent.h"

namespace korvanth
{
KV_NewAboutComponent::KV_NewAboutComponent()
{
    addAndMakeVisible (aboutGUI);
}

KV_NewAboutComponent::~KV_NewAboutComponent() = default;

void KV_NewAboutComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0x33000000));
}

void KV_NewAboutComponent::resized()
{
    aboutGUI.centreWithSize (guiWidth, guiHeight);
}
}
