#include "services/KV_NewsfeedProcessor.h"
#include "services/SafeXml.h"

#include <unordered_set>

namespace korvanth
{
    KV_NewsfeedProcessor::~KV_NewsfeedProcessor()
    {
        // No tick may run while the members below go away.
        stopTimer();
    }

    void KV_NewsfeedProcessor::stop()
    {
        stopTimer();
        newsThread.stopFetching();
    }

    void KV_NewsfeedProcessor::start (const juce::String& cacheFile, const juce::String& productTag)
    {
        cacheFilePath = cacheFile;
        newsThread.productTag = productTag;
        newsThread.startThread();
        startTimer (tickIntervalMs);
    }

    bool KV_NewsfeedProcessor::cacheFileExists() const
    {
        return juce::File::isAbsolutePath (cacheFilePath) && juce::File (cacheFilePath).existsAsFile();
    }

    void KV_NewsfeedProcessor::timerCallback()
    {
        if (! newsThread.fetchDone.load (std::memory_order_acquire))
            return;

        newsItems = newsThread.newsItems;
        bool changed = false;

        if (! cacheFileExists())
        {
            writeNewsCache (false);
            readNewsCache();
        }
        else
        {
            readNewsCache();
            const auto firstFetchedId = newsItems.isEmpty() ? 0 : newsItems.getReference (0).newsID;
            const auto firstCachedId = cachedNews.isEmpty() ? 0 : cachedNews.getReference (0).newsID;
            changed = newsItems.size() != cachedNews.size() || firstFetchedId != firstCachedId;
        }

        countUnreadNews (changed);
        newsReady = true;
        stopTimer();
    }

    void KV_NewsfeedProcessor::writeNewsCache (bool markAllRead)
    {
        const juce::ScopedLock sl (cacheLock);

        // A folder in the file's place stays as it is; a relative path names no file of ours.
        if (! juce::File::isAbsolutePath (cacheFilePath) || juce::File (cacheFilePath).isDirectory())
            return;

        juce::XmlElement root ("NEWSFEED");

        for (const auto& item : newsItems)
        {
            auto* element = root.createNewChildElement ("NEWS_ITEM");
            element->setAttribute ("newsID", item.newsID);
            element->setAttribute ("newsRead", (markAllRead || item.newsRead) ? "1" : "0");
            element->setAttribute ("isForThisPlugin", item.isForThisPlugin ? "1" : "0");
        }

        root.writeTo (juce::File (cacheFilePath));
    }

    void KV_NewsfeedProcessor::readNewsCache()
    {
        const juce::ScopedLock sl (cacheLock);

        if (! cacheFileExists())
            return;

        cachedNews.clear();
        // The cache is a file on disk like any other: read it as defensively as a preset.
        cacheXml = SafeXml::parseFile (juce::File (cacheFilePath), 1 + KV_NewsfeedThread::maxNewsItems);

        // An unreadable file or a foreign root leaves no records.
        if (cacheXml == nullptr || ! cacheXml->getTagName().equalsIgnoreCase ("NEWSFEED"))
            return;

        for (auto* element : cacheXml->getChildIterator())
            if (element->getTagName().equalsIgnoreCase ("NEWS_ITEM"))
                cachedNews.add ({ SafeXml::readInt (*element, "newsID", 0),
                                  element->getBoolAttribute ("newsRead"),
                                  element->getBoolAttribute ("isForThisPlugin") });
    }

    void KV_NewsfeedProcessor::countUnreadNews (bool changed)
    {
        if (! cacheFileExists())
            return;

        unreadNewsCount = 0;

        if (! changed)
        {
            for (const auto& record : cachedNews)
                if (! record.newsRead)
                    ++unreadNewsCount;
        }
        else
        {
            std::unordered_set<int32_t> cachedIds;

            for (const auto& record : cachedNews)
                cachedIds.insert (record.newsID);

            for (const auto& item : newsItems)
                if (cachedIds.count (item.newsID) == 0)
                    ++unreadNewsCount;
        }

        hasUnreadNews = unreadNewsCount > 0;
    }

    void KV_NewsfeedProcessor::markAllNewsRead()
    {
        const juce::ScopedLock sl (cacheLock);

        writeNewsCache (true);
        hasUnreadNews = false;
        readNewsCache();
        countUnreadNews (false);
    }
}
