// JUCE 7.0.5 looks up WM_PROTOCOLS and its siblings without creating them and hands the missing atom (0) to the X
// server when it opens a window; a bare virtual display with no window manager has never seen
// those atoms, and the X error ends the process. Creating them before the framework starts is what
// any window manager would have done.
#include <X11/Xlib.h>

#include <cstdlib>
#include <initializer_list>

namespace
{
    struct WindowManagerAtoms
    {
        WindowManagerAtoms()
        {
            if (std::getenv ("DISPLAY") == nullptr)
                return;

            // Kept open: a virtual server that loses its last client resets and forgets its atoms.
            if (auto* display = XOpenDisplay (nullptr))
                for (auto* name : { "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING",
                                    "WM_CHANGE_STATE", "WM_STATE", "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE",
                                    "_NET_WM_STATE_HIDDEN" })
                    XInternAtom (display, name, False);
        }
    };

    const WindowManagerAtoms atoms;
}
