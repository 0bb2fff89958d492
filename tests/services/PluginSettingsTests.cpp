#include "services/PluginSettings.h"
#include "support/SettingsSandbox.h"

#include <gtest/gtest.h>

namespace
{
    const juce::String header = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n";

    juce::String settingsDocument (const juce::String& attributes, const juce::String& children = {},
                                   const juce::String& tag = "KVNPLG_1833453398_Plugin_Settings")
    {
        if (children.isEmpty())
            return header + "<" + tag + " " + attributes + "/>\r\n";

        return header + "<" + tag + " " + attributes + ">" + children + "</" + tag + ">\r\n";
    }

    struct PluginSettingsFile : ::testing::Test
    {
        SettingsSandbox sandbox;
        PluginSettings settings;

        juce::String base() const { return sandbox.base.getFullPathName(); }

        void writeSettingsFile (const juce::String& text) const
        {
            sandbox.createInstalledFolders();
            ASSERT_TRUE (sandbox.settingsFile().replaceWithText (text));
        }

        void expectDefaultsInForce() const
        {
            EXPECT_EQ (settings.settingsPath, base() + "/Korvanth/Settings/");
            EXPECT_EQ (settings.presetsPath, base() + "/Korvanth/Presets/The Quillmont/");
            EXPECT_EQ (settings.samplesPath, base() + "/Korvanth/Samples/The Quillmont/");
            EXPECT_EQ (settings.irFilesPath, base() + "/Korvanth/IRs/The Quillmont/");
            EXPECT_EQ (settings.newsfeedDisabled, 0);
            EXPECT_EQ (settings.usingLegacyParameters, 0);
        }
    };
}

TEST_F (PluginSettingsFile, FirstStartWritesTheDefaultFileByteForByte)
{
    sandbox.createInstalledFolders();
    settings.loadPluginSettings();

    expectDefaultsInForce();
    EXPECT_EQ (settings.fileVersion, 3);
    EXPECT_EQ (settings.settingsFileName, "The Quillmont.kvs");
    EXPECT_EQ (SettingsSandbox::bytesOf (sandbox.settingsFile()), sandbox.golden ("settings/defaults.kvs"));
}

TEST_F (PluginSettingsFile, MissingFoldersAreNeverCreated)
{
    settings.loadPluginSettings();

    expectDefaultsInForce();
    EXPECT_FALSE (sandbox.maker().exists());
    EXPECT_EQ (sandbox.base.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 0);
    EXPECT_EQ (settings.currentPresetFile, base() + "/Korvanth/Presets/The Quillmont");
}

TEST_F (PluginSettingsFile, SavedRecordWithCustomSettingsMatchesTheFileFormat)
{
    settings.presetsPath = "/Shared/Presets/";
    settings.samplesPath = "";
    settings.settingsPath = base() + "/";
    settings.irFilesPath = "/IR";
    settings.newsfeedDisabled = 1;
    settings.customSettings.add ({ "gain", 2.0, 0 });
    settings.customSettings.add ({ "mix", 0.25, 1 });
    settings.customSettings.add ({ "big", 1.0e7, 2 });

    settings.savePluginSettings();

    EXPECT_EQ (SettingsSandbox::bytesOf (sandbox.base.getChildFile ("The Quillmont.kvs")),
               sandbox.golden ("settings/custom.kvs"));
}

TEST_F (PluginSettingsFile, CurrentFileIsReadAndLeftUntouched)
{
    const auto text = settingsDocument ("pluginName=\"The Quillmont\" settingsVersion=\"3\" presetsPath=\"/P/\" "
                                        "samplesPath=\"\" newsfeedDisabled=\"1\" usingLegacyParameters=\"true\"",
                                        "<custom_settings x=\"-2.5\" y=\"7\"/>");
    writeSettingsFile (text);
    const auto before = SettingsSandbox::bytesOf (sandbox.settingsFile());

    settings.loadPluginSettings();

    EXPECT_EQ (settings.presetsPath, "/P/");
    EXPECT_EQ (settings.samplesPath, "");
    EXPECT_EQ (settings.settingsPath, base() + "/Korvanth/Settings/");
    EXPECT_EQ (settings.irFilesPath, base() + "/Korvanth/IRs/The Quillmont/");
    EXPECT_EQ (settings.newsfeedDisabled, 1);
    EXPECT_EQ (settings.usingLegacyParameters, 1);
    ASSERT_EQ (settings.customSettings.size(), 2);
    EXPECT_EQ (settings.customSettings[0].name, "x");
    EXPECT_EQ (settings.customSettings[0].value, -2.5);
    EXPECT_EQ (settings.customSettings[1].name, "y");
    EXPECT_EQ (settings.customSettings[1].index, 1);
    EXPECT_EQ (SettingsSandbox::bytesOf (sandbox.settingsFile()), before);
}

TEST_F (PluginSettingsFile, RootTagIsMatchedWithoutRegardToCase)
{
    writeSettingsFile (settingsDocument ("pluginName=\"The Quillmont\" settingsVersion=\"3\" presetsPath=\"/Mine/\"",
                                         {}, "kvnplg_1833453398_plugin_settings"));
    settings.loadPluginSettings();

    EXPECT_EQ (settings.presetsPath, "/Mine/");
}

TEST_F (PluginSettingsFile, FilesOfOtherPlugInsAreIgnoredAndKept)
{
    const juce::StringArray foreignFiles {
        settingsDocument ("pluginName=\"the quillmont\" settingsVersion=\"1\" presetsPath=\"/Mine/\""),
        settingsDocument ("settingsVersion=\"1\" presetsPath=\"/Mine/\""),
        settingsDocument ("pluginName=\"The Quillmont\" settingsVersion=\"1\" presetsPath=\"/Mine/\"", {},
                          "KVNPLG_1234_Plugin_Settings"),
    };

    for (const auto& text : foreignFiles)
    {
        SCOPED_TRACE (text.toStdString());
        writeSettingsFile (text);
        PluginSettings fresh;
        fresh.loadPluginSettings();
        settings = fresh;

        expectDefaultsInForce();
        EXPECT_EQ (sandbox.settingsFile().loadFileAsString(), text);
    }
}

TEST_F (PluginSettingsFile, OlderUnprefixedFileIsReplacedByDefaults)
{
    writeSettingsFile (settingsDocument ("pluginName=\"The Quillmont\" settingsVersion=\"2\" presetsPath=\"/Old/\"",
                                         {}, "1833453398_Plugin_Settings"));
    settings.loadPluginSettings();

    expectDefaultsInForce();
    EXPECT_EQ (SettingsSandbox::bytesOf (sandbox.settingsFile()), sandbox.golden ("settings/defaults.kvs"));
}

TEST_F (PluginSettingsFile, OlderVersionIsUsedAndRewrittenAtOnce)
{
    writeSettingsFile (settingsDocument ("pluginName=\"The Quillmont\" settingsVersion=\"2\" newsfeedDisabled=\"1\"",
                                         "<CUSTOM_SETTINGS a=\"1.5\" b=\"x\"/>"));
    settings.loadPluginSettings();

    EXPECT_EQ (settings.fileVersion, 2);
    EXPECT_EQ (settings.newsfeedDisabled, 1);
    ASSERT_EQ (settings.customSettings.size(), 2);
    EXPECT_EQ (settings.customSettings[0].name, "a");
    EXPECT_EQ (settings.customSettings[0].value, 1.5);
    EXPECT_EQ (settings.customSettings[0].index, 0);
    EXPECT_EQ (settings.customSettings[1].name, "b");
    EXPECT_EQ (settings.customSettings[1].value, 0.0);
    EXPECT_EQ (settings.customSettings[1].index, 1);

    const auto rewritten = juce::parseXML (sandbox.settingsFile());
    ASSERT_NE (rewritten, nullptr);
    EXPECT_EQ (rewritten->getStringAttribute ("settingsVersion"), "3");
    EXPECT_EQ (rewritten->getStringAttribute ("newsfeedDisabled"), "1");
    const auto* custom = rewritten->getChildByName ("CUSTOM_SETTINGS");
    ASSERT_NE (custom, nullptr);
    EXPECT_EQ (custom->getStringAttribute ("a"), "1.5");
    EXPECT_EQ (custom->getStringAttribute ("b"), "0.0");
}

TEST_F (PluginSettingsFile, FileWithoutVersionIsRewritten)
{
    writeSettingsFile (settingsDocument ("pluginName=\"The Quillmont\""));
    settings.loadPluginSettings();

    EXPECT_EQ (settings.fileVersion, 0);
    EXPECT_EQ (SettingsSandbox::bytesOf (sandbox.settingsFile()), sandbox.golden ("settings/defaults.kvs"));
}

TEST_F (PluginSettingsFile, NewerVersionIsNotRewritten)
{
    const auto text = settingsDocument ("pluginName=\"The Quillmont\" settingsVersion=\"99999999999999999999\"");
    writeSettingsFile (text);
    settings.loadPluginSettings();

    EXPECT_GT (settings.fileVersion, 3);
    EXPECT_EQ (sandbox.settingsFile().loadFileAsString(), text);
}

TEST_F (PluginSettingsFile, BrokenFileLeavesDefaultsAndIsKept)
{
    const juce::StringArray brokenFiles {
        "",
        "not xml at all",
        header + "<KVNPLG_1833453398_Plugin_Settings pluginName=\"The Quillmont\" presetsPath=\"/Mine/",
        header + "<!DOCTYPE x [<!ENTITY a \"&a;\">]><KVNPLG_1833453398_Plugin_Settings pluginName=\"&a;\"/>",
        juce::String::repeatedString ("<a>", 100000),
        header + "<KVNPLG_1833453398_Plugin_Settings pluginName=\"The Quillmont\"><?pi x?>text</KVNPLG_1833453398_Plugin_Settings>",
    };

    for (const auto& text : brokenFiles)
    {
        SCOPED_TRACE (text.substring (0, 80).toStdString());
        writeSettingsFile (text);
        PluginSettings fresh;
        fresh.loadPluginSettings();
        settings = fresh;

        expectDefaultsInForce();
        EXPECT_EQ (settings.currentPresetFile, sandbox.presetsFolder().getFullPathName());
        EXPECT_EQ (sandbox.settingsFile().loadFileAsString(), text);
    }
}

TEST_F (PluginSettingsFile, OverlongUtf8IsRefusedRatherThanRewrittenUnreadable)
{
    // An old file (no settingsVersion) would be rewritten at once; with "Q" spelled in two
    // bytes, the rewrite came out as a lone C1 byte that no later start could read.
    const char bytes[] = "<KVNPLG_1833453398_Plugin_Settings pluginName=\"The Quillmont\" presetsPath=\"/Mine/\">"
                         "<CUSTOM_SETTINGS \xc1\x91=\"1\"/></KVNPLG_1833453398_Plugin_Settings>";
    const juce::MemoryBlock original (bytes, sizeof (bytes) - 1);
    sandbox.createInstalledFolders();
    ASSERT_TRUE (sandbox.settingsFile().replaceWithData (original.getData(), original.getSize()));

    settings.loadPluginSettings();

    expectDefaultsInForce();
    EXPECT_TRUE (settings.customSettings.isEmpty());
    EXPECT_EQ (SettingsSandbox::bytesOf (sandbox.settingsFile()), original);
}

TEST_F (PluginSettingsFile, FolderNameWithIllFormedBytesIsSavedReadably)
{
    // A folder picked on this platform may have any bytes in its name, a lone surrogate among them.
    sandbox.createInstalledFolders();
    settings.loadPluginSettings();
    settings.presetsPath = "/Presets/" + juce::String::charToString ((juce::juce_wchar) 0xdc00) + "/";
    settings.newsfeedDisabled = 1;
    settings.savePluginSettings();

    PluginSettings next;
    next.loadPluginSettings();

    EXPECT_EQ (next.newsfeedDisabled, 1);
    EXPECT_EQ (next.presetsPath, "/Presets/" + juce::String::repeatedString (juce::String::charToString ((juce::juce_wchar) 0xfffd), 3) + "/");
}

TEST_F (PluginSettingsFile, FolderInPlaceOfTheFileLeavesDefaults)
{
    sandbox.createInstalledFolders();
    sandbox.settingsFile().createDirectory();

    settings.loadPluginSettings();

    expectDefaultsInForce();
    EXPECT_TRUE (sandbox.settingsFile().isDirectory());
    EXPECT_EQ (settings.currentPresetFile, sandbox.presetsFolder().getFullPathName());
}

TEST_F (PluginSettingsFile, NonFiniteCustomValuesReadAsZero)
{
    writeSettingsFile (settingsDocument ("pluginName=\"The Quillmont\" settingsVersion=\"3\"",
                                         "<CUSTOM_SETTINGS n=\"nan\" i=\"-inf\" h=\"1e999\"/>"));
    settings.loadPluginSettings();

    ASSERT_EQ (settings.customSettings.size(), 3);

    for (const auto& setting : settings.customSettings)
        EXPECT_EQ (setting.value, 0.0) << setting.name;
}

TEST_F (PluginSettingsFile, RelativeSettingsFolderIsNeverWrittenTo)
{
    const auto workingFolder = sandbox.top.getChildFile ("working");
    workingFolder.createDirectory();
    const auto previous = juce::File::getCurrentWorkingDirectory();
    workingFolder.setAsCurrentWorkingDirectory();

    writeSettingsFile (settingsDocument ("pluginName=\"The Quillmont\" settingsVersion=\"1\" settingsPath=\"\""));
    settings.loadPluginSettings();
    previous.setAsCurrentWorkingDirectory();

    EXPECT_EQ (settings.settingsPath, "");
    EXPECT_EQ (workingFolder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 0);
}

TEST_F (PluginSettingsFile, UserPresetFolderIsPreferredWhenItExists)
{
    sandbox.createInstalledFolders();
    sandbox.presetsFolder().getChildFile ("User").createDirectory();

    settings.loadPluginSettings();

    EXPECT_EQ (settings.currentPresetFile, sandbox.presetsFolder().getChildFile ("User").getFullPathName());
    EXPECT_FALSE (settings.currentPresetFile.endsWith ("/"));
}

TEST_F (PluginSettingsFile, PresetsPathWithoutSeparatorGluesUserToTheFolderName)
{
    const auto glued = sandbox.base.getChildFile ("MinePresetsUser");
    glued.createDirectory();
    writeSettingsFile (settingsDocument ("pluginName=\"The Quillmont\" settingsVersion=\"3\" presetsPath=\""
                                         + sandbox.base.getChildFile ("MinePresets").getFullPathName() + "\""));

    settings.loadPluginSettings();

    EXPECT_EQ (settings.currentPresetFile, glued.getFullPathName());
}

TEST_F (PluginSettingsFile, SavingIntoMissingFolderFailsAndSaysSo)
{
    settings.settingsPath = base() + "/nowhere/";
    EXPECT_FALSE (settings.savePluginSettings());

    EXPECT_FALSE (sandbox.base.getChildFile ("nowhere").exists());
}

TEST_F (PluginSettingsFile, MovedSettingsFolderIsReadBackAtTheNextStart)
{
    sandbox.createInstalledFolders();
    settings.loadPluginSettings();

    const auto moved = sandbox.base.getChildFile ("Moved Settings");
    moved.createDirectory();
    settings.settingsPath = moved.getFullPathName() + "/";
    settings.presetsPath = base() + "/Banks/";
    settings.newsfeedDisabled = 1;
    EXPECT_TRUE (settings.savePluginSettings());
    EXPECT_TRUE (moved.getChildFile ("The Quillmont.kvs").existsAsFile());

    PluginSettings nextStart;
    nextStart.loadPluginSettings();

    EXPECT_EQ (nextStart.settingsPath, moved.getFullPathName() + "/");
    EXPECT_EQ (nextStart.presetsPath, base() + "/Banks/");
    EXPECT_EQ (nextStart.newsfeedDisabled, 1);
}

TEST_F (PluginSettingsFile, SaveThatCannotReachTheDefaultFolderFails)
{
    // The moved file is written, but the next start would not find it: not a saved setting.
    const auto moved = sandbox.base.getChildFile ("Moved Settings");
    moved.createDirectory();
    settings.loadPluginSettings();
    settings.settingsPath = moved.getFullPathName() + "/";

    EXPECT_FALSE (sandbox.settingsFolder().exists());
    EXPECT_FALSE (settings.savePluginSettings());
}

TEST_F (PluginSettingsFile, FailedSaveLeavesNeitherCopyAndNamesTheFolderThatFailed)
{
    const auto moved = sandbox.base.getChildFile ("Moved Settings");
    moved.createDirectory();
    settings.loadPluginSettings();
    settings.settingsPath = moved.getFullPathName() + "/";

    // The moved folder can be written, the default one is missing.
    const auto missingDefault = settings.savePluginSettings();
    EXPECT_TRUE (missingDefault.failed());
    EXPECT_EQ (missingDefault.getErrorMessage(), base() + "/Korvanth/Settings/");
    EXPECT_EQ (moved.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 0);

    // The other way round: the default file keeps what it held, and nothing is left beside it.
    sandbox.createInstalledFolders();
    settings.savePluginSettings();
    const auto before = SettingsSandbox::bytesOf (sandbox.settingsFile());
    moved.deleteRecursively();
    settings.newsfeedDisabled = 1;

    const auto missingMoved = settings.savePluginSettings();
    EXPECT_TRUE (missingMoved.failed());
    EXPECT_EQ (missingMoved.getErrorMessage(), moved.getFullPathName() + "/");
    EXPECT_EQ (SettingsSandbox::bytesOf (sandbox.settingsFile()), before);
    EXPECT_EQ (sandbox.settingsFolder().getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);
}

TEST_F (PluginSettingsFile, SavingReplacesTheFileWithoutLeavingTemporaries)
{
    sandbox.createInstalledFolders();
    settings.loadPluginSettings();
    settings.usingLegacyParameters = 1;
    settings.savePluginSettings();

    EXPECT_EQ (sandbox.settingsFolder().getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);
    const auto saved = juce::parseXML (sandbox.settingsFile());
    ASSERT_NE (saved, nullptr);
    EXPECT_EQ (saved->getStringAttribute ("usingLegacyParameters"), "1");
}
