#include <BinaryData.h>
#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
std::unique_ptr<juce::Drawable> parseLogo()
{
    auto xml = juce::parseXML (juce::String::fromUTF8 (BinaryData::logo_svg, BinaryData::logo_svgSize));
    return xml != nullptr ? juce::Drawable::createFromSVG (*xml) : nullptr;
}
}

TEST (Logo, ParsesWithTheViewBoxTheEditorScalesFrom)
{
    auto logo = parseLogo();
    ASSERT_NE (logo, nullptr);

    auto* composite = dynamic_cast<juce::DrawableComposite*> (logo.get());
    ASSERT_NE (composite, nullptr);

    auto viewBox = composite->getContentArea();
    EXPECT_NEAR (viewBox.getX(), 0.0f, 1.0e-4f);
    EXPECT_NEAR (viewBox.getY(), 0.0f, 1.0e-4f);
    EXPECT_NEAR (viewBox.getWidth(), 722.30582f, 1.0e-3f);
    EXPECT_NEAR (viewBox.getHeight(), 134.12806f, 1.0e-3f);

    // The artwork fills the box without spilling out of it.
    auto ink = logo->getDrawableBounds();
    EXPECT_GE (ink.getX(), -0.5f);
    EXPECT_GE (ink.getY(), -0.5f);
    EXPECT_LE (ink.getRight(), 722.30582f + 0.5f);
    EXPECT_LE (ink.getBottom(), 134.12806f + 0.5f);
    EXPECT_GT (ink.getWidth(), 700.0f);
    EXPECT_GT (ink.getHeight(), 120.0f);
}

TEST (Logo, IsBlackSoTheEditorCanRecolourIt)
{
    auto logo = parseLogo();
    ASSERT_NE (logo, nullptr);

    const juce::Colour accent (0xfff0e9de);
    EXPECT_TRUE (logo->replaceColour (juce::Colours::black, accent));

    // Drawn the way the editor draws it at the base size: it lands at (10, 10), about 87 x 16 units,
    // entirely in the accent colour.
    juce::Image canvas (juce::Image::ARGB, 120, 40, true);
    {
        juce::Graphics g (canvas);
        logo->draw (g, 1.0f, juce::AffineTransform::scale (0.12f, 0.12f).translated (10.0f, 10.0f));
    }

    juce::Rectangle<int> covered;
    bool foreignColour = false;
    for (int y = 0; y < canvas.getHeight(); ++y)
    {
        for (int x = 0; x < canvas.getWidth(); ++x)
        {
            auto p = canvas.getPixelAt (x, y);
            if (p.getAlpha() == 0)
                continue;

            covered = covered.isEmpty() ? juce::Rectangle<int> (x, y, 1, 1) : covered.getUnion ({ x, y, 1, 1 });
            if (p.getAlpha() == 255 && p != accent)
                foreignColour = true;
        }
    }

    EXPECT_FALSE (foreignColour);
    EXPECT_EQ (covered.getX(), 10);
    EXPECT_EQ (covered.getY(), 10);
    EXPECT_NEAR (covered.getWidth(), 87, 1);
    EXPECT_NEAR (covered.getHeight(), 16, 1);
}
