#include "services/pathSetting.h"

#include "services/KV_Dialogs.h"

namespace korvanth
{
pathSetting::pathSetting()
{
    label.setFont (juce::Font (15.0f, juce::Font::bold));
    label.setJustificationType (juce::Justification::centredLeft);
    label.setEditable (false, false, false);
    label.setColour (juce::Label::textColourId, juce::Colour (0xffffffff));
    label.setColour (juce::Label::backgroundColourId, juce::Colours::transparentBlack);
    addAndMakeVisible (label);

    field.setMultiLine (false);
    field.setReadOnly (true);
    field.setCaretVisible (false);
    field.setScrollbarsShown (false);
    field.setReturnKeyStartsNewLine (false);
    field.setPopupMenuEnabled (true);
    addAndMakeVisible (field);

    button.addListener (this);
    addAndMakeVisible (button);

    setSize (400, 30);
}

pathSetting::~pathSetting()
{
    button.removeListener (this);
}

void pathSetting::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xff393a3c));
}

void pathSetting::resized()
{
    label.setBounds (8, 8, 64, 24);
    field.setBounds (80, 8, 240, 24);
    button.setBounds (336, 8, 31, 24);
}

void pathSetting::setRowName (const juce::String& name)
{
    label.setText (name, juce::dontSendNotification);
}

void pathSetting::setPath (const juce::String& newPath)
{
    path = newPath;
    field.setText (newPath, false);
}

void pathSetting::buttonClicked (juce::Button* clicked)
{
    if (clicked != &button)
        return;

    const auto chooserFlags = juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectDirectories;

    KV_Dialogs::chooseFile (chooser, "Select new path...",
                            juce::File::getSpecialLocation (juce::File::userHomeDirectory), {}, chooserFlags,
                            [safeThis = juce::Component::SafePointer<pathSetting> (this)] (const juce::File& folder)
                            {
                                if (safeThis != nullptr && folder != juce::File())
                                    safeThis->setPath (folder.getFullPathName() + "/");
                            });
}
}
