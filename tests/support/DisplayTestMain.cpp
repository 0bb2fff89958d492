#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

// Last: Xlib's macros clash with names in the headers above.
#include "WindowManagerAtoms.h"

// For tests that open real windows: the framework up, this thread its message thread.
int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);
    internWindowManagerAtoms();
    juce::ScopedJuceInitialiser_GUI framework;
    return RUN_ALL_TESTS();
}
