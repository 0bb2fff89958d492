#include "services/KV_SettingsDocumentWindow.h"

namespace korvanth
{
// Kept off the desktop until first shown: on X11, switching a desktop window to the native
// title bar recreates its peer and brings it to front, which maps it, hidden or not.
KV_SettingsDocumentWindow::KV_SettingsDocumentWindow()
    : juce::DocumentWindow ("Settings", juce::Colour (0xff808080), juce::DocumentWindow::closeButton, false)
{
    setUsingNativeTitleBar (true);
    setResizable (false, false);
    setVisible (false);
}

KV_SettingsDocumentWindow::~KV_SettingsDocumentWindow() = default;

void KV_SettingsDocumentWindow::closeButtonPressed()
{
    setVisible (false);
}
}
