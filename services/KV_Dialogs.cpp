#include "services/KV_Dialogs.h"

namespace korvanth
{
namespace
{
    KV_Dialogs::Answerer*& currentAnswerer()
    {
        static KV_Dialogs::Answerer* answerer = nullptr;
        return answerer;
    }

    // The framework centres a box on its component inside that display, then lays the box out
    // again larger about the same centre, which near the display's edge pushes it off screen.
    // So the box that the call just opened is put back inside the display's user area.
    void keepNewBoxInsideItsDisplay (int modalCountBefore, juce::Component* associatedComponent)
    {
        auto& modal = *juce::ModalComponentManager::getInstance();
        auto* box = modal.getNumModalComponents() > modalCountBefore ? modal.getModalComponent (0) : nullptr;

        if (box == nullptr || ! box->isOnDesktop())
            return;

        const auto& displays = juce::Desktop::getInstance().getDisplays();
        const auto* display = displays.getDisplayForRect (associatedComponent != nullptr ? associatedComponent->getScreenBounds()
                                                                                           : box->getScreenBounds());
        if (display == nullptr)
            return;

        const auto scale = box->getDesktopScaleFactor() / juce::Desktop::getInstance().getGlobalScaleFactor();
        box->setBounds (box->getBounds().constrainedWithin (display->userArea / scale));
    }
}

void KV_Dialogs::setAnswerer (Answerer* answerer)
{
    currentAnswerer() = answerer;
}

void KV_Dialogs::showMessage (const juce::String& title, const juce::String& message,
                              juce::Component* associatedComponent)
{
    if (auto* answerer = currentAnswerer())
    {
        answerer->messageShown (title, message);
        return;
    }

    const auto modalCountBefore = juce::ModalComponentManager::getInstance()->getNumModalComponents();
    juce::NativeMessageBox::showMessageBoxAsync (juce::MessageBoxIconType::InfoIcon, title, message,
                                                 associatedComponent, nullptr);
    keepNewBoxInsideItsDisplay (modalCountBefore, associatedComponent);
}

void KV_Dialogs::askOkCancel (const juce::String& title, const juce::String& message,
                              juce::Component* associatedComponent, std::function<void (bool)> onAnswer)
{
    if (auto* answerer = currentAnswerer())
    {
        onAnswer (answerer->answerOkCancel (title, message));
        return;
    }

    // The framework answers 1 for OK and 0 for Cancel or a closed box.
    const auto modalCountBefore = juce::ModalComponentManager::getInstance()->getNumModalComponents();
    juce::NativeMessageBox::showOkCancelBox (juce::MessageBoxIconType::QuestionIcon, title, message, associatedComponent,
                                             juce::ModalCallbackFunction::create (
                                                 [onAnswer = std::move (onAnswer)] (int result) { onAnswer (result != 0); }));
    keepNewBoxInsideItsDisplay (modalCountBefore, associatedComponent);
}

void KV_Dialogs::chooseFile (std::unique_ptr<juce::FileChooser>& holder, const juce::String& title,
                             const juce::File& start, const juce::String& patterns, int flags,
                             std::function<void (const juce::File&)> onChosen)
{
    if (auto* answerer = currentAnswerer())
    {
        onChosen (answerer->chooseFile (title, start, patterns, flags));
        return;
    }

   #if JUCE_LINUX || JUCE_BSD
    // Here the "native" chooser is zenity or kdialog, a window of another process that a window
    // manager keeps below our always-on-top settings window. It also fills a start folder's name
    // in as the file name and changes the host's working directory. The framework's own chooser
    // does none of that.
    constexpr bool useNativeChooser = false;
   #else
    constexpr bool useNativeChooser = true;
   #endif

    holder = std::make_unique<juce::FileChooser> (title, start, patterns, useNativeChooser);
    holder->launchAsync (flags, [onChosen = std::move (onChosen)] (const juce::FileChooser& chooser)
    {
        onChosen (chooser.getResult());
    });
}
}
