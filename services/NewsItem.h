#pragma once

#include <juce_core/juce_core.h>

/** One entry of the news feed as fetched. */
struct NewsItem
{
    int32_t newsID = 0;
    juce::String title;
    juce::String url;
    juce::String tags;
    bool newsRead = false;
    bool isForThisPlugin = false;
};

/** One entry of the news feed as the cache file remembers it. */
struct NewsCacheRecord
{
    int32_t newsID = 0;
    bool newsRead = false;
    bool isForThisPlugin = false;
};
