#pragma once

#include <juce_core/juce_core.h>

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
    };
}
