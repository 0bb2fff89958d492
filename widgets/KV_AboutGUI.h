#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace korvanth
{
    /** The about box's panel: logo, product name, version and build, a short description and
        a line of legal notice, with a close button that hides the overlay around it. Its
        children draw with the look-and-feel they inherit from the editor. */
    class KV_AboutGUI : public juce::Component,
                        public juce::Button::Listener
    {
    public:
        KV_AboutGUI();
        ~KV_AboutGUI() override;

        void paint (juce::Graphics& g) override;
        void resized() override;
        void buttonClicked (juce::Button* clicked) override;

        juce::TextEditor contentBox { "contentBox" };
        // Given to every child; none here, so they inherit the editor's.
        std::unique_ptr<juce::LookAndFeel> lookAndFeel;
        juce::Rectangle<float> logoArea;
        juce::Label titleLabel;
        juce::Label versionLabel { "versionLabel" };
        juce::Label footerLabel { "footerLabel" };
        juce::TextButton closeButton;

    private:
        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_AboutGUI)
    };
}
