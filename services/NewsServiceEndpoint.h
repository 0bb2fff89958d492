#pragma once

#include <juce_core/juce_core.h>

#include <optional>

namespace korvanth
{
    /** Where the news feed is fetched from and how the request authenticates. */
    struct NewsServiceEndpoint
    {
        juce::String baseUrl;
        juce::String path;
        juce::String credentials;

        /** The service this build was configured for, unscrambled only when asked for. */
        static NewsServiceEndpoint fromBuild();

        /** The service every news thread without an endpoint of its own asks: the one set with
            overrideForProcess, or else the build's. */
        static NewsServiceEndpoint forProcess();

        /** Points every later fetch of this process at another service, so tests of a whole
            plug-in instance talk to their own server; nullopt restores the build's service. */
        static void overrideForProcess (std::optional<NewsServiceEndpoint> endpoint);
    };
}
