#include "editor/TheQuillmontAudioProcessorEditor.h"

#include "editor/EditorPictures.h"

namespace
{
    using P = QuillmontParameters::Index;

    const juce::String versionText = juce::String ("v") + JucePlugin_VersionString;

    const char* const circuitNames[] = { "Default", "Bass", "MGV", "Plexy", "Smooth" };
    const char* const captionWords[] = { "IN", "OUT", "MIX", "GATE", "TYPE" };

    juce::Font fontOf (const juce::Typeface::Ptr& typeface, float pointHeight)
    {
        return juce::Font (typeface).withPointHeight (pointHeight);
    }
}

TheQuillmontAudioProcessorEditor::TheQuillmontAudioProcessorEditor (TheQuillmontAudioProcessor& p)
    : juce::AudioProcessorEditor (&p),
      audioProcessor (p),
      backgroundImage (EditorPictures::get().background),
      pedalPicture (EditorPictures::get().pedal),
      settingsWindow (*this, p.settings)
{
    // A click on a part that takes no keys focuses the window itself, not its first button,
    // which would take a Return meant for the host and flip HQ.
    setWantsKeyboardFocus (true);

    // The about overlay and the settings window are built with their members; both start hidden.
    editorLookAndFeel = std::make_unique<pluginLookAndFeel> (this);
    setLookAndFeel (editorLookAndFeel.get());
    const auto translucentDark = darkColour.withAlpha ((juce::uint8) 0xd9);
    const auto translucentAccent = accentColour.withAlpha ((juce::uint8) 0xd9);
    editorLookAndFeel->setColour (juce::PopupMenu::highlightedBackgroundColourId, accentColour);
    editorLookAndFeel->setColour (juce::PopupMenu::highlightedTextColourId, translucentDark);
    editorLookAndFeel->setColour (juce::PopupMenu::backgroundColourId, translucentDark);
    editorLookAndFeel->setColour (juce::PopupMenu::textColourId, accentColour);
    editorLookAndFeel->setColour (juce::BubbleComponent::backgroundColourId, translucentDark);
    editorLookAndFeel->setColour (juce::BubbleComponent::outlineColourId, translucentAccent);
    editorLookAndFeel->setColour (juce::TooltipWindow::textColourId, translucentAccent);

    buildLogoMenu();
    buildPresetMenu();
    buildPresetBar();

    addAndMakeVisible (pluginVersion);
    pluginVersion.setName ("pluginVersion");
    pluginVersion.setText (versionText, juce::dontSendNotification);
    pluginVersion.setJustificationType (juce::Justification::centred);
    pluginVersion.setLookAndFeel (editorLookAndFeel.get());
    pluginVersion.setColour (juce::Label::textColourId, accentColour);
    // It lies over the lower part of the preset bar, whose clicks must get through.
    pluginVersion.setInterceptsMouseClicks (false, false);

    newsBell = std::make_unique<korvanth::KV_NewsFeedComponent> (accentColour);
    addAndMakeVisible (*newsBell);
    newsBell->setVisible (audioProcessor.newsEnabled);

    addAndMakeVisible (pedalImage);
    pedalImage.setName ("Plugin BG");
    pedalImage.editMode = false;

    buildKnobs();
    buildLowerRow();
    buildCircuitMenu();

    // The widgets offer no lock menu here, but locks set in an earlier window still hold.
    for (auto* knob : editModeKnobs)
        knob->parameterLocked = audioProcessor.isParameterLocked (knob->parameterIndex);
    for (auto* button : editModeButtons)
        button->parameterLocked = audioProcessor.isParameterLocked (P::power);

    addAndMakeVisible (circuitMenu);
    addChildComponent (aboutOverlay);

    resizeCorner = std::make_unique<korvanth::KV_ResizableCornerComponent> (this, &sizeConstrainer);
    resizeCorner->restoreWidth = baseWidth;
    resizeCorner->restoreHeight = baseHeight;
    addAndMakeVisible (*resizeCorner);
    resizeCorner->setAlpha (0.0f);

    setUpSize();

    // The first picture already shows the parameters, not the controls' defaults.
    timerCallback();
    startTimer (50);
}

TheQuillmontAudioProcessorEditor::~TheQuillmontAudioProcessorEditor()
{
    stopTimer();
    setLookAndFeel (nullptr);
    pluginVersion.setLookAndFeel (nullptr);
}

void TheQuillmontAudioProcessorEditor::buildLogoMenu()
{
    addAndMakeVisible (logoMenu);
    logoMenu.addListener (this);
    logoMenu.setEditableText (false);
    logoMenu.setLookAndFeel (editorLookAndFeel.get());
    for (auto id : { juce::ComboBox::backgroundColourId, juce::ComboBox::outlineColourId,
                     juce::ComboBox::buttonColourId, juce::ComboBox::arrowColourId })
        logoMenu.setColour (id, juce::Colours::transparentBlack);
    logoMenu.setColour (juce::ComboBox::textColourId, accentColour);

    auto* menu = logoMenu.getRootMenu();
    menu->addItem (visitWebsite, "Visit Korvanth Website");
    menu->addItem (openManual, "Open Online Manual");
    menu->addSeparator();

    juce::PopupMenu online;
    online.addItem (youTube, "Korvanth YouTube");
    online.addItem (facebookPage, "Facebook Page");
    online.addItem (facebookGroup, "Facebook User Group");
    online.addItem (userArea, "Korvanth User Area");
    menu->addSubMenu ("Korvanth Online", online);
    menu->addSeparator();
    menu->addItem (about, "About");
    menu->addSeparator();
    menu->addItem (settings, "Settings");
    menu->addSeparator();

    juce::PopupMenu sizes;
    sizes.addItem (sizeSmall, "Small");
    sizes.addItem (sizeDefault, "Default");
    sizes.addItem (sizeBig, "Big");
    menu->addSubMenu ("Size", sizes);

    if (editMenuEnabled)
    {
        menu->addSeparator();
        menu->addItem (edit, "Edit");
    }
}

void TheQuillmontAudioProcessorEditor::buildPresetMenu()
{
    presetMenu.setPresetsFolder (audioProcessor.settings.presetsPath);
    addAndMakeVisible (presetMenu);
    presetMenu.setName ("presetMenu");
    presetMenu.addListener (this);
    presetMenu.setEditableText (false);
    presetMenu.setJustificationType (juce::Justification::centred);
    presetMenu.setLookAndFeel (editorLookAndFeel.get());
    for (auto id : { juce::ComboBox::backgroundColourId, juce::ComboBox::outlineColourId, juce::ComboBox::buttonColourId })
        presetMenu.setColour (id, juce::Colours::transparentBlack);
    presetMenu.setColour (juce::ComboBox::arrowColourId, juce::Colour (0xffececec));
    presetMenu.setColour (juce::ComboBox::textColourId, accentColour);
    presetMenu.setTextWhenNothingSelected ("Default");

    selectInitialPreset();
}

void TheQuillmontAudioProcessorEditor::buildPresetBar()
{
    struct ButtonEntry
    {
        std::unique_ptr<KV_TextButton>& button;
        const char* name;
        juce::String text;
        juce::Typeface::Ptr typeface;
        float pointHeight;
    };

    const auto icons = PluginTypefaces::icons();
    const ButtonEntry entries[] = {
        { prevButton,  "prevButton",  juce::String::charToString ((juce::juce_wchar) 0xf0d9), icons, 18.0f },
        { nextButton,  "nextButton",  juce::String::charToString ((juce::juce_wchar) 0xf0da), icons, 18.0f },
        { saveButton,  "saveButton",  juce::String::charToString ((juce::juce_wchar) 0xf0c7), icons, 16.0f },
        { delButton,   "delButton",   juce::String::charToString ((juce::juce_wchar) 0xf00d), icons, 16.0f },
        { randButton,  "randButton",  juce::String::charToString ((juce::juce_wchar) 0xf074), icons, 15.0f },
        { resetButton, "resetButton", juce::String::charToString ((juce::juce_wchar) 0xf01e), icons, 15.0f },
        { hqButton,    "hqButton",    "HQ", PluginTypefaces::bold(), 15.0f },
    };

    for (const auto& entry : entries)
    {
        entry.button = std::make_unique<KV_TextButton> (accentColour, accentColour);
        addAndMakeVisible (*entry.button);
        entry.button->setName (entry.name);
        entry.button->setClickingTogglesState (true);
        entry.button->addListener (this);
        entry.button->setButtonText (entry.text);
        entry.button->buttonLookAndFeel.textFont = fontOf (entry.typeface, entry.pointHeight);
    }

    hqButton->setColour (juce::TextButton::textColourOnId, accentColour);
    hqButton->setColour (juce::TextButton::textColourOffId, accentColour.withAlpha ((juce::uint8) 0x80));
}

void TheQuillmontAudioProcessorEditor::buildKnobs()
{
    const auto& pictures = EditorPictures::get();
    struct KnobEntry
    {
        std::unique_ptr<korvanth::FilmStripKnob>& knob;
        const char* name;
        P parameter;
        const juce::Image& strip;
    };
    const KnobEntry entries[] = {
        { gainSlider,   "gainSlider",   P::gain,   pictures.gainStrip },
        { bassSlider,   "bassSlider",   P::bass,   pictures.toneStrip },
        { midSlider,    "midSlider",    P::mid,    pictures.toneStrip },
        { trebleSlider, "trebleSlider", P::treble, pictures.toneStrip },
        { volumeSlider, "volumeSlider", P::level,  pictures.volumeStrip },
    };

    for (const auto& entry : entries)
    {
        auto& parameter = audioProcessor.parameter (entry.parameter);
        entry.knob = std::make_unique<korvanth::FilmStripKnob> (entry.strip, &parameter);
        auto& knob = *entry.knob;
        addAndMakeVisible (knob);
        knob.setName (entry.name);
        knob.setSliderStyle (juce::Slider::RotaryVerticalDrag);
        knob.setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
        knob.setTextValueSuffix ({});
        knob.helpEnabled = true;
        knob.bubbleParent = this;
        knob.setLookAndFeel (editorLookAndFeel.get());
        knob.addListener (this);
        knob.setRange (0.0, 1.0);
        knob.setDoubleClickReturnValue (true, parameter.getDefaultValue());
        knob.setAlpha (1.0f);
        knob.editMode = false;
        editModeKnobs.add (&knob);
    }

    powerLamp = std::make_unique<KV_Animation> (pictures.lamp, 2);
    addAndMakeVisible (*powerLamp);
    powerLamp->setSliderStyle (juce::Slider::RotaryVerticalDrag);
    powerLamp->setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    powerLamp->setRange (0.0, 1.0);
    powerLamp->setAlpha (1.0f);
    powerLamp->editMode = false;
    editModeAnimations.add (powerLamp.get());

    const auto clear = juce::Colours::transparentBlack;
    footSwitch.setImages (true, true, true,
                          pictures.footSwitchUp, 1.0f, clear,
                          {}, 1.0f, clear,
                          pictures.footSwitchDown, 1.0f, clear);
    addAndMakeVisible (footSwitch);
    footSwitch.addListener (this);
    footSwitch.setClickingTogglesState (false);
    footSwitch.setAlpha (1.0f);
    footSwitch.editMode = false;
    editModeButtons.add (&footSwitch);
}

void TheQuillmontAudioProcessorEditor::buildLowerRow()
{
    // Each red, green and blue byte of the accent times 0.71428573, truncated: 0xccaba69e.
    const auto knobBackground = juce::Colour ((juce::uint8) (accentColour.getRed() * 0.71428573f),
                                              (juce::uint8) (accentColour.getGreen() * 0.71428573f),
                                              (juce::uint8) (accentColour.getBlue() * 0.71428573f),
                                              (juce::uint8) 0xcc);
    struct Pair
    {
        KV_ResizableLabel& caption;
        std::unique_ptr<korvanth::KV_ColorKnob>& knob;
        P parameter;
    };
    const Pair pairs[] = {
        { knobCaptions[0], inputKnob,  P::inputGain },
        { knobCaptions[1], outputKnob, P::outputGain },
        { knobCaptions[2], mixKnob,    P::mix },
        { knobCaptions[3], gateKnob,   P::gate },
    };

    auto styleCaption = [this] (KV_ResizableLabel& caption, const char* word)
    {
        addAndMakeVisible (caption);
        caption.setText (word, juce::dontSendNotification);
        caption.setJustificationType (juce::Justification::centred);
        caption.setColour (juce::Label::textColourId, accentColour);
    };

    for (size_t i = 0; i < std::size (pairs); ++i)
    {
        const auto& pair = pairs[i];
        styleCaption (pair.caption, captionWords[i]);

        auto& parameter = audioProcessor.parameter (pair.parameter);
        pair.knob = std::make_unique<korvanth::KV_ColorKnob> (knobBackground, accentColour, &parameter);
        addAndMakeVisible (*pair.knob);
        pair.knob->addListener (this);
        pair.knob->setRange (0.0, 1.0);
        pair.knob->setDoubleClickReturnValue (true, parameter.getDefaultValue());
        pair.knob->lockMenuEnabled = false;
    }

    styleCaption (knobCaptions[4], captionWords[4]);
}

void TheQuillmontAudioProcessorEditor::buildCircuitMenu()
{
    circuitMenu.addListener (this);
    circuitMenu.setEditableText (false);
    circuitMenu.setJustificationType (juce::Justification::centred);
    circuitMenu.setLookAndFeel (editorLookAndFeel.get());
    for (auto id : { juce::ComboBox::backgroundColourId, juce::ComboBox::outlineColourId,
                     juce::ComboBox::buttonColourId, juce::ComboBox::arrowColourId })
        circuitMenu.setColour (id, juce::Colours::transparentBlack);
    circuitMenu.setColour (juce::ComboBox::textColourId, accentColour);
    circuitMenu.setColour (juce::ComboBox::outlineColourId, accentColour);

    for (int i = 0; i < (int) std::size (circuitNames); ++i)
        circuitMenu.addItem (circuitNames[i], i + 1);

    circuitMenu.setSelectedId (audioProcessor.currentCircuitIndex.load() + 1, juce::dontSendNotification);
}

void TheQuillmontAudioProcessorEditor::setUpSize()
{
    // The limits come first, so the size a host's state restored is held to them too.
    takeSizeLimits();
    setConstrainer (&sizeConstrainer);

    const auto stored = audioProcessor.getEditorSize();
    openAt ({ stored.width, stored.height });
}
