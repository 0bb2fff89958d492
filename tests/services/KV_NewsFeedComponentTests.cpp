#include "services/KV_NewsFeedComponent.h"
#include "support/FreshTempFolder.h"
#include "support/RecordingOpener.h"
#include "widgets/WidgetRig.h"

#include <gtest/gtest.h>

using korvanth::KV_NewsFeedComponent;

namespace
{
    NewsItem item (int32_t id, const juce::String& title, const juce::String& url, bool forThisPlugin)
    {
        NewsItem n;
        n.newsID = id;
        n.title = title;
        n.url = url;
        n.isForThisPlugin = forThisPlugin;
        return n;
    }

    /** One menu entry as the look-and-feel was asked to draw it. */
    struct DrawnEntry
    {
        juce::String text;
        int height = 0;
        juce::Image icon;
        std::optional<juce::Colour> textColour;
    };

    /** Draws menus as usual and notes every entry it draws. */
    struct RecordingLookAndFeel : juce::LookAndFeel_V4
    {
        void drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator, bool isActive,
                                bool isHighlighted, bool isTicked, bool hasSubMenu, const juce::String& text,
                                const juce::String& shortcut, const juce::Drawable* icon, const juce::Colour* colour) override
        {
            DrawnEntry entry { text, area.getHeight(), {}, {} };
            if (auto* image = dynamic_cast<const juce::DrawableImage*> (icon))
                entry.icon = image->getImage();
            if (colour != nullptr)
                entry.textColour = *colour;
            entries.push_back (entry);

            juce::LookAndFeel_V4::drawPopupMenuItem (g, area, isSeparator, isActive, isHighlighted, isTicked,
                                                     hasSubMenu, text, shortcut, icon, colour);
        }

        std::vector<DrawnEntry> entries;
    };

    /** A bell of 40 x 40 in a real window, with the recording look-and-feel. */
    struct BellRig
    {
        BellRig()
        {
            rig.root().setLookAndFeel (&lookAndFeel);
            rig.root().addAndMakeVisible (*bell);
            bell->setBounds (10, 10, 40, 40);
        }

        ~BellRig()
        {
            bell.reset();
            rig.root().setLookAndFeel (nullptr);
        }

        void pressBell() { rig.press (rig.centreOf (*bell)); rig.release (rig.centreOf (*bell)); }

        /** Opens the menu and paints it, so every entry is drawn once. */
        std::vector<DrawnEntry> drawnMenu()
        {
            lookAndFeel.entries.clear();
            pressBell();
            auto* menu = WidgetRig::openMenu();
            if (menu == nullptr)
                return {};
            menu->createComponentSnapshot (menu->getLocalBounds());
            return lookAndFeel.entries;
        }

        void closeMenu()
        {
            juce::PopupMenu::dismissAllActiveMenus();
            WidgetRig::pumpUntil ([] { return WidgetRig::openMenu() == nullptr; });
        }

        RecordingLookAndFeel lookAndFeel;
        WidgetRig rig;
        std::unique_ptr<KV_NewsFeedComponent> bell = std::make_unique<KV_NewsFeedComponent> (juce::Colour (0xfff0e9de));
    };

    juce::Image paintedBadge (int count)
    {
        KV_NewsFeedComponent bell (juce::Colours::white);
        bell.setBounds (0, 0, 40, 40);
        bell.badge.unreadCount = count;
        return bell.badge.createComponentSnapshot (bell.badge.getLocalBounds());
    }

    int pixelsOf (const juce::Image& image, std::function<bool (juce::Colour)> matches)
    {
        int n = 0;
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                n += matches (image.getPixelAt (x, y)) ? 1 : 0;
        return n;
    }

    bool isBadgeRed (juce::Colour c) { return c.getAlpha() == 0xff && c.getRed() == 0xb2 && c.getGreen() == 0x2c; }
    bool isWhitish (juce::Colour c) { return c.getAlpha() > 0x80 && c.getRed() > 0xe0 && c.getGreen() > 0xc0 && c.getBlue() > 0xc0; }
}

TEST (NewsBell, BadgeShowsNothingAtZeroAndTheCountOnRedOtherwise)
{
    const auto empty = paintedBadge (0);
    EXPECT_EQ (pixelsOf (empty, [] (juce::Colour c) { return ! c.isTransparent(); }), 0);

    const auto seven = paintedBadge (7);
    EXPECT_TRUE (seven.getPixelAt (0, 0).isTransparent()) << "one pixel left clear around the badge";
    EXPECT_TRUE (isBadgeRed (seven.getPixelAt (2, 6)));
    EXPECT_GT (pixelsOf (seven, isWhitish), 3) << "the digit";
}

TEST (NewsBell, GeometryAtScaleOne)
{
    BellRig r;
    EXPECT_EQ (r.bell->badge.getBounds(), juce::Rectangle<int> (20, 4, 13, 13));

    r.bell->newsItems = { item (1, "Ours", "https://example.com/1", true), item (2, "Theirs", "https://example.com/2", false) };
    const auto entries = r.drawnMenu();
    ASSERT_EQ (entries.size(), 2u);
    EXPECT_EQ (entries[0].height, 30);
    EXPECT_EQ (entries[0].icon.getBounds(), juce::Rectangle<int> (0, 0, 15, 15));
    EXPECT_EQ (entries[1].height, 30);
    EXPECT_EQ (entries[1].icon.getBounds(), juce::Rectangle<int> (0, 0, 8, 8));
}

TEST (NewsBell, StarForThisPluginEvenWhenReadDotThenGreyForOthers)
{
    BellRig r;
    r.bell->newsItems = { item (5, "Ours, read", "https://example.com/5", true),
                          item (6, "Theirs, unread", "https://example.com/6", false),
                          item (7, "Theirs, read", "https://example.com/7", false) };
    r.bell->cachedNews.add (NewsCacheRecord { 5, true, true }, NewsCacheRecord { 7, true, false });

    const auto entries = r.drawnMenu();
    ASSERT_EQ (entries.size(), 3u);

    EXPECT_EQ (entries[0].text, "Ours, read");
    EXPECT_EQ (entries[0].icon.getPixelAt (7, 7), juce::Colour (0xffc8c842)) << "star";
    EXPECT_TRUE (entries[0].icon.getPixelAt (0, 0).isTransparent()) << "star, not a square";
    EXPECT_FALSE (entries[0].textColour.has_value());

    EXPECT_EQ (entries[1].icon.getPixelAt (4, 4), juce::Colour (0xff42a2c8)) << "dot";
    EXPECT_FALSE (entries[1].textColour.has_value());

    EXPECT_FALSE (entries[2].icon.isValid()) << "read: no icon";
    ASSERT_TRUE (entries[2].textColour.has_value());
    EXPECT_EQ (*entries[2].textColour, juce::Colour (0xffacacac));
}

TEST (NewsBell, TitlesAreShownWithoutControlCharacters)
{
    BellRig r;
    const auto title = juce::String ("New\r\nrelease\t") + juce::String::charToString (0x1b) + "[31m"
                       + juce::String::charToString (0x85) + juce::String (juce::CharPointer_UTF8 ("\xc3\xa9t\xc3\xa9"));
    r.bell->newsItems.add (item (1, title, "https://example.com/1", false));
    const auto entries = r.drawnMenu();
    ASSERT_EQ (entries.size(), 1u);
    EXPECT_EQ (entries[0].text, juce::String (juce::CharPointer_UTF8 ("Newrelease[31m\xc3\xa9t\xc3\xa9")));
}

TEST (NewsBell, MenuOpenedIsRaisedByTheTickAfterThePressEvenWithTheMenuClosed)
{
    BellRig r;
    r.pressBell();
    ASSERT_NE (WidgetRig::openMenu(), nullptr);
    EXPECT_TRUE (r.bell->isTimerRunning());
    EXPECT_EQ (r.bell->getTimerInterval(), 2000);

    r.closeMenu();
    EXPECT_FALSE (r.bell->menuOpened);
    EXPECT_TRUE (r.bell->isTimerRunning()) << "closing the menu does not stop the count";

    r.bell->timerCallback();
    EXPECT_TRUE (r.bell->menuOpened);
    EXPECT_FALSE (r.bell->isTimerRunning()) << "one tick per press";
}

TEST (NewsBell, APressWhileTheTimerRunsRestartsTheTwoSeconds)
{
    // The framework's timer has no clock of its own to set, so this one runs on real time.
    BellRig r;
    auto now = [] { return juce::Time::getMillisecondCounterHiRes(); };

    r.pressBell();
    r.closeMenu();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (1000);
    ASSERT_FALSE (r.bell->menuOpened);

    const auto secondPress = now();
    r.pressBell();
    r.closeMenu();

    while (! r.bell->menuOpened && now() - secondPress < 3500.0)
        juce::MessageManager::getInstance()->runDispatchLoopUntil (10);

    ASSERT_TRUE (r.bell->menuOpened);
    EXPECT_GE (now() - secondPress, 1950.0);
}

TEST (NewsBell, APressOnTheBadgeOpensNoMenu)
{
    BellRig r;
    r.bell->badge.unreadCount = 3;
    const auto onBadge = r.rig.centreOf (r.bell->badge);
    r.rig.press (onBadge);
    r.rig.release (onBadge);
    WidgetRig::settle();
    EXPECT_EQ (WidgetRig::openMenu(), nullptr);
    EXPECT_FALSE (r.bell->isTimerRunning());
}

TEST (NewsBell, HoverHelpUsesTheSharedBubbleAndLeavesTheMenuCountAlone)
{
    BellRig r;
    r.bell->helpEnabled = true;
    r.bell->helpText = "News";

    r.rig.moveTo (r.rig.centreOf (*r.bell));
    ASSERT_TRUE (r.bell->isTimerRunning());
    EXPECT_EQ (r.bell->getTimerInterval(), 500);
    r.bell->timerCallback();
    ASSERT_NE (r.bell->helpBubble, nullptr);
    EXPECT_EQ (r.bell->helpBubble->text, "News");
    EXPECT_TRUE (r.bell->helpBubble->isOnDesktop());
    EXPECT_FALSE (r.bell->menuOpened);

    r.pressBell();
    EXPECT_EQ (r.bell->helpBubble, nullptr) << "the bubble would cover the menu";
    r.closeMenu();
    r.rig.moveTo (r.rig.outside());
    r.rig.moveTo (r.rig.centreOf (*r.bell));
    EXPECT_EQ (r.bell->getTimerInterval(), 2000) << "hovering does not cancel the count to menuOpened";
    r.bell->timerCallback();
    EXPECT_TRUE (r.bell->menuOpened);
}

/** Bells whose choices reach a recording opener in a scratch folder instead of a browser. */
class NewsBellLinks : public ::testing::Test
{
protected:
    NewsBellLinks()
    {
        folder = makeFreshTempFolder ("quillmont-bell");
        opener = std::make_unique<RecordingOpener> (folder);
    }

    ~NewsBellLinks() override
    {
        opener.reset();
        folder.deleteRecursively();
    }

    /** Everything in the scratch folder but the opener and its log: what a command would leave. */
    juce::StringArray strayFiles() const
    {
        juce::StringArray names;
        for (const auto& f : folder.findChildFiles (juce::File::findFilesAndDirectories, false))
            if (! f.getFileName().startsWith ("recording-opener"))
                names.add (f.getFileName());
        return names;
    }

    juce::File folder;
    std::unique_ptr<RecordingOpener> opener;
};

TEST_F (NewsBellLinks, ChoosingAnItemOpensOnlyWellFormedWebAddresses)
{
    const juce::StringArray links {
        "https://example.com/news?id=1&utm_source=KVNPLG12G",
        "https://example.com/a'b\"c",
        "https://example.com/$(touch x)",
        "https://example.com/`touch x`",
        "file:///etc/passwd",
        "javascript:alert(1)",
        "https://example.com/a\nb",
        "http://example.com/b\x01;touch x",
        "http://example.com/plain",
    };

    BellRig r;
    for (int i = 0; i < links.size(); ++i)
        r.bell->newsItems.add (item (i + 1, "Item " + juce::String (i + 1), links[i], i % 2 == 0));

    for (int i = 0; i < links.size(); ++i)
    {
        r.pressBell();
        ASSERT_TRUE (r.rig.chooseMenuItem (i + 1)) << links[i];
        WidgetRig::settle();
    }

    juce::StringArray opened;
    opened.add (links[0]);
    opened.add (links[8]);
    EXPECT_EQ (opener->received(), opened);
    EXPECT_TRUE (strayFiles().isEmpty()) << strayFiles().joinIntoString (", ");
}

TEST_F (NewsBellLinks, NewsArrivingWhileTheEmptyMenuIsOpenOpensNothing)
{
    BellRig r;
    r.pressBell();
    ASSERT_NE (WidgetRig::openMenu(), nullptr);

    // The editor hands the news over while "No news to display" is showing.
    r.bell->newsItems = { item (1, "Fresh", "https://example.com/fresh", true) };
    ASSERT_TRUE (r.rig.chooseMenuItem (1));
    WidgetRig::settle();

    EXPECT_FALSE (opener->wasStarted());
}

TEST_F (NewsBellLinks, ABellDestroyedWithItsMenuOpenClosesItAndOpensNothing)
{
    BellRig r;
    r.bell->newsItems = { item (1, "News", "https://example.com/1", true) };
    r.pressBell();
    ASSERT_NE (WidgetRig::openMenu(), nullptr);
    // The highlighted item would be chosen by a return key that arrives too late.
    r.rig.key (juce::KeyPress (juce::KeyPress::downKey));

    r.bell.reset();
    EXPECT_TRUE (WidgetRig::pumpUntil ([] { return WidgetRig::openMenu() == nullptr; }));
    WidgetRig::settle();
    EXPECT_FALSE (opener->wasStarted());
}

TEST (NewsBell, Screenshot)
{
    KV_NewsFeedComponent bell (juce::Colour (0xfff0e9de));
    bell.setBounds (0, 0, 40, 40);
    bell.badge.unreadCount = 7;

    juce::Image shot (juce::Image::ARGB, 40, 40, true);
    {
        juce::Graphics g (shot);
        g.fillAll (juce::Colour (0xff3f3f3f));
        bell.paintEntireComponent (g, false);
    }

    // The glyph is drawn: accent-coloured pixels outside the badge.
    int glyph = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 20; ++x)
            glyph += shot.getPixelAt (x, y).getBrightness() > 0.6f ? 1 : 0;
    EXPECT_GT (glyph, 10);

    auto file = juce::File::getSpecialLocation (juce::File::currentExecutableFile)
                    .getSiblingFile ("services-screenshots").getChildFile ("news-bell-7.png");
    file.getParentDirectory().createDirectory();
    file.deleteFile();
    juce::FileOutputStream out (file);
    juce::PNGImageFormat().writeImageToStream (shot.rescaled (160, 160, juce::Graphics::lowResamplingQuality), out);
}
