#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include "editor/EditorLayout.h"
#include "editor/EditorSizeConstrainer.h"
#include "processor/TheQuillmontAudioProcessor.h"
#include "services/KV_NewsFeedComponent.h"
#include "services/KV_SettingsWindow.h"
#include "widgets/FilmStripKnob.h"
#include "widgets/KV_Animation.h"
#include "widgets/KV_ColorKnob.h"
#include "widgets/KV_ComboBox.h"
#include "widgets/KV_ImageButton.h"
#include "widgets/PluginTypefaces.h"
#include "widgets/KV_NewAboutComponent.h"
#include "widgets/KV_PresetMenu.h"
#include "widgets/KV_ResizableCornerComponent.h"
#include "widgets/KV_ResizableLabel.h"
#include "widgets/KV_ScaledImage.h"
#include "widgets/KV_TextButton.h"
#include "widgets/pluginLookAndFeel.h"

#include <array>
#include <memory>
#include <optional>

/** The pedal's window: the pedal on its backdrop, every control bound to its parameter, the
    preset bar, the logo menu and the circuit menu, scaled from a 700 x 600 canvas at a fixed
    aspect ratio. The processor outlives it and keeps its size, the locks and the current preset.

    Controls never listen to the parameters: the 50 ms timer writes them back without
    notification; user actions reach the parameters through the listener callbacks only.
*/
class TheQuillmontAudioProcessorEditor : public juce::AudioProcessorEditor,
                                         public juce::Slider::Listener,
                                         public juce::ComboBox::Listener,
                                         public juce::Button::Listener,
                                         public juce::Timer
{
public:
    explicit TheQuillmontAudioProcessorEditor (TheQuillmontAudioProcessor& processor);
    ~TheQuillmontAudioProcessorEditor() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    void timerCallback() override;
    void sliderValueChanged (juce::Slider* slider) override;
    void sliderDragStarted (juce::Slider* slider) override;
    void sliderDragEnded (juce::Slider* slider) override;
    void comboBoxChanged (juce::ComboBox* comboBox) override;
    void buttonClicked (juce::Button* button) override;

    /** Logo-menu commands; item ids are the commands. */
    enum LogoCommand
    {
        visitWebsite = 1,
        openManual = 2,
        about = 4,
        settings = 5,
        youTube = 100,
        facebookPage = 101,
        facebookGroup = 102,
        userArea = 103,
        sizeSmall = 203,
        sizeDefault = 204,
        sizeBig = 205,
        edit = 999
    };

private:
    TheQuillmontAudioProcessor& audioProcessor;

public:
    juce::Image backgroundImage;
    juce::Image pedalPicture;
    korvanth::KV_ScaledImage pedalImage;
    std::unique_ptr<pluginLookAndFeel> editorLookAndFeel;
    korvanth::KV_NewAboutComponent aboutOverlay;
    korvanth::KV_SettingsWindow settingsWindow;
    korvanth::KV_ComboBox logoMenu { "logoMenu" };
    std::unique_ptr<KV_TextButton> prevButton, nextButton, saveButton, delButton, randButton, resetButton, hqButton;
    korvanth::KV_PresetMenu presetMenu;
    juce::Label pluginVersion;
    std::unique_ptr<korvanth::FilmStripKnob> gainSlider, bassSlider, midSlider, trebleSlider, volumeSlider;
    std::unique_ptr<KV_Animation> powerLamp;
    korvanth::KV_ImageButton footSwitch;
    std::array<KV_ResizableLabel, 5> knobCaptions;
    std::unique_ptr<korvanth::KV_ColorKnob> inputKnob, outputKnob, mixKnob, gateKnob;
    korvanth::KV_ComboBox circuitMenu { "circuitMenu" };
    std::unique_ptr<korvanth::KV_ResizableCornerComponent> resizeCorner;
    EditorSizeConstrainer sizeConstrainer { *this };
    juce::Array<korvanth::FilmStripKnob*> editModeKnobs;
    juce::Array<KV_Animation*> editModeAnimations;
    juce::Array<korvanth::KV_ImageButton*> editModeButtons;
    std::unique_ptr<korvanth::KV_NewsFeedComponent> newsBell;
    bool newsTaken = false, newsMarkedRead = false;
    juce::Random randomGenerator;
    bool editMenuEnabled = false, editMode = false;

    static constexpr int baseWidth = EditorLayout::baseWidth, baseHeight = EditorLayout::baseHeight;
    static constexpr int minWidth = 466, minHeight = 400;
    static constexpr int bigWidth = 1050, bigHeight = 900;
    // The largest size when no display is known (a headless host).
    static constexpr int headlessMaxWidth = bigWidth, headlessMaxHeight = bigHeight;

    float scaleX = 1.0f, scaleY = 1.0f;
    double imageScale = 0.5;
    juce::Colour darkColour { 0xff3f3f3f };
    juce::Colour accentColour { 0xfff0e9de };

private:
    void buildLogoMenu();
    void buildPresetMenu();
    void buildPresetBar();
    void buildKnobs();
    void buildLowerRow();
    void buildCircuitMenu();
    void setUpSize();
    bool takeSizeLimits();
    void openAt (juce::Point<int> asked);
    void followDisplay();

    KV_NewFloatParameter* parameterFor (const juce::Component* control) const;
    korvanth::KV_ColorKnob* colourKnobFor (const juce::Component* control) const;

    void syncLocks();
    void syncNews();
    void showUnreadCount (int count);
    void showCircuit();
    void showValues();

    void runLogoCommand (int id);
    void setSizeKeepingPosition (int width, int height);
    void toggleEditMode();

    // Presets, in EditorPresets.cpp.
    int findPreset (const juce::String& path) const;
    int findPresetByName (const juce::String& name) const;
    void selectInitialPreset();
    void rescanPresets();
    void loadPreset (int index);
    void showPresetAt (int index);
    void showLoadedPreset (bool modified);
    void markModified();
    void stepPreset (int direction);
    void savePreset();
    void writePreset (const juce::File& file);
    void deletePreset();
    void resetPreset();
    void revertToLoadedFile();
    void randomise();
    static int previousIndex (int index, int size);
    static int steppedIndex (int index, int direction, int size);

    std::unique_ptr<juce::Drawable> logo;
    std::unique_ptr<juce::FileChooser> fileChooser;
    bool dialogPending = false;
    int stepDirection = 0; // of the step whose load is pending: where to go on past an unreadable preset
    bool correctingSize = false;

    // A work area smaller than the default size may be one the desktop has not finished setting
    // up: while it is, the limits are taken again whenever the display reports another, and a
    // window opened smaller than asked for want of room keeps the asked size stored.
    struct HeldSize { juce::Point<int> asked, forced; };
    std::optional<HeldSize> sizeHeldByWorkArea;
    bool workAreaUnsettled = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TheQuillmontAudioProcessorEditor)
};
