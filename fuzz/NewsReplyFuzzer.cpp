// The news service's reply: the body of a 200 answer, from whoever answers at that address. It goes
// through the same parsing, filtering and cache merge as a fetched feed, the cache in the sandbox.

#include "fuzz/FuzzSupport.h"

#include "services/KV_NewsfeedProcessor.h"

namespace
{
    const juce::String productTag = "KVNPLG12G";

    // One plug-in session: the reply arrives, the timer merges it with the cache file.
    std::unique_ptr<korvanth::KV_NewsfeedProcessor> mergeReply (const KV_WebResponse& reply, const juce::File& cache)
    {
        auto news = std::make_unique<korvanth::KV_NewsfeedProcessor>();
        news->cacheFilePath = cache.getFullPathName();
        news->newsThread.productTag = productTag;
        news->newsThread.takeReply (reply);
        news->timerCallback();
        fuzzing::require (news->newsReady);
        return news;
    }

    // The cache remembers exactly the fetched items, in their order.
    void requireCacheHoldsItems (const korvanth::KV_NewsfeedProcessor& news)
    {
        fuzzing::require (news.cachedNews.size() == news.newsItems.size());

        for (int i = 0; i < news.newsItems.size(); ++i)
        {
            const auto& item = news.newsItems.getReference (i);
            const auto& record = news.cachedNews.getReference (i);
            fuzzing::require (record.newsID == item.newsID);
            fuzzing::require (record.isForThisPlugin == item.isForThisPlugin);
            fuzzing::require (! record.newsRead);
        }
    }
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size > static_cast<size_t> (KV_WebRequest::maxReplyBytes))
        return -1;

    auto& sandbox = fuzzing::sandbox();
    const auto cache = sandbox.settingsFolder().getChildFile ("newsfeed.xml");
    cache.deleteFile();

    // Never performed: the body is handed over as a finished exchange would hand it.
    KV_WebRequest request ("http://127.0.0.1/");
    request.response.statusCode = 200;
    request.takeReplyBody (data, size);

    // First session: no cache yet, so every kept item is new and unread.
    auto first = mergeReply (request.response, cache);
    const auto& items = first->newsItems;
    fuzzing::require (items.size() <= korvanth::KV_NewsfeedThread::maxNewsItems);
    fuzzing::require (request.response.result.wasOk() || items.isEmpty());

    const auto campaign = "?utm_source=" + productTag + "&utm_medium=newsfeed&utm_campaign=plugin_newsfeed";

    for (const auto& item : items)
    {
        fuzzing::require (item.tags == productTag || item.tags == "news");
        fuzzing::require (item.isForThisPlugin == (item.tags == productTag));
        fuzzing::require (item.url.endsWith (campaign));
        fuzzing::require (! item.newsRead);
        fuzzing::require (item.title.length() <= korvanth::KV_NewsfeedThread::maxTitleLength);
    }

    fuzzing::require (cache.existsAsFile());
    requireCacheHoldsItems (*first);
    fuzzing::require (first->unreadNewsCount == items.size());
    fuzzing::require (first->hasUnreadNews == ! items.isEmpty());

    // The next session gets the same reply and finds every item in the cache, still unread.
    // (Marking them read rewrites the same document through the same writer; replacing the file
    // on every input would slow the search down threefold.)
    auto second = mergeReply (request.response, cache);
    fuzzing::require (second->newsItems.size() == items.size());
    requireCacheHoldsItems (*second);
    fuzzing::require (second->unreadNewsCount == items.size());

    return 0;
}
