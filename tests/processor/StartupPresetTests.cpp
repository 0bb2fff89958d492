#include "processor/TheQuillmontAudioProcessor.h"
#include "support/SettingsSandbox.h"

#include <gtest/gtest.h>

namespace
{
    using P = QuillmontParameters::Index;

    struct StartupPreset : ::testing::Test
    {
        StartupPreset() { sandbox.createInstalledFolders(); }

        // A preset whose Gain tells which file was loaded.
        juce::File install (const juce::String& relativePath, float gain) const
        {
            const auto file = sandbox.presetsFolder().getChildFile (relativePath);
            file.getParentDirectory().createDirectory();
            file.replaceWithText ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<TheQuillmont_Preset presetName=\""
                                  + relativePath + "\" Gain=\"" + juce::String (gain) + "\" CircuitType=\"3\""
                                  " newCurrentWidth=\"1050\" newCurrentHeight=\"900\" isHQ=\"1.0\"/>\r\n");
            return file;
        }

        SettingsSandbox sandbox;
    };
}

TEST_F (StartupPreset, InitPresetInABankIsLoadedAtStart)
{
    const auto file = install ("Factory/00 - INIT.kvp", 0.25f);
    install ("Factory/01 - Crunch.kvp", 0.75f);

    TheQuillmontAudioProcessor processor;

    EXPECT_EQ (processor.getCurrentPresetName(), "Factory/00 - INIT.kvp");
    EXPECT_EQ (processor.parameter (P::gain).getValue(), 0.25f);
    EXPECT_EQ (processor.settings.initialPresetFile, file.getFullPathName());
    EXPECT_EQ (processor.getEditorSize().width, 700);
    EXPECT_EQ (processor.getEditorSize().height, 600);
    EXPECT_EQ (processor.parameter (P::hq).getValue(), 0.0f);
}

TEST_F (StartupPreset, OnlyOneFolderLevelDownCounts)
{
    install ("00 - INIT.kvp", 0.25f);
    install ("Factory/Deeper/00 - INIT.kvp", 0.75f);
    install ("Factory/00 - init.kvp", 0.1f);
    install ("Factory/00 - INIT.xml", 0.1f);

    TheQuillmontAudioProcessor processor;

    EXPECT_EQ (processor.getCurrentPresetName(), "");
    EXPECT_EQ (processor.parameter (P::gain).getValue(), 0.5f);
    EXPECT_EQ (processor.settings.initialPresetFile, "");
}

TEST_F (StartupPreset, FirstBankListedByTheFileSystemWins)
{
    install ("Bank A/00 - INIT.kvp", 0.25f);
    install ("Bank B/00 - INIT.kvp", 0.75f);

    const auto banks = sandbox.presetsFolder().findChildFiles (juce::File::findDirectories, false);
    ASSERT_EQ (banks.size(), 2);
    const auto expectedGain = banks[0].getFileName() == "Bank A" ? 0.25f : 0.75f;

    TheQuillmontAudioProcessor processor;

    EXPECT_EQ (processor.parameter (P::gain).getValue(), expectedGain);
    EXPECT_TRUE (processor.settings.initialPresetFile.startsWith (banks[0].getFullPathName()));
}

TEST_F (StartupPreset, UnreadableInitPresetIsNamedButNotApplied)
{
    const auto file = sandbox.presetsFolder().getChildFile ("Factory/00 - INIT.kvp");
    file.getParentDirectory().createDirectory();
    file.replaceWithText ("<TheQuillmont_Preset presetName=\"x\" Gain=\"0.1\"");

    TheQuillmontAudioProcessor processor;

    EXPECT_EQ (processor.settings.initialPresetFile, file.getFullPathName());
    EXPECT_EQ (processor.parameter (P::gain).getValue(), 0.5f);
}

TEST_F (StartupPreset, MissingPresetsFolderLeavesDefaults)
{
    sandbox.presetsFolder().deleteRecursively();

    TheQuillmontAudioProcessor processor;

    for (auto* p : processor.PluginParameterSet)
        EXPECT_EQ (p->getValue(), p->getDefaultValue()) << p->getName (64);
}

TEST_F (StartupPreset, PresetsFolderNamedInTheSettingsFileIsSearched)
{
    const auto elsewhere = sandbox.top.getChildFile ("My Presets");
    elsewhere.getChildFile ("Live").createDirectory();
    elsewhere.getChildFile ("Live/00 - INIT.kvp").replaceWithText ("<TheQuillmont_Preset Gain=\"0.125\"/>");
    sandbox.settingsFile().replaceWithText ("<KVNPLG_1833453398_Plugin_Settings pluginName=\"The Quillmont\" "
                                            "settingsVersion=\"3\" presetsPath=\"" + elsewhere.getFullPathName() + "\"/>");

    TheQuillmontAudioProcessor processor;

    EXPECT_EQ (processor.parameter (P::gain).getValue(), 0.125f);
}
