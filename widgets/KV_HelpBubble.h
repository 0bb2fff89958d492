#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <cmath>
#include <memory>

namespace korvanth
{
/** The one shape of every help and value bubble: a line of text in a font, coloured like a
    tooltip as seen from the owning widget. The owner's nested bubble classes derive from this and
    differ only in the font, placements and text their owner gives them.

    Owner must have a public std::unique_ptr to its bubble class named helpBubble; the bubble's own
    timer, which only an owner can start, makes the owner delete the bubble.
*/
template <typename Owner>
class KV_HelpBubble : public juce::BubbleComponent, private juce::Timer
{
public:
    explicit KV_HelpBubble (Owner& ownerToUse) : owner (&ownerToUse) {}
    ~KV_HelpBubble() override = default;

    void getContentSize (int& width, int& height) override
    {
        width = (int) std::ceil (font.getStringWidthFloat (text)) + 18;
        height = (int) (font.getHeight() * 1.6f);
    }

    void paintContent (juce::Graphics& g, int width, int height) override
    {
        g.setFont (font);
        // The owner's colour, not the bubble's: a desktop bubble has no parents to inherit from.
        g.setColour (owner->findColour (juce::TooltipWindow::textColourId));
        g.drawFittedText (text, 0, 0, width, height, juce::Justification::centred, 1, 0.0f);
    }

    Owner* owner;
    juce::Font font { 12.0f };
    juce::String text;

private:
    friend Owner;

    void timerCallback() override
    {
        owner->helpBubble.reset(); // deletes this bubble: nothing may follow
    }

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_HelpBubble)
};

/** The hover help every help owner runs (the owner holds helpEnabled, helpText, helpBubble and
    bubbleParent, and uses its own timer as the hover timer).
*/
struct KV_HoverHelp
{
    /** How long the mouse rests on a widget before its help shows. */
    static constexpr int delayMs = 500;

    /** Shows a bubble made elsewhere in place of the owner's current one: inside bubbleParent, or
        as a window of its own on the desktop when there is none.
    */
    template <typename Owner, typename Bubble>
    static void attach (Owner& owner, std::unique_ptr<Bubble> bubble)
    {
        owner.helpBubble = std::move (bubble);

        if (owner.bubbleParent == nullptr)
            owner.helpBubble->addToDesktop (0, nullptr);
        else
            owner.bubbleParent->addChildComponent (*owner.helpBubble);

        owner.helpBubble->setVisible (true);
    }

    /** Points the shown bubble, if any, at its owner with the given text. */
    template <typename Owner>
    static void refresh (Owner& owner, const juce::String& text)
    {
        if (auto* bubble = owner.helpBubble.get())
        {
            bubble->text = text;
            bubble->setPosition (&owner);
            bubble->repaint();
        }
    }

    /** The hover timer's callback: a fresh bubble when help is on, then the help text in whatever
        bubble is shown. A null font leaves the bubble's own plain 12-pixel font. The caller stops
        its timer afterwards, so the bubble appears once per hover.
    */
    template <typename Owner>
    static void show (Owner& owner, int placements, const juce::Font* font = nullptr)
    {
        using Bubble = typename decltype (owner.helpBubble)::element_type;

        if (owner.helpEnabled)
        {
            auto bubble = std::make_unique<Bubble> (owner);
            bubble->setAlwaysOnTop (true);
            bubble->setAllowedPlacement (placements);
            bubble->setLookAndFeel (&owner.getLookAndFeel());

            if (font != nullptr)
                bubble->font = *font;

            attach (owner, std::move (bubble));
        }

        refresh (owner, owner.helpText);
    }
};
} // namespace korvanth
