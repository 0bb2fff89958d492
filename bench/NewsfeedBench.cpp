#include "services/KV_NewsfeedProcessor.h"

#include <benchmark/benchmark.h>

namespace
{
    // The message-thread work of one merge at the largest feed kept: write the cache, read it
    // back and count, as the news processor's tick and markAllNewsRead do.
    void newsCacheMergeAtLargestFeed (benchmark::State& state)
    {
        const auto folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                                .getChildFile ("quillmont-news-bench-" + juce::Uuid().toString());
        folder.createDirectory();

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
