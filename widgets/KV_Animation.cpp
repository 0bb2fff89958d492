#include "widgets/KV_Animation.h"

#include "widgets/KV_EditMode.h"
#include "widgets/KV_FilmStrip.h"

KV_Animation::KV_Animation (const juce::Image& filmStripImage, int numFrames)
    : frameCount (numFrames),
      filmStrip (filmStripImage)
{
    const auto frame = korvanth::KV_FilmStrip::frameSize (filmStrip, frameCount, isHorizontal);
    frameWidth = frame.getWidth();
    frameHeight = frame.getHeight();

    // A display, not a control: the slider's default text box would sit on top of the frames.
    setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);

    addKeyListener (this);
    setWantsKeyboardFocus (true);
}

KV_Animation::~KV_Animation()
{
    removeKeyListener (this);
}

void KV_Animation::mouseEnter (const juce::MouseEvent&)
{
    korvanth::KV_EditMode::keepInsideParent (*this, constrainer);
}

void KV_Animation::mouseDown (const juce::MouseEvent& e)
{
    if (editMode)
        dragger.startDraggingComponent (this, e);
}

void KV_Animation::mouseDrag (const juce::MouseEvent& e)
{
    if (editMode)
        dragger.dragComponent (this, e, &constrainer);
}

void KV_Animation::mouseUp (const juce::MouseEvent& e)
{
    if (editMode)
        dragger.dragComponent (this, e, &constrainer);
}

void KV_Animation::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&)
{
}

void KV_Animation::paint (juce::Graphics& g)
{
    const auto frame = korvanth::KV_FilmStrip::frameFor (valueToProportionOfLength (getValue()), frameCount);
    korvanth::KV_FilmStrip::drawFrame (g, filmStrip, frame, { frameWidth, frameHeight }, isHorizontal,
                                       getLocalBounds());
}

// The framework's slider steps its value with the arrow keys once focused (a click focuses it);
// a display passes every key on instead.
bool KV_Animation::keyPressed (const juce::KeyPress&)
{
    return false;
}

bool KV_Animation::keyPressed (const juce::KeyPress& key, juce::Component* originatingComponent)
{
    return korvanth::KV_EditMode::nudge (editMode, key, originatingComponent);
}
