#pragma once

#include "editor/TheQuillmontAudioProcessorEditor.h"
#include "widgets/WidgetRig.h"

namespace editortests
{
    /** The editor in a real window at its current size, so that presses, releases and keys
        arrive through the window's peer as a host's window delivers them. The editor sits at the
        window's origin: its own coordinates are the window's. */
    struct ShownEditor
    {
        explicit ShownEditor (TheQuillmontAudioProcessorEditor& e) : editor (e)
        {
            window.root().setSize (editor.getWidth(), editor.getHeight());
            window.root().addAndMakeVisible (editor);
            editor.setTopLeftPosition (0, 0);
        }

        ~ShownEditor() { window.root().removeChildComponent (&editor); }

        TheQuillmontAudioProcessorEditor& editor;
        WidgetRig window { 700, 600 };
    };
}
