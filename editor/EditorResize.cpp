// The window's drawing, its layout and its size rules.

#include "editor/TheQuillmontAudioProcessorEditor.h"

#include "editor/EditorPictures.h"

#include <BinaryData.h>

bool TheQuillmontAudioProcessorEditor::takeSizeLimits()
{
    juce::Point<int> largest (headlessMaxWidth, headlessMaxHeight);
    if (const auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay())
        largest = { display->userArea.getWidth(), display->userArea.getHeight() };

    const auto before = sizeConstrainer.largestSize();
    sizeConstrainer.setLimits ({ minWidth, minHeight }, largest);
    workAreaUnsettled = largest.x < baseWidth || largest.y < baseHeight;
    return sizeConstrainer.largestSize() != before;
}

void TheQuillmontAudioProcessorEditor::openAt (juce::Point<int> asked)
{
    const auto target = sizeConstrainer.constrain ({ getX(), getY(), asked.x, asked.y });
    const juce::Point<int> forced (target.getWidth(), target.getHeight());

    if (workAreaUnsettled && forced != asked)
        sizeHeldByWorkArea = HeldSize { asked, forced };
    else
        sizeHeldByWorkArea.reset();

    setBounds (target);
}

void TheQuillmontAudioProcessorEditor::followDisplay()
{
    if (! workAreaUnsettled || ! takeSizeLimits())
        return;

    // Still at the size the small area forced on it: nobody has chosen another since.
    if (sizeHeldByWorkArea && sizeHeldByWorkArea->forced == juce::Point<int> (getWidth(), getHeight()))
        openAt (sizeHeldByWorkArea->asked);
}

void TheQuillmontAudioProcessorEditor::setSizeKeepingPosition (int width, int height)
{
    // Through the constrainer's screen check, as a drag of the corner would go.
    sizeConstrainer.setBoundsForComponent (this, { getX(), getY(), width, height }, false, false, true, true);
}

void TheQuillmontAudioProcessorEditor::paint (juce::Graphics& g)
{
    scaleX = (float) getWidth() / (float) baseWidth;
    scaleY = (float) getHeight() / (float) baseHeight;

    g.fillAll (juce::Colour (0xff171819));

    if (backgroundImage.isValid() && ! g.getClipBounds().isEmpty())
    {
        const auto k = (float) ((float) (imageScale * (double) scaleX) * 1.12);
        g.drawImageTransformed (backgroundImage, juce::AffineTransform::scale (k, k));
    }

    // Parsed once per window; the Part's every-paint parse bought nothing but time.
    if (logo == nullptr)
        if (auto svg = juce::XmlDocument::parse (juce::String::createStringFromData (BinaryData::logo_svg, BinaryData::logo_svgSize)))
            if ((logo = juce::Drawable::createFromSVG (*svg)) != nullptr)
                logo->replaceColour (juce::Colours::black, accentColour);

    if (logo != nullptr)
        logo->draw (g, 1.0f, juce::AffineTransform::scale (0.12f * scaleX, 0.12f * scaleY)
                                 .translated (10.0f * scaleX, 10.0f * scaleY));
}

void TheQuillmontAudioProcessorEditor::resized()
{
    // Anything that sets the size directly (a host, the corner's double-click) is brought back
    // onto the ratio and inside the limits; the corrected size lays itself out.
    if (! correctingSize)
    {
        const auto wanted = sizeConstrainer.constrain (getBounds());
        if (wanted != getBounds())
        {
            const juce::ScopedValueSetter<bool> guard (correctingSize, true);
            setBounds (wanted);
            return;
        }
    }

    const auto W = getWidth(), H = getHeight();
    const auto& pictures = EditorPictures::get();
    EditorLayoutPictures sizes;
    sizes.pedal = { pedalPicture.getWidth(), pedalPicture.getHeight() };
    // Film strips of 128 frames, one below the other.
    auto frame = [] (const juce::Image& strip) { return juce::Point<int> (strip.getWidth(), strip.getHeight() / 128); };
    sizes.gainFrame = frame (pictures.gainStrip);
    sizes.toneFrame = frame (pictures.toneStrip);
    sizes.volumeFrame = frame (pictures.volumeStrip);
    sizes.footSwitch = { pictures.footSwitchUp.getWidth(), pictures.footSwitchUp.getHeight() };
    const auto l = EditorLayout::compute (W, H, sizes);

    scaleX = l.scaleX;
    scaleY = l.scaleY;
    aboutOverlay.setBounds (0, 0, W, H);
    editorLookAndFeel->scale = scaleY;

    const auto icons = PluginTypefaces::icons();
    auto font = [] (const juce::Typeface::Ptr& typeface, float height) { return juce::Font (typeface).withPointHeight (height); };

    logoMenu.setBounds (l.logoMenu);
    presetMenu.setBounds (l.presetMenu);
    prevButton->buttonLookAndFeel.textFont = font (icons, l.arrowFontHeight);
    prevButton->setBounds (l.prevButton);
    nextButton->buttonLookAndFeel.textFont = font (icons, l.arrowFontHeight);
    nextButton->setBounds (l.nextButton);
    saveButton->buttonLookAndFeel.textFont = font (icons, l.fileFontHeight);
    saveButton->setBounds (l.saveButton);
    delButton->buttonLookAndFeel.textFont = font (icons, l.fileFontHeight);
    delButton->setBounds (l.delButton);
    resetButton->buttonLookAndFeel.textFont = font (icons, l.actionFontHeight);
    resetButton->setBounds (l.resetButton);
    randButton->buttonLookAndFeel.textFont = font (icons, l.actionFontHeight);
    randButton->setBounds (l.randButton);
    hqButton->buttonLookAndFeel.textFont = font (PluginTypefaces::bold(), l.hqFontHeight);
    hqButton->setBounds (l.hqButton);
    // Over the right end of the delete button; a hidden bell keeps its old place.
    if (audioProcessor.newsEnabled)
    {
        newsBell->setBounds (l.newsBell);
        newsBell->scaleX = scaleX;
        newsBell->scaleY = scaleY;
    }

    pluginVersion.setFont (font (PluginTypefaces::regular(), l.versionFontHeight));
    pluginVersion.setBounds (l.pluginVersion);

    pedalImage.image = pedalPicture;
    pedalImage.scale = (float) (imageScale * (double) scaleX);
    pedalImage.repaint();
    pedalImage.setBounds (l.pedalImage);

    gainSlider->setBounds (l.gainSlider);
    bassSlider->setBounds (l.bassSlider);
    midSlider->setBounds (l.midSlider);
    trebleSlider->setBounds (l.trebleSlider);
    volumeSlider->setBounds (l.volumeSlider);
    powerLamp->setBounds (l.powerLamp);
    footSwitch.setBounds (l.footSwitch);

    const auto captionFont = juce::Font (PluginTypefaces::regular()).withHeight (l.captionFontHeight).withExtraKerningFactor (0.1f);
    for (auto& caption : knobCaptions)
        caption.setFont (captionFont);

    knobCaptions[0].setBounds (l.inCaption);
    inputKnob->setBounds (l.inputKnob);
    knobCaptions[3].setBounds (l.gateCaption);
    gateKnob->setBounds (l.gateKnob);
    knobCaptions[4].setBounds (l.typeCaption);
    circuitMenu.setBounds (l.circuitMenu);
    knobCaptions[1].setBounds (l.outCaption);
    outputKnob->setBounds (l.outputKnob);
    knobCaptions[2].setBounds (l.mixCaption);
    mixKnob->setBounds (l.mixKnob);
    resizeCorner->setBounds (l.resizeCorner);

    // A size forced by a work area not known yet is nobody's choice; the asked one stays stored.
    if (sizeHeldByWorkArea && sizeHeldByWorkArea->forced != juce::Point<int> (W, H))
        sizeHeldByWorkArea.reset();
    const auto stored = sizeHeldByWorkArea ? sizeHeldByWorkArea->asked : juce::Point<int> (W, H);
    audioProcessor.setEditorSize (stored.x, stored.y);
}
