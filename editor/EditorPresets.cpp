// The preset bar. A preset is its file: the processor keeps the loaded preset's path, and the
// window works its position out again from it after every rescan, because two banks may hold
// presets of the same name and other programs may add or remove files meanwhile. The lists
// change only when the menu opens or the folder is set: a click reads no folder.

#include "editor/TheQuillmontAudioProcessorEditor.h"

#include "services/KV_Dialogs.h"

#include <utility>

namespace
{
    using P = QuillmontParameters::Index;

    const juce::String presetExtension = ".kvp";
    const juce::String presetTag = "TheQuillmont_Preset";

    juce::String presetNameOf (const juce::String& path)
    {
        return juce::File (path).getFileNameWithoutExtension();
    }

    juce::String couldNotBeRead (const juce::String& path)
    {
        return "The preset \"" + presetNameOf (path) + "\" could not be read.";
    }

    // One message for all a step went past; a long run of damaged files is named in part.
    juce::String couldNotBeRead (const juce::StringArray& paths)
    {
        if (paths.size() == 1)
            return couldNotBeRead (paths[0]);

        constexpr int namedAtMost = 5;
        juce::StringArray names;
        for (int i = 0; i < juce::jmin (paths.size(), namedAtMost); ++i)
            names.add ("\"" + presetNameOf (paths[i]) + "\"");

        if (const auto others = paths.size() - names.size(); others > 0)
            names.add (juce::String (others) + (others == 1 ? " other" : " others"));

        const auto last = names[names.size() - 1];
        names.remove (names.size() - 1);
        return "The presets " + names.joinIntoString (", ") + " and " + last + " could not be read.";
    }

    // Until a preset is saved the start is the presets folder, which the chooser opens with an
    // empty name. A folder that is gone would open at its parent with its own name filled in as
    // the file name, so the nearest folder that exists is used. The last saved file, gone or
    // not, keeps its name as the suggestion.
    juce::File saveChooserStart (const juce::String& currentPresetFile)
    {
        auto start = juce::File (currentPresetFile);
        if (start.existsAsFile() || start.hasFileExtension (presetExtension))
            return start;

        while (! start.isDirectory() && start.getParentDirectory() != start)
            start = start.getParentDirectory();
        return start;
    }
}

int TheQuillmontAudioProcessorEditor::findPreset (const juce::String& path) const
{
    return path.isEmpty() ? -1 : presetMenu.presetPaths.indexOf (path);
}

int TheQuillmontAudioProcessorEditor::findPresetByName (const juce::String& name) const
{
    return name.isEmpty() ? -1 : presetMenu.presetNames.indexOf (name);
}

void TheQuillmontAudioProcessorEditor::selectInitialPreset()
{
    const auto loaded = audioProcessor.getLoadedPresetFile();
    const auto name = audioProcessor.getCurrentPresetName();

    // The loaded file is selected by its path alone: one of the same name elsewhere is another
    // preset. Without a loaded file (a restored project) a preset of that name is only shown.
    if (loaded.isNotEmpty())
    {
        showLoadedPreset (audioProcessor.settings.presetModified != 0);
    }
    else
    {
        const auto index = findPresetByName (name);
        audioProcessor.currentPresetIndex = (float) index;
        showPresetAt (index);

        if (name.isNotEmpty())
            presetMenu.setModified (audioProcessor.settings.presetModified != 0);
    }

    presetMenu.onRescan = [this] { audioProcessor.currentPresetIndex = (float) findPreset (audioProcessor.getLoadedPresetFile()); };
}

void TheQuillmontAudioProcessorEditor::showPresetAt (int index)
{
    // Outside the list the selection is the loaded file (or none), which no scan finds.
    presetMenu.selectedPresetIndex = index;
    presetMenu.selectedPresetPath = juce::isPositiveAndBelow (index, presetMenu.presetPaths.size())
                                      ? presetMenu.presetPaths[index] : audioProcessor.getLoadedPresetFile();
    presetMenu.setText (presetMenu.presetNames[index], juce::dontSendNotification);
}

void TheQuillmontAudioProcessorEditor::showLoadedPreset (bool modified)
{
    const auto loaded = audioProcessor.getLoadedPresetFile();
    const auto index = findPreset (loaded);
    audioProcessor.currentPresetIndex = (float) index;
    showPresetAt (index);
    presetMenu.setModified (modified);

    // Saved outside the presets folder: its own name stands in the box, nothing is selected.
    if (index < 0 && loaded.isNotEmpty())
        presetMenu.setText (presetNameOf (loaded) + (modified ? "*" : ""), juce::dontSendNotification);
}

void TheQuillmontAudioProcessorEditor::rescanPresets()
{
    // The folder the window was built with: one set in the settings window waits for a restart.
    presetMenu.setPresetsFolder (presetMenu.presetsFolder);
}

void TheQuillmontAudioProcessorEditor::loadPreset (int index)
{
    // A step goes on past presets that cannot be read, the way it was going, until one loads or
    // it comes round to the one still loaded. A pick from the menu tries only what was picked.
    const auto direction = std::exchange (stepDirection, 0);
    const auto size = presetMenu.presetPaths.size();
    const auto start = findPreset (audioProcessor.getLoadedPresetFile());
    juce::StringArray unreadable;

    for (int tries = 0; tries < juce::jmax (1, size); ++tries)
    {
        const auto path = presetMenu.presetPaths[index];

        if (path.isNotEmpty() && audioProcessor.loadPresetFile (juce::File (path)))
        {
            // Its place is known: no search through a large library on every click.
            audioProcessor.settings.presetModified = 0;
            audioProcessor.currentPresetIndex = (float) index;
            showPresetAt (index);
            presetMenu.setModified (false);

            if (! unreadable.isEmpty())
                korvanth::KV_Dialogs::showMessage ("Load Preset", couldNotBeRead (unreadable), this);
            return;
        }

        unreadable.add (path);
        index = steppedIndex (index, direction, size);

        if (direction == 0 || index == start)
            break;
    }

    // Nothing loaded: the sound, the selection and the mark stay those of the preset still loaded.
    presetMenu.revertSelection();
    korvanth::KV_Dialogs::showMessage ("Load Preset", couldNotBeRead (unreadable), this);
}

void TheQuillmontAudioProcessorEditor::markModified()
{
    audioProcessor.settings.presetModified = 1;
    presetMenu.setModified (true);
}

int TheQuillmontAudioProcessorEditor::previousIndex (int index, int size)
{
    if (index > size)
        return 0;
    return index < 1 ? size - 1 : index - 1;
}

int TheQuillmontAudioProcessorEditor::steppedIndex (int index, int direction, int size)
{
    if (direction < 0)
        return previousIndex (index, size);
    return index + 1 < size ? index + 1 : 0;
}

void TheQuillmontAudioProcessorEditor::stepPreset (int direction)
{
    const auto size = presetMenu.presetPaths.size();
    if (size == 0)
        return;

    stepDirection = direction;
    presetMenu.selectPreset (steppedIndex (presetMenu.selectedPresetIndex, direction, size));
}

void TheQuillmontAudioProcessorEditor::savePreset()
{
    // One question at a time: a second save or delete waits for the first to be answered.
    if (dialogPending)
        return;

    dialogPending = true;
    juce::Component::SafePointer<TheQuillmontAudioProcessorEditor> safe (this);
    const auto chooserFlags = juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::canSelectFiles
                     | juce::FileBrowserComponent::warnAboutOverwriting;

    korvanth::KV_Dialogs::chooseFile (fileChooser, "Save Preset", saveChooserStart (audioProcessor.settings.currentPresetFile),
                                      "*" + presetExtension, chooserFlags, [safe] (const juce::File& chosen)
    {
        if (safe == nullptr)
            return;

        if (chosen == juce::File())
        {
            safe->dialogPending = false;
            return;
        }

        // Choosers on this platform add no extension; one added here may name a file that exists.
        const auto file = chosen.hasFileExtension (presetExtension) ? chosen
                                                                     : chosen.getSiblingFile (chosen.getFileName() + presetExtension);
        if (file == chosen || ! file.exists())
        {
            safe->writePreset (file);
            return;
        }

        korvanth::KV_Dialogs::askOkCancel ("Save Preset",
                                           "\"" + file.getFileName() + "\" already exists. Do you want to replace it?",
                                           safe.getComponent(), [safe, file] (bool replace)
        {
            if (safe == nullptr)
                return;

            if (replace)
                safe->writePreset (file);
            else
                safe->dialogPending = false;
        });
    });
}

void TheQuillmontAudioProcessorEditor::writePreset (const juce::File& file)
{
    dialogPending = false;
    auto& settingsRecord = audioProcessor.settings;

    // The element carries the name it is saved under; the window's size and HQ stay out.
    const auto previousName = audioProcessor.getCurrentPresetName();
    audioProcessor.setCurrentPresetName (file.getFileNameWithoutExtension());
    juce::XmlElement xml (presetTag);
    audioProcessor.excludeSizeAndHQ = 1;
    audioProcessor.savePresetToXml (xml);
    audioProcessor.excludeSizeAndHQ = 0;

    if (! xml.writeTo (file))
    {
        // Not saved: the name, the file and the modified mark stay as they were.
        audioProcessor.setCurrentPresetName (previousName);
        korvanth::KV_Dialogs::showMessage ("Save Preset", "The preset could not be saved to " + file.getFullPathName() + ".", this);
        return;
    }

    settingsRecord.currentPresetFile = file.getFullPathName();
    settingsRecord.presetModified = 0;
    audioProcessor.setLoadedPresetFile (file.getFullPathName());
    rescanPresets();

    // In the list: selected by its path. Saved elsewhere: its name is shown, nothing in the
    // list is selected and nothing is loaded.
    if (const auto index = findPreset (file.getFullPathName()); index >= 0)
    {
        presetMenu.selectPreset (index);
        return;
    }

    showLoadedPreset (false);
}

void TheQuillmontAudioProcessorEditor::deletePreset()
{
    if (dialogPending)
        return;

    // Only the loaded file is ever deleted, and only it is looked at.
    const auto path = audioProcessor.getLoadedPresetFile();
    if (path.isEmpty() || ! juce::File (path).existsAsFile())
        return;

    const auto file = juce::File (path);
    const auto index = findPreset (path);
    dialogPending = true;
    juce::Component::SafePointer<TheQuillmontAudioProcessorEditor> safe (this);
    korvanth::KV_Dialogs::askOkCancel ("Delete preset",
                                       "Do you want to permanently delete " + file.getFileNameWithoutExtension() + "?",
                                       this, [safe, file, index] (bool ok)
    {
        if (safe == nullptr)
            return;

        safe->dialogPending = false;

        // The framework reports success for a file that is already gone; only a real deletion
        // moves on to the neighbour.
        if (! ok || ! file.existsAsFile() || ! file.deleteFile() || file.exists())
            return;

        // The deleted name leaves the box at once: should no neighbour load, it stays empty.
        safe->rescanPresets();
        safe->showPresetAt (-1);
        const auto size = safe->presetMenu.presetPaths.size();
        if (index >= 0 && size > 0)
        {
            safe->stepDirection = -1;
            safe->presetMenu.selectPreset (previousIndex (index, size));
        }
    });
}

void TheQuillmontAudioProcessorEditor::resetPreset()
{
    if (dialogPending)
        return;

    dialogPending = true;
    juce::Component::SafePointer<TheQuillmontAudioProcessorEditor> safe (this);
    korvanth::KV_Dialogs::askOkCancel ("Reset preset", "Do you want to discard your changes and reload the preset?", this,
                                       [safe] (bool ok)
    {
        if (safe == nullptr)
            return;

        safe->dialogPending = false;
        if (! ok)
            return;

        safe->revertToLoadedFile();
    });
}

void TheQuillmontAudioProcessorEditor::revertToLoadedFile()
{
    // The loaded file itself, in the list or not; a file that is gone or broken keeps the edits.
    const auto path = audioProcessor.getLoadedPresetFile();
    const auto file = path.isEmpty() ? juce::File() : juce::File (path);

    if (! file.existsAsFile())
    {
        korvanth::KV_Dialogs::showMessage ("Reset preset",
                                           path.isEmpty() ? juce::String ("No preset file is loaded, so there is nothing to reload.")
                                                          : "The preset \"" + presetNameOf (path) + "\" is no longer there.",
                                           this);
        return;
    }

    if (! audioProcessor.loadPresetFile (file))
    {
        korvanth::KV_Dialogs::showMessage ("Reset preset", couldNotBeRead (path), this);
        return;
    }

    audioProcessor.settings.presetModified = 0;
    showLoadedPreset (false);
}

void TheQuillmontAudioProcessorEditor::randomise()
{
    // One draw per parameter, locked and skipped ones included, so a lock changes no other value.
    auto& parameters = audioProcessor.PluginParameterSet;
    for (size_t index = 0; index < parameters.size(); ++index)
    {
        const auto r = randomGenerator.nextFloat();
        auto* parameter = parameters[index];

        if (audioProcessor.isParameterLocked ((int) index) || index == (size_t) P::hq)
            continue;

        auto value = r;
        if (index == (size_t) P::power)
            value = r < 0.5f ? 0.0f : 1.0f;
        else if (index == (size_t) P::circuitType)
            value = parameter->range.convertTo0to1 ((float) juce::jmin (4, (int) (r * 5.0f)));

        parameter->setValue (value);
        parameter->sendValueChangedMessageToListeners (value);
    }

    markModified();
}
