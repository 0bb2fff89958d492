#include "widgets/pluginLookAndFeel.h"

#include "widgets/PluginTypefaces.h"

pluginLookAndFeel::pluginLookAndFeel (juce::Component* menuParentToUse)
    : menuParent (menuParentToUse)
{
    setColour (juce::PopupMenu::highlightedBackgroundColourId, juce::Colour (0xffe8e0cb));
    setColour (juce::PopupMenu::highlightedTextColourId, juce::Colour (0xe62b302c));
    setColour (juce::PopupMenu::backgroundColourId, juce::Colour (0xe62b302c));
    setColour (juce::PopupMenu::textColourId, juce::Colour (0xffe8e0cb));
    setColour (juce::BubbleComponent::backgroundColourId, juce::Colour (0xd525251d));
    setColour (juce::BubbleComponent::outlineColourId, juce::Colour (0xd5eeece7));
    setColour (juce::TooltipWindow::textColourId, juce::Colour (0xd5eeece7));
    setColour (juce::TextEditor::highlightColourId, juce::Colour (0xffdedddd));
    setColour (juce::TextEditor::outlineColourId, juce::Colour (0xff313030));
}

pluginLookAndFeel::~pluginLookAndFeel() = default;

//==============================================================================
void pluginLookAndFeel::drawRoundedBubble (juce::Graphics& g, juce::BubbleComponent& bubble,
                                           const juce::Rectangle<float>& body)
{
    juce::Path outline;
    outline.addRoundedRectangle (body.getX(), body.getY(), body.getWidth(), body.getHeight(),
                                 3.0f, 3.0f, true, true, true, true);

    g.setColour (bubble.findColour (juce::BubbleComponent::backgroundColourId));
    g.fillPath (outline);
    g.setColour (bubble.findColour (juce::BubbleComponent::outlineColourId));
    g.strokePath (outline, juce::PathStrokeType (1.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt));
}

void pluginLookAndFeel::drawBubble (juce::Graphics& g, juce::BubbleComponent& bubble,
                                    const juce::Point<float>&, const juce::Rectangle<float>& body)
{
    drawRoundedBubble (g, bubble, body);
}

//==============================================================================
void pluginLookAndFeel::drawPopupMenuBackground (juce::Graphics& g, int width, int height)
{
    g.setColour (findColour (juce::PopupMenu::backgroundColourId));
    g.fillRoundedRectangle (0.5f, 0.5f, (float) juce::jmax (width - 1, 0), (float) juce::jmax (height - 1, 0), 4.0f);
}

void pluginLookAndFeel::drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area,
                                           bool isSeparator, bool isActive, bool isHighlighted,
                                           bool isTicked, bool hasSubMenu, const juce::String& text,
                                           const juce::String& shortcutKeyText,
                                           const juce::Drawable* icon, const juce::Colour* textColour)
{
    if (isSeparator)
    {
        auto r = area.reduced (5, 0);
        r.removeFromTop (r.getHeight() / 2 - 1);

        g.setColour (juce::Colour (0x33000000));
        g.fillRect (r.removeFromTop (1));
        g.setColour (juce::Colour (0x66ffffff));
        g.fillRect (r.removeFromTop (1));
        return;
    }

    const auto itemTextColour = textColour != nullptr ? *textColour : findColour (juce::PopupMenu::textColourId);
    auto r = area.reduced (1);

    if (isHighlighted)
    {
        g.setColour (findColour (juce::PopupMenu::highlightedBackgroundColourId));
        g.fillRect (r);
        g.setColour (findColour (juce::PopupMenu::highlightedTextColourId));
    }
    else
    {
        g.setColour (itemTextColour);
    }

    // Everything below, icon and dot included, is dimmed for an inactive item.
    if (! isActive)
        g.setOpacity (0.3f);

    auto font = getPopupMenuFont();
    const auto maxFontHeight = (float) area.getHeight() / 1.3f;
    if (font.getHeight() > maxFontHeight)
        font.setHeight (maxFontHeight);
    g.setFont (font);

    const auto iconArea = r.removeFromLeft (r.getHeight() * 5 / 4).reduced (3).toFloat();

    if (icon != nullptr)
        icon->drawWithin (g, iconArea, juce::RectanglePlacement::centred | juce::RectanglePlacement::onlyReduceInSize, 1.0f);
    else if (isTicked)
        g.fillEllipse (iconArea.getCentreX() - 2.0f, iconArea.getCentreY() - 2.0f, 5.0f, 5.0f);

    if (hasSubMenu)
    {
        const auto arrowH = 0.6f * getPopupMenuFont().getAscent();
        const auto x = (float) r.removeFromRight ((int) arrowH).getX();
        const auto cy = (float) (r.getY() + r.getHeight() / 2);

        juce::Path arrow;
        arrow.addTriangle (x, cy - arrowH * 0.5f, x, cy + arrowH * 0.5f, x + arrowH * 0.6f, cy);
        g.fillPath (arrow);
    }

    r.removeFromRight (3);
    g.drawFittedText (text, r, juce::Justification::centredLeft, 1);

    if (shortcutKeyText.isNotEmpty())
    {
        auto shortcutFont = font;
        shortcutFont.setHeight (font.getHeight() * 0.75f);
        shortcutFont.setHorizontalScale (0.95f);
        g.setFont (shortcutFont);
        g.drawText (shortcutKeyText, r, juce::Justification::centredRight, true);
    }
}

juce::Component* pluginLookAndFeel::getParentComponentForMenuOptions (const juce::PopupMenu::Options&)
{
    return menuParent.getComponent();
}

//==============================================================================
void pluginLookAndFeel::drawComboBox (juce::Graphics& g, int width, int height, bool,
                                      int, int, int, int, juce::ComboBox& box)
{
    g.fillAll (box.findColour (juce::ComboBox::backgroundColourId));

    const auto outline = box.findColour (juce::ComboBox::outlineColourId);

    if (box.isEnabled() && box.hasKeyboardFocus (false))
    {
        g.setColour (box.findColour (juce::ComboBox::buttonColourId));
        g.drawRect (0, 0, width, height, 2);
    }
    else
    {
        g.setColour (outline);
        g.drawRect (0, 0, width, height, 1);
    }

    g.setColour (outline);
    g.drawRect (0, 0, width, height, 1);
}

juce::Font pluginLookAndFeel::getComboBoxFont (juce::ComboBox& box)
{
    if (box.getName() == "presetMenu")
        return PluginTypefaces::fontOf (PluginTypefaces::regular(), 16.0f);

    return juce::Font (14.0f);
}

juce::Label* pluginLookAndFeel::createComboBoxTextBox (juce::ComboBox& box)
{
    // The label carries the box's name, so getLabelFont picks the box's text font by that name.
    return new juce::Label (box.getName(), {});
}

void pluginLookAndFeel::drawComboBoxTextWhenNothingSelected (juce::Graphics& g, juce::ComboBox& box, juce::Label& label)
{
    // The base takes this colour from the look-and-feel rather than the box, which drew the
    // preset bar's "Default" dark on its dark ground; the box's own text colour, dimmed as usual.
    g.setColour (box.findColour (juce::ComboBox::textColourId).withMultipliedAlpha (0.5f));

    const auto font = label.getLookAndFeel().getLabelFont (label);
    g.setFont (font);

    const auto area = getLabelBorderSize (label).subtractedFrom (label.getLocalBounds());
    g.drawFittedText (box.getTextWhenNothingSelected(), area, label.getJustificationType(),
                      juce::jmax (1, (int) ((float) area.getHeight() / font.getHeight())),
                      label.getMinimumHorizontalScale());
}

void pluginLookAndFeel::positionComboBoxText (juce::ComboBox& box, juce::Label& label)
{
    label.setBounds (1, 0, box.getWidth() - 1, box.getHeight() - 1);
    label.setFont (getComboBoxFont (box));
}

juce::Font pluginLookAndFeel::getLabelFont (juce::Label& label)
{
    const auto& name = label.getName();

    if (name == "presetMenu")
        return PluginTypefaces::fontOf (PluginTypefaces::regular(), juce::jmax (scale * 14.0f, 10.0f));

    if (name == "pluginVersion")
        return PluginTypefaces::fontOf (PluginTypefaces::regular(), juce::jmax (scale * 9.0f, 5.0f));

    if (name == "circuitMenu")
        return PluginTypefaces::fontOf (PluginTypefaces::bold(), juce::jmax (scale * 10.0f, 6.0f));

    return PluginTypefaces::fontOf (PluginTypefaces::bold(), 11.0f);
}

juce::Font pluginLookAndFeel::getSliderPopupFont (juce::Slider&)
{
    return PluginTypefaces::fontOf (PluginTypefaces::bold(), 12.0f);
}

int pluginLookAndFeel::getSliderPopupPlacement (juce::Slider&)
{
    return juce::BubbleComponent::above;
}

//==============================================================================
void pluginLookAndFeel::drawCornerResizer (juce::Graphics& g, int w, int h, bool, bool)
{
    const auto width = (float) w;
    const auto height = (float) h;
    const auto thickness = juce::jmin (width, height) * 0.075f;

    for (float i = 0.0f; i < 1.0f; i += 0.3f)
    {
        g.setColour (lightColour);
        g.drawLine (width * i, height + 1.0f, width + 1.0f, height * i, thickness);

        g.setColour (darkColour);
        g.drawLine (width * i + thickness, height + 1.0f, width + 1.0f, height * i + thickness, thickness);
    }
}

void pluginLookAndFeel::drawResizableFrame (juce::Graphics& g, int w, int h, const juce::BorderSize<int>& border)
{
    if (border.isEmpty())
        return;

    // The base's two outlines, in a fully transparent colour: the frame is there, but not seen.
    const juce::Rectangle<int> fullSize (0, 0, w, h);
    const auto centreArea = border.subtractedFrom (fullSize);

    g.saveState();
    g.excludeClipRegion (centreArea);
    g.setColour (juce::Colour (0x00000000));
    g.drawRect (fullSize);
    g.drawRect (centreArea.expanded (1, 1));
    g.restoreState();
}
