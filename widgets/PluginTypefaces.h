#pragma once

#include <juce_graphics/juce_graphics.h>

/** The plug-in's three embedded typefaces, each decoded once per process on first use and kept
    until the process exits. The look-and-feel and every editor share them, so a second window
    or a second instance costs no font parsing.
*/
struct PluginTypefaces
{
    static juce::Typeface::Ptr regular();
    static juce::Typeface::Ptr bold();
    static juce::Typeface::Ptr icons();

    /** A font of the typeface's own name and style, sized in points (not pixels). */
    static juce::Font fontOf (const juce::Typeface::Ptr& typeface, float pointHeight);
};
