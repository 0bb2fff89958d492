#include "services/KV_NewsFeedComponent.h"
#include "services/KV_NewsfeedProcessor.h"
#include "tests/support/FreshTempFolder.h"
#include "widgets/pluginLookAndFeel.h"

#include <benchmark/benchmark.h>

namespace
{
    // The message-thread work of one merge at the largest feed kept: write the cache, read it
    // back and count, as the news processor's tick and markAllNewsRead do.
    void newsCacheMergeAtLargestFeed (benchmark::State& state)
    {
        const auto folder = makeFreshTempFolder ("quillmont-news-bench");

        korvanth::KV_NewsfeedProcessor news;
        news.cacheFilePath = folder.getChildFile ("newsfeed.xml").getFullPathName();

        for (int i = 0; i < korvanth::KV_NewsfeedThread::maxNewsItems; ++i)
            news.newsItems.add ({ 100000 + i, "Title " + juce::String (i), "https://example.invalid/" + juce::String (i),
                                  "news", false, i % 2 == 0 });

        for (auto _ : state)
        {
            news.writeNewsCache (false);
            news.readNewsCache();
            news.countUnreadNews (true);
            benchmark::DoNotOptimize (news.unreadNewsCount);
        }

        folder.deleteRecursively();
    }
}

BENCHMARK (newsCacheMergeAtLargestFeed)->Unit (benchmark::kMicrosecond);

namespace
{
    // One opening of the news menu as a host shows it: the press on the bell builds the menu,
    // which opens inside the editor-sized window (where the plug-in's look-and-feel puts it)
    // and is laid out and painted once. Target: under 20 ms with 256 items of the longest title
    // a reply can leave. Arguments: the number of items and the characters per title; the last
    // case hands the bell a title longer than any reply leaves, so its own text building stays
    // linear. The menu asks for the mouse, so this runs under a display (xvfb-run).
    void openNewsMenu (benchmark::State& state)
    {
        juce::Component window;
        window.setBounds (0, 0, 700, 600);
        pluginLookAndFeel lookAndFeel (&window);
        window.setLookAndFeel (&lookAndFeel);

        korvanth::KV_NewsFeedComponent bell (juce::Colour (0xfff0e9de));
        window.addAndMakeVisible (bell);
        bell.setBounds (420, 10, 40, 40);

        const auto title = juce::String::repeatedString ("Headline ", (int) state.range (1) / 9 + 1)
                               .substring (0, (int) state.range (1));

        for (int i = 0; i < (int) state.range (0); ++i)
            bell.newsItems.add ({ i + 1, title, "https://example.invalid/" + juce::String (i), "news", false, i % 3 == 0 });

        const auto mouse = juce::Desktop::getInstance().getMainMouseSource();
        juce::Image frame (juce::Image::ARGB, window.getWidth(), window.getHeight(), true);

        for (auto _ : state)
        {
            const auto now = juce::Time::getCurrentTime();
            bell.mouseDown (juce::MouseEvent (mouse, { 20.0f, 20.0f }, {}, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f,
                                              &bell, &bell, now, { 20.0f, 20.0f }, now, 1, false));
            juce::Graphics g (frame);
            window.paintEntireComponent (g, true);
            benchmark::ClobberMemory();

            state.PauseTiming();
            if (window.getNumChildComponents() != 2)
                state.SkipWithError ("the menu did not open inside the window");

            juce::PopupMenu::dismissAllActiveMenus();
            juce::MessageManager::getInstance()->runDispatchLoopUntil (1);
            state.ResumeTiming();
        }

        window.setLookAndFeel (nullptr);
    }
}

BENCHMARK (openNewsMenu)->Args ({ 5, 60 })->Args ({ 256, 60 })->Args ({ 256, korvanth::KV_NewsfeedThread::maxTitleLength })->Args ({ 1, 200000 })
    ->Unit (benchmark::kMillisecond);
