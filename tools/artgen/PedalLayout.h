#pragma once

#include <juce_graphics/juce_graphics.h>

// Where the editor puts things, in its 700 x 600 base units, and where that lands on the pedal picture.
// The pedal picture is shown centred at half its pixel size, so the controls drawn over it must meet
// the printing (scales, labels) at exactly these points.
namespace artgen::PedalLayout
{
    constexpr int editorWidth = 700;
    constexpr int editorHeight = 600;

    constexpr int backgroundWidth = 1400;
    constexpr int backgroundHeight = 1080;
    constexpr float backgroundScale = 0.5f * 1.12f;

    constexpr int pedalWidth = 772;
    constexpr int pedalHeight = 925;
    constexpr float pedalScale = 0.5f;

    constexpr int gainFrameWidth = 129;
    constexpr int toneFrameWidth = 127;
    constexpr int knobFrameHeight = 130;
    constexpr int knobFrames = 128;

    constexpr int lampSize = 48;
    constexpr int footswitchWidth = 110;
    constexpr int footswitchHeight = 105;

    // The about box shows its logo at its own pixel size.
    constexpr int aboutLogoWidth = 165;
    constexpr int aboutLogoHeight = 32;

    // The usual rotary sweep, 7 o'clock to 5 o'clock, measured clockwise from 12 o'clock.
    constexpr float knobStartAngle = -0.75f * juce::MathConstants<float>::pi;
    constexpr float knobEndAngle = 0.75f * juce::MathConstants<float>::pi;

    // Top-left of the pedal in base units: centred in the window, integer arithmetic as the editor does it.
    constexpr int pedalUnitsX = editorWidth / 2 - (pedalWidth / 2) / 2;
    constexpr int pedalUnitsY = editorHeight / 2 - (int (float (pedalHeight) * pedalScale)) / 2;

    struct Placement
    {
        const char* label;
        int unitsX, unitsY;     // top-left in base units
        int frameWidth, frameHeight;
    };

    // Knobs left to right: GAIN, BASS, MIDDLE, TREBLE, LEVEL.
    constexpr Placement knobs[] = {
        { "GAIN",   182, 87, gainFrameWidth, knobFrameHeight },
        { "BASS",   250, 87, toneFrameWidth, knobFrameHeight },
        { "MIDDLE", 317, 87, toneFrameWidth, knobFrameHeight },
        { "TREBLE", 387, 87, toneFrameWidth, knobFrameHeight },
        { "LEVEL",  457, 87, toneFrameWidth, knobFrameHeight },
    };

    constexpr Placement lamp { "", 339, 297, lampSize, lampSize };
    constexpr Placement footswitch { "", 325, 345, footswitchWidth, footswitchHeight };

    // The editor shows a control at half its pixel size, truncated to whole units.
    inline juce::Rectangle<int> unitsBounds (const Placement& p)
    {
        return { p.unitsX, p.unitsY, int (float (p.frameWidth) * 0.5f), int (float (p.frameHeight) * 0.5f) };
    }

    // Centre of a control as it appears on the pedal picture, in pedal pixels.
    inline juce::Point<float> centreOnPedal (const Placement& p)
    {
        auto b = unitsBounds (p).toFloat();
        return { (b.getCentreX() - float (pedalUnitsX)) / pedalScale,
                 (b.getCentreY() - float (pedalUnitsY)) / pedalScale };
    }
}
