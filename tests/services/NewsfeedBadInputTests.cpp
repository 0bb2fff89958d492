#include "services/NewsfeedTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

TEST (NewsfeedBadInput, WrongTypesAndOutOfRangeIdsDoNotBreakTheFeed)
{
    ScratchFolder scratch;
    const auto news = fetchAndMerge ({ 200, R"([
        { "id": "42", "title": 5, "url": ["x"], "tags": "news" },
        { "id": 1e300, "title": "huge double", "tags": "news" },
        { "id": 4294967297, "title": "beyond 32 bits", "tags": "news" },
        { "id": "99999999999999999999", "title": "huge text", "tags": "news" },
        { "id": -2147483648, "title": "lowest", "tags": "news" },
        { "id": 12.7, "title": "fraction", "tags": "news" },
        { "id": {}, "title": "object id", "tags": "news" },
        "not an object", 17, null, [],
        { "id": 1, "title": "wrong tag type", "tags": ["news"] }
    ])" }, scratch.cacheFile().getFullPathName());

    ASSERT_TRUE (news->newsReady);
    ASSERT_EQ (news->newsItems.size(), 7);
    EXPECT_EQ (news->newsItems[0].newsID, 42);
    EXPECT_EQ (news->newsItems[0].title, "5");
    EXPECT_EQ (news->newsItems[1].newsID, 0);
    EXPECT_EQ (news->newsItems[2].newsID, 0);
    EXPECT_EQ (news->newsItems[3].newsID, 0);
    EXPECT_EQ (news->newsItems[4].newsID, -2147483647 - 1);
    EXPECT_EQ (news->newsItems[5].newsID, 12);
    EXPECT_EQ (news->newsItems[6].newsID, 0);
}

TEST (NewsfeedBadInput, ControlCharactersAndQuotesAreStoredAsTheyCame)
{
    ScratchFolder scratch;
    const auto news = fetchAndMerge ({ 200, R"([
        { "id": 1, "title": "a\u0001\"b\"\r\n<c> & 'd'", "url": "javascript:\"x\"\u0007", "tags": "news" }
    ])" }, scratch.cacheFile().getFullPathName());

    ASSERT_EQ (news->newsItems.size(), 1);
    EXPECT_EQ (news->newsItems[0].title, juce::String ("a\x01\"b\"\r\n<c> & 'd'"));
    EXPECT_TRUE (news->newsItems[0].url.startsWith ("javascript:\"x\"\x07?utm_source="));

    // The cache holds ids only and stays a valid document.
    const auto root = juce::XmlDocument::parse (scratch.cacheFile());
    ASSERT_NE (root, nullptr);
    EXPECT_EQ (root->getNumChildElements(), 1);
}

TEST (NewsfeedBadInput, AFloodOfItemsIsCappedAndCountedQuickly)
{
    juce::String reply ("[");

    for (int i = 0; i < 5000; ++i)
        reply << (i > 0 ? "," : "") << "{\"id\":" << i << ",\"title\":\"t\",\"url\":\"u\",\"tags\":\"news\"}";

    reply << "]";

    ScratchFolder scratch;
    const auto news = fetchAndMerge ({ 200, reply }, scratch.cacheFile().getFullPathName());

    ASSERT_TRUE (news->newsReady);
    EXPECT_EQ (news->newsItems.size(), korvanth::KV_NewsfeedThread::maxNewsItems);
    EXPECT_EQ (news->unreadNewsCount, korvanth::KV_NewsfeedThread::maxNewsItems);

    // The next run reads the full cache back: the same feed has nothing unread it did not have.
    const auto again = fetchAndMerge ({ 200, reply }, scratch.cacheFile().getFullPathName());
    ASSERT_TRUE (again->newsReady);
    EXPECT_EQ (again->cachedNews.size(), korvanth::KV_NewsfeedThread::maxNewsItems);
}

TEST (NewsfeedBadInput, OverlongTitlesAreCutWithoutSplittingACharacter)
{
    constexpr auto cap = korvanth::KV_NewsfeedThread::maxTitleLength;
    const auto accented = juce::String (juce::CharPointer_UTF8 ("\xc3\xa9"));
    const auto headline = juce::String::repeatedString ("Amp update ", 11);
    const auto pairAtTheCut = juce::String::repeatedString ("x", cap - 1) + "\\uD83D\\uDE00 and more";

    ScratchFolder scratch;
    const auto news = fetchAndMerge ({ 200, "[{ \"id\": 1, \"tags\": \"news\", \"title\": \"" + juce::String::repeatedString (accented, 200000) + "\" },"
                                            " { \"id\": 2, \"tags\": \"news\", \"title\": \"" + pairAtTheCut + "\" },"
                                            " { \"id\": 3, \"tags\": \"news\", \"title\": \"" + headline + "\" }]" },
                                     scratch.cacheFile().getFullPathName());

    ASSERT_EQ (news->newsItems.size(), 3);
    EXPECT_EQ (news->newsItems[0].title, juce::String::repeatedString (accented, cap));
    EXPECT_EQ (news->newsItems[1].title, juce::String::repeatedString ("x", cap - 1)) << "the pair goes whole";
    EXPECT_EQ (news->newsItems[2].title, headline);
}

TEST (NewsfeedBadInput, AHostileCacheFileGivesNoRecords)
{
    const juce::String twoItems { R"([{ "id": 3, "title": "a", "url": "u", "tags": "news" },
                                      { "id": 2, "title": "b", "url": "u", "tags": "news" }])" };

    // An entity would make the parser read another file; ids beyond 32 bits would overflow.
    ScratchFolder withEntity;
    withEntity.cacheFile().replaceWithText (R"(<?xml version="1.0"?><!DOCTYPE n [<!ENTITY e SYSTEM "/dev/zero">])"
                                            R"(<NEWSFEED><NEWS_ITEM newsID="3" newsRead="1">&e;</NEWS_ITEM></NEWSFEED>)");
    const auto news = fetchAndMerge ({ 200, twoItems }, withEntity.cacheFile().getFullPathName());
    ASSERT_TRUE (news->newsReady);
    EXPECT_TRUE (news->cachedNews.isEmpty());

    ScratchFolder hugeIds;
    hugeIds.cacheFile().replaceWithText (R"(<NEWSFEED><NEWS_ITEM newsID="99999999999999999999" newsRead="1"/></NEWSFEED>)");
    const auto again = fetchAndMerge ({ 200, twoItems }, hugeIds.cacheFile().getFullPathName());
    ASSERT_TRUE (again->newsReady);
    ASSERT_EQ (again->cachedNews.size(), 1);
    EXPECT_EQ (again->cachedNews[0].newsID, std::numeric_limits<int>::max());
}

TEST (NewsfeedBadInput, OversizedOrDeeplyNestedRepliesGiveAnEmptyFeed)
{
    const std::vector<juce::String> hostile {
        "[{\"id\":1,\"tags\":\"news\",\"title\":\"" + juce::String::repeatedString ("x", 2 * 1024 * 1024) + "\"}]",
        juce::String::repeatedString ("[", 500000) + juce::String::repeatedString ("]", 500000),
    };

    for (const auto& body : hostile)
    {
        ScratchFolder scratch;
        const auto news = fetchAndMerge ({ 200, body }, scratch.cacheFile().getFullPathName());

        ASSERT_TRUE (news->newsReady);
        EXPECT_TRUE (news->newsItems.isEmpty());
    }
}
