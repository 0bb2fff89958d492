#pragma once

#include <juce_graphics/juce_graphics.h>

namespace korvanth
{
/** The frames of a film strip: one image holding frameCount equal frames, one below the other
    (or side by side when horizontal). Shared by everything that draws one frame per value.
*/
struct KV_FilmStrip
{
    /** Size of one frame; 0 x 0 for a missing image or no frames. */
    static juce::Rectangle<int> frameSize (const juce::Image& strip, int frameCount, bool horizontal);

    /** The frame showing a proportion of the range, 0 .. 1: the product in single precision,
        truncated, so only the top of the range shows the last frame.
    */
    static int frameFor (double proportion, int frameCount);

    /** Draws frame number frame of the strip scaled into the area, and nothing else. */
    static void drawFrame (juce::Graphics&, const juce::Image& strip, int frame,
                           juce::Rectangle<int> frameBounds, bool horizontal,
                           juce::Rectangle<int> area);
};
} // namespace korvanth
