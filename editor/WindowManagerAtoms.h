#pragma once

#include <array>

/** The atoms that the framework expects a window manager to have made: it looks them up
    without creating them and puts them on every window it opens. */
inline constexpr std::array<const char*, 9> windowManagerAtomNames {
    "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING", "WM_CHANGE_STATE",
    "WM_STATE", "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE", "_NET_WM_STATE_HIDDEN"
};

/** Makes sure the X server has those atoms and that the framework's own table of them is
    current. Call it on the message thread before the plug-in opens its first window. Does
    nothing away from X11 or without a display.
*/
void ensureWindowManagerAtoms();
