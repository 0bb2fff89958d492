#include "widgets/FilmStripKnob.h"

#include "widgets/KV_EditMode.h"
#include "widgets/KV_FilmStrip.h"
#include "widgets/KV_LockMenu.h"

#include <cmath>

namespace korvanth
{
namespace
{
/** How long the value stays up after the mouse lets go of the knob or the wheel stops. */
constexpr int bubbleLingerMs = 300;
}

FilmStripKnob::KnobPopupDisplayComponent::KnobPopupDisplayComponent (FilmStripKnob& knob)
    : KV_HelpBubble (knob)
{
    auto& lf = knob.getLookAndFeel();
    font = lf.getSliderPopupFont (knob);
    setAllowedPlacement (lf.getSliderPopupPlacement (knob));
    setAlwaysOnTop (true);
    setLookAndFeel (&lf);
}

FilmStripKnob::FilmStripKnob (juce::Image filmStripToUse, juce::AudioProcessorParameter* parameterToUse)
    : parameterIndex (parameterToUse->getParameterIndex()),
      filmStrip (std::move (filmStripToUse)),
      parameter (parameterToUse)
{
    setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);

    const auto frame = KV_FilmStrip::frameSize (filmStrip, frameCount, isHorizontal);
    frameWidth = frame.getWidth();
    frameHeight = frame.getHeight();

    // The frame depends on the value alone: hovering and pressing give nothing new to draw.
    setRepaintsOnMouseActivity (false);

    addKeyListener (this);
    setWantsKeyboardFocus (true);
}

FilmStripKnob::~FilmStripKnob()
{
    helpBubble.reset();
    juce::PopupMenu::dismissAllActiveMenus();
    removeKeyListener (this);
}

void FilmStripKnob::mouseEnter (const juce::MouseEvent&)
{
    KV_EditMode::keepInsideParent (*this, constrainer);
    startTimer (KV_HoverHelp::delayMs);
}

void FilmStripKnob::mouseExit (const juce::MouseEvent&)
{
    helpBubble.reset();
    stopTimer();
}

void FilmStripKnob::mouseDown (const juce::MouseEvent& e)
{
    if (editMode)
    {
        dragger.startDraggingComponent (this, e);
        return;
    }

    // The pointer's state right now, as well as the press itself: on X11 the real-time query can
    // already see the buttons of a quick click released, which would lose the right click.
    const auto mods = e.mods.withFlags (juce::ModifierKeys::getCurrentModifiersRealtime().getRawFlags());

    if (lockMenuEnabled && mods.testFlags (juce::ModifierKeys::rightButtonModifier | juce::ModifierKeys::ctrlModifier))
    {
        showLockMenu();
        return;
    }

    if (mods.isLeftButtonDown())
    {
        if (helpEnabled)
            showNewBubble();
        refreshBubble();
    }

    juce::Slider::mouseDown (e);
}

void FilmStripKnob::mouseDrag (const juce::MouseEvent& e)
{
    if (editMode)
    {
        dragger.dragComponent (this, e, &constrainer);
        return;
    }

    refreshBubble();

    if (isEnabled())
        juce::Slider::mouseDrag (e);
}

void FilmStripKnob::mouseUp (const juce::MouseEvent& e)
{
    if (editMode)
    {
        dragger.dragComponent (this, e, &constrainer);
        return;
    }

    if (helpBubble != nullptr)
        helpBubble->startTimer (bubbleLingerMs);

    juce::Slider::mouseUp (e);
}

void FilmStripKnob::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    if (helpEnabled)
        showNewBubble();

    if (helpBubble != nullptr)
    {
        refreshBubble();
        helpBubble->startTimer (bubbleLingerMs);
    }

    juce::Slider::mouseWheelMove (e, wheel);
}

void FilmStripKnob::paint (juce::Graphics& g)
{
    const auto frame = KV_FilmStrip::frameFor (valueToProportionOfLength (getValue()), frameCount);
    KV_FilmStrip::drawFrame (g, filmStrip, frame, { frameWidth, frameHeight }, isHorizontal, getLocalBounds());
}

void FilmStripKnob::focusOfChildComponentChanged (FocusChangeType)
{
    // The slider repaints here to show focus; a film strip has no focused look.
}

double FilmStripKnob::getValueFromText (const juce::String& text)
{
    return double (parameter->getValueForText (text));
}

juce::String FilmStripKnob::getTextFromValue (double value)
{
    if (getNumDecimalPlacesToDisplay() <= 0)
        return juce::String (static_cast<juce::int64> (std::nearbyint (value))) + getTextValueSuffix();

    return parameter->getText (float (value), 2);
}

bool FilmStripKnob::keyPressed (const juce::KeyPress& key)
{
    const auto stepsTheValue = ! key.getModifiers().isAnyModifierKeyDown()
                               && (key.isKeyCode (juce::KeyPress::upKey) || key.isKeyCode (juce::KeyPress::downKey)
                                   || key.isKeyCode (juce::KeyPress::leftKey) || key.isKeyCode (juce::KeyPress::rightKey));
    if (! stepsTheValue)
        return juce::Slider::keyPressed (key);

    // The editor opens the host's gesture and marks the preset on a drag's start; the scope
    // closes the gesture again even when the value is already at its end.
    ScopedDragNotification drag (*this);
    return juce::Slider::keyPressed (key);
}

bool FilmStripKnob::keyPressed (const juce::KeyPress& key, juce::Component* originatingComponent)
{
    return KV_EditMode::nudge (editMode, key, originatingComponent);
}

void FilmStripKnob::timerCallback()
{
    if (helpEnabled)
        showNewBubble();

    refreshBubble();
    stopTimer();
}

void FilmStripKnob::showLockMenu()
{
    KV_LockMenu::show (*this);
}

void FilmStripKnob::lockMenuCallback (int result, FilmStripKnob* knob)
{
    KV_LockMenu::apply (result, knob);
}

void FilmStripKnob::showNewBubble()
{
    KV_HoverHelp::attach (*this, std::make_unique<KnobPopupDisplayComponent> (*this));
}

void FilmStripKnob::refreshBubble()
{
    // Before the slider sees the event: a drag or wheel step shows the value as it stood.
    if (helpBubble != nullptr)
        KV_HoverHelp::refresh (*this, getTextFromValue (getValue()));
}
} // namespace korvanth
