#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A widget's hover timer is its own private juce::Timer base. The framework's timer thread
    reaches it through a juce::Timer pointer, and so does a test, which fires it at once instead
    of waiting 500 ms on the wall clock.
*/
template <typename Widget>
juce::Timer& hoverTimerOf (Widget& widget)
{
    return (juce::Timer&) widget; // a C-style cast may name a private base
}

/** Records the keys that reach it, i.e. those the widgets below passed on. */
struct KeyRecorder : juce::KeyListener
{
    bool keyPressed (const juce::KeyPress& key, juce::Component*) override
    {
        keys.add (key);
        return true;
    }

    juce::Array<juce::KeyPress> keys;
};

/** Items of a menu as (id, text, ticked, enabled). */
inline juce::StringArray describeMenu (const juce::PopupMenu& menu)
{
    juce::StringArray items;
    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
    {
        const auto& item = it.getItem();
        items.add (juce::String (item.itemID) + " " + item.text + (item.isTicked ? " ticked" : "")
                   + (item.isEnabled ? "" : " disabled"));
    }
    return items;
}
