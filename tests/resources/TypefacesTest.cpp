#include <BinaryData.h>
#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
juce::Typeface::Ptr load (const char* data, int size)
{
    return juce::Typeface::createSystemTypefaceFor (data, (size_t) size);
}

// The outline the typeface draws for one character, as text for comparing.
juce::String outlineOf (const juce::Typeface::Ptr& typeface, juce::juce_wchar character)
{
    juce::Array<int> glyphs;
    juce::Array<float> offsets;
    typeface->getGlyphPositions (juce::String::charToString (character), glyphs, offsets);

    juce::Path path;
    if (glyphs.size() == 1)
        typeface->getOutlineForGlyph (glyphs.getFirst(), path);
    return path.toString();
}

// A character the font lacks is drawn as the font's placeholder glyph (or nothing): a real glyph
// has an outline of its own that differs from that.
bool hasOwnGlyph (const juce::Typeface::Ptr& typeface, juce::juce_wchar character)
{
    auto outline = outlineOf (typeface, character);
    return outline.isNotEmpty() && outline != outlineOf (typeface, 0xe000);
}
}

TEST (Typefaces, RegularAndBoldAreOneFamilyInTwoWeights)
{
    auto regular = load (BinaryData::PluginFontRegular_ttf, BinaryData::PluginFontRegular_ttfSize);
    auto bold = load (BinaryData::PluginFontBold_ttf, BinaryData::PluginFontBold_ttfSize);
    ASSERT_NE (regular, nullptr);
    ASSERT_NE (bold, nullptr);

    EXPECT_FALSE (regular->getName().isEmpty());
    EXPECT_EQ (regular->getName(), bold->getName());
    EXPECT_EQ (regular->getStyle(), "Regular");
    EXPECT_EQ (bold->getStyle(), "Bold");

    // Every text the editor prints, in both weights.
    for (auto text : { "v1.0.1", "HQ", "IN OUT MIX GATE TYPE", "00 - INIT Default Bass MGV Plexy Smooth" })
    {
        juce::String s (text);
        for (auto c : s)
        {
            if (c == ' ')
                continue;
            EXPECT_TRUE (hasOwnGlyph (regular, c)) << "Regular lacks '" << juce::String::charToString (c) << "'";
            EXPECT_TRUE (hasOwnGlyph (bold, c)) << "Bold lacks '" << juce::String::charToString (c) << "'";
        }
    }

    // Bold really is heavier: more ink in the same letters.
    auto ink = [] (const juce::Typeface::Ptr& t)
    {
        juce::Image img (juce::Image::SingleChannel, 200, 40, true);
        juce::Graphics g (img);
        g.setFont (juce::Font (t).withHeight (30.0f));
        g.setColour (juce::Colours::white);
        g.drawSingleLineText ("GAIN", 5, 32);
        double sum = 0.0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 200; ++x)
                sum += img.getPixelAt (x, y).getAlpha();
        return sum;
    };
    EXPECT_GT (ink (bold), ink (regular) * 1.15);
}

TEST (Typefaces, IconFontHoldsEveryGlyphTheEditorShows)
{
    auto icons = load (BinaryData::FontAwesome_ttf, BinaryData::FontAwesome_ttfSize);
    ASSERT_NE (icons, nullptr);
    EXPECT_EQ (icons->getName(), "FontAwesome");

    // caret left, caret right, floppy disk, cross, random, rotate, bell
    for (juce::juce_wchar c : { 0xf0d9, 0xf0da, 0xf0c7, 0xf00d, 0xf074, 0xf01e, 0xf0a2 })
        EXPECT_TRUE (hasOwnGlyph (icons, c)) << "no glyph at U+" << juce::String::toHexString ((int) c).toUpperCase();

    // Gaps in the icon range are told apart from real icons, so the check above can fail.
    EXPECT_FALSE (hasOwnGlyph (icons, 0xf00f));
    EXPECT_FALSE (hasOwnGlyph (icons, 0xf8ff));
}
