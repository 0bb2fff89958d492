#pragma once

#include <juce_graphics/juce_graphics.h>

/** Pixel sizes of the pictures the layout depends on. */
struct EditorLayoutPictures
{
    juce::Point<int> gainFrame { 129, 130 };
    juce::Point<int> toneFrame { 127, 130 };
    juce::Point<int> volumeFrame { 127, 130 };
    juce::Point<int> pedal { 772, 925 };
    juce::Point<int> lampFrame { 48, 48 };
    juce::Point<int> footSwitch { 110, 105 };
};

/** Where every control of the pedal's window sits at a given window size.

    The window is drawn on a 700 x 600 canvas and scaled; each position and size is worked out
    in single precision from canvas units and truncated once, so the same size always gives the
    same pixels. Pure arithmetic: the editor's resized() only applies it.
*/
struct EditorLayout
{
    static constexpr int baseWidth = 700;
    static constexpr int baseHeight = 600;

    using Pictures = EditorLayoutPictures;

    /** The layout of a window of width x height whose top-left sits at origin in its parent. */
    static EditorLayout compute (int width, int height, Pictures pictures = {}, juce::Point<int> origin = {});

    float scaleX = 1.0f, scaleY = 1.0f;

    juce::Rectangle<int> logoMenu, presetMenu;
    juce::Rectangle<int> prevButton, nextButton, saveButton, delButton, resetButton, randButton, hqButton;
    juce::Rectangle<int> newsBell, pluginVersion, pedalImage;
    juce::Rectangle<int> gainSlider, bassSlider, midSlider, trebleSlider, volumeSlider;
    juce::Rectangle<int> powerLamp, footSwitch;
    juce::Rectangle<int> inCaption, gateCaption, typeCaption, outCaption, mixCaption;
    juce::Rectangle<int> inputKnob, gateKnob, circuitMenu, outputKnob, mixKnob;
    juce::Rectangle<int> resizeCorner;

    // Point heights of the fonts set on each pass.
    float versionFontHeight = 10.0f;
    float arrowFontHeight = 18.0f;   // previous, next
    float fileFontHeight = 14.0f;    // save, delete
    float actionFontHeight = 12.0f;  // reset, random
    float hqFontHeight = 12.0f;
    float captionFontHeight = 12.0f;
};
