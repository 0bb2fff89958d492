#include "WidgetRig.h"
#include "WidgetTestSupport.h"
#include "widgets/KV_ComboBox.h"
#include "widgets/KV_ResizableComboBox.h"
#include "widgets/pluginLookAndFeel.h"

#include <gtest/gtest.h>

namespace
{
template <typename Box>
struct ComboRig : WidgetRig
{
    ComboRig() : lookAndFeel (&root())
    {
        root().setLookAndFeel (&lookAndFeel);
        box.addItemList ({ "Default", "Bass", "MGV" }, 1);
        box.setSelectedId (2, juce::dontSendNotification);
        box.setBounds (40, 40, 120, 24);
        root().addAndMakeVisible (box);
        root().addKeyListener (&parent);
    }

    ~ComboRig()
    {
        root().removeKeyListener (&parent);
        juce::PopupMenu::dismissAllActiveMenus();
        pumpUntil ([] { return openMenu() == nullptr; });
        root().setLookAndFeel (nullptr);
    }

    pluginLookAndFeel lookAndFeel;
    Box box { "circuitMenu" };
    KeyRecorder parent;
};
}

TEST (KV_ComboBox, KeysGoOnToTheParentAndLeaveTheSelection)
{
    ComboRig<korvanth::KV_ComboBox> rig;
    rig.box.grabKeyboardFocus();
    ASSERT_TRUE (rig.box.hasKeyboardFocus (true));

    for (auto code : { juce::KeyPress::upKey, juce::KeyPress::downKey, juce::KeyPress::returnKey })
        rig.key (juce::KeyPress (code));

    EXPECT_EQ (rig.box.getSelectedId(), 2);
    EXPECT_EQ (rig.parent.keys.size(), 3);
    EXPECT_EQ (WidgetRig::openMenu(), nullptr);
}

TEST (KV_ComboBox, HoverHelpShowsBelowAndGoesWhenTheMenuOpensInsideTheEditor)
{
    ComboRig<korvanth::KV_ComboBox> rig;
    auto& box = rig.box;
    box.helpEnabled = true;
    box.helpText = "Circuit type";
    box.bubbleParent = &rig.root();

    rig.moveTo (rig.centreOf (box));
    auto& timer = hoverTimerOf (box);
    ASSERT_TRUE (timer.isTimerRunning());
    EXPECT_EQ (timer.getTimerInterval(), 500);
    timer.timerCallback();
    EXPECT_FALSE (timer.isTimerRunning());

    ASSERT_NE (box.helpBubble, nullptr);
    EXPECT_EQ (box.helpBubble->text, "Circuit type");
    EXPECT_FLOAT_EQ (box.helpBubble->font.getHeight(), 12.0f);
    EXPECT_GT (box.helpBubble->getY(), box.getBounds().getCentreY());

    rig.press (rig.centreOf (box));
    EXPECT_EQ (box.helpBubble, nullptr);
    rig.release (rig.centreOf (box));
    ASSERT_TRUE (WidgetRig::pumpUntil ([] { return WidgetRig::openMenu() != nullptr; }));
    auto* menu = WidgetRig::openMenu();
    ASSERT_NE (menu, nullptr);
    EXPECT_EQ (menu->getParentComponent(), &rig.root()); // the look-and-feel's menu parent
}

TEST (KV_ResizableComboBox, KeysGoOnAndHoverWritesTheStatusLabel)
{
    ComboRig<korvanth::KV_ResizableComboBox> rig;
    auto& box = rig.box;

    // Without a status label hovering does nothing.
    rig.moveTo (rig.centreOf (box));
    rig.moveTo (rig.outside());

    juce::Label status;
    status.setText ("before", juce::dontSendNotification);
    box.statusLabel = &status;
    box.helpText = "News";

    rig.moveTo (rig.centreOf (box));
    EXPECT_EQ (status.getText(), "News");
    rig.moveTo (rig.outside());
    EXPECT_EQ (status.getText(), "");

    box.grabKeyboardFocus();
    rig.key (juce::KeyPress (juce::KeyPress::downKey));
    EXPECT_EQ (box.getSelectedId(), 2);
    EXPECT_EQ (rig.parent.keys.size(), 1);
}
