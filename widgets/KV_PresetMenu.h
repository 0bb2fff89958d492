#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace korvanth
{
    /** The editor's preset selector ("presetMenu"): a combo box without items of its own that
        scans the presets folder each time it opens, shows one sub-menu per folder and one
        numbered item per ".kvp" file, and keeps the names and paths of what it found in menu
        order (item id k is entry k - 1 of both lists).

        The scan is bounded so that a presets folder set to "/" or the home folder cannot hang
        the window: an empty or relative folder counts as missing, hidden entries are skipped,
        no folder link that leads back up is followed, and it stops at a fixed depth and number
        of entries.

        A person's choice (menu item, previous/next, save, delete) goes through selectPreset,
        which always sends one change message, even when the name equals the shown one; the
        listener asks takeUserSelection whether the change is such a choice, since the modified
        mark changes the text too. */
    class KV_PresetMenu : public juce::ComboBox
    {
    public:
        KV_PresetMenu();
        ~KV_PresetMenu() override;

        /** Returns false for every key: keys go on to the parent. */
        bool keyPressed (const juce::KeyPress& key) override;
        void showPopup() override;

        /** Stores the folder and rescans the lists without showing anything. */
        void setPresetsFolder (const juce::String& folderPath);

        /** Shows the selected preset's name, with "*" appended while it is modified. */
        void setModified (bool isModified);

        /** The person chose the preset at this position of the lists: selects it by index and
            path, shows its name and sends one asynchronous change message. Does nothing for a
            position outside the lists. */
        void selectPreset (int index);

        /** True once after each selectPreset; the change message of a modified mark gives false. */
        bool takeUserSelection();

        /** Puts back the selection, text and modified mark shown before the choices whose change
            message is being handled, without a change message: the chosen preset could not be
            loaded. */
        void revertSelection();

        /** Bound to the menu so that it receives null when the preset menu is gone. */
        static void menuCallback (int result, KV_PresetMenu* presetMenu);

        /** Scans one folder and its sub-folders into the menu, counting on from itemCounter. */
        void scanFolderIntoMenu (juce::PopupMenu& menu, const juce::String& folderPath);

        static constexpr int maxScanDepth = 8;
        static constexpr int maxScanEntries = 20000;

        int selectedPresetIndex = 1;
        juce::String presetsFolder;
        int itemCounter = 0;
        juce::StringArray presetPaths;
        juce::StringArray presetNames;
        bool modified = false;

        /** The selected preset's file, taken from the lists at selectedPresetIndex when a scan
            starts. Every scan ticks that file and works selectedPresetIndex out again from it
            (-1 when it is gone), so presets added or removed elsewhere never move the selection
            onto another file. Empty until a preset was selected in a filled list. */
        juce::String selectedPresetPath;

        /** Called after every whole scan (each opening and setPresetsFolder). */
        std::function<void()> onRescan;

    private:
        void scanAllPresets (juce::PopupMenu& menu);
        void scanFolder (juce::PopupMenu& menu, const juce::File& folder, int depth, juce::StringArray& openFolders);

        struct Selection
        {
            int index = -1;
            juce::String path, text;
            bool modified = false;
        };

        int entriesLeft = 0;
        bool tickGiven = false;
        bool userSelectionPending = false;
        Selection beforeChoice;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_PresetMenu)
    };
}
