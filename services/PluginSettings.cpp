#include "services/PluginSettings.h"

#include "services/SafeXml.h"

#include <cmath>

namespace
{
    juce::File& baseFolderOverride()
    {
        static juce::File folder;
        return folder;
    }
}

juce::File PluginSettings::getBaseFolder()
{
    if (baseFolderOverride() != juce::File())
        return baseFolderOverride();

    return juce::File::getSpecialLocation (juce::File::commonDocumentsDirectory);
}

void PluginSettings::overrideBaseFolder (const juce::File& folder)
{
    baseFolderOverride() = folder;
}

void PluginSettings::loadPluginSettings()
{
    loadPluginSettings (true);
}

void PluginSettings::loadPluginSettings (bool mayReplaceOlderFile)
{
    baseFolder = getBaseFolder().getFullPathName();

    const auto makerFolder = baseFolder + "/" + makerName;
    defaultSettingsPath = makerFolder + "/Settings/";
    defaultPresetsPath = makerFolder + "/Presets/" + productName + "/";
    defaultSamplesPath = makerFolder + "/Samples/" + productName + "/";
    defaultIrFilesPath = makerFolder + "/IRs/" + productName + "/";

    settingsPath = defaultSettingsPath;
    presetsPath = defaultPresetsPath;
    samplesPath = defaultSamplesPath;
    irFilesPath = defaultIrFilesPath;
    fileVersion = currentVersion;

    const auto settingsFile = korvanth::SafeXml::fileForPath (settingsPath + settingsFileName);

    if (! settingsFile.exists())
    {
        savePluginSettings();
        findUserPresetFolder();
        return;
    }

    // A file that is not well-formed (or a folder in its place) leaves the defaults in force
    // and is kept as it is, so a hand edit gone wrong can still be repaired.
    if (auto root = korvanth::SafeXml::parseFile (settingsFile))
    {
        if (korvanth::SafeXml::tagNameIs (*root, rootTag))
        {
            readSettingsElement (*root);
        }
        else if (korvanth::SafeXml::tagNameIs (*root, olderRootTag))
        {
            // The older form is replaced by a file of defaults; once only, whatever the
            // file system claims about the deletion.
            if (mayReplaceOlderFile && settingsFile.deleteFile())
                loadPluginSettings (false);
        }
    }

    if (fileVersion < currentVersion)
        savePluginSettings();

    findUserPresetFolder();
}

void PluginSettings::readSettingsElement (const juce::XmlElement& root)
{
    if (root.getStringAttribute ("pluginName") != productName)
        return;

    fileVersion = korvanth::SafeXml::readInt (root, "settingsVersion", 0);
    presetsPath = root.getStringAttribute ("presetsPath", presetsPath);
    samplesPath = root.getStringAttribute ("samplesPath", samplesPath);
    settingsPath = root.getStringAttribute ("settingsPath", settingsPath);
    irFilesPath = root.getStringAttribute ("irFilesPath", irFilesPath);
    newsfeedDisabled = root.getBoolAttribute ("newsfeedDisabled") ? 1 : 0;
    usingLegacyParameters = root.getBoolAttribute ("usingLegacyParameters") ? 1 : 0;

    for (auto* child : root.getChildIterator())
    {
        if (! korvanth::SafeXml::tagNameIs (*child, customSettingsTag))
            continue;

        customSettings.clear();

        for (int i = 0; i < child->getNumAttributes(); ++i)
            customSettings.add ({ child->getAttributeName (i),
                                  korvanth::SafeXml::textToFiniteDouble (child->getAttributeValue (i), 0.0),
                                  i });
        break;
    }
}

void PluginSettings::findUserPresetFolder()
{
    const auto userFolder = korvanth::SafeXml::fileForPath (presetsPath + "User/");

    if (userFolder.isDirectory())
        currentPresetFile = userFolder.getFullPathName();
    else
        currentPresetFile = korvanth::SafeXml::fileForPath (presetsPath).getFullPathName();
}

bool PluginSettings::savePluginSettings() const
{
    juce::XmlElement root (rootTag);
    root.setAttribute ("pluginName", productName);
    root.setAttribute ("settingsVersion", currentVersion);
    root.setAttribute ("presetsPath", korvanth::SafeXml::withWellFormedText (presetsPath));
    root.setAttribute ("samplesPath", korvanth::SafeXml::withWellFormedText (samplesPath));
    root.setAttribute ("settingsPath", korvanth::SafeXml::withWellFormedText (settingsPath));
    root.setAttribute ("irFilesPath", korvanth::SafeXml::withWellFormedText (irFilesPath));
    root.setAttribute ("newsfeedDisabled", newsfeedDisabled != 0 ? 1 : 0);
    root.setAttribute ("usingLegacyParameters", usingLegacyParameters != 0 ? 1 : 0);

    if (! customSettings.isEmpty())
    {
        auto* custom = root.createNewChildElement (customSettingsTag);

        for (const auto& setting : customSettings)
            if (juce::XmlElement::isValidXmlName (setting.name))
                custom->setAttribute (setting.name, std::isfinite (setting.value) ? setting.value : 0.0);
    }

    // A relative path would land in the host's working folder, and a folder in the file's
    // place would only be retried; both fail at once, like a missing folder. The framework's
    // writer goes through a temporary file, so an interrupted write leaves the old file whole.
    auto write = [&root] (const juce::File& target)
    {
        return target != juce::File() && ! target.isDirectory() && root.writeTo (target);
    };

    const auto target = korvanth::SafeXml::fileForPath (settingsPath + settingsFileName);
    const auto defaultTarget = korvanth::SafeXml::fileForPath (defaultSettingsPath + settingsFileName);

    // The copy in the default folder follows only a file that was written, so it never
    // sends the next start to a folder that holds nothing.
    if (! write (target))
        return false;

    if (defaultTarget != juce::File() && defaultTarget != target)
        return write (defaultTarget);

    return true;
}
