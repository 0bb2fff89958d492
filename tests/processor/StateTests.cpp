#include "processor/TheQuillmontAudioProcessor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

namespace
{
    using P = QuillmontParameters::Index;

    juce::MemoryBlock stateOf (TheQuillmontAudioProcessor& processor)
    {
        juce::MemoryBlock block;
        processor.getStateInformation (block);
        return block;
    }

    juce::String envelopeText (const juce::MemoryBlock& block)
    {
        return juce::String::fromUTF8 (static_cast<const char*> (block.getData()) + 8, (int) block.getSize() - 9);
    }

    juce::uint32 lengthField (const juce::MemoryBlock& block)
    {
        return juce::ByteOrder::littleEndianInt (static_cast<const char*> (block.getData()) + 4);
    }

    // Wraps bytes in the envelope a host hands back: magic, length, text, 0.
    juce::MemoryBlock envelope (const void* text, size_t numBytes)
    {
        juce::MemoryOutputStream out;
        out.writeInt (0x21324356);
        out.writeInt ((int) numBytes);
        out.write (text, numBytes);
        out.writeByte (0);
        return out.getMemoryBlock();
    }

    juce::MemoryBlock envelope (const juce::String& text)
    {
        return envelope (text.toRawUTF8(), text.getNumBytesAsUTF8());
    }

    void restore (TheQuillmontAudioProcessor& processor, const juce::MemoryBlock& block)
    {
        processor.setStateInformation (block.getData(), (int) block.getSize());
    }

    juce::String presetElement (const juce::String& attributes, const juce::String& tag = "TheQuillmont_Preset")
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?> <" + tag + " " + attributes + "/>";
    }

    int circuitOf (TheQuillmontAudioProcessor& processor)
    {
        auto& p = processor.parameter (P::circuitType);
        return juce::roundToInt (p.range.convertFrom0to1 (p.getValue()));
    }

    struct ValueChangeCounter : juce::AudioProcessorParameter::Listener
    {
        void parameterValueChanged (int, float) override  { ++changes; }
        void parameterGestureChanged (int, bool) override {}
        int changes = 0;
    };
}

TEST (HostState, EnvelopeHoldsOneLineOfTextBetweenMagicAndTrailingZero)
{
    TheQuillmontAudioProcessor processor;
    const auto block = stateOf (processor);
    const auto* bytes = static_cast<const char*> (block.getData());

    ASSERT_GT (block.getSize(), 9u);
    EXPECT_EQ (std::memcmp (bytes, "VC2!", 4), 0);
    EXPECT_EQ (lengthField (block), block.getSize() - 9);
    EXPECT_EQ (bytes[block.getSize() - 1], 0);
    EXPECT_EQ (std::strlen (bytes + 8), block.getSize() - 9);

    const auto text = envelopeText (block);
    EXPECT_FALSE (text.containsAnyOf ("\r\n"));
    EXPECT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?> <TheQuillmont_Preset "));
}

TEST (HostState, NewProcessorWritesEveryAttributeInOrder)
{
    TheQuillmontAudioProcessor processor;

    EXPECT_EQ (envelopeText (stateOf (processor)),
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?> <TheQuillmont_Preset presetName=\"\" majorVersion=\"1\" "
               "minorVersion=\"0\" revisionVersion=\"0\" Power=\"1.0\" Gain=\"0.5\" Bass=\"0.5\" Mid=\"0.5\" "
               "Treble=\"0.5\" Level=\"0.5\" InputGain=\"0.5\" OutputGain=\"0.5\" Mix=\"1.0\" HQ=\"0.0\" "
               "NoiseGate=\"0.0\" CircuitType=\"0\" newCurrentWidth=\"700\" newCurrentHeight=\"600\" isHQ=\"0.0\"/>");
}

TEST (HostState, ValuesAreWrittenAsTheFrameworkSerialisesDoubles)
{
    TheQuillmontAudioProcessor processor;
    processor.parameter (P::gain).setValue (0.1f);
    processor.parameter (P::bass).setValue (0.3f);
    processor.parameter (P::mid).setValue (0.001f);
    processor.parameter (P::treble).setValue (1.0e-6f);
    processor.parameter (P::level).setValue (2.0e6f);
    processor.parameter (P::mix).setValue (0.0f);
    processor.parameter (P::circuitType).setRealValueNotifyingHost (2.0f);

    juce::XmlElement xml ("TheQuillmont_Preset");
    processor.savePresetToXml (xml);

    EXPECT_EQ (xml.getStringAttribute ("Gain"), "0.1000000014901161");
    EXPECT_EQ (xml.getStringAttribute ("Bass"), "0.300000011920929");
    EXPECT_EQ (xml.getStringAttribute ("Mid"), "0.001000000047497451");
    EXPECT_EQ (xml.getStringAttribute ("Treble"), "9.999999974752427e-7");
    EXPECT_EQ (xml.getStringAttribute ("Level"), "2.0e6");
    EXPECT_EQ (xml.getStringAttribute ("Mix"), "0.0");
    EXPECT_EQ (xml.getStringAttribute ("Power"), "1.0");
    EXPECT_EQ (xml.getStringAttribute ("CircuitType"), "2");
}

TEST (HostState, RoundTripRestoresParametersCircuitSizeAndHQ)
{
    TheQuillmontAudioProcessor saved;
    saved.setCurrentPresetName ("Lead & \"Solo\"\nTake 2");

    for (size_t i = 0; i < QuillmontParameters::count; ++i)
        saved.PluginParameterSet[i]->setValue (0.05f + 0.07f * (float) i);

    saved.parameter (P::hq).setValue (1.0f);
    saved.parameter (P::circuitType).setRealValueNotifyingHost (3.0f);
    saved.setEditorSize (1050, 900);

    TheQuillmontAudioProcessor restored;
    restore (restored, stateOf (saved));

    for (size_t i = 0; i < QuillmontParameters::count; ++i)
        EXPECT_EQ (restored.PluginParameterSet[i]->getValue(), saved.PluginParameterSet[i]->getValue())
            << saved.PluginParameterSet[i]->getName (64);

    EXPECT_EQ (circuitOf (restored), 3);
    EXPECT_EQ (restored.getCurrentPresetName(), saved.getCurrentPresetName());
    EXPECT_EQ (restored.getEditorSize().width, 1050);
    EXPECT_EQ (restored.getEditorSize().height, 900);
    EXPECT_EQ (restored.parameter (P::hq).getValue(), 1.0f);
}

TEST (HostState, HostIsToldOfRestoredParametersButNotOfHQ)
{
    TheQuillmontAudioProcessor saved;
    saved.parameter (P::hq).setValue (1.0f);

    TheQuillmontAudioProcessor restored;
    ValueChangeCounter gain, hq;
    restored.parameter (P::gain).addListener (&gain);
    restored.parameter (P::hq).addListener (&hq);

    restore (restored, stateOf (saved));

    EXPECT_EQ (gain.changes, 1);
    EXPECT_EQ (hq.changes, 0);
    EXPECT_EQ (restored.parameter (P::hq).getValue(), 1.0f);
    restored.parameter (P::gain).removeListener (&gain);
    restored.parameter (P::hq).removeListener (&hq);
}

TEST (HostState, SizeAndHQAreLeftOutWhileExcluded)
{
    TheQuillmontAudioProcessor processor;
    processor.excludeSizeAndHQ = 1;

    juce::XmlElement xml ("TheQuillmont_Preset");
    processor.savePresetToXml (xml);

    EXPECT_FALSE (xml.hasAttribute ("newCurrentWidth"));
    EXPECT_FALSE (xml.hasAttribute ("newCurrentHeight"));
    EXPECT_FALSE (xml.hasAttribute ("isHQ"));
    EXPECT_TRUE (xml.hasAttribute ("HQ"));

    restore (processor, envelope (presetElement ("newCurrentWidth=\"1050\" newCurrentHeight=\"900\" isHQ=\"1.0\"")));
    EXPECT_EQ (processor.getEditorSize().width, 700);
    EXPECT_EQ (processor.parameter (P::hq).getValue(), 0.0f);
}

TEST (HostState, OnlyLoadsWithin200MillisecondsOfARestoreTakeSizeAndHQ)
{
    TheQuillmontAudioProcessor processor;
    juce::uint32 now = 0xfffffff0;  // the counter wraps inside the window
    processor.restoreWindowClock = [&now] { return now; };
    restore (processor, envelope (presetElement ("")));

    const auto xml = juce::parseXML (presetElement ("newCurrentWidth=\"1050\" newCurrentHeight=\"900\" isHQ=\"1.0\""));
    now += 200;
    processor.loadPresetFromXml (*xml);

    EXPECT_EQ (processor.getEditorSize().width, 700);
    EXPECT_EQ (processor.getEditorSize().height, 600);
    EXPECT_EQ (processor.parameter (P::hq).getValue(), 0.0f);

    now -= 1;
    processor.loadPresetFromXml (*xml);

    EXPECT_EQ (processor.getEditorSize().width, 1050);
    EXPECT_EQ (processor.getEditorSize().height, 900);
    EXPECT_EQ (processor.parameter (P::hq).getValue(), 1.0f);
}

TEST (HostState, LoadBeforeAnyRestoreKeepsSizeAndHQ)
{
    TheQuillmontAudioProcessor processor;
    const auto xml = juce::parseXML (presetElement ("newCurrentWidth=\"1050\" newCurrentHeight=\"900\" isHQ=\"1.0\""));
    processor.loadPresetFromXml (*xml);

    EXPECT_EQ (processor.getEditorSize().width, 700);
    EXPECT_EQ (processor.parameter (P::hq).getValue(), 0.0f);
}

TEST (HostState, RootTagIsMatchedWithoutRegardToCase)
{
    TheQuillmontAudioProcessor processor;
    restore (processor, envelope (presetElement ("presetName=\"Upper\" Gain=\"0.25\"", "THEQUILLMONT_PRESET")));

    EXPECT_EQ (processor.getCurrentPresetName(), "Upper");
    EXPECT_EQ (processor.parameter (P::gain).getValue(), 0.25f);
}

TEST (HostState, MissingAttributesTakeDefaultsAndEmptyName)
{
    TheQuillmontAudioProcessor processor;
    processor.setCurrentPresetName ("Before");
    processor.parameter (P::gain).setValue (0.9f);
    processor.parameter (P::circuitType).setRealValueNotifyingHost (4.0f);
    processor.parameter (P::hq).setValue (1.0f);

    restore (processor, envelope (presetElement ("Bass=\"0.125\" HQ=\"1.0\"")));

    EXPECT_EQ (processor.getCurrentPresetName(), "");
    EXPECT_EQ (processor.parameter (P::gain).getValue(), 0.5f);
    EXPECT_EQ (processor.parameter (P::bass).getValue(), 0.125f);
    EXPECT_EQ (processor.parameter (P::mix).getValue(), 1.0f);
    EXPECT_EQ (circuitOf (processor), 0);
    // Inside the window a missing isHQ turns HQ off; the HQ attribute itself is never read.
    EXPECT_EQ (processor.parameter (P::hq).getValue(), 0.0f);
    EXPECT_EQ (processor.getEditorSize().width, 700);
}

TEST (HostState, LockedParametersKeepTheirValuesButTheCircuitAlwaysApplies)
{
    TheQuillmontAudioProcessor processor;
    processor.parameter (P::gain).setValue (0.9f);
    processor.setParameterLocked (P::gain, true);
    processor.setParameterLocked (P::circuitType, true);

    restore (processor, envelope (presetElement ("Gain=\"0.1\" Bass=\"0.2\" CircuitType=\"4\"")));
    EXPECT_EQ (processor.parameter (P::gain).getValue(), 0.9f);
    EXPECT_EQ (processor.parameter (P::bass).getValue(), 0.2f);
    EXPECT_EQ (circuitOf (processor), 4);

    restore (processor, envelope (presetElement ("Gain=\"0.1\"")));
    EXPECT_EQ (circuitOf (processor), 0);
}

TEST (HostState, UnusableSizeKeepsTheEditorSize)
{
    TheQuillmontAudioProcessor processor;

    for (const auto* size : { "0", "-700", "wide", "" })
    {
        restore (processor, envelope (presetElement (juce::String ("newCurrentWidth=\"") + size
                                                     + "\" newCurrentHeight=\"" + size + "\"")));
        EXPECT_EQ (processor.getEditorSize().width, 700) << size;
        EXPECT_EQ (processor.getEditorSize().height, 600) << size;
    }

    restore (processor, envelope (presetElement ("newCurrentWidth=\" 933px\"")));
    EXPECT_EQ (processor.getEditorSize().width, 933);
    EXPECT_EQ (processor.getEditorSize().height, 600);
}

TEST (HostState, DamagedEnvelopesChangeNothing)
{
    TheQuillmontAudioProcessor processor;
    processor.parameter (P::gain).setValue (0.9f);
    const auto before = stateOf (processor);

    const auto valid = envelope (presetElement ("Gain=\"0.1\""));
    const auto* validBytes = static_cast<const char*> (valid.getData());

    auto withLength = [&] (juce::int32 length)
    {
        juce::MemoryBlock block (valid);
        const auto le = juce::ByteOrder::swapIfBigEndian ((juce::uint32) length);
        block.copyFrom (&le, 4, 4);
        return block;
    };

    const unsigned char nineBytes[] = { 'V', 'C', '2', '!', 1, 0, 0, 0, 0 };
    const unsigned char oneByteText[] = { 'V', 'C', '2', '!', 1, 0, 0, 0, '<' };

    processor.setStateInformation (nullptr, 0);
    processor.setStateInformation (validBytes, 8);
    processor.setStateInformation (nineBytes, (int) sizeof (nineBytes));
    processor.setStateInformation (oneByteText, (int) sizeof (oneByteText));
    processor.setStateInformation (validBytes, -5);
    restore (processor, withLength (0));
    restore (processor, withLength (-1));
    restore (processor, withLength (10));

    juce::MemoryBlock otherMagic (valid);
    otherMagic[0] = 'X';
    restore (processor, otherMagic);

    const auto truncated = juce::MemoryBlock (validBytes, valid.getSize() - 5);
    restore (processor, truncated);

    for (const auto* text : { "", "not xml", "<?xml version=\"1.0\"?>",
                              "<!DOCTYPE a [<!ENTITY a \"&a;\">]><TheQuillmont_Preset presetName=\"&a;\"/>" })
        restore (processor, envelope (juce::String (text)));

    const unsigned char notUtf8[] = { '<', 'T', 'h', 'e', 'Q', 'u', 'i', 'l', 'l', 'm', 'o', 'n', 't', '_', 'P', 'r',
                                      'e', 's', 'e', 't', ' ', 'p', 'r', 'e', 's', 'e', 't', 'N', 'a', 'm', 'e', '=',
                                      '"', 0xc3, 0x28, '"', '/', '>' };
    restore (processor, envelope (notUtf8, sizeof (notUtf8)));

    EXPECT_EQ (stateOf (processor), before);
}

TEST (HostState, LengthBeyondTheDataIsCutAtTheEnd)
{
    TheQuillmontAudioProcessor processor;
    auto block = envelope (presetElement ("Gain=\"0.25\""));
    const auto le = juce::ByteOrder::swapIfBigEndian ((juce::uint32) 1000000);
    block.copyFrom (&le, 4, 4);

    restore (processor, block);

    EXPECT_EQ (processor.parameter (P::gain).getValue(), 0.25f);
}

TEST (HostState, OutlandishValuesStayWithinTheParameterRange)
{
    TheQuillmontAudioProcessor processor;
    restore (processor, envelope (presetElement ("Gain=\"nan\" Bass=\"1e300\" Mid=\"-inf\" Treble=\"-3\" "
                                                 "Level=\"1e999\" CircuitType=\"99999999999999\" "
                                                 "newCurrentWidth=\"99999999999999\" isHQ=\"nan\"")));

    EXPECT_EQ (processor.parameter (P::gain).getValue(), 0.5f);
    EXPECT_EQ (processor.parameter (P::bass).getValue(), 1.0f);
    EXPECT_EQ (processor.parameter (P::mid).getValue(), 0.5f);
    EXPECT_EQ (processor.parameter (P::treble).getValue(), 0.0f);
    EXPECT_EQ (processor.parameter (P::level).getValue(), 0.5f);
    EXPECT_EQ (processor.parameter (P::circuitType).getValue(), 1.0f);
    EXPECT_EQ (processor.parameter (P::hq).getValue(), 0.0f);
    EXPECT_EQ (processor.getEditorSize().width, std::numeric_limits<int>::max());
}

TEST (HostState, EveryLoadRecordsWhetherItCameBeforeTheFirstPrepare)
{
    TheQuillmontAudioProcessor processor;
    EXPECT_EQ (processor.stateLoadedBeforePrepare.load(), 0);

    restore (processor, envelope (presetElement ("", "SomethingElse")));
    EXPECT_EQ (processor.stateLoadedBeforePrepare.load(), 1);

    processor.firstPreparePending = 0;
    restore (processor, envelope (presetElement ("")));
    EXPECT_EQ (processor.stateLoadedBeforePrepare.load(), 0);
}

TEST (HostState, ForeignElementChangesNoParameter)
{
    TheQuillmontAudioProcessor processor;
    processor.setCurrentPresetName ("Kept");
    const auto before = stateOf (processor);

    restore (processor, envelope (presetElement ("presetName=\"Other\" Gain=\"0.1\"", "OtherPlugin_Preset")));

    EXPECT_EQ (stateOf (processor), before);
}

TEST (HostState, ARestoreOnAnotherThreadNeverShowsAHalfWrittenNameOrSize)
{
    TheQuillmontAudioProcessor processor;
    processor.restoreWindowClock = [] { return juce::uint32 (1000); };

    const auto first = envelope (presetElement ("presetName=\"First\" newCurrentWidth=\"1050\" newCurrentHeight=\"900\""));
    const auto second = envelope (presetElement ("presetName=\"Second take, a longer name\" "
                                                 "newCurrentWidth=\"800\" newCurrentHeight=\"686\""));
    std::atomic<bool> done { false };

    std::thread host ([&]
    {
        for (int i = 0; i < 2000; ++i)
            restore (processor, (i % 2 == 0) ? first : second);

        done = true;
    });

    // What the editor's timer does meanwhile on the message thread.
    int mixed = 0;

    while (! done)
    {
        const auto name = processor.getCurrentPresetName();
        const auto size = processor.getEditorSize();
        processor.setParameterLocked (P::bass, ! processor.isParameterLocked (P::bass));

        // Name and size may come from different restores, but never half of one.
        const auto sizeKnown = (size.width == 1050 && size.height == 900) || (size.width == 800 && size.height == 686)
                            || (size.width == 700 && size.height == 600);
        const auto nameKnown = name.isEmpty() || name == "First" || name == "Second take, a longer name";

        if (! sizeKnown || ! nameKnown)
            ++mixed;
    }

    host.join();
    EXPECT_EQ (mixed, 0);
}

TEST (HostState, StateWithAnOverlongNameIsRefusedAndTheNextSaveReadsBack)
{
    TheQuillmontAudioProcessor processor;
    const auto before = stateOf (processor);

    // "Gain" with its "G" in two bytes: once read, the framework's name pool would hand that
    // spelling to the next save, which then wrote a lone C1 byte.
    const char text[] = "<TheQuillmont_Preset presetName=\"Overlong\" \xc1\x87" "ain=\"0.25\"/>";
    restore (processor, envelope (text, sizeof (text) - 1));

    EXPECT_EQ (stateOf (processor), before);

    TheQuillmontAudioProcessor fresh;
    fresh.parameter (P::gain).setValue (0.75f);
    restore (fresh, stateOf (processor));

    EXPECT_EQ (stateOf (fresh), before);
}

TEST (HostState, PresetNameFromAnIllFormedFileNameStillReadsBack)
{
    // A file name on this platform may hold any bytes, a lone surrogate among them.
    TheQuillmontAudioProcessor saved;
    saved.setCurrentPresetName (juce::String::charToString ((juce::juce_wchar) 0xd800) + "Take");
    saved.parameter (P::gain).setValue (0.25f);

    TheQuillmontAudioProcessor restored;
    restore (restored, stateOf (saved));

    // Each byte of the surrogate's three becomes a replacement character.
    EXPECT_EQ (restored.getCurrentPresetName(), juce::String::repeatedString (juce::String::charToString ((juce::juce_wchar) 0xfffd), 3) + "Take");
    EXPECT_EQ (restored.parameter (P::gain).getValue(), 0.25f);
}
