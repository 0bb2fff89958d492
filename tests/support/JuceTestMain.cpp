#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

// The plug-in's code expects the framework to be up and this thread to be the message thread.
int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);
    juce::ScopedJuceInitialiser_GUI framework;
    return RUN_ALL_TESTS();
}
