#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace widgettests
{
    /** Paints the component and its children into a transparent image of its size, and keeps a
        copy as <name>.png beside the test binary for a human to look at. */
    inline juce::Image paintToImage (juce::Component& component, const juce::String& name, float scale = 1.0f)
    {
        juce::Image image (juce::Image::ARGB,
                           juce::roundToInt (float (component.getWidth()) * scale),
                           juce::roundToInt (float (component.getHeight()) * scale), true);
        {
            juce::Graphics g (image);
            g.addTransform (juce::AffineTransform::scale (scale));
            component.paintEntireComponent (g, true);
        }

        auto file = juce::File::getSpecialLocation (juce::File::currentExecutableFile)
                        .getSiblingFile ("widget-images").getChildFile (name + ".png");
        file.getParentDirectory().createDirectory();
        file.deleteFile();
        juce::FileOutputStream out (file);
        juce::PNGImageFormat().writeImageToStream (image, out);
        return image;
    }
}
