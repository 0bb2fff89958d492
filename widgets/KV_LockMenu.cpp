#include "widgets/KV_LockMenu.h"

namespace korvanth
{
juce::PopupMenu KV_LockMenu::build (juce::Component& widget, bool parameterLocked)
{
    juce::PopupMenu menu;
    menu.setLookAndFeel (&widget.getLookAndFeel());
    menu.addItem (lockParameterId, "Lock parameter", true, parameterLocked);
    menu.addItem (unlockAllId, "Unlock All", true, false);
    return menu;
}
} // namespace korvanth
