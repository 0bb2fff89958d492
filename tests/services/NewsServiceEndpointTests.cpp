#include "services/NewsServiceEndpoint.h"

#include <gtest/gtest.h>

TEST (NewsServiceEndpoint, BuildsMadeHereTalkToThisMachineOnly)
{
    const auto endpoint = korvanth::NewsServiceEndpoint::fromBuild();
    const auto address = juce::URL (endpoint.baseUrl).getDomain();

    EXPECT_TRUE (address == "127.0.0.1" || address == "localhost" || address == "[::1]") << endpoint.baseUrl;
    EXPECT_TRUE (endpoint.baseUrl.startsWith ("http://")) << endpoint.baseUrl;
    EXPECT_TRUE (endpoint.credentials.isNotEmpty());
}
