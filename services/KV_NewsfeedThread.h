#pragma once

#include "services/KV_WebRequest.h"
#include "services/NewsItem.h"
#include "services/NewsServiceEndpoint.h"

#include <atomic>
#include <optional>

namespace korvanth
{
    /** Fetches the news feed once, in the background, and keeps the items for this plug-in. */
    class KV_NewsfeedThread : public juce::Thread
    {
    public:
        /** The feed is a handful of items; more than this from the service is not news. */
        static constexpr int maxNewsItems = 256;

        /** Titles are cut to this many characters when the reply is read. A headline is one
            line of the bell's menu: real ones stay under about 100 characters, and 256 already
            runs wider than a screen at the menu's font, while the menu measures and draws every
            character of every title each time it opens. */
        static constexpr int maxTitleLength = 256;

        KV_NewsfeedThread();
        ~KV_NewsfeedThread() override;

        void run() override;

        /** The one request; called from run() only. */
        void fetchNews();

        /** What fetchNews() does with the outcome of its request: keeps the items of an accepted
            reply and marks the fetch done. Public so a reply can be checked without a server. */
        void takeReply (const KV_WebResponse& response);

        /** Aborts a request in flight and waits for the thread to end; safe to call again. */
        void stopFetching();

        juce::Array<NewsItem> newsItems;
        juce::String productTag;

        /** Set once the request has completed, whatever its outcome. Set with release ordering
            after the last item has been added, so a reader that sees it with acquire ordering
            sees every item. */
        std::atomic<bool> fetchDone { false };

        /** Tests point the fetch at their own server; the plug-in leaves it empty and uses the
            service the build was configured for. Set before the thread starts. */
        std::optional<NewsServiceEndpoint> endpointOverride;

    private:
        void keepItems (const juce::var& reply);

        KV_WebRequest::Canceller canceller;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_NewsfeedThread)
    };
}
