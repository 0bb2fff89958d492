#include "editor/EditorRig.h"
#include "editor/ShownEditor.h"
#include "services/NewsfeedTestSupport.h"

#include <gtest/gtest.h>

using namespace editortests;

namespace
{
    const juce::String twoItems { R"([
        { "id": 3, "title": "Quillmont 1.1", "url": "https://example.com/q", "tags": "KVNPLG12G" },
        { "id": 2, "title": "Winter sale", "url": "https://example.com/s", "tags": "news" }
    ])" };

    /** Every plug-in instance made while it lives fetches its news from the given server. */
    struct NewsServiceOverride
    {
        explicit NewsServiceOverride (const LoopbackHttpServer& server)
        {
            korvanth::NewsServiceEndpoint::overrideForProcess (korvanth::NewsServiceEndpoint { server.getBaseUrl(), "feed", "reader:secret" });
        }

        ~NewsServiceOverride() { korvanth::NewsServiceEndpoint::overrideForProcess (std::nullopt); }
    };

    juce::StringArray readFlags (const juce::File& cache)
    {
        juce::StringArray flags;
        if (auto root = juce::XmlDocument::parse (cache))
            for (auto* e : root->getChildIterator())
                flags.add (e->getStringAttribute ("newsID") + ":" + e->getStringAttribute ("newsRead"));
        return flags;
    }

    bool pumpUntil (const std::function<bool()>& condition, int timeoutMs)
    {
        const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
        while (! condition() && juce::Time::getMillisecondCounter() < end)
            pump (10);
        return condition();
    }

    void pressBell (ShownEditor& shown)
    {
        const auto centre = shown.window.centreOf (*shown.editor.newsBell);
        shown.window.press (centre);
        shown.window.release (centre);
    }
}

TEST (EditorNews, UnreadCountShowsAndClearsOnceTheMenuHasBeenOpen)
{
    LoopbackHttpServer server ({ 200, twoItems });
    NewsServiceOverride service (server);
    EditorRig rig;
    const auto cache = rig.sandbox.settingsFolder().getChildFile ("newsfeed.xml");

    ASSERT_TRUE (waitUntilReady (rig.processor().newsProcessor));
    ASSERT_EQ (readFlags (cache), juce::StringArray ({ "3:0", "2:0" }));

    ShownEditor shown (rig.openEditor());
    auto& bell = *shown.editor.newsBell;
    pump (100);
    EXPECT_TRUE (bell.isVisible());
    EXPECT_EQ (bell.badge.unreadCount, 2);

    // The badge is drawn in the window: red under its top left corner.
    const auto snapshot = shown.editor.createComponentSnapshot (shown.editor.getLocalBounds());
    const auto badgeInEditor = shown.editor.getLocalArea (&bell.badge, bell.badge.getLocalBounds());
    EXPECT_EQ (snapshot.getPixelAt (badgeInEditor.getX() + 2, badgeInEditor.getY() + 6), juce::Colour (0xffb22c2c));

    pressBell (shown);
    ASSERT_NE (WidgetRig::openMenu(), nullptr);
    pump (100);
    {
        auto file = juce::File::getSpecialLocation (juce::File::currentExecutableFile)
                        .getSiblingFile ("editor-screenshots").getChildFile ("news-menu.png");
        file.getParentDirectory().createDirectory();
        file.deleteFile();
        juce::FileOutputStream out (file);
        juce::PNGImageFormat().writeImageToStream (shown.editor.createComponentSnapshot (shown.editor.getLocalBounds()), out);
    }
    juce::PopupMenu::dismissAllActiveMenus();

    EXPECT_TRUE (pumpUntil ([&] { return bell.badge.unreadCount == 0; }, 4000));
    EXPECT_TRUE (bell.menuOpened);
    EXPECT_EQ (readFlags (cache), juce::StringArray ({ "3:1", "2:1" }));
    EXPECT_EQ (bell.cachedNews.size(), 2);
    EXPECT_TRUE (bell.cachedNews[1].newsRead);
}

TEST (EditorNews, AMenuOpenedBeforeTheHandOverStillMarksTheNewsRead)
{
    LoopbackHttpServer server ({ 200, twoItems, 1500 });
    NewsServiceOverride service (server);
    EditorRig rig;
    const auto cache = rig.sandbox.settingsFolder().getChildFile ("newsfeed.xml");

    ShownEditor shown (rig.openEditor());
    auto& bell = *shown.editor.newsBell;
    pressBell (shown);
    juce::PopupMenu::dismissAllActiveMenus();
    bell.timerCallback(); // the two seconds, while the reply is still held back
    ASSERT_TRUE (bell.menuOpened);
    pump (100);
    ASSERT_FALSE (rig.processor().newsProcessor.newsReady);
    EXPECT_FALSE (shown.editor.newsMarkedRead);

    ASSERT_TRUE (waitUntilReady (rig.processor().newsProcessor));
    EXPECT_TRUE (pumpUntil ([&] { return shown.editor.newsMarkedRead; }, 1000));
    EXPECT_EQ (bell.newsItems.size(), 2);
    EXPECT_EQ (bell.badge.unreadCount, 0);
    EXPECT_EQ (readFlags (cache), juce::StringArray ({ "3:1", "2:1" }));
}

TEST (EditorNews, OpeningTheMenuWithNothingUnreadWritesNoFile)
{
    LoopbackHttpServer server ({ 200, twoItems });
    NewsServiceOverride service (server);
    EditorRig rig;
    const auto cache = rig.sandbox.settingsFolder().getChildFile ("newsfeed.xml");
    // Written by hand, so any rewrite would show in the bytes.
    const juce::String allRead { "<NEWSFEED><NEWS_ITEM newsID=\"3\" newsRead=\"1\" isForThisPlugin=\"1\"/>"
                                 "<NEWS_ITEM newsID=\"2\" newsRead=\"1\" isForThisPlugin=\"0\"/></NEWSFEED>" };
    ASSERT_TRUE (cache.replaceWithText (allRead));

    ASSERT_TRUE (waitUntilReady (rig.processor().newsProcessor));
    ShownEditor shown (rig.openEditor());
    auto& bell = *shown.editor.newsBell;
    pump (100);
    ASSERT_EQ (bell.newsItems.size(), 2);
    EXPECT_EQ (bell.badge.unreadCount, 0);

    pressBell (shown);
    juce::PopupMenu::dismissAllActiveMenus();
    bell.timerCallback();
    EXPECT_TRUE (pumpUntil ([&] { return shown.editor.newsMarkedRead; }, 1000));
    EXPECT_EQ (bell.badge.unreadCount, 0);
    EXPECT_EQ (cache.loadFileAsString(), allRead);
}

TEST (EditorNews, WithTheFeedSwitchedOffTheBellStaysHidden)
{
    EditorRig rig;
    rig.processor().newsEnabled = false;
    auto& editor = rig.openEditor();
    EXPECT_FALSE (editor.newsBell->isVisible());
}

TEST (EditorNews, TheBellOverlapsTheDeleteButtonAndTakesTheWindowsScale)
{
    EditorRig rig;
    auto& editor = rig.openEditor();

    editor.setSize (700, 600);
    EXPECT_EQ (editor.newsBell->getBounds(), juce::Rectangle<int> (533, 0, 40, 40));
    EXPECT_FLOAT_EQ (editor.newsBell->scaleX, 1.0f);

    editor.setSize (1050, 900);
    EXPECT_EQ (editor.newsBell->getBounds(), juce::Rectangle<int> (798, 0, 60, 60));
    EXPECT_FLOAT_EQ (editor.newsBell->scaleX, 1.5f);
    EXPECT_FLOAT_EQ (editor.newsBell->scaleY, 1.5f);
    EXPECT_EQ (editor.newsBell->badge.getBounds(), juce::Rectangle<int> (30, 4, 20, 20));
}
