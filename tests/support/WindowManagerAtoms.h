#pragma once

#include <X11/Xlib.h>

#include <cstdlib>
#include <initializer_list>

/** The framework looks up WM_PROTOCOLS and its siblings without creating them, and hands a
    missing atom (0) to the X server when it opens a window. A bare virtual display has no window
    manager to have made them, and the X error ends the process; so tests that open windows make
    them first. The connection stays open: a virtual server that loses its last client resets and
    forgets its atoms.
*/
inline void internWindowManagerAtoms()
{
    if (std::getenv ("DISPLAY") == nullptr)
        return;

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
