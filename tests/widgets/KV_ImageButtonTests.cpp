#include "PixelTestSupport.h"
#include "WidgetRig.h"
#include "WidgetTestSupport.h"
#include "widgets/KV_ImageButton.h"
#include "widgets/KV_LockMenu.h"
#include "widgets/pluginLookAndFeel.h"

#include <gtest/gtest.h>

namespace
{
struct ImageButtonRig : WidgetRig
{
    ImageButtonRig()
    {
        button.setBounds (50, 50, 60, 40);
        root().addAndMakeVisible (button);
        button.onClick = [this] { ++clicks; };
    }

    korvanth::KV_ImageButton button;
    int clicks = 0;
};
}

TEST (KV_ImageButton, HoverHelpShowsOneBubbleAfterTheDelayAndGoesOnExit)
{
    ImageButtonRig rig;
    auto& button = rig.button;
    button.helpEnabled = true;
    button.helpText = "Power";
    button.helpFont = juce::Font (17.0f);
    button.helpPlacements = juce::BubbleComponent::below;

    rig.moveTo (rig.centreOf (button));
    auto& timer = hoverTimerOf (button);
    ASSERT_TRUE (timer.isTimerRunning());
    EXPECT_EQ (timer.getTimerInterval(), 500);
    EXPECT_EQ (button.helpBubble, nullptr);
    EXPECT_FALSE (button.isOver()); // help replaces the hover look

    timer.timerCallback();
    ASSERT_NE (button.helpBubble, nullptr);
    auto* bubble = button.helpBubble.get();
    EXPECT_EQ (bubble->text, "Power");
    EXPECT_FLOAT_EQ (bubble->font.getHeight(), 17.0f);
    EXPECT_TRUE (bubble->isVisible());
    EXPECT_TRUE (bubble->isOnDesktop()); // no bubble parent: a window of its own
    EXPECT_TRUE (bubble->isAlwaysOnTop());
    EXPECT_GT (bubble->getScreenY(), button.getScreenBounds().getCentreY()); // placed below
    EXPECT_FALSE (timer.isTimerRunning()); // once per hover

    // Later help text changes do not follow into a shown bubble.
    button.helpText = "Other";
    EXPECT_EQ (bubble->text, "Power");

    rig.moveTo (rig.outside());
    EXPECT_EQ (button.helpBubble, nullptr);
    EXPECT_FALSE (timer.isTimerRunning());
}

TEST (KV_ImageButton, HoverHelpArrivesThroughTheFrameworksTimer)
{
    ImageButtonRig rig;
    rig.button.helpEnabled = true;
    rig.button.helpText = "Power";
    rig.moveTo (rig.centreOf (rig.button));

    ASSERT_TRUE (WidgetRig::pumpUntil ([&] { return rig.button.helpBubble != nullptr; }));
    EXPECT_FALSE (hoverTimerOf (rig.button).isTimerRunning()); // no second bubble is coming
}

TEST (KV_ImageButton, HoverHelpInsideABubbleParentReplacesTheOldBubble)
{
    ImageButtonRig rig;
    auto& button = rig.button;
    button.helpEnabled = true;
    button.bubbleParent = &rig.root();

    rig.moveTo (rig.centreOf (button));
    hoverTimerOf (button).timerCallback();
    ASSERT_NE (button.helpBubble, nullptr);
    EXPECT_EQ (button.helpBubble->getParentComponent(), &rig.root());

    // An empty text gives the bare padding: 18 wide, 1.6 font heights high.
    int w = 0, h = 0;
    button.helpBubble->getContentSize (w, h);
    EXPECT_EQ (w, 18);
    EXPECT_EQ (h, (int) (button.helpFont.getHeight() * 1.6f));

    const juce::Component::SafePointer<juce::Component> first (button.helpBubble.get());
    hoverTimerOf (button).timerCallback();
    EXPECT_EQ (first, nullptr);
    EXPECT_EQ (rig.root().getNumChildComponents(), 2); // the button and one bubble
}

TEST (KV_ImageButton, WithoutHelpTheHoverTimerNeverStarts)
{
    ImageButtonRig rig;
    rig.button.helpText = "Power";
    rig.moveTo (rig.centreOf (rig.button));

    EXPECT_FALSE (hoverTimerOf (rig.button).isTimerRunning());
    EXPECT_TRUE (rig.button.isOver());
    EXPECT_EQ (rig.button.helpBubble, nullptr);
}

TEST (KV_ImageButton, LockMenuHoldsTwoItemsAndTicksALockedParameter)
{
    korvanth::KV_ImageButton button;
    EXPECT_EQ (describeMenu (korvanth::KV_LockMenu::build (button, false)),
               juce::StringArray ({ "1 Lock parameter", "2 Unlock All" }));
    EXPECT_EQ (describeMenu (korvanth::KV_LockMenu::build (button, true)),
               juce::StringArray ({ "1 Lock parameter ticked", "2 Unlock All" }));
}

TEST (KV_ImageButton, RightOrCtrlClickOpensTheLockMenuWithoutClicking)
{
    ImageButtonRig rig;
    auto& button = rig.button;
    button.lockMenuEnabled = true;
    const auto centre = rig.centreOf (button);

    rig.click (centre, juce::ModifierKeys::rightButtonModifier);
    ASSERT_NE (WidgetRig::openMenu(), nullptr);
    ASSERT_TRUE (rig.chooseMenuItem (1));
    EXPECT_TRUE (WidgetRig::pumpUntil ([&] { return button.parameterLocked; }));

    rig.click (centre, juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier | juce::ModifierKeys::ctrlModifier));
    ASSERT_TRUE (rig.chooseMenuItem (1));
    EXPECT_TRUE (WidgetRig::pumpUntil ([&] { return ! button.parameterLocked; }));

    rig.click (centre, juce::ModifierKeys::rightButtonModifier);
    ASSERT_TRUE (rig.chooseMenuItem (2));
    EXPECT_TRUE (WidgetRig::pumpUntil ([&] { return button.unlockAllRequested; }));
    EXPECT_FALSE (button.parameterLocked);

    // Dismissed: nothing changes.
    button.unlockAllRequested = false;
    rig.click (centre, juce::ModifierKeys::rightButtonModifier);
    ASSERT_NE (WidgetRig::openMenu(), nullptr);
    rig.key (juce::KeyPress (juce::KeyPress::escapeKey));
    EXPECT_TRUE (WidgetRig::pumpUntil ([] { return WidgetRig::openMenu() == nullptr; }));
    WidgetRig::settle(); // let a stray callback arrive, if any
    EXPECT_FALSE (button.parameterLocked);
    EXPECT_FALSE (button.unlockAllRequested);

    EXPECT_EQ (rig.clicks, 0);
}

TEST (KV_ImageButton, RightClickWithoutTheLockMenuClicksLikeALeftClick)
{
    ImageButtonRig rig;
    rig.click (rig.centreOf (rig.button), juce::ModifierKeys::rightButtonModifier);
    EXPECT_EQ (rig.clicks, 1);
    EXPECT_EQ (WidgetRig::openMenu(), nullptr);
}

TEST (KV_ImageButton, DeletedWhileItsLockMenuIsOpenIsNeverTouched)
{
    WidgetRig rig;
    auto button = std::make_unique<korvanth::KV_ImageButton>();
    button->setBounds (50, 50, 60, 40);
    rig.root().addAndMakeVisible (*button);
    button->lockMenuEnabled = true;

    rig.click (rig.centreOf (*button), juce::ModifierKeys::rightButtonModifier);
    ASSERT_NE (WidgetRig::openMenu(), nullptr);
    button.reset();

    // The sanitizer build reports any write through the stale pointer.
    EXPECT_TRUE (rig.chooseMenuItem (1));
    WidgetRig::settle();
}

TEST (KV_ImageButton, EditModeDragStaysInsideTheParentAndNeverClicks)
{
    ImageButtonRig rig; // 300 x 200 window
    auto& button = rig.button;
    button.editMode = true;
    button.lockMenuEnabled = true;

    const auto start = rig.centreOf (button);
    rig.moveTo (start);
    rig.press (start);
    rig.moveTo (start + juce::Point<int> (400, 300), juce::ModifierKeys::leftButtonModifier);
    rig.release (start + juce::Point<int> (400, 300));

    EXPECT_EQ (button.getBounds(), juce::Rectangle<int> (240, 160, 60, 40));
    EXPECT_EQ (rig.clicks, 0);

    rig.click (rig.centreOf (button), juce::ModifierKeys::rightButtonModifier);
    EXPECT_EQ (WidgetRig::openMenu(), nullptr);
}

TEST (KV_ImageButton, EditModeArrowsNudgeAndModifiedArrowsGoOn)
{
    ImageButtonRig rig;
    KeyRecorder parent;
    rig.root().addKeyListener (&parent);
    auto& button = rig.button;
    button.grabKeyboardFocus();
    ASSERT_TRUE (button.hasKeyboardFocus (false));

    // Outside edit mode every key goes on.
    rig.key (juce::KeyPress (juce::KeyPress::upKey));
    EXPECT_EQ (parent.keys.size(), 1);
    EXPECT_EQ (button.getPosition(), juce::Point<int> (50, 50));

    button.editMode = true;
    rig.key (juce::KeyPress (juce::KeyPress::upKey));
    rig.key (juce::KeyPress (juce::KeyPress::leftKey));
    rig.key (juce::KeyPress (juce::KeyPress::leftKey));
    rig.key (juce::KeyPress (juce::KeyPress::downKey));
    rig.key (juce::KeyPress (juce::KeyPress::downKey));
    rig.key (juce::KeyPress (juce::KeyPress::rightKey));
    EXPECT_EQ (button.getBounds(), juce::Rectangle<int> (49, 51, 60, 40));
    EXPECT_EQ (parent.keys.size(), 1);

    rig.key (juce::KeyPress (juce::KeyPress::upKey, juce::ModifierKeys::shiftModifier, 0));
    rig.key (juce::KeyPress (juce::KeyPress::upKey, juce::ModifierKeys::altModifier, 0));
    rig.key (juce::KeyPress (juce::KeyPress::upKey, juce::ModifierKeys::ctrlModifier, 0));
    rig.key (juce::KeyPress ('a'));
    EXPECT_EQ (button.getBounds(), juce::Rectangle<int> (49, 51, 60, 40));
    EXPECT_EQ (parent.keys.size(), 5);

    // The nudge is not held inside the parent.
    button.setTopLeftPosition (0, 0);
    rig.key (juce::KeyPress (juce::KeyPress::leftKey));
    EXPECT_EQ (button.getPosition(), juce::Point<int> (-1, 0));

    rig.root().removeKeyListener (&parent);
}

TEST (KV_ImageButton, ReturnClicksTheFocusedButtonOnlyOutsideEditMode)
{
    ImageButtonRig rig;
    KeyRecorder parent;
    rig.root().addKeyListener (&parent);
    auto& button = rig.button;
    button.grabKeyboardFocus();
    ASSERT_TRUE (button.hasKeyboardFocus (false));

    rig.key (juce::KeyPress (juce::KeyPress::returnKey));
    EXPECT_TRUE (WidgetRig::pumpUntil ([&] { return rig.clicks == 1; }));

    // While it is being placed, the button is not played: the key goes on instead.
    button.editMode = true;
    rig.key (juce::KeyPress (juce::KeyPress::returnKey));
    WidgetRig::settle();
    EXPECT_EQ (rig.clicks, 1);
    EXPECT_EQ (parent.keys.size(), 1);

    rig.root().removeKeyListener (&parent);
}

TEST (KV_ImageButton, APressReleasedWithCtrlHeldLetsGoOfThePressedPictureWithoutClicking)
{
    ImageButtonRig rig;
    auto& button = rig.button;
    const auto up = juce::Colours::green, down = juce::Colours::red;
    auto solid = [&button] (juce::Colour c)
    {
        juce::Image image (juce::Image::ARGB, button.getWidth(), button.getHeight(), true);
        image.clear (image.getBounds(), c);
        return image;
    };
    button.setImages (false, true, true, solid (up), 1.0f, {}, {}, 1.0f, {}, solid (down), 1.0f, {});
    button.lockMenuEnabled = true;
    const auto centre = rig.centreOf (button);

    rig.press (centre);
    EXPECT_PIXEL (snapshotOf (rig.root()), centre.x, centre.y, down);

    // The lock rule swallows this release: no click, no menu, and the switch is up again.
    rig.release (centre, juce::ModifierKeys::ctrlModifier);
    WidgetRig::settle();
    EXPECT_PIXEL (snapshotOf (rig.root()), centre.x, centre.y, up);
    EXPECT_EQ (rig.clicks, 0);
    EXPECT_EQ (WidgetRig::openMenu(), nullptr);
}

TEST (KV_ImageButton, LockMenuOpensInsideTheEditorInItsLookAndFeel)
{
    ImageButtonRig rig;
    pluginLookAndFeel lookAndFeel (&rig.root());
    rig.root().setLookAndFeel (&lookAndFeel);
    rig.button.lockMenuEnabled = true;
    rig.button.parameterLocked = true;

    rig.click (rig.centreOf (rig.button), juce::ModifierKeys::rightButtonModifier);
    auto* menu = WidgetRig::openMenu();
    ASSERT_NE (menu, nullptr);
    EXPECT_EQ (menu->getParentComponent(), &rig.root());

    const auto picture = snapshotOf (rig.root());
    saveForReview (picture, "lock-menu");
    const auto inMenu = menu->getBounds().getTopRight() + juce::Point<int> (-8, 8);
    const auto background = picture.getPixelAt (inMenu.x, inMenu.y);
    EXPECT_GT (background.getAlpha(), 0xe0);                // the look-and-feel's dark menu, not the
    EXPECT_LT (background.getPerceivedBrightness(), 0.3f);  // framework's light one

    juce::PopupMenu::dismissAllActiveMenus();
    WidgetRig::pumpUntil ([] { return WidgetRig::openMenu() == nullptr; });
    rig.root().setLookAndFeel (nullptr);
}
