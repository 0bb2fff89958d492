#include "editor/EditorRig.h"

#include <gtest/gtest.h>

// Last: Xlib's macros clash with names in the headers above.
#include "support/X11Windows.h"

using namespace editortests;

namespace
{
    using WindowList = std::vector<std::uintptr_t>;

    std::uintptr_t handleOf (juce::Component& c)
    {
        auto* peer = c.getPeer();
        return peer != nullptr ? reinterpret_cast<std::uintptr_t> (peer->getNativeHandle()) : 0;
    }

    // What the X server shows once the framework's requests have reached it.
    WindowList onScreen()
    {
        pump (50);
        return viewableWindowsOfThisProcess();
    }

    // A press and release at the centre of a control, through its window's peer.
    void click (juce::Component& control)
    {
        auto* peer = control.getPeer();
        ASSERT_NE (peer, nullptr);
        const auto at = peer->globalToLocal (control.getScreenBounds().getCentre().toFloat());
        auto time = juce::Time::currentTimeMillis();
        for (auto mods : { juce::ModifierKeys(), juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier), juce::ModifierKeys() })
        {
            juce::ModifierKeys::currentModifiers = mods;
            peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, at, mods,
                                    juce::MouseInputSource::defaultPressure,
                                    juce::MouseInputSource::defaultOrientation, time += 300);
        }
    }
}

TEST (EditorSettingsWindow, IsOnScreenOnlyFromSettingsUntilSaveCancelOrTheCloseButton)
{
    EditorRig rig;
    auto& editor = rig.openEditor();
    juce::Component host;
    host.setBounds (100, 100, editor.getWidth(), editor.getHeight());
    host.addAndMakeVisible (editor);
    host.addToDesktop (0);
    host.setVisible (true);

    const WindowList editorOnly { handleOf (host) };
    EXPECT_EQ (onScreen(), editorOnly) << "a window besides the editor is on screen";

    auto& settingsWindow = editor.settingsWindow.documentWindow;
    auto& panel = editor.settingsWindow.settingsGUI;
    const auto showSettings = [&]
    {
        editor.logoMenu.setSelectedId (TheQuillmontAudioProcessorEditor::settings, juce::sendNotificationSync);
        const auto shown = onScreen();
        EXPECT_EQ (shown, (WindowList { handleOf (host), handleOf (settingsWindow) }));
    };

    showSettings();
    click (panel.cancelButton);
    EXPECT_EQ (onScreen(), editorOnly) << "after Cancel";

    showSettings();
    askWindowToClose (handleOf (settingsWindow));
    EXPECT_EQ (onScreen(), editorOnly) << "after the close button";

    showSettings();
    click (panel.saveButton);
    EXPECT_EQ (onScreen(), editorOnly) << "after Save";
    EXPECT_EQ (rig.dialogs->messages.size(), 1);

    showSettings();
    click (panel.cancelButton);

    host.removeChildComponent (&editor);
    host.removeFromDesktop();
}
