#include "editor/EditorSizeConstrainer.h"

#include "editor/EditorLayout.h"

namespace
{
    constexpr int ratioWidth = EditorLayout::baseWidth, ratioHeight = EditorLayout::baseHeight;

    // Within a pixel of 700 : 600 counts as on the ratio (466 x 400 is the smallest size).
    bool onRatio (int width, int height)
    {
        return std::abs (width * ratioHeight - height * ratioWidth) < ratioWidth;
    }
}

EditorSizeConstrainer::EditorSizeConstrainer (juce::Component& windowToConstrain)
    : window (windowToConstrain)
{
    // The VST3 wrapper answers a host from these numbers alone, in single precision, rounding
    // its result up. With the float just above 7 / 6, an exact multiple (1050 x 900) no longer
    // comes back a pixel taller.
    setFixedAspectRatio ((double) std::nextafter ((float) ratioWidth / (float) ratioHeight, 2.0f));
}

void EditorSizeConstrainer::setLimits (juce::Point<int> smallest, juce::Point<int> largest)
{
    minimum = smallest;
    // For the wrapper again: the height limit is the ratio's own 399.4 for the smallest width,
    // rounded down, so fitting 466 wide does not hit it and widen to 467 x 400.
    setSizeLimits (smallest.x, smallest.x * ratioHeight / ratioWidth,
                   juce::jmax (smallest.x, largest.x), juce::jmax (smallest.y, largest.y));
}

juce::Point<int> EditorSizeConstrainer::largestSize() const
{
    return { getMaximumWidth(), getMaximumHeight() };
}

juce::Rectangle<int> EditorSizeConstrainer::constrain (juce::Rectangle<int> requested) const
{
    return constrain (requested, largestSize());
}

juce::Rectangle<int> EditorSizeConstrainer::constrain (juce::Rectangle<int> requested, juce::Point<int> largest) const
{
    largest = { juce::jmax (minimum.x, largest.x), juce::jmax (minimum.y, largest.y) };
    auto width = juce::jlimit (minimum.x, largest.x, requested.getWidth());
    auto height = juce::jlimit (minimum.y, largest.y, requested.getHeight());

    // Off the ratio by more than a pixel, so the rounded side stays inside the request.
    if (! onRatio (width, height))
    {
        if (width * ratioHeight > height * ratioWidth)
            width = juce::roundToInt (height * (double) ratioWidth / ratioHeight);
        else
            height = juce::roundToInt (width * (double) ratioHeight / ratioWidth);
    }

    // Only the rounding at the smallest width can fall below it (466 x 399).
    return requested.withSize (juce::jmax (minimum.x, width), juce::jmax (minimum.y, height));
}

void EditorSizeConstrainer::checkBounds (juce::Rectangle<int>& bounds, const juce::Rectangle<int>& previousBounds,
                                         const juce::Rectangle<int>&, bool isStretchingTop, bool isStretchingLeft,
                                         bool, bool)
{
    auto largest = largestSize();

    // A window already past an edge may keep its size there, but not grow.
    if (const auto room = roomOnScreen())
    {
        if (! isStretchingLeft)
            largest.x = juce::jmin (largest.x, juce::jmax (room->x, previousBounds.getWidth()));
        if (! isStretchingTop)
            largest.y = juce::jmin (largest.y, juce::jmax (room->y, previousBounds.getHeight()));
    }

    const auto size = constrain (bounds, largest);
    bounds = { isStretchingLeft ? previousBounds.getRight() - size.getWidth() : bounds.getX(),
               isStretchingTop ? previousBounds.getBottom() - size.getHeight() : bounds.getY(),
               size.getWidth(), size.getHeight() };
}

std::optional<juce::Point<int>> EditorSizeConstrainer::roomOnScreen() const
{
    if (window.getPeer() == nullptr)
        return {};

    const auto* display = juce::Desktop::getInstance().getDisplays().getDisplayForPoint (window.getScreenPosition());
    if (display == nullptr)
        return {};

    // The work area's right and bottom edges seen from the window's own top-left corner.
    const auto area = window.getLocalArea (nullptr, display->userArea);
    return juce::Point<int> { area.getRight(), area.getBottom() };
}
