#include "editor/EditorRig.h"
#include "widgets/WidgetRig.h"

#include <gtest/gtest.h>

using namespace editortests;

namespace
{
    void click (juce::Button& button)
    {
        button.triggerClick();
        pump();
    }

    juce::File writeUnreadable (const juce::File& file)
    {
        file.getParentDirectory().createDirectory();
        file.replaceWithText ("<TheQuillmont_Preset presetName=\"cut off\" Gain=\"0.9");
        return file;
    }

    // The user turns the gain knob: a new value and the modified mark.
    void touchGain (EditorRig& rig, float value)
    {
        rig.editor->sliderDragStarted (rig.editor->gainSlider.get());
        rig.processor().parameter (P::gain).setValue (value);
        rig.editor->sliderDragEnded (rig.editor->gainSlider.get());
        pump();
    }

    // Presets A, B and C, told apart by their gain.
    struct ThreePresets : ::testing::Test
    {
        void SetUp() override
        {
            a = rig.writePreset ("A.kvp", 0.1f);
            b = rig.writePreset ("B.kvp", 0.2f);
            c = rig.writePreset ("C.kvp", 0.3f);
        }

        // The user picks the file's item from the preset menu.
        void pick (const juce::File& file)
        {
            auto& menu = rig.editor->presetMenu;
            menu.setPresetsFolder (menu.presetsFolder);
            const auto index = menu.presetPaths.indexOf (file.getFullPathName());
            ASSERT_GE (index, 0);
            korvanth::KV_PresetMenu::menuCallback (index + 1, &menu);
            pump();
        }

        EditorRig rig;
        juce::File a, b, c;
    };
}

TEST_F (ThreePresets, PreviousAndNextWrapAndLoadEachPresetByItsFile)
{
    auto& editor = rig.openEditor();
    pick (a);
    EXPECT_FLOAT_EQ (rig.gain(), 0.1f);

    click (*editor.prevButton);
    EXPECT_FLOAT_EQ (rig.gain(), 0.3f);
    EXPECT_EQ (editor.presetMenu.getText(), "C");

    click (*editor.nextButton);
    EXPECT_FLOAT_EQ (rig.gain(), 0.1f);
    EXPECT_EQ (editor.presetMenu.getText(), "A");
}

TEST_F (ThreePresets, AUserPickLoadsAndClearsTheModifiedMarkWhichItselfLoadsNothing)
{
    auto& editor = rig.openEditor();
    pick (b);
    rig.processor().parameter (P::gain).setValue (0.9f);
    editor.sliderDragStarted (editor.gainSlider.get());
    editor.sliderDragEnded (editor.gainSlider.get());
    pump();

    EXPECT_EQ (editor.presetMenu.getText(), "B*");
    EXPECT_FLOAT_EQ (rig.gain(), 0.9f) << "the mark must not reload the preset";

    pick (c);
    EXPECT_FLOAT_EQ (rig.gain(), 0.3f);
    EXPECT_EQ (editor.presetMenu.getText(), "C");
    EXPECT_EQ (rig.processor().settings.presetModified, 0);
}

TEST_F (ThreePresets, NavigationFollowsTheLoadedFileAfterAnotherProgramRemovedAPreset)
{
    auto& editor = rig.openEditor();
    pick (b);

    // Removed elsewhere, and the menu opened and closed (a rescan) in between.
    a.deleteFile();
    editor.presetMenu.setPresetsFolder (rig.presets().getFullPathName());

    click (*editor.nextButton);
    EXPECT_EQ (editor.presetMenu.getText(), "C");
    EXPECT_FLOAT_EQ (rig.gain(), 0.3f);
}

TEST_F (ThreePresets, SaveWritesTheFileAndSelectsItByItsPath)
{
    auto& editor = rig.openEditor();
    pick (a);
    editor.sliderDragStarted (editor.gainSlider.get());
    rig.processor().parameter (P::gain).setValue (0.55f);

    const auto saved = rig.presets().getChildFile ("New.kvp");
    rig.dialogs->files.push_back (saved);
    click (*editor.saveButton);

    ASSERT_TRUE (saved.existsAsFile());
    auto xml = juce::parseXML (saved);
    ASSERT_NE (xml, nullptr);
    EXPECT_FALSE (xml->hasAttribute ("newCurrentWidth"));
    EXPECT_FALSE (xml->hasAttribute ("isHQ"));
    EXPECT_EQ (editor.presetMenu.getText(), "New");
    EXPECT_EQ (editor.presetMenu.presetPaths[editor.presetMenu.selectedPresetIndex], saved.getFullPathName());
    EXPECT_EQ (rig.processor().settings.presetModified, 0);
    EXPECT_FLOAT_EQ (rig.gain(), 0.55f);
}

TEST_F (ThreePresets, SaveIntoASecondBankHoldingTheSameNameSelectsThatBanksFile)
{
    const auto first = rig.writePreset ("Bank 1/Clean.kvp", 0.4f);
    const auto second = rig.writePreset ("Bank 2/Clean.kvp", 0.6f);
    auto& editor = rig.openEditor();
    pick (second);
    rig.processor().parameter (P::gain).setValue (0.65f);

    rig.dialogs->files.push_back (second);
    click (*editor.saveButton);

    EXPECT_EQ (editor.presetMenu.presetPaths[editor.presetMenu.selectedPresetIndex], second.getFullPathName());
    EXPECT_FLOAT_EQ (rig.gain(), 0.65f) << "the first bank's Clean must not be loaded over the save";

    click (*editor.resetButton);  // unanswered: the scripted box says Cancel
    rig.dialogs->okAnswers.push_back (true);
    rig.processor().parameter (P::gain).setValue (0.1f);
    click (*editor.resetButton);
    EXPECT_FLOAT_EQ (rig.gain(), 0.65f) << "reset reloads the file that is loaded";
}

TEST_F (ThreePresets, SaveAddsTheExtensionAndAsksBeforeReplacing)
{
    auto& editor = rig.openEditor();
    rig.dialogs->files.push_back (rig.presets().getChildFile ("Fresh"));
    click (*editor.saveButton);
    EXPECT_TRUE (rig.presets().getChildFile ("Fresh.kvp").existsAsFile());
    EXPECT_FALSE (rig.presets().getChildFile ("Fresh").exists());
    EXPECT_TRUE (rig.dialogs->questions.isEmpty());

    // "B" without its extension names B.kvp, which exists: the user is asked, and says no.
    const auto before = b.loadFileAsString();
    rig.processor().parameter (P::gain).setValue (0.77f);
    rig.dialogs->files.push_back (rig.presets().getChildFile ("B"));
    rig.dialogs->okAnswers.push_back (false);
    click (*editor.saveButton);
    EXPECT_EQ (rig.dialogs->questions.size(), 1);
    EXPECT_EQ (b.loadFileAsString(), before);
}

TEST_F (ThreePresets, APresetThatCannotBeWrittenIsNotTreatedAsSaved)
{
    auto& editor = rig.openEditor();
    pick (a);
    editor.sliderDragStarted (editor.gainSlider.get());
    pump();

    rig.dialogs->files.push_back (rig.presets().getChildFile ("missing folder").getChildFile ("X.kvp"));
    click (*editor.saveButton);

    EXPECT_EQ (rig.dialogs->messages.size(), 1);
    EXPECT_EQ (rig.processor().settings.presetModified, 1);
    EXPECT_EQ (editor.presetMenu.getText(), "A*");
    EXPECT_EQ (rig.processor().getCurrentPresetName(), "A");
}

TEST_F (ThreePresets, DeleteRemovesTheFileAndLoadsTheNeighbour)
{
    auto& editor = rig.openEditor();
    pick (a);
    rig.dialogs->okAnswers.push_back (true);
    click (*editor.delButton);

    EXPECT_FALSE (a.exists());
    EXPECT_EQ (editor.presetMenu.getText(), "C") << "deleting the first selects the last";
    EXPECT_FLOAT_EQ (rig.gain(), 0.3f);
    EXPECT_EQ (editor.presetMenu.presetPaths.size(), 2);
}

TEST_F (ThreePresets, DeleteOfAFileAlreadyGoneLoadsNothingOverTheEdits)
{
    auto& editor = rig.openEditor();
    pick (b);
    rig.processor().parameter (P::gain).setValue (0.9f);
    b.deleteFile();

    rig.dialogs->okAnswers.push_back (true);
    click (*editor.delButton);
    EXPECT_FLOAT_EQ (rig.gain(), 0.9f);
    EXPECT_EQ (editor.presetMenu.getText(), "B");
}

TEST (EditorPresets, NextAndPreviousDoNothingWithoutPresets)
{
    EditorRig rig;
    auto& editor = rig.openEditor();
    rig.processor().parameter (P::gain).setValue (0.42f);
    click (*editor.nextButton);
    click (*editor.prevButton);
    EXPECT_FLOAT_EQ (rig.gain(), 0.42f);
    EXPECT_EQ (editor.presetMenu.selectedPresetIndex, -1);
}

TEST (EditorPresets, AWindowOpenedOnARestoredStateLoadsNoPresetOverIt)
{
    EditorRig rig;
    rig.writePreset ("First.kvp", 0.1f);
    rig.processor().setCurrentPresetName ("Gone");
    rig.processor().parameter (P::gain).setValue (0.66f);
    rig.openEditor();
    pump (100);
    EXPECT_FLOAT_EQ (rig.gain(), 0.66f);
}

TEST (EditorPresets, TheStartUpPresetIsShownAndNotLoadedAgain)
{
    EditorRig rig;
    rig.writePreset ("Factory/00 - INIT.kvp", 0.5f);
    auto& p = rig.processor();
    ASSERT_EQ (p.getCurrentPresetName(), "00 - INIT");
    p.parameter (P::gain).setValue (0.2f);
    auto& editor = rig.openEditor();
    pump (100);
    EXPECT_EQ (editor.presetMenu.getText(), "00 - INIT");
    EXPECT_FLOAT_EQ (rig.gain(), 0.2f);
}

TEST_F (ThreePresets, AnAnswerAfterTheHostClosedTheWindowDoesNothingAndOneQuestionRunsAtATime)
{
    rig.dialogs.reset();  // the platform's own boxes
    auto& editor = rig.openEditor();
    pick (a);

    click (*editor.delButton);
    auto* modal = juce::ModalComponentManager::getInstance();
    ASSERT_EQ (modal->getNumModalComponents(), 1);
    click (*editor.saveButton);
    click (*editor.delButton);
    EXPECT_EQ (modal->getNumModalComponents(), 1);

    // The host closes the window while the box waits; then the person says OK.
    auto* box = modal->getModalComponent (0);
    rig.closeEditor();
    box->exitModalState (1);
    pump (100);

    EXPECT_TRUE (a.existsAsFile());
    modal->cancelAllModalComponents();
    pump (100);
}

TEST_F (ThreePresets, SaveOutsideThePresetsFolderShowsItsNameAndSelectsNothingInTheList)
{
    auto& editor = rig.openEditor();
    pick (b);
    rig.processor().parameter (P::gain).setValue (0.71f);

    const auto elsewhere = rig.sandbox.top.getChildFile ("Elsewhere.kvp");
    rig.dialogs->files.push_back (elsewhere);
    click (*editor.saveButton);
    editor.presetMenu.setPresetsFolder (editor.presetMenu.presetsFolder);
    pump();

    EXPECT_TRUE (elsewhere.existsAsFile());
    EXPECT_EQ (editor.presetMenu.getText(), "Elsewhere");
    EXPECT_EQ (editor.presetMenu.selectedPresetIndex, -1);
    EXPECT_FLOAT_EQ (rig.gain(), 0.71f) << "no preset of the list is loaded over the one just saved";
}

TEST_F (ThreePresets, APickOfAnUnreadablePresetKeepsTheLoadedOneAndAStepGoesOnPastIt)
{
    // In menu order: A, B Broken, B, C.
    const auto broken = writeUnreadable (rig.presets().getChildFile ("B Broken.kvp"));
    const juce::StringArray brokenOnce ("Load Preset: The preset \"B Broken\" could not be read.");
    auto& editor = rig.openEditor();
    auto& menu = editor.presetMenu;
    pick (a);
    touchGain (rig, 0.15f);

    pick (broken);
    EXPECT_EQ (rig.dialogs->messages, brokenOnce);
    EXPECT_EQ (menu.getText(), "A*");
    EXPECT_FLOAT_EQ (rig.gain(), 0.15f);
    EXPECT_EQ (rig.processor().settings.presetModified, 1);

    // Two picks before the first is handled are one change: the last one fails, A stays.
    rig.dialogs->messages.clear();
    menu.selectPreset (menu.presetPaths.indexOf (b.getFullPathName()));
    menu.selectPreset (menu.presetPaths.indexOf (broken.getFullPathName()));
    pump();
    EXPECT_EQ (menu.getText(), "A*");
    EXPECT_EQ (rig.processor().getLoadedPresetFile(), a.getFullPathName());

    auto expectStepReached = [&] (const juce::File& file, float gain, const char* how)
    {
        EXPECT_EQ (rig.dialogs->messages, brokenOnce) << how;
        EXPECT_EQ (menu.getText(), file.getFileNameWithoutExtension()) << how;
        EXPECT_EQ (rig.processor().getLoadedPresetFile(), file.getFullPathName()) << how;
        EXPECT_FLOAT_EQ (rig.gain(), gain) << how;
        rig.dialogs->messages.clear();
    };

    rig.dialogs->messages.clear();
    click (*editor.nextButton);
    expectStepReached (b, 0.2f, "next from A");
    click (*editor.prevButton);
    expectStepReached (a, 0.1f, "previous from B");

    // Deleting B makes its unreadable neighbour the first one tried.
    pick (b);
    rig.dialogs->okAnswers.push_back (true);
    click (*editor.delButton);
    EXPECT_FALSE (b.exists());
    expectStepReached (a, 0.1f, "the neighbour after Delete");
}

TEST_F (ThreePresets, WhenNoOtherPresetCanBeReadTheSoundStaysAndTheBoxNamesNoOtherPreset)
{
    writeUnreadable (b);
    writeUnreadable (c);
    auto& editor = rig.openEditor();
    auto& menu = editor.presetMenu;
    pick (a);
    touchGain (rig, 0.15f);

    // Each step tries every other preset once, in its own direction.
    for (auto [button, tried] : { std::pair (editor.nextButton.get(), "\"B\" and \"C\""),
                                  std::pair (editor.prevButton.get(), "\"C\" and \"B\"") })
    {
        click (*button);
        EXPECT_EQ (rig.dialogs->messages, juce::StringArray ("Load Preset: The presets " + juce::String (tried) + " could not be read."));
        EXPECT_EQ (menu.getText(), "A*");
        EXPECT_FLOAT_EQ (rig.gain(), 0.15f);
        rig.dialogs->messages.clear();
    }

    rig.dialogs->okAnswers.push_back (true);
    click (*editor.delButton);
    EXPECT_FALSE (a.exists());
    EXPECT_EQ (rig.dialogs->messages.size(), 1);
    EXPECT_EQ (menu.getText(), "") << "the deleted preset is not named";
    EXPECT_FLOAT_EQ (rig.gain(), 0.15f);
}

TEST_F (ThreePresets, InTheWindowAnUnreadablePickAfterAGoodOneKeepsTheGoodOne)
{
    writeUnreadable (rig.presets().getChildFile ("B Broken.kvp"));
    auto& editor = rig.openEditor();
    WidgetRig window { editor.getWidth(), editor.getHeight() };
    window.root().addAndMakeVisible (editor);
    editor.setTopLeftPosition (0, 0);

    auto chooseItem = [&] (int item)
    {
        window.click (window.centreOf (editor.presetMenu));
        ASSERT_TRUE (WidgetRig::pumpUntil ([] { return WidgetRig::openMenu() != nullptr; }));
        ASSERT_TRUE (window.chooseMenuItem (item));
        pump (100);
    };

    chooseItem (1);
    ASSERT_EQ (editor.presetMenu.getText(), "A");
    ASSERT_FLOAT_EQ (rig.gain(), 0.1f);

    chooseItem (2);
    EXPECT_EQ (rig.dialogs->messages, juce::StringArray ("Load Preset: The preset \"B Broken\" could not be read."));
    EXPECT_EQ (editor.presetMenu.getText(), "A");
    EXPECT_FLOAT_EQ (rig.gain(), 0.1f);
    EXPECT_EQ (rig.processor().getCurrentPresetName(), "A");
    EXPECT_EQ (rig.processor().getLoadedPresetFile(), a.getFullPathName());

    window.root().removeChildComponent (&editor);
}

TEST (EditorPresets, AnUnreadableStartUpPresetLeavesTheDefaultsAndIsNotShownAsLoaded)
{
    EditorRig rig;
    writeUnreadable (rig.presets().getChildFile ("Factory/00 - INIT.kvp"));
    EXPECT_FLOAT_EQ (rig.gain(), 0.5f);

    auto& editor = rig.openEditor();
    pump (100);
    EXPECT_EQ (editor.presetMenu.getText(), "");
    EXPECT_EQ (editor.presetMenu.selectedPresetIndex, -1);
    EXPECT_FLOAT_EQ (rig.gain(), 0.5f);
}

TEST_F (ThreePresets, SaveOpensOnTheUserFolderOrTheLastSavedFileNeverOnALoadedPreset)
{
    auto& editor = rig.openEditor();
    pick (a);
    click (*editor.saveButton);  // cancelled
    ASSERT_EQ (rig.dialogs->chooserStarts.size(), 1);
    EXPECT_EQ (rig.dialogs->chooserStarts[0], rig.presets());
    EXPECT_TRUE (rig.dialogs->chooserStarts[0].isDirectory()) << "a folder opens with an empty name";

    const auto saved = rig.presets().getChildFile ("Mine.kvp");
    rig.dialogs->files.push_back (saved);
    click (*editor.saveButton);
    pick (c);
    click (*editor.saveButton);
    EXPECT_EQ (rig.dialogs->chooserStarts[2], saved);
}

TEST_F (ThreePresets, ResetReloadsTheLoadedFileOutsideTheListAndSaysWhenItCannot)
{
    auto& editor = rig.openEditor();
    pick (b);
    touchGain (rig, 0.71f);
    const auto elsewhere = rig.sandbox.top.getChildFile ("Elsewhere.kvp");
    rig.dialogs->files.push_back (elsewhere);
    click (*editor.saveButton);

    touchGain (rig, 0.25f);
    rig.dialogs->okAnswers.push_back (true);
    click (*editor.resetButton);
    EXPECT_FLOAT_EQ (rig.gain(), 0.71f);
    EXPECT_EQ (rig.processor().settings.presetModified, 0);
    EXPECT_EQ (editor.presetMenu.getText(), "Elsewhere");
    EXPECT_TRUE (rig.dialogs->messages.isEmpty());

    // Broken by another program, then gone: the edits and the mark stay, and the user is told.
    touchGain (rig, 0.25f);
    writeUnreadable (elsewhere);
    rig.dialogs->okAnswers.push_back (true);
    click (*editor.resetButton);
    elsewhere.deleteFile();
    rig.dialogs->okAnswers.push_back (true);
    click (*editor.resetButton);

    EXPECT_EQ (rig.dialogs->messages, juce::StringArray ({ "Reset preset: The preset \"Elsewhere\" could not be read.",
                                                           "Reset preset: The preset \"Elsewhere\" is no longer there." }));
    EXPECT_FLOAT_EQ (rig.gain(), 0.25f);
    EXPECT_EQ (rig.processor().settings.presetModified, 1);
}

TEST_F (ThreePresets, AReopenedWindowNeverTakesAnotherFileOfTheSameNameForTheLoadedOne)
{
    const auto first = rig.writePreset ("Bank1/Clean.kvp", 0.4f);
    const auto second = rig.writePreset ("Bank2/Clean.kvp", 0.6f);
    rig.openEditor();
    pick (first);
    rig.closeEditor();
    first.deleteFile();

    auto& editor = rig.openEditor();
    pump (100);
    EXPECT_EQ (editor.presetMenu.selectedPresetIndex, -1);

    rig.processor().parameter (P::gain).setValue (0.9f);
    rig.dialogs->okAnswers.push_back (true);
    click (*editor.resetButton);
    rig.dialogs->okAnswers.push_back (true);
    click (*editor.delButton);

    EXPECT_FLOAT_EQ (rig.gain(), 0.9f);
    EXPECT_TRUE (second.existsAsFile());
}

TEST_F (ThreePresets, PreviousAndNextStepThroughTheListsOfTheLastOpeningWithoutReadingTheFolder)
{
    auto& editor = rig.openEditor();
    pick (a);

    // Since the menu last opened: a preset added beside A, and another folder set in the
    // settings window, which waits for a restart.
    rig.writePreset ("AA.kvp", 0.8f);
    const auto other = rig.sandbox.top.getChildFile ("Other");
    other.getChildFile ("X.kvp").replaceWithText ("<TheQuillmont_Preset presetName=\"X\" Gain=\"0.05\"/>");
    rig.processor().settings.presetsPath = other.getFullPathName() + "/";

    click (*editor.nextButton);
    EXPECT_EQ (editor.presetMenu.getText(), "B");
    EXPECT_FLOAT_EQ (rig.gain(), 0.2f);
}
