#include "support/SettingsSandbox.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
    // The install command's folder step, run on a sandbox instead of the real shared folder.
    bool createFolders (const juce::File& base, const juce::String& owner)
    {
        const auto script = juce::File (QUILLMONT_TEST_DATA_DIR).getParentDirectory().getParentDirectory()
                                .getChildFile ("scripts/create-folders.sh");
        juce::ChildProcess process;
        return process.start (juce::StringArray { script.getFullPathName(), base.getFullPathName(), owner })
                && process.waitForProcessToFinish (30000) && process.getExitCode() == 0;
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
    SettingsSandbox sandbox;

    // As root, the tree goes to another user, as it does under sudo; otherwise to the caller.
    const juce::String owner = ::getuid() == 0 ? "nobody" : ::getpwuid (::getuid())->pw_name;
    const auto ownerId = ::getpwnam (owner.toRawUTF8())->pw_uid;

    // An earlier installation left a bank with a preset of the user's in a folder of its own mode.
    const auto bank = sandbox.presetsFolder().getChildFile ("Bank");
    ASSERT_TRUE (bank.createDirectory());
    ASSERT_TRUE (bank.getChildFile ("Mine.kvp").replaceWithText ("mine"));
    ::chmod (sandbox.presetsFolder().getFullPathName().toRawUTF8(), 0750);
    const auto presetsBefore = statusOf (sandbox.presetsFolder());

    ASSERT_TRUE (createFolders (sandbox.base, owner));
    ASSERT_TRUE (createFolders (sandbox.base, owner)) << "a second install";

    PluginSettings settings;
    settings.loadPluginSettings();

    const juce::File samples (settings.defaultSamplesPath), irs (settings.defaultIrFilesPath);

    for (const auto& folder : { juce::File (settings.defaultSettingsPath), samples, samples.getParentDirectory(),
                                irs, irs.getParentDirectory() })
    {
        EXPECT_TRUE (folder.isDirectory()) << folder.getFullPathName();
        EXPECT_EQ (statusOf (folder).st_uid, ownerId) << folder.getFullPathName();
    }

    EXPECT_TRUE (sandbox.settingsFile().existsAsFile()) << "the first start writes its settings";
    EXPECT_TRUE (settings.savePluginSettings().wasOk());

    const auto presetsAfter = statusOf (sandbox.presetsFolder());
    EXPECT_EQ (presetsAfter.st_uid, presetsBefore.st_uid);
    EXPECT_EQ (presetsAfter.st_mode, presetsBefore.st_mode);
    EXPECT_EQ (bank.getChildFile ("Mine.kvp").loadFileAsString(), "mine");
}
