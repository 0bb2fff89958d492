#include "WidgetRig.h"
#include "widgets/KV_TextButton.h"

#include <gtest/gtest.h>

namespace
{
struct TextButtonRig : WidgetRig
{
    TextButtonRig()
    {
        button.setBounds (100, 60, 27, 27);
        button.helpText = "Random values";
        button.statusLabel = &status;
        root().addAndMakeVisible (button);
    }

    KV_TextButton button { juce::Colours::white, juce::Colours::white };
    juce::Label status;
};
}

TEST (KV_TextButton, HoverHelpGoesToTheLabelAndABubbleBelow)
{
    TextButtonRig rig;
    auto& button = rig.button;

    // Without help, hovering only writes the label.
    rig.moveTo (rig.centreOf (button));
    EXPECT_EQ (rig.status.getText(), "Random values");
    EXPECT_FALSE (button.isTimerRunning());
    rig.moveTo (rig.outside());

    button.helpEnabled = true;

    rig.moveTo (rig.centreOf (button));
    EXPECT_EQ (rig.status.getText(), "Random values");
    ASSERT_TRUE (button.isTimerRunning());
    EXPECT_EQ (button.getTimerInterval(), 500);

    button.timerCallback();
    ASSERT_NE (button.helpBubble, nullptr);
    auto* bubble = button.helpBubble.get();
    EXPECT_EQ (bubble->text, "Random values");
    EXPECT_TRUE (bubble->isOnDesktop());
    EXPECT_TRUE (bubble->isAlwaysOnTop());
    EXPECT_FLOAT_EQ (bubble->font.getHeight(), 12.0f);
    EXPECT_GT (bubble->getScreenBounds().getCentreY(), button.getScreenBounds().getBottom()) << "placed below";
    EXPECT_EQ (&bubble->getLookAndFeel(), &button.buttonLookAndFeel) << "its body is drawn by the button's look";
    EXPECT_FALSE (button.isTimerRunning());

    rig.moveTo (rig.outside());
    EXPECT_EQ (rig.status.getText(), "");
    EXPECT_EQ (button.helpBubble, nullptr);
    EXPECT_FALSE (button.isTimerRunning());
}
