// The settings file: whatever lies in the default settings folder, hand-edited or damaged.

#include "fuzz/FuzzSupport.h"

#include "services/SafeXml.h"

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
        }
    }

    return 0;
}
