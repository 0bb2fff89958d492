#include "services/KV_NewsFeedComponent.h"

#include "services/KV_Launcher.h"
#include "widgets/PluginTypefaces.h"

namespace korvanth
{
namespace
{
    const juce::Colour badgeColour { 0xffb22c2c };
    const juce::Colour starColour { 0xffc8c842 };
    const juce::Colour dotColour { 0xff42a2c8 };
    const juce::Colour readColour { 0xffacacac };

    constexpr juce::juce_wchar bellGlyph = 0xf0a2;

    juce::Image starIcon (float scaleX, float scaleY)
    {
        juce::Image icon (juce::Image::ARGB, juce::jmax (1, (int) (scaleX * 15.0f)), juce::jmax (1, (int) (scaleY * 15.0f)), true);
        const auto width = (float) icon.getWidth(), height = (float) icon.getHeight();

        juce::Path star;
        star.addStar ({ width / 2.0f, height / 2.0f }, 5, 0.2f * height, 0.45f * height, 0.0f);

        juce::Graphics g (icon);
        g.setColour (starColour);
        g.fillPath (star);
        return icon;
    }

    juce::Image dotIcon (float scaleX, float scaleY)
    {
        juce::Image icon (juce::Image::ARGB, juce::jmax (1, (int) (scaleX * 8.0f)), juce::jmax (1, (int) (scaleY * 8.0f)), true);

        juce::Graphics g (icon);
        g.setColour (dotColour);
        g.fillEllipse (icon.getBounds().toFloat());
        return icon;
    }
}

void KV_NewsFeedComponent::notificationIcon::paint (juce::Graphics& g)
{
    if (unreadCount <= 0)
        return;

    g.setColour (badgeColour);
    g.fillRoundedRectangle (getLocalBounds().reduced (1).toFloat(), 2.0f);
    g.setColour (juce::Colours::white);
    g.drawFittedText (juce::String (unreadCount), getLocalBounds().reduced (3), juce::Justification::centred, 1);
}

KV_NewsFeedComponent::KV_NewsFeedComponent (juce::Colour bellColourToUse)
    : bellColour (bellColourToUse)
{
    addAndMakeVisible (badge);
}

KV_NewsFeedComponent::~KV_NewsFeedComponent()
{
    // An open menu targets this bell; it goes first, and its late callback finds no bell.
    juce::PopupMenu::dismissAllActiveMenus();
    stopTimer();
    helpBubble.reset();
}

void KV_NewsFeedComponent::mouseEnter (const juce::MouseEvent&)
{
    // The timer may be counting down to menuOpened; hover help must not take it over.
    if (helpEnabled && timerMode != raiseMenuOpened)
    {
        timerMode = showHelp;
        startTimer (KV_HoverHelp::delayMs);
    }
}

void KV_NewsFeedComponent::mouseExit (const juce::MouseEvent&)
{
    if (helpEnabled)
    {
        helpBubble.reset();
        if (timerMode == showHelp)
        {
            timerMode = idle;
            stopTimer();
        }
    }
}

void KV_NewsFeedComponent::mouseDown (const juce::MouseEvent&)
{
    if (helpEnabled)
        helpBubble.reset();

    showNewsMenu();
    timerMode = raiseMenuOpened;
    startTimer (menuOpenedDelayMs);
}

void KV_NewsFeedComponent::paint (juce::Graphics& g)
{
    const auto height = juce::jlimit (0.1f, 10000.0f, scaleX * 12.0f);
    g.setFont (juce::Font (PluginTypefaces::icons()).withHeight (height));
    g.setColour (bellColour);
    g.drawFittedText (juce::String::charToString (bellGlyph), getLocalBounds(), juce::Justification::centred, 1);
}

void KV_NewsFeedComponent::resized()
{
    const auto width = getWidth();
    badge.setBounds (width / 2, 4, width / 3, width / 3);
}

void KV_NewsFeedComponent::timerCallback()
{
    if (timerMode == showHelp)
        KV_HoverHelp::show (*this, juce::BubbleComponent::below);
    else if (timerMode == raiseMenuOpened)
        menuOpened = true;

    timerMode = idle;
    stopTimer();
}

juce::String KV_NewsFeedComponent::displayTitle (const juce::String& title)
{
    // Collected first and turned into text once: appending one character at a time rescans and
    // regrows the whole text each time, which made opening the menu quadratic in a title's length.
    const auto length = title.length();
    juce::Array<juce::juce_wchar> shown;
    shown.ensureStorageAllocated (length);

    for (auto c : title)
        if (! (c < 0x20 || (c >= 0x7f && c < 0xa0)))
            shown.add (c);

    if (shown.size() == length)
        return title;

    if (shown.isEmpty())
        return {};

    return { juce::CharPointer_UTF32 (shown.data()), static_cast<size_t> (shown.size()) };
}

bool KV_NewsFeedComponent::readInCache (int32_t newsID) const
{
    for (const auto& record : cachedNews)
        if (record.newsID == newsID)
            return record.newsRead;
    return false;
}

void KV_NewsFeedComponent::showNewsMenu()
{
    juce::PopupMenu menu;
    menu.setLookAndFeel (&getLookAndFeel());

    // The links as shown: news handed over while the menu is open must not change what a
    // choice opens.
    juce::StringArray shownLinks;

    if (newsItems.isEmpty())
    {
        menu.addItem (1, "No news to display");
    }
    else
    {
        const auto star = starIcon (scaleX, scaleY);
        const auto dot = dotIcon (scaleX, scaleY);

        for (int i = 0; i < newsItems.size(); ++i)
        {
            const auto& item = newsItems.getReference (i);
            const auto title = displayTitle (item.title);

            if (item.isForThisPlugin)
                menu.addItem (i + 1, title, true, false, star);
            else if (readInCache (item.newsID))
                menu.addColouredItem (i + 1, title, readColour, true, false);
            else
                menu.addItem (i + 1, title, true, false, dot);

            shownLinks.add (item.url);
        }
    }

    const auto options = juce::PopupMenu::Options()
                             .withTargetComponent (this)
                             .withStandardItemHeight ((int) (scaleY * 30.0f));

    menu.showMenuAsync (options, [bell = juce::Component::SafePointer<KV_NewsFeedComponent> (this), shownLinks] (int id)
    {
        if (bell == nullptr || id < 1 || id > shownLinks.size())
            return;

        // Only a well-formed web address is opened, and never through a shell.
        KV_Launcher::openUrl (shownLinks[id - 1]);
    });
}
} // namespace korvanth
