#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace korvanth
{
/** The parameter lock menu a widget opens: "Lock parameter" toggles the widget's
    parameterLocked flag, "Unlock All" raises its unlockAllRequested flag for the editor.

    The menu is shown asynchronously, its callback bound to the widget, so a widget deleted while
    its menu is open is never touched. Widget must have the public bools parameterLocked and
    unlockAllRequested and a static lockMenuCallback (int, Widget*) that forwards to apply.
*/
struct KV_LockMenu
{
    enum ItemIds
    {
        lockParameterId = 1,
        unlockAllId = 2
    };

    /** The menu's two items, drawn with the widget's look-and-feel. */
    static juce::PopupMenu build (juce::Component& widget, bool parameterLocked);

    template <typename Widget>
    static void show (Widget& widget)
    {
        build (widget, widget.parameterLocked)
            .showMenuAsync (juce::PopupMenu::Options().withTargetComponent (&widget),
                            juce::ModalCallbackFunction::forComponent (&Widget::lockMenuCallback, &widget));
    }

    /** The chosen item; 0 (dismissed) or a null widget (deleted meanwhile) changes nothing. */
    template <typename Widget>
    static void apply (int result, Widget* widget)
    {
        if (widget == nullptr)
            return;

        if (result == lockParameterId)
            widget->parameterLocked = ! widget->parameterLocked;
        else if (result == unlockAllId)
            widget->unlockAllRequested = true;
    }
};
} // namespace korvanth
