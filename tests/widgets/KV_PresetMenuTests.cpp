#include "WidgetRig.h"
#include "support/FreshTempFolder.h"
#include "support/RecordingOpener.h"
#include "widgets/KV_PresetMenu.h"

#include <gtest/gtest.h>

using korvanth::KV_PresetMenu;

namespace
{
    // Items as "id name [ticked]", sub-menus as "name{...}", in menu order.
    juce::String describe (const juce::PopupMenu& menu)
    {
        juce::StringArray items;
        for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
        {
            const auto& item = it.getItem();
            if (item.subMenu != nullptr)
                items.add (item.text + "{" + describe (*item.subMenu) + "}");
            else if (! item.isSeparator)
                items.add (juce::String (item.itemID) + " " + item.text + (item.isTicked ? " ticked" : ""));
        }
        return items.joinIntoString (", ");
    }

    struct ChangeCounter : juce::ComboBox::Listener
    {
        void comboBoxChanged (juce::ComboBox*) override { ++changes; }
        int changes = 0;
    };

    struct PresetFolder : ::testing::Test
    {
        PresetFolder()
        {
            top = makeFreshTempFolder ("quillmont-presets");
            presets = top.getChildFile ("Presets");
            presets.createDirectory();
        }

        ~PresetFolder() override { top.deleteRecursively(); }

        juce::File add (const juce::String& relativePath) const
        {
            auto file = presets.getChildFile (relativePath);
            file.getParentDirectory().createDirectory();
            file.replaceWithText ("<TheQuillmont_Preset/>");
            return file;
        }

        static void link (const juce::File& linkFile, const juce::File& target)
        {
            ASSERT_TRUE (target.createSymbolicLink (linkFile, true)) << linkFile.getFullPathName();
        }

        juce::String scan (KV_PresetMenu& menu) const
        {
            juce::PopupMenu popup;
            menu.scanFolderIntoMenu (popup, presets.getFullPathName());
            return describe (popup);
        }

        juce::File top, presets;
    };

    // The preset menu in a real window, as the editor holds it.
    struct PresetMenuInWindow : PresetFolder
    {
        PresetMenuInWindow()
        {
            menu.setBounds (40, 20, 225, 27);
            rig.root().addAndMakeVisible (menu);
            menu.addListener (&listener);
        }

        ~PresetMenuInWindow() override { menu.removeListener (&listener); }

        bool changeArrives (int count)
        {
            return WidgetRig::pumpUntil ([this, count] { return listener.changes >= count; });
        }

        WidgetRig rig { 400, 300 };
        KV_PresetMenu menu;
        ChangeCounter listener;
    };
}

TEST_F (PresetFolder, FoldersAndPresetsMixInOneNaturalOrderWithIdsDepthFirst)
{
    for (auto name : { "A/b.kvp", "A/a.kvp", "c.kvp", "Preset 10.kvp", "Preset 2.kvp", "notes.xml", "Loud.KVP",
                       ".hidden.kvp", ".Bank/x.kvp" })
        add (name);
    presets.getChildFile ("Empty").createDirectory();

    KV_PresetMenu menu;
    menu.selectedPresetIndex = 0;

    EXPECT_EQ (scan (menu), "A{1 a ticked, 2 b}, 3 c, Empty{}, 4 Loud, 5 Preset 2, 6 Preset 10");
    EXPECT_EQ (menu.presetNames, juce::StringArray ({ "a", "b", "c", "Loud", "Preset 2", "Preset 10" }));
    EXPECT_EQ (menu.presetPaths[3], presets.getChildFile ("Loud.KVP").getFullPathName());
    EXPECT_EQ (menu.itemCounter, 6);
}

TEST_F (PresetFolder, RescanFollowsTheSelectedFileWhenPresetsChangeElsewhere)
{
    for (auto name : { "a.kvp", "b.kvp", "c.kvp" })
        add (name);

    KV_PresetMenu menu;
    menu.setPresetsFolder (presets.getFullPathName());
    menu.selectedPresetIndex = 1; // as the previous and next buttons set it

    // Another program adds a preset in front and removes one: "b" is still the one selected.
    add ("0 first.kvp");
    presets.getChildFile ("a.kvp").deleteFile();
    menu.setPresetsFolder (presets.getFullPathName());

    EXPECT_EQ (menu.presetNames, juce::StringArray ({ "0 first", "b", "c" }));
    EXPECT_EQ (menu.selectedPresetIndex, 1);
    menu.itemCounter = 0;
    EXPECT_EQ (scan (menu), "1 0 first, 2 b ticked, 3 c");

    // Removed: nothing is ticked and no other preset takes its place.
    presets.getChildFile ("b.kvp").deleteFile();
    menu.setPresetsFolder (presets.getFullPathName());
    EXPECT_EQ (menu.selectedPresetIndex, -1);
    menu.itemCounter = 0;
    EXPECT_EQ (scan (menu), "1 0 first, 2 c");
}

TEST_F (PresetFolder, FolderLinksLeadingBackUpAreNotFollowed)
{
    add ("bank/x.kvp");
    link (presets.getChildFile ("bank/loop"), presets);
    link (presets.getChildFile ("bank/root"), juce::File ("/"));
    link (presets.getChildFile ("up"), top);

    // A link to a folder elsewhere is a bank like any other.
    auto outside = top.getChildFile ("Shared");
    outside.getChildFile ("y.kvp").create();
    link (presets.getChildFile ("shared"), outside);

    KV_PresetMenu menu;
    menu.setPresetsFolder (presets.getFullPathName());

    EXPECT_EQ (menu.presetNames, juce::StringArray ({ "x", "y" }));
}

TEST_F (PresetFolder, ScanStopsAtAFixedDepth)
{
    juce::String path;
    for (int level = 0; level < KV_PresetMenu::maxScanDepth + 4; ++level)
    {
        add (path + "p.kvp");
        path << "d" << level << "/";
    }

    KV_PresetMenu menu;
    menu.setPresetsFolder (presets.getFullPathName());

    EXPECT_EQ (menu.presetNames.size(), KV_PresetMenu::maxScanDepth + 1);
}

TEST_F (PresetFolder, EmptyRelativeOrRootFolderCannotHangTheWindow)
{
    add ("x.kvp");
    const auto previous = juce::File::getCurrentWorkingDirectory();
    top.setAsCurrentWorkingDirectory();

    KV_PresetMenu menu;
    for (auto folder : { "", "Presets", "./Presets" })
    {
        menu.setPresetsFolder (folder);
        EXPECT_TRUE (menu.presetNames.isEmpty()) << folder;
    }
    previous.setAsCurrentWorkingDirectory();

    // The whole disk: the scan ends within its bounds, and whatever it lists is a preset file.
    menu.setPresetsFolder ("/");
    EXPECT_LE (menu.presetPaths.size(), KV_PresetMenu::maxScanEntries);
    for (const auto& path : menu.presetPaths)
        EXPECT_TRUE (path.endsWithIgnoreCase (".kvp")) << path;
}

TEST_F (PresetMenuInWindow, ChoosingAnItemSelectsItAndTellsTheListenerOnce)
{
    for (auto name : { "a.kvp", "b.kvp", "c.kvp" })
        add (name);
    menu.setPresetsFolder (presets.getFullPathName());

    rig.click (rig.centreOf (menu));
    ASSERT_TRUE (WidgetRig::pumpUntil ([] { return WidgetRig::openMenu() != nullptr; }));
    ASSERT_TRUE (rig.chooseMenuItem (2));
    ASSERT_TRUE (changeArrives (1));

    EXPECT_EQ (menu.selectedPresetIndex, 1);
    EXPECT_EQ (menu.selectedPresetPath, presets.getChildFile ("b.kvp").getFullPathName());
    EXPECT_EQ (menu.getText(), "b");
    EXPECT_TRUE (menu.takeUserSelection());
    EXPECT_FALSE (menu.takeUserSelection());
    EXPECT_FALSE (menu.isPopupActive());
}

TEST_F (PresetMenuInWindow, APresetOfTheSameNameInAnotherBankIsStillAChoice)
{
    add ("One/Clean.kvp");
    add ("Two/Clean.kvp");
    menu.setPresetsFolder (presets.getFullPathName());

    menu.selectPreset (0);
    ASSERT_TRUE (changeArrives (1));
    EXPECT_TRUE (menu.takeUserSelection());

    KV_PresetMenu::menuCallback (2, &menu);
    ASSERT_TRUE (changeArrives (2));
    EXPECT_TRUE (menu.takeUserSelection());
    EXPECT_EQ (menu.selectedPresetIndex, 1);
    EXPECT_EQ (menu.selectedPresetPath, presets.getChildFile ("Two/Clean.kvp").getFullPathName());

    // Dismissed, or a deleted menu: nothing.
    KV_PresetMenu::menuCallback (0, &menu);
    KV_PresetMenu::menuCallback (1, nullptr);
    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
    EXPECT_EQ (listener.changes, 2);
    EXPECT_EQ (menu.selectedPresetIndex, 1);
}

TEST_F (PresetMenuInWindow, ModifiedMarkChangesTheTextButIsNoChoice)
{
    add ("a.kvp");
    menu.setPresetsFolder (presets.getFullPathName());
    menu.selectPreset (0);
    ASSERT_TRUE (changeArrives (1));
    menu.takeUserSelection();

    menu.setModified (true);
    ASSERT_TRUE (changeArrives (2));
    EXPECT_EQ (menu.getText(), "a*");
    EXPECT_FALSE (menu.takeUserSelection());

    menu.selectedPresetIndex = 5;
    menu.setModified (true);
    EXPECT_EQ (menu.getText(), "*");
}

TEST_F (PresetMenuInWindow, OpenPresetsFolderGoesThroughTheLauncher)
{
    add ("a.kvp");
    menu.setPresetsFolder (presets.getFullPathName());
    RecordingOpener opener (top);

    rig.click (rig.centreOf (menu));
    ASSERT_TRUE (WidgetRig::pumpUntil ([] { return WidgetRig::openMenu() != nullptr; }));
    ASSERT_TRUE (rig.chooseMenuItem (2)); // the separator is skipped
    ASSERT_TRUE (WidgetRig::pumpUntil ([&opener] { return opener.wasStarted(); }));

    EXPECT_EQ (opener.received(), juce::StringArray (presets.getFullPathName()));
    EXPECT_EQ (listener.changes, 0);
}
