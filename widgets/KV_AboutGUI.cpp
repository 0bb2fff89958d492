#include "widgets/KV_AboutGUI.h"

#include <BinaryData.h>

namespace korvanth
{
namespace
{
    const juce::Colour white (0xffffffff);
    const juce::Colour black (0xff000000);
    const juce::Colour transparent (0x00000000);

    const char* const productName = "The Quillmont";
    const char* const version = "1.0.1";
    const char* const buildTag = "b0008.30cd46a";
    const char* const description = "Analog modeled british distortion pedal.";
    const char* const credit = "Circuit model and design by the Korvanth team.";
    const char* const support = "Help and updates: https://www.example.com/support";
    const char* const legalNotice = "\xc2\xa9 2024-2026 Korvanth. All rights reserved.";

    void setUpLabel (juce::Label& label, const juce::String& text, const juce::Font& font)
    {
        label.setText (text, juce::dontSendNotification);
        label.setFont (font);
        label.setJustificationType (juce::Justification::centred);
        label.setEditable (false, false, false);
        label.setColour (juce::Label::textColourId, white);
        label.setColour (juce::TextEditor::textColourId, black);
        label.setColour (juce::TextEditor::backgroundColourId, transparent);
    }
}

KV_AboutGUI::KV_AboutGUI()
{
    setUpLabel (titleLabel, productName, juce::Font (12.0f, juce::Font::bold));
    setUpLabel (versionLabel, juce::String ("v") + version + "\r\n(" + buildTag + ")", juce::Font (10.0f, juce::Font::plain));
    setUpLabel (footerLabel, juce::String (juce::CharPointer_UTF8 (legalNotice)), juce::Font (10.0f, juce::Font::plain));

    contentBox.setMultiLine (true, true);
    contentBox.setReadOnly (true);
    contentBox.setColour (juce::TextEditor::textColourId, white);
    contentBox.setColour (juce::TextEditor::backgroundColourId, transparent);
    contentBox.setText (juce::String (description) + "\r\n\r\n" + credit + "\r\n\r\n" + support, true);

    closeButton.setButtonText ("x");
    closeButton.setColour (juce::TextButton::buttonColourId, transparent);
    closeButton.setColour (juce::TextButton::textColourOffId, white);
    closeButton.setColour (juce::TextButton::textColourOnId, white);
    closeButton.addListener (this);

    for (auto* child : std::initializer_list<juce::Component*> { &contentBox, &titleLabel, &versionLabel, &footerLabel, &closeButton })
    {
        child->setLookAndFeel (lookAndFeel.get());
        addAndMakeVisible (child);
    }
}

KV_AboutGUI::~KV_AboutGUI()
{
    closeButton.removeListener (this);
}

void KV_AboutGUI::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xff393a3c));
    logoArea = getLocalBounds().toFloat();

    const auto logo = juce::ImageCache::getFromMemory (BinaryData::about_logo_png, BinaryData::about_logo_pngSize);

    if (! logo.isValid())
        return;

    const auto x = (int) (logoArea.getX() + logoArea.getWidth() * 0.5f - (float) (logo.getWidth() / 2));
    g.drawImageAt (logo, x, 10);
}

void KV_AboutGUI::resized()
{
    const auto w = getWidth();

    titleLabel.setBounds (0, 50, w, 15);
    versionLabel.setBounds (0, titleLabel.getY() + 18, w, 25);
    contentBox.setBounds (3, versionLabel.getBottom() + 25, w - 3, 160);
    footerLabel.setBounds (0, 320, w, 15);
    closeButton.setBounds (w - 25, 0, 24, 24);
}

void KV_AboutGUI::buttonClicked (juce::Button* clicked)
{
    if (clicked != &closeButton)
        return;

    if (auto* overlay = getParentComponent())
        overlay->setVisible (false);
}
}
