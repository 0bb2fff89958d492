#pragma once

#include "services/KV_NewsfeedThread.h"

#include <juce_events/juce_events.h>

#include <memory>

namespace korvanth
{
    /** Waits on the message thread for the news fetch, merges it with the cache file
        "newsfeed.xml" and counts the unread items; the editor reads the results directly. */
    class KV_NewsfeedProcessor : public juce::Timer
    {
    public:
        KV_NewsfeedProcessor() = default;
        ~KV_NewsfeedProcessor() override;

        /** The processor's set-up: cache path, product tag, then the fetch and the 500 ms tick. */
        void start (const juce::String& cacheFile, const juce::String& productTag);

        /** Stops the tick and the fetch for good; the owner calls it before anything else goes. */
        void stop();

        void timerCallback() override;

        void readNewsCache();
        void countUnreadNews (bool changed);
        void writeNewsCache (bool markAllRead);

        /** Rewrites the cache with every current item read and counts again. */
        void markAllNewsRead();

        /** How often the message thread looks for the finished fetch; tests that only wait
            for the merge look more often. Set before start. */
        int tickIntervalMs = 500;

        juce::CriticalSection cacheLock;
        KV_NewsfeedThread newsThread;
        juce::Array<NewsItem> newsItems;
        juce::Array<NewsCacheRecord> cachedNews;
        juce::String cacheFilePath;
        int32_t unreadNewsCount = 0;
        bool hasUnreadNews = false;
        bool newsReady = false;
        std::unique_ptr<juce::XmlElement> cacheXml;

    private:
        bool cacheFileExists() const;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_NewsfeedProcessor)
    };
}
