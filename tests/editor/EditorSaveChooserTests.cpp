#include "editor/EditorRig.h"
#include "editor/ShownEditor.h"
#include "support/FakeZenity.h"

#include <gtest/gtest.h>

#include <optional>

using namespace editortests;

namespace
{
    template <typename Type>
    Type* findInside (juce::Component& parent)
    {
        for (auto* c : parent.getChildren())
        {
            if (auto* found = dynamic_cast<Type*> (c))
                return found;
            if (auto* found = findInside<Type> (*c))
                return found;
        }
        return nullptr;
    }

    struct OpenedChooser
    {
        juce::File folder;
        juce::String fileName;
    };

    // The person clicks Save in the window, reads where the chooser opened, and cancels it.
    std::optional<OpenedChooser> openSaveChooser (ShownEditor& shown)
    {
        auto& modal = *juce::ModalComponentManager::getInstance();
        shown.window.click (shown.window.centreOf (*shown.editor.saveButton));
        WidgetRig::pumpUntil ([&] { return modal.getNumModalComponents() > 0; });

        auto* box = dynamic_cast<juce::FileChooserDialogBox*> (modal.getModalComponent (0));
        if (box == nullptr)
            return std::nullopt;

        auto* browser = findInside<juce::FileBrowserComponent> (*box);
        if (browser == nullptr)
            return std::nullopt;

        // The browser's only text box of its own is the file name.
        OpenedChooser opened { browser->getRoot(), {} };
        for (auto* c : browser->getChildren())
            if (auto* nameBox = dynamic_cast<juce::TextEditor*> (c))
                opened.fileName = nameBox->getText();

        for (auto* c : box->getContentComponent()->getChildren())
            if (auto* b = dynamic_cast<juce::TextButton*> (c); b != nullptr && b->getButtonText() == "Cancel")
                b->triggerClick();
        WidgetRig::pumpUntil ([&] { return modal.getNumModalComponents() == 0; });
        return opened;
    }
}

TEST (EditorSaveChooser, WithNothingSavedItOpensInsideThePresetsFolderWithAnEmptyName)
{
    EditorRig rig;
    rig.dialogs.reset();  // the real chooser
    const auto workingFolder = juce::File::getCurrentWorkingDirectory();
    auto& editor = rig.openEditor();
    ShownEditor shown (editor);
    pump();

    const auto opened = openSaveChooser (shown);
    EXPECT_FALSE (fakezenity::hasRun()) << fakezenity::argumentsFile().loadFileAsString();
    EXPECT_EQ (juce::File::getCurrentWorkingDirectory().getFullPathName(), workingFolder.getFullPathName())
        << "the host's working folder moved";
    ASSERT_TRUE (opened.has_value()) << "no chooser window of the plug-in's own came up";
    EXPECT_EQ (opened->folder.getFullPathName(), rig.presets().getFullPathName());
    EXPECT_EQ (opened->fileName, "");
    EXPECT_EQ (juce::ModalComponentManager::getInstance()->getNumModalComponents(), 0);
}

TEST (EditorSaveChooser, AMissingPresetsFolderOpensItsNearestExistingFolderWithAnEmptyName)
{
    EditorRig rig;
    rig.dialogs.reset();
    const auto presetsTree = rig.sandbox.maker().getChildFile ("Presets");
    ASSERT_TRUE (rig.presets().isAChildOf (presetsTree));
    ASSERT_TRUE (presetsTree.deleteRecursively());
    auto& editor = rig.openEditor();
    ShownEditor shown (editor);
    pump();

    const auto opened = openSaveChooser (shown);
    EXPECT_FALSE (fakezenity::hasRun()) << fakezenity::argumentsFile().loadFileAsString();
    ASSERT_TRUE (opened.has_value()) << "no chooser window of the plug-in's own came up";
    EXPECT_EQ (opened->folder.getFullPathName(), rig.sandbox.maker().getFullPathName());
    EXPECT_EQ (opened->fileName, "");
}
