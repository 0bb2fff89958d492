#include "processor/TheQuillmontAudioProcessor.h"
#include "support/SettingsSandbox.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
    using P = QuillmontParameters::Index;

    juce::File committedPreset (const juce::String& name)
    {
        return juce::File (QUILLMONT_TEST_DATA_DIR).getChildFile ("presets").getChildFile (name);
    }

    juce::MemoryBlock stateOf (TheQuillmontAudioProcessor& processor)
    {
        juce::MemoryBlock block;
        processor.getStateInformation (block);
        return block;
    }

    int circuitOf (TheQuillmontAudioProcessor& processor)
    {
        auto& p = processor.parameter (P::circuitType);
        return juce::roundToInt (p.range.convertFrom0to1 (p.getValue()));
    }

    // What the editor's Save Preset does: the element without size and HQ, through the file writer.
    bool savePreset (TheQuillmontAudioProcessor& processor, const juce::File& file)
    {
        processor.excludeSizeAndHQ = 1;
        juce::XmlElement xml ("TheQuillmont_Preset");
        processor.savePresetToXml (xml);
        processor.excludeSizeAndHQ = 0;
        return xml.writeTo (file);
    }

    struct PresetFile : ::testing::Test
    {
        SettingsSandbox sandbox;
        TheQuillmontAudioProcessor processor;

        juce::File write (const juce::String& name, const juce::String& text) const
        {
            const auto file = sandbox.top.getChildFile (name);
            file.replaceWithText (text);
            return file;
        }

        juce::File writeBytes (const juce::String& name, const char* bytes) const
        {
            const auto file = sandbox.top.getChildFile (name);
            file.replaceWithData (bytes, std::strlen (bytes));
            return file;
        }
    };
}

TEST_F (PresetFile, SavedPresetMatchesTheFileFormatByteForByte)
{
    processor.setCurrentPresetName ("Crunch");
    processor.parameter (P::gain).setValue (0.75f);
    processor.parameter (P::bass).setValue (0.25f);
    processor.parameter (P::circuitType).setRealValueNotifyingHost (2.0f);
    processor.setEditorSize (1050, 900);

    const auto file = sandbox.top.getChildFile ("Crunch.kvp");
    ASSERT_TRUE (savePreset (processor, file));

    juce::MemoryBlock written, golden;
    file.loadFileAsData (written);
    committedPreset ("Crunch.kvp").loadFileAsData (golden);
    EXPECT_EQ (written, golden);
}

TEST_F (PresetFile, LoadingAPresetSetsNameParametersAndCircuit)
{
    EXPECT_TRUE (processor.loadPresetFile (committedPreset ("Crunch.kvp")));

    EXPECT_EQ (processor.getCurrentPresetName(), "Crunch");
    EXPECT_EQ (processor.parameter (P::gain).getValue(), 0.75f);
    EXPECT_EQ (processor.parameter (P::bass).getValue(), 0.25f);
    EXPECT_EQ (circuitOf (processor), 2);
}

TEST_F (PresetFile, PresetNeverChangesSizeOrHQ)
{
    const auto file = write ("Big.kvp", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n"
                                        "<TheQuillmont_Preset presetName=\"Big\" Gain=\"0.1\" HQ=\"1.0\"\r\n"
                                        "  newCurrentWidth=\"1050\" newCurrentHeight=\"900\" isHQ=\"1.0\"/>\r\n");
    processor.loadPresetFile (file);

    EXPECT_EQ (processor.getCurrentPresetName(), "Big");
    EXPECT_EQ (processor.parameter (P::gain).getValue(), 0.1f);
    EXPECT_EQ (processor.getEditorSize().width, 700);
    EXPECT_EQ (processor.getEditorSize().height, 600);
    EXPECT_EQ (processor.parameter (P::hq).getValue(), 0.0f);
}

TEST_F (PresetFile, RootTagIsMatchedWithoutRegardToCase)
{
    processor.loadPresetFile (write ("lower.kvp", "<thequillmont_preset presetName=\"lower\" Gain=\"0.2\"/>"));

    EXPECT_EQ (processor.getCurrentPresetName(), "lower");
    EXPECT_EQ (processor.parameter (P::gain).getValue(), 0.2f);
}

TEST_F (PresetFile, UnusableFilesChangeNothing)
{
    processor.parameter (P::gain).setValue (0.9f);
    processor.setCurrentPresetName ("Kept");
    const auto before = stateOf (processor);

    const auto folder = sandbox.top.getChildFile ("Folder.kvp");
    folder.createDirectory();
    const auto unreadable = write ("Unreadable.kvp", "<TheQuillmont_Preset presetName=\"x\"/>");
    unreadable.setReadOnly (true);
    unreadable.setExecutePermission (false);

    for (const auto& file : { sandbox.top.getChildFile ("Missing.kvp"), folder, juce::File(), juce::File ("/dev/zero"),
        write ("Empty.kvp", {}),
        write ("Text.kvp", "Gain=0.1"),
        write ("Truncated.kvp", "<TheQuillmont_Preset presetName=\"t\" Gain=\"0.1"),
        write ("Other.kvp", "<OtherPlugin_Preset presetName=\"o\" Gain=\"0.1\"/>"),
        write ("Deep.kvp", juce::String::repeatedString ("<TheQuillmont_Preset>", 200000)),
        write ("Instruction.kvp", "<TheQuillmont_Preset Gain=\"0.1\"><?pi x?>text</TheQuillmont_Preset>"),
        write ("Entities.kvp", "<!DOCTYPE x SYSTEM \"/dev/zero\"><TheQuillmont_Preset presetName=\"&x;\"/>"),
        write ("Huge.kvp", "<TheQuillmont_Preset presetName=\"" + juce::String::repeatedString ("x", 1 << 20) + "\"/>"),
        writeBytes ("Overlong.kvp", "<TheQuillmont_Preset presetName=\"\xc0\xaf\"/>") })
        EXPECT_FALSE (processor.loadPresetFile (file)) << file.getFullPathName();

    EXPECT_EQ (stateOf (processor), before);
    EXPECT_EQ (processor.getLoadedPresetFile(), "");
}

TEST_F (PresetFile, TheLoadedFileIsKeptUntilAHostRestoreReplacesTheSound)
{
    const auto file = committedPreset ("Crunch.kvp");
    EXPECT_TRUE (processor.loadPresetFile (file));
    EXPECT_EQ (processor.getLoadedPresetFile(), file.getFullPathName());

    EXPECT_FALSE (processor.loadPresetFile (write ("Broken.kvp", "<TheQuillmont_Preset")));
    EXPECT_EQ (processor.getLoadedPresetFile(), file.getFullPathName());

    const auto state = stateOf (processor);
    processor.setStateInformation (state.getData(), (int) state.getSize());
    EXPECT_EQ (processor.getLoadedPresetFile(), "");
}

TEST_F (PresetFile, SavedPresetLoadsBackOnAnotherInstance)
{
    processor.setCurrentPresetName ("Shared");
    for (size_t i = 0; i < QuillmontParameters::count; ++i)
        processor.PluginParameterSet[i]->setValue (0.9f - 0.06f * (float) i);
    processor.parameter (P::circuitType).setRealValueNotifyingHost (1.0f);

    const auto file = sandbox.top.getChildFile ("Shared.kvp");
    ASSERT_TRUE (savePreset (processor, file));

    TheQuillmontAudioProcessor other;
    other.loadPresetFile (file);

    for (size_t i = 0; i < QuillmontParameters::count; ++i)
    {
        if (i == P::hq)
            EXPECT_EQ (other.PluginParameterSet[i]->getValue(), 0.0f);
        else
            EXPECT_EQ (other.PluginParameterSet[i]->getValue(), processor.PluginParameterSet[i]->getValue()) << i;
    }

    EXPECT_EQ (other.getCurrentPresetName(), "Shared");
}
