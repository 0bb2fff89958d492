#pragma once

#include <juce_graphics/juce_graphics.h>

/** The window's embedded pictures, decoded on first use and kept for the life of the process,
    so opening the window again never decodes the large film strips a second time.
    Message thread only. */
struct EditorPictures
{
    static const EditorPictures& get();

    juce::Image background, pedal;
    juce::Image gainStrip, toneStrip, volumeStrip;
    juce::Image lamp, footSwitchUp, footSwitchDown;

private:
    EditorPictures();
};
