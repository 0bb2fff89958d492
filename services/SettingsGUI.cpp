#include "services/SettingsGUI.h"

#include "services/KV_Dialogs.h"

namespace korvanth
{
namespace
{
    const juce::Colour panelColour (0xff393a3c);
    const juce::Colour textColour (0xffffffff);

    void setUpLabel (juce::Label& label, const juce::String& text, const juce::Font& font)
    {
        label.setText (text, juce::dontSendNotification);
        label.setFont (font);
        label.setJustificationType (juce::Justification::centred);
        label.setEditable (false, false, false);
        label.setColour (juce::Label::textColourId, textColour);
    }

    void setUpRow (pathSetting& row, const juce::String& name, const juce::String& path)
    {
        row.setRowName (name);
        row.setPath (path);
    }
}

SettingsGUI::SettingsGUI (PluginSettings* settingsToEdit)
    : settings (settingsToEdit)
{
    setUpLabel (titleLabel, "PATHS", juce::Font (12.0f, juce::Font::bold));
    setUpLabel (noteLabel, "(Please restart the plugin after saving)", juce::Font (10.0f, juce::Font::italic));
    addAndMakeVisible (titleLabel);
    addAndMakeVisible (noteLabel);

    setUpRow (settingsRow, "Settings:", settings->settingsPath);
    setUpRow (presetsRow, "Presets:", settings->presetsPath);
    setUpRow (samplesRow, "Samples:", settings->samplesPath);
    setUpRow (irRow, "IR:", settings->irFilesPath);

    for (auto* row : { &settingsRow, &presetsRow, &samplesRow, &irRow })
        addAndMakeVisible (row);

    for (auto* toggle : { &newsfeedToggle, &legacyToggle })
    {
        toggle->setButtonText (toggle->getName());
        toggle->setClickingTogglesState (true);
        addAndMakeVisible (toggle);
    }

    newsfeedToggle.setToggleState (settings->newsfeedDisabled != 0, juce::dontSendNotification);
    legacyToggle.setToggleState (settings->usingLegacyParameters != 0, juce::dontSendNotification);

    saveButton.setButtonText ("Save");
    cancelButton.setButtonText ("Cancel");

    for (auto* button : { &saveButton, &cancelButton })
    {
        button->addListener (this);
        addAndMakeVisible (button);
    }

    setSize (400, 300);
    setLookAndFeel (nullptr);
}

SettingsGUI::~SettingsGUI()
{
    cancelButton.removeListener (this);
    saveButton.removeListener (this);
}

void SettingsGUI::paint (juce::Graphics& g)
{
    g.fillAll (panelColour);
}

void SettingsGUI::resized()
{
    titleLabel.setBounds (0, 10, getWidth(), 15);
    noteLabel.setBounds (0, 25, getWidth(), 15);

    // The four rows follow each other without a gap, so the switches below overlap none of them.
    settingsRow.setTopLeftPosition (0, 50);
    presetsRow.setTopLeftPosition (0, 80);
    samplesRow.setTopLeftPosition (0, 110);
    irRow.setTopLeftPosition (0, 140);

    legacyToggle.setBounds (10, 190, 200, 20);
    newsfeedToggle.setBounds (10, 220, 200, 20);

    saveButton.setBounds (110, 260, 80, 24);
    cancelButton.setBounds (saveButton.getX() + 90, 260, 80, 24);
}

void SettingsGUI::buttonClicked (juce::Button* clicked)
{
    if (clicked == &saveButton)
        save();
    else if (clicked == &cancelButton)
        hideWindow();
}

void SettingsGUI::save()
{
    const auto previous = *settings;

    settings->settingsPath = settingsRow.path;
    settings->presetsPath = presetsRow.path;
    settings->samplesPath = samplesRow.path;
    settings->irFilesPath = irRow.path;
    settings->newsfeedDisabled = newsfeedToggle.getToggleState() ? 1 : 0;
    settings->usingLegacyParameters = legacyToggle.getToggleState() ? 1 : 0;

    // A file that was not written is not a saved setting: the record keeps what is on disk,
    // the window stays open with the person's choices, and the person is told which folder
    // failed: it may be the default one rather than the one chosen.
    const auto saved = settings->savePluginSettings();

    if (saved.failed())
    {
        *settings = previous;
        KV_Dialogs::showMessage (PluginSettings::productName,
                                 juce::String (saveFailedMessage) + "\n" + saved.getErrorMessage(), this);
        return;
    }

    hideWindow();
    KV_Dialogs::showMessage (PluginSettings::productName, restartMessage, nullptr);
}

void SettingsGUI::hideWindow()
{
    if (auto* window = getParentComponent())
        window->setVisible (false);
}
}
