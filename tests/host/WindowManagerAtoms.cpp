// The host's and the plug-in's framework look up WM_PROTOCOLS and its siblings without creating
// them, and hand a missing atom (0) to the X server when they open a window. A bare virtual
// display has no window manager to have made them, and the X error ends the process; so they are
// made here, before main, as the display tests' own main does.
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
