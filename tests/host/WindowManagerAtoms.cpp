// Both the host's and the plug-in's framework open windows on a bare virtual display, so the
// atoms are made before main, ahead of either.
#include "../support/WindowManagerAtoms.h"

namespace
{
    const bool atomsMade = (internWindowManagerAtoms(), true);
}
