// What each control does when the user moves it: knobs write their parameters, the logo menu
// runs its commands, the foot switch and HQ flip their parameters. The preset bar is in
// EditorPresets.cpp.

#include "editor/TheQuillmontAudioProcessorEditor.h"

#include "services/KV_Launcher.h"

namespace
{
    using P = QuillmontParameters::Index;

    // Addresses under the documentation domain: the maker's own site is not part of this build.
    const char* linkFor (int command)
    {
        switch (command)
        {
            case TheQuillmontAudioProcessorEditor::visitWebsite:  return "https://www.example.com/";
            case TheQuillmontAudioProcessorEditor::openManual:    return "https://www.example.com/manuals/the-quillmont.pdf";
            case TheQuillmontAudioProcessorEditor::youTube:       return "https://www.example.com/youtube";
            case TheQuillmontAudioProcessorEditor::facebookPage:  return "https://www.example.com/facebook";
            case TheQuillmontAudioProcessorEditor::facebookGroup: return "https://www.example.com/facebook-group";
            case TheQuillmontAudioProcessorEditor::userArea:      return "https://www.example.com/user-area";
            default:                                              return nullptr;
        }
    }
}

KV_NewFloatParameter* TheQuillmontAudioProcessorEditor::parameterFor (const juce::Component* control) const
{
    const std::pair<const juce::Component*, P> bindings[] = {
        { gainSlider.get(), P::gain }, { bassSlider.get(), P::bass }, { midSlider.get(), P::mid },
        { trebleSlider.get(), P::treble }, { volumeSlider.get(), P::level },
        { inputKnob.get(), P::inputGain }, { outputKnob.get(), P::outputGain },
        { mixKnob.get(), P::mix }, { gateKnob.get(), P::gate },
    };

    for (const auto& [c, index] : bindings)
        if (c == control)
            return &audioProcessor.parameter (index);

    return nullptr;
}

korvanth::KV_ColorKnob* TheQuillmontAudioProcessorEditor::colourKnobFor (const juce::Component* control) const
{
    for (auto* knob : { inputKnob.get(), outputKnob.get(), mixKnob.get(), gateKnob.get() })
        if (knob == control)
            return knob;

    return nullptr;
}

void TheQuillmontAudioProcessorEditor::sliderValueChanged (juce::Slider* slider)
{
    if (auto* parameter = parameterFor (slider))
    {
        const auto v = (float) slider->getValue();
        parameter->setValue (v);
        parameter->sendValueChangedMessageToListeners (v);
    }

    if (auto* knob = colourKnobFor (slider))
    {
        knob->showValueText = true;
        knob->startTimer (300);
    }
}

void TheQuillmontAudioProcessorEditor::sliderDragStarted (juce::Slider* slider)
{
    if (auto* parameter = parameterFor (slider))
        parameter->beginChangeGesture();

    if (auto* knob = colourKnobFor (slider))
    {
        knob->showValueText = true;
        knob->startTimer (300);
    }

    markModified();
}

void TheQuillmontAudioProcessorEditor::sliderDragEnded (juce::Slider* slider)
{
    if (auto* parameter = parameterFor (slider))
        parameter->endChangeGesture();
}

void TheQuillmontAudioProcessorEditor::comboBoxChanged (juce::ComboBox* comboBox)
{
    if (comboBox == &logoMenu)
    {
        const auto id = logoMenu.getSelectedId();
        if (id == 0)
            return;

        // The logo never shows a chosen item.
        logoMenu.setSelectedId (0, juce::sendNotificationAsync);
        runLogoCommand (id);
    }
    else if (comboBox == &presetMenu)
    {
        // A person's choice loads, even of a file whose name is already shown; the change
        // message of the modified mark loads nothing.
        if (presetMenu.takeUserSelection())
            loadPreset (presetMenu.selectedPresetIndex);
    }
    else if (comboBox == &circuitMenu)
    {
        if (const auto id = circuitMenu.getSelectedId(); id > 0)
            audioProcessor.parameter (P::circuitType).setRealValueNotifyingHost ((float) (id - 1));
    }
}

void TheQuillmontAudioProcessorEditor::runLogoCommand (int id)
{
    if (const auto* link = linkFor (id))
    {
        korvanth::KV_Launcher::openUrl (link);
        return;
    }

    switch (id)
    {
        case about:        aboutOverlay.setVisible (true); break;
        case settings:     settingsWindow.showSettings(); break;
        case sizeSmall:    setSizeKeepingPosition (minWidth, minHeight); break;
        case sizeDefault:  setSizeKeepingPosition (baseWidth, baseHeight); break;
        case sizeBig:      setSizeKeepingPosition (bigWidth, bigHeight); break;
        case edit:         toggleEditMode(); break;
        default:           break;
    }
}

void TheQuillmontAudioProcessorEditor::toggleEditMode()
{
    editMode = ! editMode;
    const auto alpha = editMode ? 127.0f / 255.0f : 1.0f;

    auto apply = [this, alpha] (auto& widgets)
    {
        for (int i = widgets.size(); --i >= 0;)
        {
            auto* w = widgets.getUnchecked (i);
            w->editMode = editMode;
            w->setAlpha (alpha);
        }
    };

    apply (editModeKnobs);
    apply (editModeButtons);
    apply (editModeAnimations);
    repaint();
}

void TheQuillmontAudioProcessorEditor::buttonClicked (juce::Button* button)
{
    if (button == prevButton.get())        stepPreset (-1);
    else if (button == nextButton.get())   stepPreset (1);
    else if (button == saveButton.get())   savePreset();
    else if (button == delButton.get())    deletePreset();
    else if (button == randButton.get())   randomise();
    else if (button == resetButton.get())  resetPreset();
    else if (button == &footSwitch)
    {
        auto& power = audioProcessor.parameter (P::power);
        const auto flipped = power.getValue() == 0.0f ? 1.0f : 0.0f;
        power.setValue (flipped);
        power.sendValueChangedMessageToListeners (flipped);
    }
    else if (button == hqButton.get())
    {
        auto& hq = audioProcessor.parameter (P::hq);
        const auto on = hqButton->getToggleState() ? 1.0f : 0.0f;
        hq.setValue (on);
        hq.sendValueChangedMessageToListeners (on);
    }
}
