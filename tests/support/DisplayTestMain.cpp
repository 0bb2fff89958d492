#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include "editor/WindowManagerAtoms.h"

// For tests that open real windows: the framework up, this thread its message thread. The tests
// open windows without an editor, so they make the atoms the editor would have made.
int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);
    juce::ScopedJuceInitialiser_GUI framework;
    ensureWindowManagerAtoms();
    return RUN_ALL_TESTS();
}
