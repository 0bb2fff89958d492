#pragma once

#include "services/PluginSettings.h"
#include "services/pathSetting.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace korvanth
{
    /** The settings window's panel: the four folders and two switches of the processor's
        settings record, with Save and Cancel. Drawn with the framework's own look-and-feel. */
    class SettingsGUI : public juce::Component,
                        public juce::Button::Listener
    {
    public:
        explicit SettingsGUI (PluginSettings* settingsToEdit);
        ~SettingsGUI() override;

        void paint (juce::Graphics& g) override;
        void resized() override;
        void buttonClicked (juce::Button* clicked) override;

        static constexpr const char* restartMessage = "Please, restart your DAW to apply the new saved settings.";
        /** Followed by a new line and the folder that could not be written. */
        static constexpr const char* saveFailedMessage =
            "The settings could not be saved. This folder does not exist or cannot be written:";

        PluginSettings* settings;
        juce::Label titleLabel;
        juce::Label noteLabel { "noteLabel" };
        pathSetting settingsRow, presetsRow, samplesRow, irRow;
        juce::TextButton saveButton { "saveButton" };
        juce::TextButton cancelButton { "cancelButton" };
        juce::ToggleButton newsfeedToggle { "Disable Newsfeed" };
        juce::ToggleButton legacyToggle { "Use Legacy Parameters" };

    private:
        void save();
        void hideWindow();

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SettingsGUI)
    };
}
