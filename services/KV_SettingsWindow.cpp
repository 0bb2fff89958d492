#include "services/KV_SettingsWindow.h"

namespace korvanth
{
KV_SettingsWindow::KV_SettingsWindow (juce::Component& ownerEditor, PluginSettings& settingsToEdit)
    : owner (&ownerEditor),
      settings (&settingsToEdit),
      settingsGUI (&settingsToEdit)
{
    documentWindow.setUsingNativeTitleBar (true);
    documentWindow.setVisible (false);
}

// Members go in reverse: the panel first, then the window that showed it (it holds the panel
// through a safe pointer).
KV_SettingsWindow::~KV_SettingsWindow() = default;

void KV_SettingsWindow::showSettings()
{
    documentWindow.setAlwaysOnTop (true);
    documentWindow.setContentNonOwned (&settingsGUI, true);
    documentWindow.centreAroundComponent (owner, settingsGUI.getWidth(), settingsGUI.getHeight());

    // Joins the desktop here rather than at construction (see the document window), already
    // always on top so that its peer is made once.
    if (! documentWindow.isOnDesktop())
        documentWindow.addToDesktop();

    documentWindow.setVisible (true);
}
}
