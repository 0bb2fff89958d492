#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace korvanth
{
/** Moving a widget in the editor's layout-edit mode: dragged with the mouse inside its parent
    (the widget's own juce::ComponentDragger and constrainer), or nudged a pixel at a time with the
    arrow keys.
*/
struct KV_EditMode
{
    /** Asks the constrainer to keep the whole widget inside its parent while it is dragged. */
    static void keepInsideParent (juce::Component& widget, juce::ComponentBoundsConstrainer& constrainer);

    /** The key listener's answer: in edit mode a plain arrow key moves the originating component
        one pixel (even past its parent's edge) and is consumed; an arrow with a modifier, any other
        key, and every key outside edit mode go on to the parents.
    */
    static bool nudge (bool editMode, const juce::KeyPress& key, juce::Component* originatingComponent);
};
} // namespace korvanth
