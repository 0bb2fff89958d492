#pragma once

#include "services/KV_NewsfeedProcessor.h"
#include "services/LoopbackHttpServer.h"
#include "support/FreshTempFolder.h"

#include <juce_events/juce_events.h>

inline const juce::String testProductTag { "KVNPLG12G" };

/** A fresh folder standing in for the settings folder; removed with the object. */
struct ScratchFolder
{
    ScratchFolder() : folder (makeFreshTempFolder ("quillmont-news")) {}

    ~ScratchFolder() { folder.deleteRecursively(); }

    juce::File cacheFile() const { return folder.getChildFile ("newsfeed.xml"); }

    juce::File folder;
};

/** Pumps the message loop until the news processor has merged, or gives up after timeoutMs. */
inline bool waitUntilReady (const korvanth::KV_NewsfeedProcessor& news, int timeoutMs = 10000)
{
    const auto end = juce::Time::getMillisecondCounter() + static_cast<juce::uint32> (timeoutMs);

    while (! news.newsReady && juce::Time::getMillisecondCounter() < end)
        juce::MessageManager::getInstance()->runDispatchLoopUntil (20);

    return news.newsReady;
}

/** A news processor fetching from baseUrl and keeping its cache at cachePath, as the plug-in sets one up. */
inline std::unique_ptr<korvanth::KV_NewsfeedProcessor> startNews (const juce::String& baseUrl, const juce::String& cachePath)
{
    auto news = std::make_unique<korvanth::KV_NewsfeedProcessor>();
    news->newsThread.endpointOverride = korvanth::NewsServiceEndpoint { baseUrl, "feed", "reader:secret" };
    news->tickIntervalMs = 10;
    news->start (cachePath, testProductTag);
    return news;
}

/** One complete fetch and merge against a server that answers with reply. */
inline std::unique_ptr<korvanth::KV_NewsfeedProcessor> fetchAndMerge (const CannedReply& reply, const juce::String& cachePath)
{
    LoopbackHttpServer server (reply);
    auto news = startNews (server.getBaseUrl(), cachePath);
    waitUntilReady (*news);
    return news;
}
