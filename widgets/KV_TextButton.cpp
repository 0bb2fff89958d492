#include "widgets/KV_TextButton.h"

#include "widgets/pluginLookAndFeel.h"

void KV_TextButton::KV_TextButtonLAF::drawButtonBackground (juce::Graphics& g, juce::Button& button,
                                                            const juce::Colour& backgroundColour,
                                                            bool shouldDrawButtonAsHighlighted,
                                                            bool shouldDrawButtonAsDown)
{
    auto colour = backgroundColour.withMultipliedSaturation (button.hasKeyboardFocus (true) ? 1.3f : 0.9f)
                                  .withMultipliedAlpha (button.isEnabled() ? 0.9f : 0.5f);

    if (shouldDrawButtonAsDown || shouldDrawButtonAsHighlighted)
        colour = colour.contrasting (shouldDrawButtonAsDown ? 0.2f : 0.1f);

    const auto w = float (button.getWidth()) - 1.0f;
    const auto h = float (button.getHeight()) - 1.0f;

    if (w > 0.0f && h > 0.0f)
    {
        const auto t = juce::jmin (juce::jmin (w, h) * 0.45f, 15.0f) * 0.1f;
        g.setColour (colour);
        g.fillRect (t / 2.0f + 0.5f, t / 2.0f + 0.5f, w - t, h - t);
    }
}

juce::Font KV_TextButton::KV_TextButtonLAF::getTextButtonFont (juce::TextButton&, int)
{
    return textFont;
}

void KV_TextButton::KV_TextButtonLAF::drawButtonText (juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    g.setFont (getTextButtonFont (button, button.getHeight()));

    const auto colour = button.findColour (button.getToggleState() ? juce::TextButton::textColourOnId
                                                                   : juce::TextButton::textColourOffId);
    g.setColour (colour.withMultipliedAlpha (button.isEnabled() ? 1.0f : 0.5f));

    g.drawText (button.getButtonText(),
                0, 0, int (float (button.getWidth()) * 0.98f), int (float (button.getHeight()) * 0.98f),
                juce::Justification::centred, true);
}

void KV_TextButton::KV_TextButtonLAF::drawBubble (juce::Graphics& g, juce::BubbleComponent& bubble,
                                                  const juce::Point<float>&, const juce::Rectangle<float>& body)
{
    pluginLookAndFeel::drawRoundedBubble (g, bubble, body);
}

KV_TextButton::KV_TextButton (juce::Colour textColourOff, juce::Colour textColourOn)
{
    buttonLookAndFeel.setColour (juce::TextButton::buttonColourId, juce::Colour (0x00000000));
    buttonLookAndFeel.setColour (juce::TextButton::buttonOnColourId, juce::Colour (0x00000000));
    buttonLookAndFeel.setColour (juce::TextButton::textColourOnId, textColourOn);
    buttonLookAndFeel.setColour (juce::TextButton::textColourOffId, textColourOff);
    setLookAndFeel (&buttonLookAndFeel);
}

KV_TextButton::~KV_TextButton()
{
    helpBubble.reset();
    juce::PopupMenu::dismissAllActiveMenus();
    setLookAndFeel (nullptr);
}

void KV_TextButton::mouseEnter (const juce::MouseEvent&)
{
    if (statusLabel != nullptr)
        statusLabel->setText (helpText, juce::dontSendNotification);

    if (helpEnabled)
        startTimer (korvanth::KV_HoverHelp::delayMs);
}

void KV_TextButton::mouseExit (const juce::MouseEvent& e)
{
    if (statusLabel != nullptr)
        statusLabel->setText ({}, juce::dontSendNotification);

    if (helpEnabled)
    {
        helpBubble.reset();
        stopTimer();
    }

    juce::TextButton::mouseExit (e);
}

void KV_TextButton::timerCallback()
{
    korvanth::KV_HoverHelp::show (*this, juce::BubbleComponent::below);
    stopTimer();
}
