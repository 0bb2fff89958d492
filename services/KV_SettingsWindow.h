#pragma once

#include "services/KV_SettingsDocumentWindow.h"
#include "services/PluginSettings.h"
#include "services/SettingsGUI.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace korvanth
{
    /** Owns the settings window and its panel for the editor; never shown itself. Built hidden
        with the editor, shown from the logo menu's "Settings". */
    class KV_SettingsWindow : public juce::Component
    {
    public:
        KV_SettingsWindow (juce::Component& ownerEditor, PluginSettings& settingsToEdit);
        ~KV_SettingsWindow() override;

        /** Brings the window up on top, centred on the editor at the panel's size. */
        void showSettings();

        juce::Component* owner;
        PluginSettings* settings;
        KV_SettingsDocumentWindow documentWindow;
        SettingsGUI settingsGUI;

    private:
        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_SettingsWindow)
    };
}
