#include "support/FreshTempFolder.h"
#include "support/SettingsSandbox.h"
#include "support/UnprivilegedAccount.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace
{
    // The install command's folder step, run on a sandbox instead of the real shared folder.
    const juce::File script = juce::File (QUILLMONT_TEST_DATA_DIR).getSiblingFile ("../scripts/create-folders.sh");

    bool run (const juce::StringArray& command)
    {
        juce::ChildProcess process;
        return process.start (command) && process.waitForProcessToFinish (30000) && process.getExitCode() == 0;
    }

    bool createFolders (const juce::File& base, const juce::String& owner)
    {
        return run ({ script.getFullPathName(), base.getFullPathName(), owner });
    }

    struct stat statusOf (const juce::File& file)
    {
        struct stat status {};
        ::stat (file.getFullPathName().toRawUTF8(), &status);
        return status;
    }
}

TEST (InstallFolders, TheInstallCommandMakesTheTreeThePlugInWritesToForTheCallerAndLeavesWhatExists)
{
    // As root, the tree goes to another user, as it does under sudo; otherwise to the caller.
    const auto owner = UnprivilegedAccount::find();
    if (! owner)
        GTEST_SKIP() << UnprivilegedAccount::missing;

    SettingsSandbox sandbox;

    // An earlier installation left the presets folder, with a mode of its own and a user's preset.
    const auto mine = sandbox.presetsFolder().getChildFile ("Bank/Mine.kvp");
    ASSERT_TRUE (mine.create() && mine.replaceWithText ("mine"));
    ::chmod (sandbox.presetsFolder().getFullPathName().toRawUTF8(), 0750);
    const auto presetsBefore = statusOf (sandbox.presetsFolder());

    ASSERT_TRUE (createFolders (sandbox.base, owner->name));
    ASSERT_TRUE (createFolders (sandbox.base, owner->name)) << "a second install";

    PluginSettings settings;
    settings.loadPluginSettings();
    EXPECT_TRUE (sandbox.settingsFile().existsAsFile()) << "the first start writes its settings";

    const juce::File samples (settings.defaultSamplesPath), irs (settings.defaultIrFilesPath);
    for (const auto& folder : { sandbox.settingsFolder(), samples, samples.getParentDirectory(), irs, irs.getParentDirectory() })
    {
        EXPECT_TRUE (folder.isDirectory()) << folder.getFullPathName();
        EXPECT_EQ (statusOf (folder).st_uid, owner->uid) << folder.getFullPathName();
    }

    const auto presetsAfter = statusOf (sandbox.presetsFolder());
    EXPECT_EQ (presetsAfter.st_uid, presetsBefore.st_uid);
    EXPECT_EQ (presetsAfter.st_mode, presetsBefore.st_mode);
    EXPECT_EQ (mine.loadFileAsString(), "mine");
}

// An administrator who enters a build account with "sudo -u" leaves SUDO_USER naming themselves;
// the tree is still for the account that ran the command, which alone runs the plug-in.
TEST (InstallFolders, AnAccountEnteredThroughSudoGetsTheTreeItself)
{
    const auto account = UnprivilegedAccount::find();
    if (! account)
        GTEST_SKIP() << UnprivilegedAccount::missing;

    // A base the account may write to and a copy of the script it can read, wherever the checkout lives.
    const ScopedTempFolder top ("quillmont-install");
    const auto base = top.folder.getChildFile ("opt"), copy = top.folder.getChildFile ("create-folders.sh");
    ASSERT_TRUE (base.createDirectory() && script.copyFileTo (copy));
    ASSERT_TRUE (UnprivilegedAccount::share (top.folder) && UnprivilegedAccount::share (copy));
    ASSERT_EQ (::chown (base.getFullPathName().toRawUTF8(), account->uid, account->gid), 0);

    juce::StringArray command;
    if (::getuid() == 0)
        command = account->commandFromRoot();
    command.addArray ({ "env", "SUDO_USER=root", "bash", copy.getFullPathName(), base.getFullPathName() });

    EXPECT_TRUE (run (command));
    EXPECT_EQ (statusOf (base.getChildFile ("Korvanth/Settings")).st_uid, account->uid);
}
