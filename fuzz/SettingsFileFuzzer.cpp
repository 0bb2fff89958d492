// The settings file: whatever lies in the default settings folder, hand-edited or damaged.

#include "fuzz/FuzzSupport.h"

#include "services/SafeXml.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    auto& sandbox = fuzzing::sandbox();
    const auto settingsFile = sandbox.settingsFolder().getChildFile ("The Quillmont.kvs");

    // A file of an older version is rewritten into the settings folder it names; keep every
    // such write inside the sandbox (relative folders are never written to).
    if (auto root = korvanth::SafeXml::parseBytes (data, size))
    {
        const auto named = root->getStringAttribute ("settingsPath");

        if (juce::File::isAbsolutePath (named) && named != sandbox.settingsFolder().getFullPathName() + "/")
            return -1;
    }

    sandbox.settingsFolder().deleteRecursively();
    sandbox.settingsFolder().createDirectory();
    fuzzing::require (settingsFile.replaceWithData (data, size) || size == 0);

    PluginSettings settings;
    settings.loadPluginSettings();

    for (const auto& setting : settings.customSettings)
        fuzzing::require (std::isfinite (setting.value));

    // Whatever the loader left behind must read back as a settings file, or be the file as it was.
    if (settingsFile.existsAsFile())
    {
        juce::MemoryBlock now;
        settingsFile.loadFileAsData (now);

        if (now != juce::MemoryBlock (data, size))
        {
            auto reread = korvanth::SafeXml::parseFile (settingsFile);
            fuzzing::require (reread != nullptr && korvanth::SafeXml::tagNameIs (*reread, PluginSettings::rootTag));

            // ... and give the next start what this one read, whatever this process read before.
            PluginSettings next;
            next.loadPluginSettings();

            fuzzing::require (next.presetsPath == settings.presetsPath && next.samplesPath == settings.samplesPath
                              && next.settingsPath == settings.settingsPath && next.irFilesPath == settings.irFilesPath
                              && next.newsfeedDisabled == settings.newsfeedDisabled
                              && next.usingLegacyParameters == settings.usingLegacyParameters);

            // What the writer keeps: names that are XML names, a repeated name once, in its first
            // place with its last value.
            juce::Array<CustomSetting> written;

            for (const auto& setting : settings.customSettings)
            {
                if (! juce::XmlElement::isValidXmlName (setting.name))
                    continue;

                auto* same = std::find_if (written.begin(), written.end(),
                                           [&] (const CustomSetting& w) { return w.name == setting.name; });

                if (same != written.end())
                    same->value = setting.value;
                else
                    written.add (setting);
            }

            fuzzing::require (next.customSettings.size() == written.size());

            for (int i = 0; i < written.size(); ++i)
                fuzzing::require (next.customSettings[i].name == written[i].name
                                  && next.customSettings[i].value == written[i].value);
        }
    }

    return 0;
}
