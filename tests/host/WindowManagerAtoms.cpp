// This host's own framework opens windows before any editor could make the atoms, so: before main.
#include <X11/Xlib.h>

#include <cstdlib>

#include "editor/WindowManagerAtoms.h"

namespace
{
    bool makeWindowManagerAtoms()
    {
        if (std::getenv ("DISPLAY") == nullptr)
            return false;

        // Left open: a virtual server that loses its last client resets and forgets its atoms.
        auto* display = XOpenDisplay (nullptr);
        if (display == nullptr)
            return false;

        for (auto* name : windowManagerAtomNames)
            XInternAtom (display, name, False);

        XSync (display, False);
        return true;
    }

    const bool atomsMade = makeWindowManagerAtoms();
}
