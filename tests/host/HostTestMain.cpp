#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include "HostedPlugin.h"

int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);

    if (argc < 2)
    {
        std::cerr << "usage: " << argv[0] << " <path to The Quillmont.vst3>\n";
        return 2;
    }

    host::bundlePath() = juce::File (juce::String (juce::CharPointer_UTF8 (argv[1])));

    juce::ScopedJuceInitialiser_GUI framework;
    return RUN_ALL_TESTS();
}
