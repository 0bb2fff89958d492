#include "services/NewsfeedTestSupport.h"

#include <gtest/gtest.h>

using korvanth::KV_NewsfeedProcessor;

namespace
{
    const juce::String campaign { "?utm_source=KVNPLG12G&utm_medium=newsfeed&utm_campaign=plugin_newsfeed" };

    const juce::String twoItems { R"([
        { "id": 3, "title": "Quillmont 1.1", "url": "https://example.invalid/q", "tags": "KVNPLG12G" },
        { "id": 2, "title": "Winter sale", "url": "https://example.invalid/s", "tags": "news" }
    ])" };

    struct CachedItem { int id; juce::String read; juce::String forThisPlugin; };

    std::vector<CachedItem> readCacheFile (const juce::File& file)
    {
        std::vector<CachedItem> items;

        if (auto root = juce::XmlDocument::parse (file))
            for (auto* e : root->getChildIterator())
                items.push_back ({ e->getIntAttribute ("newsID"), e->getStringAttribute ("newsRead"),
                                   e->getStringAttribute ("isForThisPlugin") });

        return items;
    }

    void writeCacheFile (const juce::File& file, std::initializer_list<std::pair<int, bool>> records)
    {
        juce::XmlElement root ("NEWSFEED");

        for (auto [id, read] : records)
        {
            auto* e = root.createNewChildElement ("NEWS_ITEM");
            e->setAttribute ("newsID", id);
            e->setAttribute ("newsRead", read ? "1" : "0");
            e->setAttribute ("isForThisPlugin", "0");
        }

        ASSERT_TRUE (root.writeTo (file));
    }
}

TEST (Newsfeed, KeepsOnlyItemsForThisPluginOrGeneralNews)
{
    ScratchFolder scratch;
    const auto news = fetchAndMerge ({ 200, R"([
        { "id": 1, "title": "ours", "url": "u1", "tags": "KVNPLG12G" },
        { "id": 2, "title": "general", "url": "u2", "tags": "news" },
        { "id": 3, "title": "wrong case", "url": "u3", "tags": "News" },
        { "id": 4, "title": "featured", "url": "u4", "tags": "featured" },
        { "id": 5, "title": "two tags", "url": "u5", "tags": "KVNPLG12G,news" },
        { "id": 6, "title": "untagged", "url": "u6" },
        { "id": 7, "title": "another plug-in", "url": "u7", "tags": "KVNPLG99X" }
    ])" }, scratch.cacheFile().getFullPathName());

    ASSERT_TRUE (news->newsReady);
    ASSERT_EQ (news->newsItems.size(), 2);
    EXPECT_EQ (news->newsItems[0].title, "ours");
    EXPECT_TRUE (news->newsItems[0].isForThisPlugin);
    EXPECT_EQ (news->newsItems[1].title, "general");
    EXPECT_FALSE (news->newsItems[1].isForThisPlugin);
    EXPECT_FALSE (news->newsItems[0].newsRead);
    EXPECT_EQ (news->newsItems[0].tags, "KVNPLG12G");
}

TEST (Newsfeed, EveryLinkGetsTheCampaignQuery)
{
    ScratchFolder scratch;
    const auto news = fetchAndMerge ({ 200, R"([
        { "title": "no id", "url": "https://example.invalid/a", "tags": "news" },
        { "id": 8, "title": "no url", "tags": "news" },
        { "id": 9, "title": "has query", "url": "https://example.invalid/b?ref=x", "tags": "news" }
    ])" }, scratch.cacheFile().getFullPathName());

    ASSERT_EQ (news->newsItems.size(), 3);
    EXPECT_EQ (news->newsItems[0].newsID, 0);
    EXPECT_EQ (news->newsItems[0].url, "https://example.invalid/a" + campaign);
    EXPECT_EQ (news->newsItems[1].url, campaign);
    EXPECT_EQ (news->newsItems[2].url, "https://example.invalid/b?ref=x" + campaign);
}

TEST (Newsfeed, RefusedRepliesKeepNothing)
{
    const std::vector<CannedReply> refused {
        { 404, twoItems },
        { 200, R"({ "id": 1, "tags": "news" })" },
        { 200, "[]" },
        { 200, "" },
        { 200, "not json" },
        { 500, "" },
    };

    for (const auto& reply : refused)
    {
        ScratchFolder scratch;
        const auto news = fetchAndMerge (reply, scratch.cacheFile().getFullPathName());

        ASSERT_TRUE (news->newsReady) << reply.status << " " << reply.body;
        EXPECT_TRUE (news->newsItems.isEmpty()) << reply.status << " " << reply.body;
        EXPECT_EQ (news->unreadNewsCount, 0);
        EXPECT_TRUE (readCacheFile (scratch.cacheFile()).empty());
        EXPECT_TRUE (scratch.cacheFile().loadFileAsString().contains ("<NEWSFEED/>"));
    }
}

TEST (Newsfeed, NoConnectionStillFinishesWithAnEmptyFeed)
{
    ScratchFolder scratch;
    auto news = startNews ("http://127.0.0.1:" + juce::String (LoopbackHttpServer::findClosedPort()),
                           scratch.cacheFile().getFullPathName());

    ASSERT_TRUE (waitUntilReady (*news));
    EXPECT_TRUE (news->newsItems.isEmpty());
    EXPECT_FALSE (news->hasUnreadNews);
    EXPECT_TRUE (scratch.cacheFile().existsAsFile());
}

TEST (Newsfeed, FirstRunWritesTheCacheWithEveryItemUnread)
{
    ScratchFolder scratch;
    const auto news = fetchAndMerge ({ 200, twoItems }, scratch.cacheFile().getFullPathName());

    EXPECT_EQ (news->unreadNewsCount, 2);
    EXPECT_TRUE (news->hasUnreadNews);
    ASSERT_EQ (news->cachedNews.size(), 2);

    const auto cached = readCacheFile (scratch.cacheFile());
    ASSERT_EQ (cached.size(), 2u);
    EXPECT_EQ (cached[0].id, 3);
    EXPECT_EQ (cached[0].read, "0");
    EXPECT_EQ (cached[0].forThisPlugin, "1");
    EXPECT_EQ (cached[1].id, 2);
    EXPECT_EQ (cached[1].forThisPlugin, "0");

    const auto text = scratch.cacheFile().loadFileAsString();
    EXPECT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<NEWSFEED>\r\n")) << text;
    EXPECT_TRUE (text.contains ("<NEWS_ITEM newsID=\"3\" newsRead=\"0\" isForThisPlugin=\"1\"/>")) << text;
}

TEST (Newsfeed, SameCountAndFirstItemCountsTheCachesUnreadRecords)
{
    ScratchFolder scratch;
    writeCacheFile (scratch.cacheFile(), { { 3, true }, { 9, false } });

    const auto news = fetchAndMerge ({ 200, twoItems }, scratch.cacheFile().getFullPathName());

    // Only the first id and the count are compared, so the cache's unread record 9 counts.
    EXPECT_EQ (news->unreadNewsCount, 1);
    EXPECT_TRUE (news->hasUnreadNews);
}

TEST (Newsfeed, ChangedFeedCountsItemsTheCacheDoesNotKnow)
{
    ScratchFolder scratch;
    writeCacheFile (scratch.cacheFile(), { { 3, true }, { 2, true } });
    const auto before = scratch.cacheFile().loadFileAsString();

    const auto news = fetchAndMerge ({ 200, R"([
        { "id": 5, "title": "new", "url": "u", "tags": "news" },
        { "id": 3, "title": "old", "url": "u", "tags": "KVNPLG12G" },
        { "id": 2, "title": "old", "url": "u", "tags": "news" }
    ])" }, scratch.cacheFile().getFullPathName());

    EXPECT_EQ (news->unreadNewsCount, 1);
    EXPECT_TRUE (news->hasUnreadNews);
    EXPECT_EQ (scratch.cacheFile().loadFileAsString(), before);
}

TEST (Newsfeed, MarkAllNewsReadLeavesOnlyTheCurrentItemsAllRead)
{
    ScratchFolder scratch;
    writeCacheFile (scratch.cacheFile(), { { 99, false } });

    const auto news = fetchAndMerge ({ 200, twoItems }, scratch.cacheFile().getFullPathName());
    ASSERT_EQ (news->unreadNewsCount, 2);

    news->markAllNewsRead();

    EXPECT_EQ (news->unreadNewsCount, 0);
    EXPECT_FALSE (news->hasUnreadNews);

    const auto cached = readCacheFile (scratch.cacheFile());
    ASSERT_EQ (cached.size(), 2u);
    EXPECT_EQ (cached[0].id, 3);
    EXPECT_EQ (cached[1].id, 2);
    EXPECT_EQ (cached[0].read, "1");
    EXPECT_EQ (cached[1].read, "1");
    ASSERT_EQ (news->cachedNews.size(), 2);
    EXPECT_TRUE (news->cachedNews[0].newsRead);
}

TEST (Newsfeed, CacheOfAnotherFormatGivesNoRecords)
{
    ScratchFolder scratch;
    scratch.cacheFile().replaceWithText (R"(<OTHERFEED><NEWS_ITEM newsID="3" newsRead="1"/></OTHERFEED>)");

    const auto news = fetchAndMerge ({ 200, twoItems }, scratch.cacheFile().getFullPathName());

    EXPECT_TRUE (news->cachedNews.isEmpty());
    EXPECT_EQ (news->unreadNewsCount, 2);

    ScratchFolder garbled;
    garbled.cacheFile().replaceWithText ("\x01\x02 not xml <<<");
    const auto again = fetchAndMerge ({ 200, twoItems }, garbled.cacheFile().getFullPathName());

    EXPECT_TRUE (again->cachedNews.isEmpty());
    EXPECT_EQ (again->unreadNewsCount, 2);
}

TEST (Newsfeed, CacheElementNamesMatchIgnoringCase)
{
    ScratchFolder scratch;
    scratch.cacheFile().replaceWithText (R"(<newsfeed><news_item newsID="3" newsRead="1"/><other newsID="4"/>)"
                                         R"(<news_item newsID="2" newsRead="1"/></newsfeed>)");

    const auto news = fetchAndMerge ({ 200, twoItems }, scratch.cacheFile().getFullPathName());

    ASSERT_EQ (news->cachedNews.size(), 2);
    EXPECT_EQ (news->cachedNews[1].newsID, 2);
    EXPECT_EQ (news->unreadNewsCount, 0);
}

TEST (Newsfeed, FolderInPlaceOfTheCacheIsLeftAlone)
{
    ScratchFolder scratch;
    ASSERT_TRUE (scratch.cacheFile().createDirectory());

    const auto news = fetchAndMerge ({ 200, twoItems }, scratch.cacheFile().getFullPathName());

    ASSERT_TRUE (news->newsReady);
    EXPECT_EQ (news->newsItems.size(), 2);
    EXPECT_TRUE (news->cachedNews.isEmpty());
    EXPECT_EQ (news->unreadNewsCount, 0);
    EXPECT_FALSE (news->hasUnreadNews);
    EXPECT_TRUE (scratch.cacheFile().isDirectory());

    news->markAllNewsRead();
    EXPECT_TRUE (scratch.cacheFile().isDirectory());
    EXPECT_EQ (scratch.folder.getNumberOfChildFiles (juce::File::findFiles), 0);
}

TEST (Newsfeed, MissingSettingsFolderWritesNothing)
{
    ScratchFolder scratch;
    const auto missing = scratch.folder.getChildFile ("absent").getChildFile ("newsfeed.xml");

    const auto news = fetchAndMerge ({ 200, twoItems }, missing.getFullPathName());

    ASSERT_TRUE (news->newsReady);
    EXPECT_EQ (news->unreadNewsCount, 0);
    EXPECT_FALSE (missing.getParentDirectory().exists());
}
