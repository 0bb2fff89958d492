#pragma once

#include "widgets/KV_AboutGUI.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace korvanth
{
    /** The about box: dims the whole editor and centres the about panel on it. The editor
        shows it with setVisible and gives it its whole bounds; the panel's close button hides it. */
    class KV_NewAboutComponent : public juce::Component
    {
    public:
        KV_NewAboutComponent();
        ~KV_NewAboutComponent() override;

        void paint (juce::Graphics& g) override;
        void resized() override;

        KV_AboutGUI aboutGUI;
        int guiWidth = 285;
        int guiHeight = 340;

    private:
        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_NewAboutComponent)
    };
}
