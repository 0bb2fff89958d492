#pragma once

#include <juce_core/juce_core.h>

/** The outcome of one exchange of a KV_WebRequest. */
struct KV_WebResponse
{
    juce::Result result = juce::Result::ok();
    juce::StringPairArray responseHeaders { true };
    juce::var json;
    juce::String responseText;
    int32_t statusCode = 0;
};
