#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <optional>

/** The window's size rule, the same for every way a size arrives: a host through the plug-in
    wrapper, the resize corner, the standalone window and the logo menu's sizes.

    A size within a pixel of 700 : 600 is kept as asked; any other is fitted on the ratio inside
    the one asked for, so the answer is never larger than the request unless the request is below
    the smallest size. Resizing by hand also stops at the right and bottom edges of the screen's
    work area, measured from where the window stands.
*/
class EditorSizeConstrainer : public juce::ComponentBoundsConstrainer
{
public:
    explicit EditorSizeConstrainer (juce::Component& windowToConstrain);

    /** The smallest size (on the ratio) and the largest, usually the screen's work area. */
    void setLimits (juce::Point<int> smallest, juce::Point<int> largest);

    /** The largest size as last set. */
    juce::Point<int> largestSize() const;

    /** The rule alone, whatever the window's place on screen. */
    juce::Rectangle<int> constrain (juce::Rectangle<int> requested) const;

    void checkBounds (juce::Rectangle<int>& bounds, const juce::Rectangle<int>& previousBounds,
                      const juce::Rectangle<int>& limits, bool isStretchingTop, bool isStretchingLeft,
                      bool isStretchingBottom, bool isStretchingRight) override;

private:
    juce::Rectangle<int> constrain (juce::Rectangle<int> requested, juce::Point<int> largest) const;
    std::optional<juce::Point<int>> roomOnScreen() const;

    juce::Component& window;
    juce::Point<int> minimum;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditorSizeConstrainer)
};
