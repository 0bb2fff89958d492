#include "services/PluginSettings.h"

#include "services/NumberText.h"
#include "services/SafeXml.h"

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

namespace
{
    // The framework's own file writer, minus the replacing: the same bytes in the same format.
    bool writeDocument (const juce::XmlElement& root, const juce::File& file)
    {
        juce::FileOutputStream out (file);

        if (! out.openedOk())
            return false;

        root.writeTo (out);
        out.flush();
        return out.getStatus().wasOk();
    }

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

juce::Result PluginSettings::savePluginSettings() const
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
                custom->setAttribute (setting.name, korvanth::doubleToText (std::isfinite (setting.value) ? setting.value : 0.0));
    }

    const auto target = korvanth::SafeXml::fileForPath (settingsPath + settingsFileName);
    const auto defaultTarget = korvanth::SafeXml::fileForPath (defaultSettingsPath + settingsFileName);

    std::vector<std::pair<juce::File, juce::String>> copies { { target, settingsPath } };

    if (defaultTarget != juce::File() && defaultTarget != target)
        copies.push_back ({ defaultTarget, defaultSettingsPath });

    // Both copies or neither: a moved file that the default folder does not point to would
    // never be read, and a default copy alone would send the next start to a folder without
    // it. So every copy is written beside its target first, and no target is replaced until
    // all of them are complete; a temporary that is not used goes with its TemporaryFile.
    std::vector<std::unique_ptr<juce::TemporaryFile>> written;

    for (const auto& [file, folder] : copies)
    {
        // A relative path would land in the host's working folder, and a folder in the file's
        // place would only be retried; both fail at once, like a missing folder.
        if (file == juce::File() || file.isDirectory())
            return juce::Result::fail (folder);

        auto temporary = std::make_unique<juce::TemporaryFile> (file);

        if (! writeDocument (root, temporary->getFile()))
            return juce::Result::fail (folder);

        written.push_back (std::move (temporary));
    }

    // Replacing is a rename inside a folder just written to, so it hardly fails; should the
    // second one fail all the same, the first target gets back what it held.
    const auto firstExisted = target.existsAsFile();
    juce::MemoryBlock firstBefore;
    const auto firstKept = firstExisted && target.loadFileAsData (firstBefore);

    for (size_t i = 0; i < written.size(); ++i)
    {
        if (written[i]->overwriteTargetFileWithTemporary())
            continue;

        if (i > 0 && firstKept)
            target.replaceWithData (firstBefore.getData(), firstBefore.getSize());
        else if (i > 0 && ! firstExisted)
            target.deleteFile();

        return juce::Result::fail (copies[i].second);
    }

    return juce::Result::ok();
}
