#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

namespace korvanth
{
    /** The plug-in's message boxes, questions and file choosers, all in their asynchronous
        forms: a modal wait would run the message loop, and a host may close the window (and
        delete whoever asked) before the person answers. The answer arrives through the
        callback, which the caller guards with a juce::Component::SafePointer.

        An Answerer stands in for the person: while one is set, nothing is shown and each
        question is answered at once, inside the call. Message thread only.
    */
    class KV_Dialogs
    {
    public:
        struct Answerer
        {
            virtual ~Answerer() = default;
            virtual void messageShown (const juce::String& title, const juce::String& message) = 0;
            virtual bool answerOkCancel (const juce::String& title, const juce::String& message) = 0;
            /** An invalid File stands for Cancel. */
            virtual juce::File chooseFile (const juce::String& title, const juce::File& start,
                                           const juce::String& patterns, int flags) = 0;
        };

        /** A box with the message and a single "OK" button. */
        static void showMessage (const juce::String& title, const juce::String& message,
                                 juce::Component* associatedComponent);

        /** An OK/Cancel box; onAnswer receives true for OK. */
        static void askOkCancel (const juce::String& title, const juce::String& message,
                                 juce::Component* associatedComponent, std::function<void (bool)> onAnswer);

        /** A file chooser (the framework's own on Linux) with juce::FileBrowserComponent flags.
            The chooser lives in the caller's holder, so deleting the caller closes it and no
            answer arrives; onChosen receives an invalid File when the person cancels. */
        static void chooseFile (std::unique_ptr<juce::FileChooser>& holder, const juce::String& title,
                                const juce::File& start, const juce::String& patterns, int flags,
                                std::function<void (const juce::File&)> onChosen);

        /** nullptr puts the person back in charge. */
        static void setAnswerer (Answerer* answerer);

    private:
        KV_Dialogs() = delete;
    };
}
