#pragma once

// Include after the framework's headers: Xlib's macros clash with names in them.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <unistd.h>

#include <cstdint>
#include <vector>

/** What the X server shows of this process: the top-level windows that carry this process's id
    and are viewable (mapped, on a mapped parent), bottom to top as the server stacks them.
    Component flags can say "hidden" while the server maps the window, so the tests ask the
    server. Run the message loop first so the framework's requests have reached it.
*/
inline std::vector<std::uintptr_t> viewableWindowsOfThisProcess()
{
    std::vector<std::uintptr_t> windows;

    auto* display = XOpenDisplay (nullptr);
    if (display == nullptr)
        return windows;

    XSync (display, False);
    const auto pidAtom = XInternAtom (display, "_NET_WM_PID", True);

    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;

    if (pidAtom != None && XQueryTree (display, DefaultRootWindow (display), &root, &parent, &children, &count) != 0)
    {
        for (unsigned int i = 0; i < count; ++i)
        {
            XWindowAttributes attributes {};
            if (XGetWindowAttributes (display, children[i], &attributes) == 0 || attributes.map_state != IsViewable)
                continue;

            Atom type = None;
            int format = 0;
            unsigned long items = 0, remaining = 0;
            unsigned char* data = nullptr;

            if (XGetWindowProperty (display, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                                    &items, &remaining, &data) == Success
                && data != nullptr && format == 32 && items == 1
                && *reinterpret_cast<unsigned long*> (data) == static_cast<unsigned long> (getpid()))
            {
                windows.push_back (static_cast<std::uintptr_t> (children[i]));
            }

            if (data != nullptr)
                XFree (data);
        }
    }

    if (children != nullptr)
        XFree (children);

    XCloseDisplay (display);
    return windows;
}

/** What a window manager sends when the person presses a window's close button. */
inline void askWindowToClose (std::uintptr_t window)
{
    auto* display = XOpenDisplay (nullptr);
    if (display == nullptr)
        return;

    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window> (window);
    event.xclient.message_type = XInternAtom (display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long> (XInternAtom (display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent (display, static_cast<Window> (window), False, NoEventMask, &event);
    XSync (display, False);
    XCloseDisplay (display);
}

/** A left click at a point of the screen, delivered by the X server to whichever window is on
    top there, as a person's click is. */
inline void clickOnScreen (int x, int y)
{
    auto* display = XOpenDisplay (nullptr);
    if (display == nullptr)
        return;

    XTestFakeMotionEvent (display, -1, x, y, CurrentTime);
    XTestFakeButtonEvent (display, 1, True, CurrentTime);
    XTestFakeButtonEvent (display, 1, False, CurrentTime);
    XSync (display, False);
    XCloseDisplay (display);
}
