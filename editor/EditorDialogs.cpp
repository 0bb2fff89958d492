#include "editor/EditorDialogs.h"

namespace
{
    class NativeDialogs final : public EditorDialogs
    {
    public:
        void askOkCancel (const juce::String& title, const juce::String& message,
                          juce::Component* associated, std::function<void (bool)> onAnswer) override
        {
            juce::NativeMessageBox::showOkCancelBox (juce::MessageBoxIconType::QuestionIcon, title, message, associated,
                                                     juce::ModalCallbackFunction::create ([onAnswer] (int result)
                                                     {
                                                         onAnswer (result != 0);
                                                     }));
        }

        void chooseFileToSave (const juce::String& title, const juce::File& start, const juce::String& pattern,
                               std::function<void (const juce::File&)> onChosen) override
        {
            // The chooser lives until the next one replaces it or the window goes; destroying it
            // dismisses it without calling back.
            chooser = std::make_unique<juce::FileChooser> (title, start, pattern);
            chooser->launchAsync (juce::FileBrowserComponent::saveMode
                                      | juce::FileBrowserComponent::canSelectFiles
                                      | juce::FileBrowserComponent::warnAboutOverwriting,
                                  [onChosen] (const juce::FileChooser& fc) { onChosen (fc.getResult()); });
        }

        void tell (const juce::String& title, const juce::String& message, juce::Component* associated) override
        {
            juce::NativeMessageBox::showMessageBoxAsync (juce::MessageBoxIconType::WarningIcon, title, message, associated);
        }

    private:
        std::unique_ptr<juce::FileChooser> chooser;
    };
}

std::unique_ptr<EditorDialogs> EditorDialogs::createNative()
{
    return std::make_unique<NativeDialogs>();
}
