#include "services/KV_NewsfeedThread.h"

#include <cmath>
#include <limits>

namespace korvanth
{
    namespace
    {
        constexpr int64_t lowestId = std::numeric_limits<int32_t>::min();
        constexpr int64_t highestId = std::numeric_limits<int32_t>::max();

        int32_t idInRangeOrZero (int64_t value)
        {
            return (value < lowestId || value > highestId) ? 0 : static_cast<int32_t> (value);
        }

        // The framework's own conversion overflows on large numbers and on numeric text;
        // an id that does not fit in 32 bits reads as 0, like a missing one.
        int32_t readNewsId (const juce::var& value)
        {
            if (value.isInt() || value.isBool())
                return static_cast<int32_t> (static_cast<int> (value));

            if (value.isInt64())
                return idInRangeOrZero (static_cast<juce::int64> (value));

            if (value.isDouble())
            {
                const auto number = static_cast<double> (value);

                if (! std::isfinite (number) || number <= static_cast<double> (lowestId) - 1.0
                                             || number >= static_cast<double> (highestId) + 1.0)
                    return 0;

                return static_cast<int32_t> (number);
            }

            if (value.isString())
            {
                const auto text = value.toString().trimStart();
                const auto negative = text.startsWithChar ('-');
                const auto digits = text.substring (negative || text.startsWithChar ('+') ? 1 : 0)
                                        .initialSectionContainingOnly ("0123456789")
                                        .trimCharactersAtStart ("0");

                if (digits.length() > 10)
                    return 0;

                const auto magnitude = digits.getLargeIntValue();
                return idInRangeOrZero (negative ? -magnitude : magnitude);
            }

            return 0;
        }

        // Cut by characters, so no UTF-8 sequence is split; the reader keeps a surrogate pair
        // from a \u escape as two characters, and a high one left without its partner goes too.
        juce::String titleOfAtMostMaxLength (const juce::String& title)
        {
            auto end = title.getCharPointer();

            for (int i = 0; i < KV_NewsfeedThread::maxTitleLength; ++i)
            {
                if (end.isEmpty())
                    return title;

                ++end;
            }

            if (end.isEmpty())
                return title;

            auto last = end;
            --last;

            if (*last >= 0xd800 && *last <= 0xdbff)
                end = last;

            return { title.getCharPointer(), end };
        }
    }

    KV_NewsfeedThread::KV_NewsfeedThread()
        : juce::Thread ("Newsfeed Thread")
    {
    }

    KV_NewsfeedThread::~KV_NewsfeedThread()
    {
        stopFetching();
    }

    void KV_NewsfeedThread::stopFetching()
    {
        // Abort a request in flight rather than hold the host for a stalled server; the
        // time-out is only the last resort should the connection not notice the abort.
        signalThreadShouldExit();
        canceller.cancel();
        stopThread (14000);
    }

    void KV_NewsfeedThread::run()
    {
        while (! threadShouldExit())
        {
            if (fetchDone.load (std::memory_order_acquire))
                break;

            fetchNews();
            wait (500);
        }
    }

    void KV_NewsfeedThread::fetchNews()
    {
        const auto service = endpointOverride.has_value() ? *endpointOverride : NewsServiceEndpoint::forProcess();

        KV_WebRequest request (service.baseUrl);
        request.canceller = &canceller;
        request.setHeader ("Content-Type", "application/json");
        request.setHeader ("Authorization", "Basic " + juce::Base64::toBase64 (service.credentials));

        auto feedRequest = request.makeGetRequest (service.path);
        takeReply (feedRequest.perform());
    }

    void KV_NewsfeedThread::takeReply (const KV_WebResponse& response)
    {
        if (response.statusCode == 200 && response.json.isArray() && response.json.size() > 0)
            keepItems (response.json);

        fetchDone.store (true, std::memory_order_release);
    }

    void KV_NewsfeedThread::keepItems (const juce::var& reply)
    {
        const auto campaign = "?utm_source=" + productTag + "&utm_medium=newsfeed&utm_campaign=plugin_newsfeed";

        for (const auto& element : *reply.getArray())
        {
            if (newsItems.size() >= maxNewsItems)
                break;

            NewsItem item;
            item.newsID = readNewsId (element["id"]);
            item.title = titleOfAtMostMaxLength (element["title"].toString());
            item.url = element["url"].toString() + campaign;
            item.tags = element["tags"].toString();
            item.newsRead = false;
            item.isForThisPlugin = item.tags == productTag;

            if (item.isForThisPlugin || item.tags == "news")
                newsItems.add (item);
        }
    }
}
