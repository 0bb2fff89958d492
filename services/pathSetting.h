#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace korvanth
{
    /** One folder row of the settings window: its name, the folder shown read-only, and a
        "..." button that lets the person choose another folder. */
    class pathSetting : public juce::Component,
                        public juce::Button::Listener
    {
    public:
        pathSetting();
        ~pathSetting() override;

        void paint (juce::Graphics& g) override;
        void resized() override;
        void buttonClicked (juce::Button* clicked) override;

        /** The row's name ("Settings:" ...). */
        void setRowName (const juce::String& name);

        /** The folder the row holds and shows. */
        void setPath (const juce::String& newPath);

        juce::String path;
        juce::Label label;
        juce::TextEditor field;
        juce::TextButton button { "..." };

    private:
        // Owned here so that closing the window closes the chooser with it.
        std::unique_ptr<juce::FileChooser> chooser;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (pathSetting)
    };
}
