#include "services/KV_SettingsDocumentWindow.h"

namespace korvanth
{
KV_SettingsDocumentWindow::KV_SettingsDocumentWindow()
    : juce::DocumentWindow ("Settings", juce::Colour (0xff808080), juce::DocumentWindow::closeButton, true)
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
