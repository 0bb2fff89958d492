#include "editor/WindowManagerAtoms.h"

// Only X11 builds read this; it declares the framework's window system for this file alone.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include <juce_gui_basics/juce_gui_basics.h>

#include <algorithm>
#include <iterator>

// On a bare display (a CI machine's virtual server) nobody has made these, the framework hands
// the missing ones (0) to the server, and the BadAtom error that comes back ends a host that
// keeps Xlib's default error handler. They are made on the framework's own connection, which
// lives as long as its windows: a virtual server that loses its last client resets and forgets
// its atoms.
void ensureWindowManagerAtoms()
{
   #if JUCE_LINUX || JUCE_BSD
    using Atoms = juce::XWindowSystemUtilities::Atoms;

    auto* windowSystem = juce::XWindowSystem::getInstance();
    if (! windowSystem->isX11Available() || windowSystem->getDisplay() == nullptr)
        return;

    const auto& table = windowSystem->getAtoms();
    const Atom looked[] = { table.protocols, table.protocolList[Atoms::TAKE_FOCUS], table.protocolList[Atoms::DELETE_WINDOW],
                            table.protocolList[Atoms::PING], table.changeState, table.state, table.windowType,
                            table.windowState, table.windowStateHidden };
    static_assert (std::size (looked) == windowManagerAtomNames.size());

    if (std::none_of (std::begin (looked), std::end (looked), [] (Atom a) { return a == None; }))
        return;

    auto* display = windowSystem->getDisplay();
    juce::XWindowSystemUtilities::ScopedXLock xLock;

    for (auto* name : windowManagerAtomNames)
        Atoms::getCreating (display, name);

    // The framework offers its table read-only; the object itself is not const, and reading the
    // server again is what the framework's own start-up does.
    const_cast<Atoms&> (table) = Atoms (display);
   #endif
}
