#pragma once

#include <juce_graphics/juce_graphics.h>

#include <vector>

// Every control's bounds at the three sizes the logo menu offers, worked out by hand from the
// 700 x 600 canvas units (single-precision scale factors, each measure truncated once).
struct ExpectedBounds
{
    const char* control;
    juce::Rectangle<int> bounds;
};

struct ExpectedLayout
{
    int width, height;
    std::vector<ExpectedBounds> controls;
};

inline const std::vector<ExpectedLayout>& expectedLayouts()
{
    static const std::vector<ExpectedLayout> layouts {
    { 700, 600, {
        { "logoMenu", { 10, 10, 103, 29 } },
        { "presetMenu", { 237, 6, 225, 27 } },
        { "prevButton", { 210, 6, 27, 27 } },
        { "nextButton", { 462, 6, 27, 27 } },
        { "saveButton", { 489, 6, 27, 27 } },
        { "delButton", { 516, 6, 27, 27 } },
        { "resetButton", { 183, 6, 27, 27 } },
        { "randButton", { 156, 6, 27, 27 } },
        { "hqButton", { 129, 5, 27, 27 } },
        { "pluginVersion", { 226, 25, 248, 27 } },
        { "pedalImage", { 157, 69, 386, 462 } },
        { "gainSlider", { 182, 87, 64, 65 } },
        { "bassSlider", { 250, 87, 63, 65 } },
        { "midSlider", { 317, 87, 63, 65 } },
        { "trebleSlider", { 387, 87, 63, 65 } },
        { "volumeSlider", { 457, 87, 63, 65 } },
        { "powerLamp", { 339, 297, 24, 24 } },
        { "footSwitch", { 325, 345, 55, 52 } },
        { "inCaption", { 322, 558, 55, 12 } },
        { "gateCaption", { 267, 558, 55, 12 } },
        { "typeCaption", { 212, 558, 55, 12 } },
        { "outCaption", { 377, 558, 55, 12 } },
        { "mixCaption", { 432, 558, 55, 12 } },
        { "inputKnob", { 340, 573, 17, 17 } },
        { "gateKnob", { 285, 573, 17, 17 } },
        { "circuitMenu", { 208, 573, 60, 17 } },
        { "outputKnob", { 395, 573, 17, 17 } },
        { "mixKnob", { 450, 573, 17, 17 } },
        { "resizeCorner", { 688, 588, 12, 12 } },
    } },
    { 1050, 900, {
        { "logoMenu", { 15, 15, 154, 43 } },
        { "presetMenu", { 356, 9, 337, 40 } },
        { "prevButton", { 316, 9, 40, 40 } },
        { "nextButton", { 693, 9, 40, 40 } },
        { "saveButton", { 733, 9, 40, 40 } },
        { "delButton", { 773, 9, 40, 40 } },
        { "resetButton", { 276, 9, 40, 40 } },
        { "randButton", { 236, 9, 40, 40 } },
        { "hqButton", { 196, 7, 40, 40 } },
        { "pluginVersion", { 339, 37, 372, 40 } },
        { "pedalImage", { 236, 104, 579, 693 } },
        { "gainSlider", { 273, 130, 96, 97 } },
        { "bassSlider", { 375, 130, 95, 97 } },
        { "midSlider", { 475, 130, 95, 97 } },
        { "trebleSlider", { 580, 130, 95, 97 } },
        { "volumeSlider", { 685, 130, 95, 97 } },
        { "powerLamp", { 508, 445, 36, 36 } },
        { "footSwitch", { 487, 517, 82, 78 } },
        { "inCaption", { 483, 837, 82, 18 } },
        { "gateCaption", { 401, 837, 82, 18 } },
        { "typeCaption", { 319, 837, 82, 18 } },
        { "outCaption", { 565, 837, 82, 18 } },
        { "mixCaption", { 647, 837, 82, 18 } },
        { "inputKnob", { 510, 859, 25, 25 } },
        { "gateKnob", { 428, 859, 25, 25 } },
        { "circuitMenu", { 314, 859, 90, 25 } },
        { "outputKnob", { 592, 859, 25, 25 } },
        { "mixKnob", { 674, 859, 25, 25 } },
        { "resizeCorner", { 1032, 882, 18, 18 } },
    } },
    { 466, 400, {
        { "logoMenu", { 6, 6, 68, 19 } },
        { "presetMenu", { 158, 4, 149, 18 } },
        { "prevButton", { 140, 4, 18, 18 } },
        { "nextButton", { 307, 4, 18, 18 } },
        { "saveButton", { 325, 4, 18, 18 } },
        { "delButton", { 343, 4, 18, 18 } },
        { "resetButton", { 122, 4, 18, 18 } },
        { "randButton", { 104, 4, 18, 18 } },
        { "hqButton", { 86, 3, 18, 18 } },
        { "pluginVersion", { 151, 16, 165, 18 } },
        { "pedalImage", { 105, 46, 256, 308 } },
        { "gainSlider", { 121, 58, 42, 43 } },
        { "bassSlider", { 166, 58, 42, 43 } },
        { "midSlider", { 211, 58, 42, 43 } },
        { "trebleSlider", { 257, 58, 42, 43 } },
        { "volumeSlider", { 304, 58, 42, 43 } },
        { "powerLamp", { 225, 198, 15, 16 } },
        { "footSwitch", { 216, 230, 36, 35 } },
        { "inCaption", { 214, 372, 36, 8 } },
        { "gateCaption", { 178, 372, 36, 8 } },
        { "typeCaption", { 142, 372, 36, 8 } },
        { "outCaption", { 250, 372, 36, 8 } },
        { "mixCaption", { 286, 372, 36, 8 } },
        { "inputKnob", { 225, 382, 11, 11 } },
        { "gateKnob", { 189, 382, 11, 11 } },
        { "circuitMenu", { 139, 382, 39, 11 } },
        { "outputKnob", { 261, 382, 11, 11 } },
        { "mixKnob", { 297, 382, 11, 11 } },
        { "resizeCorner", { 458, 392, 7, 8 } },
    } },
    };
    return layouts;
}
