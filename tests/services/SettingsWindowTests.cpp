#include "services/KV_SettingsWindow.h"
#include "support/FakeZenity.h"
#include "support/ScriptedDialogs.h"
#include "support/SettingsSandbox.h"

#include <gtest/gtest.h>

// Last: Xlib's macros clash with names in the headers above.
#include "support/X11Windows.h"

using korvanth::KV_SettingsWindow;

namespace
{
    struct SettingsWindow : ::testing::Test
    {
        SettingsWindow()
        {
            sandbox.createInstalledFolders();
            settings.loadPluginSettings();

            editor.setBounds (100, 100, 700, 600);
            editor.addToDesktop (0);
            editor.setVisible (true);
            window = std::make_unique<KV_SettingsWindow> (editor, settings);
        }

        ~SettingsWindow() override
        {
            window.reset();
            editor.removeFromDesktop();
        }

        korvanth::SettingsGUI& panel() { return window->settingsGUI; }

        // A press and release at the centre of a control, delivered through the settings
        // window's peer the way the platform delivers them.
        void click (juce::Component& control)
        {
            auto& top = window->documentWindow;
            ASSERT_TRUE (top.isShowing());
            auto* peer = top.getPeer();
            ASSERT_NE (peer, nullptr);

            const auto at = peer->globalToLocal (control.localPointToGlobal (control.getLocalBounds().getCentre()).toFloat());
            for (auto mods : { juce::ModifierKeys(), juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier), juce::ModifierKeys() })
            {
                juce::ModifierKeys::currentModifiers = mods;
                time += 300;
                peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, at, mods,
                                        juce::MouseInputSource::defaultPressure,
                                        juce::MouseInputSource::defaultOrientation, time);
            }
        }

        juce::File newFolder (const juce::String& name) const
        {
            auto folder = sandbox.base.getChildFile (name);
            folder.createDirectory();
            return folder;
        }

        std::unique_ptr<juce::XmlElement> savedFile() const { return juce::parseXML (sandbox.settingsFile()); }

        SettingsSandbox sandbox;
        PluginSettings settings;
        ScriptedDialogs dialogs;
        juce::Component editor;
        std::unique_ptr<KV_SettingsWindow> window;
        juce::int64 time = juce::Time::currentTimeMillis();
    };
}

TEST_F (SettingsWindow, OpensCentredOnTheEditorWithTheRecordsFolders)
{
    EXPECT_FALSE (window->documentWindow.isVisible());
    window->showSettings();

    EXPECT_TRUE (window->documentWindow.isVisible());
    EXPECT_EQ (window->documentWindow.getName(), "Settings");
    EXPECT_EQ (panel().getScreenBounds().getCentre(), editor.getScreenBounds().getCentre());
    EXPECT_EQ (panel().getBounds().getWidth(), 400);
    EXPECT_EQ (panel().getBounds().getHeight(), 300);
    EXPECT_EQ (panel().settingsRow.field.getText(), settings.settingsPath);
    EXPECT_EQ (panel().presetsRow.field.getText(), settings.presetsPath);
    EXPECT_EQ (panel().samplesRow.field.getText(), settings.samplesPath);
    EXPECT_EQ (panel().irRow.field.getText(), settings.irFilesPath);
}

TEST_F (SettingsWindow, RowsAndSwitchesFollowEachOtherWithoutOverlapping)
{
    window->showSettings();
    auto& p = panel();

    const juce::Component* order[] = { &p.titleLabel, &p.noteLabel, &p.settingsRow, &p.presetsRow, &p.samplesRow,
                                       &p.irRow, &p.legacyToggle, &p.newsfeedToggle, &p.saveButton };
    for (size_t i = 0; i + 1 < std::size (order); ++i)
    {
        EXPECT_LE (order[i]->getBottom(), order[i + 1]->getY()) << order[i]->getName() << " / " << order[i + 1]->getName();
        EXPECT_TRUE (p.getLocalBounds().contains (order[i]->getBounds()));
    }
    EXPECT_LE (p.saveButton.getRight(), p.cancelButton.getX());
    EXPECT_EQ (p.saveButton.getY(), p.cancelButton.getY());

    // Looked at by a person: the window as it shows, written next to the test binary.
    const auto shot = p.createComponentSnapshot (p.getLocalBounds());
    const auto folder = juce::File::getSpecialLocation (juce::File::currentExecutableFile).getSiblingFile ("screenshots");
    folder.createDirectory();
    const auto file = folder.getChildFile ("settings-window.png");
    file.deleteFile();
    juce::FileOutputStream out (file);
    EXPECT_TRUE (juce::PNGImageFormat().writeImageToStream (shot, out));

    // The rows are painted in the panel colour between their controls.
    EXPECT_EQ (shot.getPixelAt (376, p.irRow.getY() + 15), juce::Colour (0xff393a3c));
}

TEST_F (SettingsWindow, SaveWritesTheChosenFoldersAndSwitchesAndAsksForARestart)
{
    window->showSettings();
    const auto banks = newFolder ("Banks");
    dialogs.chosenFiles.push_back (banks);

    click (panel().presetsRow.button);
    ASSERT_EQ (dialogs.chooserRequests.size(), 1u);
    EXPECT_EQ (dialogs.chooserRequests[0].title, "Select new path...");
    EXPECT_EQ (dialogs.chooserRequests[0].start, juce::File::getSpecialLocation (juce::File::userHomeDirectory));
    EXPECT_NE (dialogs.chooserRequests[0].flags & juce::FileBrowserComponent::canSelectDirectories, 0);
    EXPECT_EQ (panel().presetsRow.field.getText(), banks.getFullPathName() + "/");

    click (panel().newsfeedToggle);
    click (panel().saveButton);

    EXPECT_EQ (settings.presetsPath, banks.getFullPathName() + "/");
    EXPECT_EQ (settings.newsfeedDisabled, 1);
    auto saved = savedFile();
    ASSERT_NE (saved, nullptr);
    EXPECT_EQ (saved->getStringAttribute ("presetsPath"), banks.getFullPathName() + "/");
    EXPECT_EQ (saved->getStringAttribute ("newsfeedDisabled"), "1");

    EXPECT_FALSE (window->documentWindow.isVisible());
    ASSERT_EQ (dialogs.messages.size(), 1u);
    EXPECT_EQ (dialogs.messages[0].title, "The Quillmont");
    EXPECT_EQ (dialogs.messages[0].text, "Please, restart your DAW to apply the new saved settings.");
}

TEST_F (SettingsWindow, CancelKeepsTheRowsForALaterSaveButNotTheRecord)
{
    const auto before = settings.presetsPath;
    window->showSettings();
    dialogs.chosenFiles.push_back (newFolder ("Banks"));
    click (panel().presetsRow.button);
    click (panel().cancelButton);

    EXPECT_FALSE (window->documentWindow.isVisible());
    EXPECT_EQ (settings.presetsPath, before);
    EXPECT_TRUE (dialogs.messages.empty());

    // A chooser cancelled by the person changes nothing either.
    window->showSettings();
    click (panel().presetsRow.button);
    EXPECT_EQ (panel().presetsRow.field.getText(), sandbox.base.getChildFile ("Banks").getFullPathName() + "/");

    // The close button does what Cancel does.
    window->documentWindow.closeButtonPressed();
    EXPECT_FALSE (window->documentWindow.isVisible());

    window->showSettings();
    click (panel().saveButton);
    EXPECT_EQ (settings.presetsPath, sandbox.base.getChildFile ("Banks").getFullPathName() + "/");
}

TEST_F (SettingsWindow, UnwritableSettingsFolderIsNotTreatedAsSaved)
{
    const auto before = SettingsSandbox::bytesOf (sandbox.settingsFile());
    const auto previousSettingsPath = settings.settingsPath;
    window->showSettings();

    // The folder is chosen, then removed before Save, so the file cannot be written.
    const auto gone = newFolder ("Gone");
    dialogs.chosenFiles.push_back (gone);
    click (panel().settingsRow.button);
    gone.deleteRecursively();
    click (panel().legacyToggle);
    click (panel().saveButton);

    ASSERT_EQ (dialogs.messages.size(), 1u);
    EXPECT_EQ (dialogs.messages[0].text, juce::String (korvanth::SettingsGUI::saveFailedMessage) + "\n"
                                             + gone.getFullPathName() + "/");
    EXPECT_TRUE (window->documentWindow.isVisible());
    EXPECT_EQ (panel().settingsRow.field.getText(), gone.getFullPathName() + "/");
    EXPECT_EQ (settings.settingsPath, previousSettingsPath);
    EXPECT_EQ (settings.usingLegacyParameters, 0);
    EXPECT_EQ (SettingsSandbox::bytesOf (sandbox.settingsFile()), before);
}

TEST_F (SettingsWindow, MissingDefaultFolderIsNamedAndNothingIsLeftInTheChosenOne)
{
    window->showSettings();
    const auto chosen = newFolder ("Chosen");
    dialogs.chosenFiles.push_back (chosen);
    click (panel().settingsRow.button);
    sandbox.settingsFolder().deleteRecursively();
    click (panel().saveButton);

    ASSERT_EQ (dialogs.messages.size(), 1u);
    EXPECT_EQ (dialogs.messages[0].text, juce::String (korvanth::SettingsGUI::saveFailedMessage) + "\n"
                                             + sandbox.settingsFolder().getFullPathName() + "/");
    EXPECT_TRUE (window->documentWindow.isVisible());
    EXPECT_EQ (settings.settingsPath, sandbox.settingsFolder().getFullPathName() + "/");
    EXPECT_EQ (chosen.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 0);
}

TEST_F (SettingsWindow, ClosingTheEditorWhileAChooserIsOpenIsSafe)
{
    // With no answerer the real chooser opens; the host then closes the editor.
    korvanth::KV_Dialogs::setAnswerer (nullptr);
    window->showSettings();
    click (panel().presetsRow.button);
    window.reset();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
    korvanth::KV_Dialogs::setAnswerer (&dialogs);
    SUCCEED();
}

TEST_F (SettingsWindow, OpensInsideTheDisplayWhenTheEditorIsAtItsEdge)
{
    const auto userArea = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay()->userArea;

    for (const auto topLeft : { juce::Point<int> (-600, -500), userArea.getBottomRight() - juce::Point<int> (100, 100) })
    {
        editor.setTopLeftPosition (topLeft);
        window->showSettings();
        EXPECT_TRUE (userArea.contains (window->documentWindow.getScreenBounds()))
            << window->documentWindow.getScreenBounds().toString();
        window->documentWindow.closeButtonPressed();
    }
}

TEST_F (SettingsWindow, FolderChooserComesUpAboveItAndTakesClicks)
{
    // The real chooser, and clicks that the X server routes to whichever window is on top.
    korvanth::KV_Dialogs::setAnswerer (nullptr);
    const auto pumpUntil = [] (auto done)
    {
        for (int i = 0; i < 100 && ! done(); ++i)
            juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
        return done();
    };
    const auto handleOf = [] (juce::Component& c) { return reinterpret_cast<std::uintptr_t> (c.getPeer()->getNativeHandle()); };
    auto& modal = *juce::ModalComponentManager::getInstance();

    window->showSettings();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
    const auto button = panel().presetsRow.button.getScreenBounds().getCentre();
    clickOnScreen (button.x, button.y);

    // The framework's own chooser, even with zenity on PATH: a window manager keeps zenity's
    // window, which belongs to another process, below the always-on-top settings window.
    auto* chooser = [&]() -> juce::FileChooserDialogBox*
    {
        pumpUntil ([&] { return modal.getNumModalComponents() > 0; });
        return dynamic_cast<juce::FileChooserDialogBox*> (modal.getModalComponent (0));
    }();
    EXPECT_FALSE (fakezenity::hasRun()) << fakezenity::argumentsFile().loadFileAsString();
    ASSERT_NE (chooser, nullptr) << "no chooser window of the plug-in's own came up";

    const auto stack = viewableWindowsOfThisProcess();
    const auto settingsAt = std::find (stack.begin(), stack.end(), handleOf (window->documentWindow));
    const auto chooserAt = std::find (stack.begin(), stack.end(), handleOf (*chooser));
    ASSERT_NE (settingsAt, stack.end());
    ASSERT_NE (chooserAt, stack.end());
    EXPECT_GT (chooserAt, settingsAt) << "the settings window lies over its folder chooser";

    // A click on the chooser's Cancel, where the settings window lies too, reaches the chooser.
    juce::Component* cancel = nullptr;
    for (auto* c : chooser->getContentComponent()->getChildren())
        if (auto* b = dynamic_cast<juce::TextButton*> (c); b != nullptr && b->getButtonText() == "Cancel")
            cancel = b;
    ASSERT_NE (cancel, nullptr);
    const auto target = cancel->getScreenBounds().getCentre();
    window->documentWindow.setTopLeftPosition (target - juce::Point<int> (200, 150));
    ASSERT_TRUE (window->documentWindow.getScreenBounds().contains (target));

    clickOnScreen (target.x, target.y);
    EXPECT_TRUE (pumpUntil ([&] { return modal.getNumModalComponents() == 0; })) << "the chooser took no click";
    EXPECT_EQ (panel().presetsRow.path, settings.presetsPath);
    EXPECT_TRUE (window->documentWindow.isVisible());
}
