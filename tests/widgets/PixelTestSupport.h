#pragma once

#include <juce_gui_basics/juce_gui_basics.h>
#include <gtest/gtest.h>

/** Paints a component (and its children) into a fresh transparent image of its size. */
inline juce::Image snapshotOf (juce::Component& c)
{
    juce::Image image (juce::Image::ARGB, juce::jmax (1, c.getWidth()), juce::jmax (1, c.getHeight()), true);
    juce::Graphics g (image);
    c.paintEntireComponent (g, false);
    return image;
}

/** Colour channels within a small tolerance, for values read back from premultiplied pixels. */
inline ::testing::AssertionResult colourNear (juce::Colour actual, juce::Colour expected, int tolerance = 2)
{
    const auto near = [tolerance] (juce::uint8 a, juce::uint8 b) { return std::abs ((int) a - (int) b) <= tolerance; };
    if (near (actual.getAlpha(), expected.getAlpha()) && near (actual.getRed(), expected.getRed())
        && near (actual.getGreen(), expected.getGreen()) && near (actual.getBlue(), expected.getBlue()))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "0x" << actual.toDisplayString (true) << " is not 0x" << expected.toDisplayString (true);
}

#define EXPECT_PIXEL(image, x, y, colour) EXPECT_TRUE (colourNear ((image).getPixelAt (x, y), colour)) << "at (" << (x) << ", " << (y) << ")"

/** Keeps a picture for a person to look at, in widget-screenshots/ beside the test binary. */
inline void saveForReview (const juce::Image& image, const juce::String& name)
{
    const auto folder = juce::File::getSpecialLocation (juce::File::currentExecutableFile).getSiblingFile ("widget-screenshots");
    folder.createDirectory();
    const auto file = folder.getChildFile (name + ".png");
    file.deleteFile();
    juce::FileOutputStream out (file);
    juce::PNGImageFormat().writeImageToStream (image, out);
}

/** A snapshot of the component, also kept for review under the given name. */
inline juce::Image snapshotForReview (juce::Component& c, const juce::String& name)
{
    auto image = snapshotOf (c);
    saveForReview (image, name);
    return image;
}
