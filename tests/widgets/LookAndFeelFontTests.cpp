#include "widgets/PluginTypefaces.h"
#include "widgets/pluginLookAndFeel.h"

#include <gtest/gtest.h>

namespace
{
struct ExpectedFont
{
    juce::Typeface::Ptr typeface;
    float points;
};

void expectFont (const juce::Font& font, const ExpectedFont& expected, const juce::String& what)
{
    EXPECT_EQ (font.getTypefacePtr(), expected.typeface) << what;
    EXPECT_NEAR (font.getHeightInPoints(), expected.points, 0.01f) << what;
}
}

TEST (PluginTypefaces, EachIsDecodedOnceAndSharedByEveryCaller)
{
    EXPECT_EQ (PluginTypefaces::regular(), PluginTypefaces::regular());
    EXPECT_EQ (PluginTypefaces::bold(), PluginTypefaces::bold());
    EXPECT_EQ (PluginTypefaces::icons(), PluginTypefaces::icons());
    EXPECT_NE (PluginTypefaces::regular(), PluginTypefaces::bold());
    EXPECT_EQ (PluginTypefaces::icons()->getName(), "FontAwesome");
}

TEST (PluginLookAndFeelFonts, LabelsAreChosenByNameAndScale)
{
    pluginLookAndFeel lf (nullptr);
    const auto regular = PluginTypefaces::regular();
    const auto bold = PluginTypefaces::bold();

    struct Case { const char* name; float scale; ExpectedFont font; };
    const Case cases[] = {
        { "presetMenu", 0.5f, { regular, 10.0f } },  // floor
        { "presetMenu", 1.0f, { regular, 14.0f } },
        { "presetMenu", 2.0f, { regular, 28.0f } },
        { "pluginVersion", 0.5f, { regular, 5.0f } },
        { "pluginVersion", 1.0f, { regular, 9.0f } },
        { "pluginVersion", 2.0f, { regular, 18.0f } },
        { "circuitMenu", 0.5f, { bold, 6.0f } },
        { "circuitMenu", 1.0f, { bold, 10.0f } },
        { "circuitMenu", 2.0f, { bold, 20.0f } },
        { "", 0.5f, { bold, 11.0f } },
        { "", 2.0f, { bold, 11.0f } },
        { "PresetMenu", 2.0f, { bold, 11.0f } },  // names are compared exactly
        { "gainLabel", 1.0f, { bold, 11.0f } },
    };

    for (const auto& c : cases)
    {
        lf.scale = c.scale;
        juce::Label label (c.name, "text");
        label.setFont (juce::Font (40.0f)); // ignored: the name alone decides
        expectFont (lf.getLabelFont (label), c.font, juce::String (c.name) + " at " + juce::String (c.scale));
    }
}

TEST (PluginLookAndFeelFonts, ComboBoxTextFollowsTheBoxName)
{
    pluginLookAndFeel lf (nullptr);
    lf.scale = 2.0f;

    juce::ComboBox preset ("presetMenu");
    preset.setLookAndFeel (&lf);
    juce::ComboBox other ("circuitMenu");
    other.setLookAndFeel (&lf);

    expectFont (lf.getComboBoxFont (preset), { PluginTypefaces::regular(), 16.0f }, "preset box");
    EXPECT_NE (lf.getComboBoxFont (other).getTypefacePtr(), PluginTypefaces::bold());
    EXPECT_FLOAT_EQ (lf.getComboBoxFont (other).getHeight(), 14.0f);

    // The text label the look-and-feel made carries the box's name, so its drawn font is the
    // label font of that name at the current scale.
    auto* text = dynamic_cast<juce::Label*> (preset.getChildComponent (0));
    ASSERT_NE (text, nullptr);
    EXPECT_EQ (text->getName(), "presetMenu");
    expectFont (lf.getLabelFont (*text), { PluginTypefaces::regular(), 28.0f }, "preset box text");

    juce::Slider knob;
    lf.scale = 0.5f;
    expectFont (lf.getSliderPopupFont (knob), { PluginTypefaces::bold(), 12.0f }, "value bubble");

    preset.setLookAndFeel (nullptr);
    other.setLookAndFeel (nullptr);
}
