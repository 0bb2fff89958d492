#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace korvanth
{
    /** The desktop window titled "Settings" that shows the settings panel; closing it only
        hides it, like Cancel. Built off the desktop; its owner adds it when first showing it. */
    class KV_SettingsDocumentWindow : public juce::DocumentWindow
    {
    public:
        KV_SettingsDocumentWindow();
        ~KV_SettingsDocumentWindow() override;

        void closeButtonPressed() override;

    private:
        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_SettingsDocumentWindow)
    };
}
