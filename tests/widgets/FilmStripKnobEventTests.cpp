#include "WidgetRig.h"
#include "WidgetTestSupport.h"
#include "widgets/FilmStripKnob.h"
#include "widgets/pluginLookAndFeel.h"

#include <BinaryData.h>
#include <gtest/gtest.h>

namespace
{
juce::AudioParameterFloat makeParameter()
{
    return { juce::ParameterID { "GAIN", 1 }, "Gain", { 0.0f, 1.0f }, 0.5f,
             juce::AudioParameterFloatAttributes()
                 .withStringFromValueFunction ([] (float v, int) { return juce::String (v, 2) + " dB"; })
                 .withValueFromStringFunction ([] (const juce::String& t) { return t.getFloatValue() / 10.0f; }) };
}

struct DragCounter : juce::Slider::Listener
{
    void sliderValueChanged (juce::Slider*) override {}
    void sliderDragStarted (juce::Slider*) override { ++starts; }
    int starts = 0;
};

struct KnobRig : WidgetRig
{
    KnobRig()
    {
        knob.setSliderStyle (juce::Slider::RotaryVerticalDrag);
        knob.setRange (0.0, 1.0);
        knob.setValue (0.5, juce::dontSendNotification);
        knob.setBounds (100, 80, 64, 65);
        knob.addListener (&drags);
        root().addAndMakeVisible (knob);
    }

    ~KnobRig() { knob.removeListener (&drags); }

    juce::AudioParameterFloat parameter = makeParameter();
    korvanth::FilmStripKnob knob { juce::ImageCache::getFromMemory (BinaryData::knob_gain_png,
                                                                    BinaryData::knob_gain_pngSize),
                                   &parameter };
    DragCounter drags;
};

const juce::ModifierKeys left { juce::ModifierKeys::leftButtonModifier };
const juce::ModifierKeys right { juce::ModifierKeys::rightButtonModifier };
const juce::ModifierKeys ctrlLeft { juce::ModifierKeys::leftButtonModifier | juce::ModifierKeys::ctrlModifier };

void closeMenu (WidgetRig& rig)
{
    rig.key (juce::KeyPress (juce::KeyPress::escapeKey));
    WidgetRig::pumpUntil ([] { return WidgetRig::openMenu() == nullptr; });
}
}

TEST (FilmStripKnob, RightButtonOrCtrlOpensTheLockMenuInsteadOfTurning)
{
    KnobRig rig;
    rig.knob.lockMenuEnabled = true;
    const auto centre = rig.centreOf (rig.knob);

    for (auto mods : { right, ctrlLeft })
    {
        rig.click (centre, mods);
        EXPECT_NE (WidgetRig::openMenu(), nullptr) << mods.getRawFlags();
        closeMenu (rig);
    }
    EXPECT_EQ (rig.drags.starts, 0);

    rig.click (centre, left);
    EXPECT_EQ (WidgetRig::openMenu(), nullptr);
    EXPECT_EQ (rig.drags.starts, 1);

    rig.click (centre, right);
    ASSERT_TRUE (rig.chooseMenuItem (1));
    EXPECT_TRUE (WidgetRig::pumpUntil ([&] { return rig.knob.parameterLocked; }));
    rig.click (centre, right);
    ASSERT_TRUE (rig.chooseMenuItem (2));
    EXPECT_TRUE (WidgetRig::pumpUntil ([&] { return rig.knob.unlockAllRequested; }));
    EXPECT_TRUE (rig.knob.parameterLocked);

    // With the menu off, a right click turns the knob like any other.
    rig.knob.lockMenuEnabled = false;
    rig.click (centre, right);
    EXPECT_EQ (WidgetRig::openMenu(), nullptr);
    EXPECT_EQ (rig.drags.starts, 2);
}

TEST (FilmStripKnob, DeletedWhileItsLockMenuIsOpenIsNeverTouched)
{
    WidgetRig rig;
    auto parameter = makeParameter();
    auto knob = std::make_unique<korvanth::FilmStripKnob> (juce::Image(), &parameter);
    knob->setBounds (100, 80, 64, 65);
    knob->lockMenuEnabled = true;
    rig.root().addAndMakeVisible (*knob);

    rig.click (rig.centreOf (*knob), right);
    ASSERT_NE (WidgetRig::openMenu(), nullptr);
    knob.reset();

    // The sanitizer build reports any write through the stale pointer.
    EXPECT_TRUE (WidgetRig::pumpUntil ([] { return WidgetRig::openMenu() == nullptr; }));
    WidgetRig::settle();
}

TEST (FilmStripKnob, ValueBubbleShowsTheValueBeforeEachStepAndLingersAfterRelease)
{
    KnobRig rig;
    pluginLookAndFeel lookAndFeel (&rig.root());
    rig.knob.setLookAndFeel (&lookAndFeel);
    rig.knob.helpEnabled = true;
    rig.knob.bubbleParent = &rig.root();
    const auto centre = rig.centreOf (rig.knob);

    rig.press (centre, left);
    ASSERT_NE (rig.knob.helpBubble, nullptr);
    auto* bubble = rig.knob.helpBubble.get();
    EXPECT_EQ (bubble->text, "0.50 dB");
    EXPECT_EQ (bubble->getParentComponent(), &rig.root());
    EXPECT_TRUE (bubble->isVisible());
    EXPECT_LT (bubble->getBounds().getCentreY(), rig.knob.getY()) << "the look-and-feel places it above";
    EXPECT_EQ (bubble->font.getTypefacePtr(), lookAndFeel.getSliderPopupFont (rig.knob).getTypefacePtr());

    // Dragging up turns the knob; the bubble shows the value as it stood before each step.
    rig.moveTo (centre - juce::Point<int> (0, 15), left);
    EXPECT_EQ (bubble->text, "0.50 dB");
    const auto afterFirstStep = rig.knob.getValue();
    EXPECT_GT (afterFirstStep, 0.5);
    rig.moveTo (centre - juce::Point<int> (0, 30), left);
    EXPECT_EQ (bubble->text, juce::String (afterFirstStep, 2) + " dB");

    // Released over the knob, it stays for 300 ms, then goes by itself.
    rig.release (centre - juce::Point<int> (0, 30));
    ASSERT_EQ (rig.knob.helpBubble.get(), bubble);
    EXPECT_EQ (hoverTimerOf (*bubble).getTimerInterval(), 300);
    hoverTimerOf (*bubble).timerCallback();
    EXPECT_EQ (rig.knob.helpBubble, nullptr);

    // A wheel step shows a fresh bubble with the value before the step, and turns the knob.
    const auto beforeWheel = rig.knob.getValue();
    rig.peer().handleMouseWheel (juce::MouseInputSource::InputSourceType::mouse, centre.toFloat(),
                                 juce::Time::currentTimeMillis(), { 0.0f, 0.5f, false, false, false });
    ASSERT_NE (rig.knob.helpBubble, nullptr);
    EXPECT_EQ (rig.knob.helpBubble->text, juce::String (beforeWheel, 2) + " dB");
    EXPECT_NE (rig.knob.getValue(), beforeWheel);
    EXPECT_EQ (hoverTimerOf (*rig.knob.helpBubble).getTimerInterval(), 300);

    // Leaving the knob takes the bubble away at once.
    rig.moveTo (rig.outside());
    EXPECT_EQ (rig.knob.helpBubble, nullptr);

    rig.knob.setLookAndFeel (nullptr);
}

TEST (FilmStripKnob, HoveringShowsTheValueOnceAfterTheDelay)
{
    KnobRig rig;
    rig.knob.helpEnabled = true;

    rig.moveTo (rig.centreOf (rig.knob));
    ASSERT_TRUE (rig.knob.isTimerRunning());
    EXPECT_EQ (rig.knob.getTimerInterval(), 500);
    EXPECT_EQ (rig.knob.helpBubble, nullptr);

    rig.knob.timerCallback();
    ASSERT_NE (rig.knob.helpBubble, nullptr);
    EXPECT_TRUE (rig.knob.helpBubble->isOnDesktop()) << "no bubble parent: a window of its own";
    EXPECT_TRUE (rig.knob.helpBubble->isAlwaysOnTop());
    EXPECT_EQ (rig.knob.helpBubble->text, "0.50 dB");
    EXPECT_FALSE (rig.knob.isTimerRunning());

    rig.moveTo (rig.outside());
    EXPECT_EQ (rig.knob.helpBubble, nullptr);
    EXPECT_FALSE (rig.knob.isTimerRunning());
}

TEST (FilmStripKnob, WithoutTheValueFlagNoBubbleEverShows)
{
    KnobRig rig;
    const auto centre = rig.centreOf (rig.knob);

    rig.moveTo (centre);
    rig.knob.timerCallback();
    rig.press (centre, left);
    rig.moveTo (centre - juce::Point<int> (0, 10), left);
    rig.release (centre - juce::Point<int> (0, 10));
    rig.peer().handleMouseWheel (juce::MouseInputSource::InputSourceType::mouse, centre.toFloat(),
                                 juce::Time::currentTimeMillis(), { 0.0f, 0.5f, false, false, false });

    EXPECT_EQ (rig.knob.helpBubble, nullptr);
    EXPECT_EQ (rig.root().getNumChildComponents(), 1);
}

TEST (FilmStripKnob, EditModeMovesTheKnobInsteadOfTurningIt)
{
    KnobRig rig; // 300 x 200 window
    auto& knob = rig.knob;
    knob.editMode = true;
    knob.lockMenuEnabled = true;

    const auto start = rig.centreOf (knob);
    rig.moveTo (start);
    rig.press (start, left);
    rig.moveTo (start + juce::Point<int> (400, 300), left);
    rig.release (start + juce::Point<int> (400, 300));
    EXPECT_EQ (knob.getBounds(), juce::Rectangle<int> (236, 135, 64, 65)) << "held inside the window";
    EXPECT_EQ (knob.getValue(), 0.5);
    EXPECT_EQ (rig.drags.starts, 0);

    rig.click (rig.centreOf (knob), right);
    EXPECT_EQ (WidgetRig::openMenu(), nullptr);

    knob.grabKeyboardFocus();
    ASSERT_TRUE (knob.hasKeyboardFocus (false));
    EXPECT_TRUE (rig.key (juce::KeyPress (juce::KeyPress::leftKey)));
    EXPECT_TRUE (rig.key (juce::KeyPress (juce::KeyPress::upKey)));
    EXPECT_EQ (knob.getPosition(), juce::Point<int> (235, 134));
    EXPECT_FALSE (rig.key (juce::KeyPress (juce::KeyPress::upKey, juce::ModifierKeys::shiftModifier, 0)));
    EXPECT_EQ (knob.getPosition(), juce::Point<int> (235, 134));

    // Out of edit mode the arrows are the slider's again: they turn, not move.
    knob.editMode = false;
    rig.key (juce::KeyPress (juce::KeyPress::upKey));
    EXPECT_EQ (knob.getPosition(), juce::Point<int> (235, 134));
    EXPECT_GT (knob.getValue(), 0.5);
}

TEST (FilmStripKnob, RepaintsOnlyWhenItsValueChanges)
{
    struct CountingKnob : korvanth::FilmStripKnob
    {
        using FilmStripKnob::FilmStripKnob;
        void paint (juce::Graphics& g) override { ++paints; FilmStripKnob::paint (g); }
        int paints = 0;
    };

    WidgetRig rig;
    auto parameter = makeParameter();
    CountingKnob knob (juce::ImageCache::getFromMemory (BinaryData::knob_gain_png, BinaryData::knob_gain_pngSize),
                       &parameter);
    knob.setSliderStyle (juce::Slider::RotaryVerticalDrag);
    knob.setRange (0.0, 1.0);
    knob.setBounds (100, 80, 64, 65);
    rig.root().addAndMakeVisible (knob);
    ASSERT_TRUE (WidgetRig::pumpUntil ([&] { return knob.paints > 0; })) << "the window shows the knob";
    const auto centre = rig.centreOf (knob);

    // The editor's timer writes every value again and again; the mouse passes, clicks, leaves.
    knob.paints = 0;
    knob.setValue (knob.getValue(), juce::dontSendNotification);
    rig.moveTo (centre);
    rig.click (centre, left);
    rig.moveTo (rig.outside());
    knob.grabKeyboardFocus();
    knob.giveAwayKeyboardFocus();
    WidgetRig::settle();
    EXPECT_EQ (knob.paints, 0);

    knob.setValue (0.75, juce::dontSendNotification);
    EXPECT_TRUE (WidgetRig::pumpUntil ([&] { return knob.paints > 0; }));
}

TEST (FilmStripKnob, TextAndValueGoThroughTheParameter)
{
    auto parameter = makeParameter();
    korvanth::FilmStripKnob knob (juce::Image(), &parameter);
    knob.setRange (0.0, 1.0);

    EXPECT_EQ (knob.getTextFromValue (0.25), "0.25 dB");
    EXPECT_DOUBLE_EQ (knob.getValueFromText ("5"), 0.5);

    // Whole numbers round half to even and keep the slider's suffix.
    knob.setNumDecimalPlacesToDisplay (0);
    knob.setTextValueSuffix (" %");
    EXPECT_EQ (knob.getTextFromValue (2.5), "2 %");
    EXPECT_EQ (knob.getTextFromValue (3.5), "4 %");
}
