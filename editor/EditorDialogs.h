#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

/** The questions the pedal's window asks the user: confirmations, messages and the file chooser
    of Save Preset. Every one is asynchronous, so the host's message loop keeps running and the
    answer arrives in a callback; the window guards its callbacks itself. Tests hand the window
    an implementation that answers without a person.
*/
class EditorDialogs
{
public:
    virtual ~EditorDialogs() = default;

    /** Calls onAnswer with true for OK, false for Cancel. */
    virtual void askOkCancel (const juce::String& title, const juce::String& message,
                              juce::Component* associated, std::function<void (bool)> onAnswer) = 0;

    /** Calls onChosen with the chosen file, or with an invalid File when the user cancels. */
    virtual void chooseFileToSave (const juce::String& title, const juce::File& start, const juce::String& pattern,
                                   std::function<void (const juce::File&)> onChosen) = 0;

    /** A message with one OK button; nothing waits for it. */
    virtual void tell (const juce::String& title, const juce::String& message, juce::Component* associated) = 0;

    /** The platform's own boxes and chooser. */
    static std::unique_ptr<EditorDialogs> createNative();
};
