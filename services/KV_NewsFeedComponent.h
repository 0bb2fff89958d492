#pragma once

#include "services/NewsItem.h"
#include "widgets/KV_HelpBubble.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace korvanth
{
/** The news bell: a bell glyph with a red badge counting the unread items. A press opens a menu
    of the news; two seconds later menuOpened is raised, which the editor turns into marking the
    news read. The editor fills the items, the cache records and the count.
*/
class KV_NewsFeedComponent : public juce::Component,
                             private juce::Timer
{
public:
    class newsHelpPopupDisplayComponent : public KV_HelpBubble<KV_NewsFeedComponent>
    {
    public:
        using KV_HelpBubble::KV_HelpBubble;
    };

    /** The count badge; a press on it goes nowhere. */
    class notificationIcon : public juce::Component
    {
    public:
        notificationIcon() = default;
        ~notificationIcon() override = default;

        void paint (juce::Graphics& g) override;
        void resized() override {}

        int32_t unreadCount = 0;

    private:
        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (notificationIcon)
    };

    explicit KV_NewsFeedComponent (juce::Colour bellColourToUse);
    ~KV_NewsFeedComponent() override;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void paint (juce::Graphics& g) override;
    void resized() override;

    /** The one tick of the timer: shows the hover help or raises menuOpened. Public so tests can
        tick it without waiting two seconds. */
    void timerCallback() override;

    using juce::Timer::getTimerInterval;
    using juce::Timer::isTimerRunning;

    /** The title as the menu shows it: without control characters. */
    static juce::String displayTitle (const juce::String& title);

    /** How long after a press menuOpened is raised. */
    static constexpr int menuOpenedDelayMs = 2000;

    juce::Array<NewsItem> newsItems;
    juce::Array<NewsCacheRecord> cachedNews;
    juce::Colour bellColour;
    int32_t timerMode = 0;
    juce::String helpText;
    float scaleX = 1.0f, scaleY = 1.0f;
    bool menuOpened = false;
    std::unique_ptr<newsHelpPopupDisplayComponent> helpBubble;
    juce::Component* bubbleParent = nullptr;
    bool helpEnabled = false;
    notificationIcon badge;

private:
    void showNewsMenu();
    bool readInCache (int32_t newsID) const;

    enum TimerMode
    {
        idle = 0,
        raiseMenuOpened = 1,
        showHelp = 2
    };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_NewsFeedComponent)
};
} // namespace korvanth
