// The processor's one persistent element, TheQuillmont_Preset: the host's saved state (inside
// the framework's binary envelope) and the content of every ".kvp" preset file.

#include "processor/TheQuillmontAudioProcessor.h"

#include "services/SafeXml.h"

#include <cmath>

namespace
{
    const juce::String presetTag = "TheQuillmont_Preset";
    const juce::String startupPresetName = "00 - INIT";

    // The framework's binary XML envelope: "VC2!", the text length, the text, a 0 byte.
    constexpr juce::uint32 envelopeMagic = 0x21324356;
    constexpr int envelopeHeaderBytes = 8;

    // A host restore lets the element set the editor size and HQ for this long.
    constexpr juce::uint32 restoreWindowMs = 200;

    juce::String attributeKey (const juce::String& parameterName)
    {
        return parameterName.removeCharacters (" ");
    }

    // Normalised values outside 0..1 or without a number (hand-edited or damaged files) would
    // reach the host as such; inside 0..1 the value is taken as it stands.
    float boundedNormalised (double value, float fallback)
    {
        if (! std::isfinite (value))
            return fallback;

        return static_cast<float> (juce::jlimit (0.0, 1.0, value));
    }

    bool isCircuitType (const juce::String& parameterName)  { return parameterName == "Circuit Type"; }
    bool isHQ (const juce::String& parameterName)           { return parameterName == "HQ"; }
}

void TheQuillmontAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    juce::XmlElement xml (presetTag);
    savePresetToXml (xml);
    copyXmlToBinary (xml, destData);
}

void TheQuillmontAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    stateRestoreTime = (juce::int64) restoreWindowClock();

    if (data == nullptr || sizeInBytes <= envelopeHeaderBytes
         || juce::ByteOrder::littleEndianInt (data) != envelopeMagic)
        return;

    const auto textLength = static_cast<juce::int32> (
        juce::ByteOrder::littleEndianInt (juce::addBytesToPointer (data, 4)));

    if (textLength < 1)
        return;

    const auto available = static_cast<size_t> (sizeInBytes - envelopeHeaderBytes);
    const auto numBytes = juce::jmin (available, static_cast<size_t> (textLength));

    if (auto xml = korvanth::SafeXml::parseBytes (juce::addBytesToPointer (data, envelopeHeaderBytes), numBytes))
    {
        loadPresetFromXml (*xml);

        // The project's sound now stands, whichever file it once came from.
        if (korvanth::SafeXml::tagNameIs (*xml, presetTag))
            setLoadedPresetFile ({});
    }
}

void TheQuillmontAudioProcessor::savePresetToXml (juce::XmlElement& xml)
{
    xml.setAttribute ("presetName", korvanth::SafeXml::withWellFormedText (getCurrentPresetName()));
    xml.setAttribute ("majorVersion", 1);
    xml.setAttribute ("minorVersion", 0);
    xml.setAttribute ("revisionVersion", 0);

    for (auto* p : PluginParameterSet)
    {
        const auto name = p->getName (256);

        if (isCircuitType (name))
        {
            const auto plain = p->range.convertFrom0to1 (p->getValue());
            xml.setAttribute (attributeKey (name), juce::roundToInt (std::nearbyint (plain)));
        }
        else
        {
            xml.setAttribute (attributeKey (name), static_cast<double> (p->getValue()));
        }
    }

    if (excludeSizeAndHQ == 0)
    {
        const auto size = getEditorSize();
        xml.setAttribute ("newCurrentWidth", size.width);
        xml.setAttribute ("newCurrentHeight", size.height);
        xml.setAttribute ("isHQ", static_cast<double> (parameter (QuillmontParameters::hq).getValue()));
    }
}

void TheQuillmontAudioProcessor::loadPresetFromXml (const juce::XmlElement& xml)
{
    using korvanth::SafeXml;

    stateLoadedBeforePrepare = firstPreparePending.load();

    if (! SafeXml::tagNameIs (xml, presetTag))
        return;

    setCurrentPresetName (xml.getStringAttribute ("presetName"));
    versionMajor = SafeXml::readInt (xml, "majorVersion", 0);
    versionMinor = SafeXml::readInt (xml, "minorVersion", 0);
    versionRevision = SafeXml::readInt (xml, "revisionVersion", 0);

    // The counter wraps after 49 days; the difference is taken in its own unsigned arithmetic.
    const auto restoredAt = stateRestoreTime.load();
    const auto insideRestoreWindow = restoredAt >= 0
                                  && restoreWindowClock() - (juce::uint32) restoredAt < restoreWindowMs;

    if (excludeSizeAndHQ == 0 && insideRestoreWindow)
    {
        auto size = getEditorSize();

        if (const auto width = SafeXml::readInt (xml, "newCurrentWidth", 0); width > 0)
            size.width = width;

        if (const auto height = SafeXml::readInt (xml, "newCurrentHeight", 0); height > 0)
            size.height = height;

        setEditorSize (size.width, size.height);

        // The host is not told: HQ follows the project it belongs to.
        parameter (QuillmontParameters::hq).setValue (boundedNormalised (SafeXml::readDouble (xml, "isHQ", 0.0, 0.0), 0.0f));
    }

    for (size_t index = 0; index < PluginParameterSet.size(); ++index)
    {
        auto* p = PluginParameterSet[index];
        const auto name = p->getName (256);
        const auto key = attributeKey (name);

        if (isCircuitType (name))
        {
            // The circuit is part of the sound, so it applies even when locked.
            p->setRealValueNotifyingHost (static_cast<float> (SafeXml::readInt (xml, key, 0)));
            continue;
        }

        if (isParameterLocked ((int) index) || isHQ (name))
            continue;

        const auto defaultValue = p->getDefaultValue();
        const auto value = boundedNormalised (SafeXml::readDouble (xml, key, defaultValue, defaultValue), defaultValue);
        p->setValue (value);
        p->sendValueChangedMessageToListeners (value);
    }
}

bool TheQuillmontAudioProcessor::loadPresetFile (const juce::File& file)
{
    const auto xml = korvanth::SafeXml::parseFile (file);

    if (xml == nullptr || ! korvanth::SafeXml::tagNameIs (*xml, presetTag))
        return false;

    loadPresetFromXml (*xml);
    setLoadedPresetFile (file.getFullPathName());
    return true;
}

void TheQuillmontAudioProcessor::loadStartupPreset()
{
    const auto presetsFolder = korvanth::SafeXml::fileForPath (juce::File::addTrailingSeparator (settings.presetsPath));

    if (! presetsFolder.isDirectory())
        return;

    // Only one folder level down counts: the factory banks, not the folder itself or deeper.
    for (const auto& bank : presetsFolder.findChildFiles (juce::File::findDirectories, false))
    {
        for (const auto& file : bank.findChildFiles (juce::File::findFiles, false, "*.kvp"))
        {
            if (file.getFileNameWithoutExtension() != startupPresetName)
                continue;

            settings.initialPresetFile = file.getFullPathName();
            setCurrentPresetName ({});
            loadPresetFile (file);
            return;
        }
    }
}
