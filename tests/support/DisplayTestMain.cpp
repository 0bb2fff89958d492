#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <X11/Xlib.h>

namespace
{
// A bare X server (xvfb without a window manager) lacks the atoms a window manager would have
// made, and the framework sets window properties with them; interning them first keeps the
// server from rejecting those requests. The connection stays open: a server resets, forgetting
// its atoms, when its last client leaves.
void internWindowManagerAtoms()
{
    auto* display = XOpenDisplay (nullptr);
    if (display == nullptr)
        return;

    for (auto* name : { "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING",
                        "WM_CHANGE_STATE", "WM_STATE", "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE",
                        "_NET_WM_STATE_HIDDEN", "_NET_WM_WINDOW_TYPE_NORMAL",
                        "_NET_WM_WINDOW_TYPE_COMBO", "_NET_WM_STATE_SKIP_TASKBAR",
                        "_NET_WM_STATE_ABOVE" })
        XInternAtom (display, name, False);

    XSync (display, False);
}
}

// For tests that open real windows: the framework up, this thread its message thread.
int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);
    internWindowManagerAtoms();
    juce::ScopedJuceInitialiser_GUI framework;
    return RUN_ALL_TESTS();
}
