#include "WidgetRig.h"
#include "widgets/KV_ColorKnob.h"

#include <gtest/gtest.h>

namespace
{
struct DragCounter : juce::Slider::Listener
{
    void sliderValueChanged (juce::Slider*) override {}
    void sliderDragStarted (juce::Slider*) override { ++starts; }
    int starts = 0;
};

// The knob takes no keyboard focus; in a host the editor's window holds it. A popup menu closes
// on the next mouse event when no window of ours has the focus, so the window takes it here.
void focusWindow (WidgetRig& rig)
{
    rig.root().setWantsKeyboardFocus (true);
    rig.root().grabKeyboardFocus();
}

struct ColorKnobRig : WidgetRig
{
    ColorKnobRig()
    {
        focusWindow (*this);
        knob.setRange (0.0, 1.0);
        knob.setBounds (100, 100, 17, 17);
        knob.addListener (&drags);
        root().addAndMakeVisible (knob);
    }

    ~ColorKnobRig() { knob.removeListener (&drags); }

    juce::AudioParameterFloat parameter { juce::ParameterID { "MIX", 1 }, "Mix", 0.0f, 1.0f, 1.0f };
    korvanth::KV_ColorKnob knob { juce::Colour (0xccaba69e), juce::Colour (0xfff0e9de), &parameter };
    DragCounter drags;
};

const juce::ModifierKeys left { juce::ModifierKeys::leftButtonModifier };
const juce::ModifierKeys right { juce::ModifierKeys::rightButtonModifier };
const juce::ModifierKeys ctrlLeft { juce::ModifierKeys::leftButtonModifier | juce::ModifierKeys::ctrlModifier };
}

TEST (KV_ColorKnob, OnlyTheRightButtonOpensTheLockMenu)
{
    ColorKnobRig rig;
    const auto centre = rig.centreOf (rig.knob);

    rig.click (centre, ctrlLeft);
    EXPECT_EQ (WidgetRig::openMenu(), nullptr);
    EXPECT_EQ (rig.drags.starts, 1) << "a ctrl click reaches the slider";

    rig.click (centre, right);
    ASSERT_NE (WidgetRig::openMenu(), nullptr);
    EXPECT_EQ (rig.drags.starts, 1);
    ASSERT_TRUE (rig.chooseMenuItem (1));
    EXPECT_TRUE (WidgetRig::pumpUntil ([&] { return rig.knob.parameterLocked; }));

    // The editor turns the menu off; the right button then turns the knob like the left.
    rig.knob.lockMenuEnabled = false;
    rig.click (centre, right);
    EXPECT_EQ (WidgetRig::openMenu(), nullptr);
    EXPECT_EQ (rig.drags.starts, 2);
}

TEST (KV_ColorKnob, DeletedWhileItsLockMenuIsOpenIsNeverTouched)
{
    WidgetRig rig;
    focusWindow (rig);
    juce::AudioParameterFloat parameter { juce::ParameterID { "MIX", 1 }, "Mix", 0.0f, 1.0f, 1.0f };
    auto knob = std::make_unique<korvanth::KV_ColorKnob> (juce::Colours::grey, juce::Colours::white, &parameter);
    knob->setBounds (100, 100, 17, 17);
    rig.root().addAndMakeVisible (*knob);

    rig.click (rig.centreOf (*knob), right);
    ASSERT_NE (WidgetRig::openMenu(), nullptr);
    knob.reset();

    // The menu drew with the knob's own look-and-feel; the sanitizer build reports any use of either.
    EXPECT_TRUE (WidgetRig::pumpUntil ([] { return WidgetRig::openMenu() == nullptr; }));
    WidgetRig::settle();
}

TEST (KV_ColorKnob, HelpTextShowsInTheStatusLabelWhileHovered)
{
    ColorKnobRig rig;
    juce::Label status;
    status.setText ("idle", juce::dontSendNotification);

    // Without a status label nothing is written anywhere.
    rig.knob.helpText = "Dry and wet mix";
    rig.moveTo (rig.centreOf (rig.knob));
    rig.moveTo (rig.outside());
    EXPECT_EQ (status.getText(), "idle");

    rig.knob.statusLabel = &status;
    rig.moveTo (rig.centreOf (rig.knob));
    EXPECT_EQ (status.getText(), "Dry and wet mix");
    rig.moveTo (rig.outside());
    EXPECT_EQ (status.getText(), "");
}

TEST (KV_ColorKnob, ValueTextStaysUpWhileAButtonIsHeldOverTheKnob)
{
    ColorKnobRig rig;
    auto& knob = rig.knob;
    const auto centre = rig.centreOf (knob);

    // What the editor does on a change: raise the flag and start the knob's 300 ms timer.
    rig.press (centre, left);
    knob.showValueText = true;
    knob.startTimer (300);

    for (int tick = 0; tick < 5; ++tick)
        knob.timerCallback();
    EXPECT_TRUE (knob.showValueText);
    EXPECT_TRUE (knob.isTimerRunning());

    rig.release (centre);
    knob.timerCallback();
    EXPECT_FALSE (knob.showValueText);
    EXPECT_FALSE (knob.isTimerRunning());

    // A button held elsewhere does not keep it up.
    knob.showValueText = true;
    knob.startTimer (300);
    rig.press (rig.outside(), left);
    knob.timerCallback();
    EXPECT_FALSE (knob.showValueText);
    rig.release (rig.outside());
}
