#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The look-and-feel the editor installs on itself: fonts chosen by component name, flat popup
    menus with a dot for ticked items, combo boxes without an arrow, rounded bubbles without a
    pointer, a two-colour corner resizer, an invisible resizable frame, and menus that open inside
    the editor rather than on the desktop.
*/
class pluginLookAndFeel : public juce::LookAndFeel_V3
{
public:
    explicit pluginLookAndFeel (juce::Component* menuParentToUse);
    ~pluginLookAndFeel() override;

    void drawBubble (juce::Graphics&, juce::BubbleComponent&,
                     const juce::Point<float>& tip, const juce::Rectangle<float>& body) override;

    void drawPopupMenuBackground (juce::Graphics&, int width, int height) override;
    void drawPopupMenuItem (juce::Graphics&, const juce::Rectangle<int>& area,
                            bool isSeparator, bool isActive, bool isHighlighted, bool isTicked,
                            bool hasSubMenu, const juce::String& text,
                            const juce::String& shortcutKeyText,
                            const juce::Drawable* icon, const juce::Colour* textColour) override;
    juce::Component* getParentComponentForMenuOptions (const juce::PopupMenu::Options&) override;

    void drawComboBox (juce::Graphics&, int width, int height, bool isButtonDown,
                       int buttonX, int buttonY, int buttonW, int buttonH, juce::ComboBox&) override;
    juce::Font getComboBoxFont (juce::ComboBox&) override;
    juce::Label* createComboBoxTextBox (juce::ComboBox&) override;
    void drawComboBoxTextWhenNothingSelected (juce::Graphics&, juce::ComboBox&, juce::Label&) override;
    void positionComboBoxText (juce::ComboBox&, juce::Label&) override;

    juce::Font getLabelFont (juce::Label&) override;
    juce::Font getSliderPopupFont (juce::Slider&) override;
    int getSliderPopupPlacement (juce::Slider&) override;

    void drawCornerResizer (juce::Graphics&, int w, int h, bool isMouseOver, bool isMouseDragging) override;
    void drawResizableFrame (juce::Graphics&, int w, int h, const juce::BorderSize<int>&) override;

    /** The bubble body every look-and-feel of this plug-in draws: a rounded box, no pointer. */
    static void drawRoundedBubble (juce::Graphics&, juce::BubbleComponent&, const juce::Rectangle<float>& body);

    /** GUI scale; the editor stores its vertical scale here on every resize. */
    float scale = 1.0f;

private:
    // Weak, so a menu opened after the editor went away falls back to the desktop.
    juce::Component::SafePointer<juce::Component> menuParent;
    juce::Colour darkColour { 0xff2b302c };
    juce::Colour lightColour { 0xffe8e0cb };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (pluginLookAndFeel)
};
