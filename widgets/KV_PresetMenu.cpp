#include "widgets/KV_PresetMenu.h"

#include "services/KV_Launcher.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

namespace korvanth
{
namespace
{
    struct FolderEntry
    {
        juce::File file;
        bool isFolder = false;
    };

    // The folder's path with every link resolved; empty when it cannot be resolved.
    juce::String realPathOf (const juce::File& folder)
    {
       #if JUCE_WINDOWS
        return folder.getFullPathName();
       #else
        std::unique_ptr<char, decltype (&std::free)> resolved (::realpath (folder.getFullPathName().toRawUTF8(), nullptr),
                                                               &std::free);
        return resolved != nullptr ? juce::String::fromUTF8 (resolved.get()) : juce::String();
       #endif
    }

    // A folder that is one of the folders being scanned, or holds one of them, would lead the
    // scan back up into itself (a link to "..", to the home folder, to "/").
    bool leadsBackUp (const juce::String& realPath, const juce::StringArray& openFolders)
    {
        if (realPath.isEmpty())
            return true;

        const auto asParent = realPath.endsWithChar ('/') ? realPath : realPath + "/";

        for (const auto& open : openFolders)
            if (open == realPath || open.startsWith (asParent))
                return true;

        return false;
    }
}

KV_PresetMenu::KV_PresetMenu() = default;

KV_PresetMenu::~KV_PresetMenu() = default;

bool KV_PresetMenu::keyPressed (const juce::KeyPress&)
{
    return false;
}

void KV_PresetMenu::setPresetsFolder (const juce::String& folderPath)
{
    presetsFolder = folderPath;

    juce::PopupMenu unused;
    scanAllPresets (unused);
}

void KV_PresetMenu::showPopup()
{
    juce::PopupMenu menu;
    menu.setLookAndFeel (&getLookAndFeel());
    scanAllPresets (menu);

    menu.addSeparator();
    menu.addItem ("Open presets folder", [safeThis = juce::Component::SafePointer<KV_PresetMenu> (this)]
    {
        if (safeThis != nullptr)
            KV_Launcher::openFolder (safeThis->presetsFolder);
    });

    const auto options = juce::PopupMenu::Options()
                             .withTargetComponent (this)
                             .withItemThatMustBeVisible (selectedPresetIndex + 1)
                             .withMinimumWidth (getWidth())
                             .withMaximumNumColumns (1)
                             .withStandardItemHeight (20);

    menu.showMenuAsync (options, juce::ModalCallbackFunction::forComponent (menuCallback, this));
}

void KV_PresetMenu::menuCallback (int result, KV_PresetMenu* presetMenu)
{
    if (presetMenu == nullptr)
        return;

    presetMenu->hidePopup();

    if (result < 1)
        return;

    presetMenu->selectPreset (result - 1);
}

void KV_PresetMenu::selectPreset (int index)
{
    if (! juce::isPositiveAndBelow (index, presetPaths.size()))
        return;

    // Several choices before the change message arrives are one change: going back goes back
    // to what was shown before the first of them.
    if (! userSelectionPending)
        beforeChoice = { selectedPresetIndex, selectedPresetPath, getText(), modified };

    selectedPresetIndex = index;
    selectedPresetPath = presetPaths[index];
    modified = false;
    userSelectionPending = true;

    // The framework sends a change only for a different text; a choice of another file with
    // the same name (two banks both holding "Clean") must reach the listener all the same.
    setText ({}, juce::dontSendNotification);
    setText (presetNames[index], juce::sendNotificationAsync);
}

bool KV_PresetMenu::takeUserSelection()
{
    return std::exchange (userSelectionPending, false);
}

void KV_PresetMenu::revertSelection()
{
    // A rescan since the choice may have moved the file that was selected.
    selectedPresetIndex = beforeChoice.path.isNotEmpty() ? presetPaths.indexOf (beforeChoice.path) : beforeChoice.index;
    selectedPresetPath = beforeChoice.path;
    modified = beforeChoice.modified;
    userSelectionPending = false;
    setText (beforeChoice.text, juce::dontSendNotification);
}

void KV_PresetMenu::setModified (bool isModified)
{
    modified = isModified;

    auto text = juce::isPositiveAndBelow (selectedPresetIndex, presetNames.size()) ? presetNames[selectedPresetIndex]
                                                                                   : juce::String();
    if (isModified)
        text << "*";

    setText (text, juce::sendNotificationAsync);
}

void KV_PresetMenu::scanAllPresets (juce::PopupMenu& menu)
{
    // The selection is a file: whoever set the index last (a choice, previous/next, the editor),
    // the file at that index in the lists as they stand is the one to find again after the scan.
    if (juce::isPositiveAndBelow (selectedPresetIndex, presetPaths.size()))
        selectedPresetPath = presetPaths[selectedPresetIndex];

    itemCounter = 0;

    scanFolderIntoMenu (menu, presetsFolder);

    presetNames.removeRange (itemCounter, presetNames.size() - itemCounter);
    presetPaths.removeRange (itemCounter, presetPaths.size() - itemCounter);

    if (selectedPresetPath.isNotEmpty())
        selectedPresetIndex = presetPaths.indexOf (selectedPresetPath);

    if (onRescan != nullptr)
        onRescan();
}

void KV_PresetMenu::scanFolderIntoMenu (juce::PopupMenu& menu, const juce::String& folderPath)
{
    // An empty or relative path would be rooted in the host's working folder: it counts as missing.
    if (! juce::File::isAbsolutePath (folderPath))
        return;

    const juce::File folder (folderPath);
    juce::StringArray openFolders { realPathOf (folder) };

    if (openFolders[0].isEmpty())
        return;

    entriesLeft = maxScanEntries;
    tickGiven = false;
    scanFolder (menu, folder, 0, openFolders);
}

void KV_PresetMenu::scanFolder (juce::PopupMenu& menu, const juce::File& folder, int depth, juce::StringArray& openFolders)
{
    std::vector<FolderEntry> children;

    for (const auto& entry : juce::RangedDirectoryIterator (folder, false, "*",
                                                            juce::File::findFilesAndDirectories | juce::File::ignoreHiddenFiles))
    {
        if (entriesLeft <= 0)
            break;

        --entriesLeft;
        children.push_back ({ entry.getFile(), entry.isDirectory() });
    }

    // Folders and files mix in one natural order of their full paths: digits by value, case ignored.
    std::sort (children.begin(), children.end(), [] (const FolderEntry& a, const FolderEntry& b)
    {
        return a.file.getFullPathName().compareNatural (b.file.getFullPathName(), false) < 0;
    });

    for (const auto& child : children)
    {
        if (child.isFolder)
        {
            if (depth >= maxScanDepth)
                continue;

            const auto realPath = realPathOf (child.file);

            if (leadsBackUp (realPath, openFolders))
                continue;

            juce::PopupMenu subMenu;
            openFolders.add (realPath);
            scanFolder (subMenu, child.file, depth + 1, openFolders);
            openFolders.remove (openFolders.size() - 1);

            // The framework greys a sub-menu that holds nothing.
            menu.addSubMenu (child.file.getFileName(), subMenu);
        }
        else if (child.file.hasFileExtension ("kvp"))
        {
            const auto name = child.file.getFileNameWithoutExtension();
            const auto path = child.file.getFullPathName();
            const auto ticked = selectedPresetPath.isNotEmpty() ? (! tickGiven && path == selectedPresetPath)
                                                                : itemCounter == selectedPresetIndex;
            tickGiven = tickGiven || ticked;

            menu.addItem (itemCounter + 1, name, true, ticked);
            presetNames.set (itemCounter, name);
            presetPaths.set (itemCounter, path);
            ++itemCounter;
        }
    }
}
}
