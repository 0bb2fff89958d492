#pragma once

#include <juce_core/juce_core.h>

/** A named number kept in the settings file's CUSTOM_SETTINGS element. */
struct CustomSetting
{
    juce::String name;
    double value = 0.0;
    int index = 0;
};

/** The plug-in's folder tree, its settings file and what the editor and the processor share
    about the current preset. One record per processor; everything runs on the message thread.
*/
struct PluginSettings
{
    /** Computes the folders, reads the settings file from the default settings folder (or
        writes one of defaults there) and finds the user-preset folder. Creates no folder. */
    void loadPluginSettings();

    /** Writes the settings file into settingsPath and, when that is not the default settings
        folder, the same file into the default folder too: the next start reads only the
        default folder, and finds the moved folder there. Both copies are written or neither
        is. On failure (a missing folder, no permission) the result's error message is the
        folder that could not be written, as the record names it; the loader's own writes
        ignore the result. */
    juce::Result savePluginSettings() const;

    /** The folder the tree is rooted in: the framework's common documents folder, unless a
        test has moved it with overrideBaseFolder. */
    static juce::File getBaseFolder();

    /** Roots every later loadPluginSettings in the given folder instead of the shared
        documents folder, so tests never touch a real installation. An invalid File restores
        the normal root. */
    static void overrideBaseFolder (const juce::File& folder);

    static constexpr const char* productName = "The Quillmont";
    static constexpr const char* makerName = "Korvanth";
    static constexpr const char* rootTag = "KVNPLG_1833453398_Plugin_Settings";
    static constexpr const char* olderRootTag = "1833453398_Plugin_Settings";
    static constexpr const char* customSettingsTag = "CUSTOM_SETTINGS";

    juce::String baseFolder;
    juce::String defaultSettingsPath;
    juce::String defaultPresetsPath;
    juce::String defaultSamplesPath;
    juce::String settingsPath;
    juce::String presetsPath;
    juce::String samplesPath;
    juce::String defaultIrFilesPath;
    juce::String irFilesPath;
    int currentVersion = 3;
    int fileVersion = 0;
    juce::String settingsFileName { juce::String (productName) + ".kvs" };
    juce::String currentPresetFile;
    juce::String initialPresetFile;
    juce::uint8 presetModified = 0;
    juce::uint8 newsfeedDisabled = 0;
    juce::uint8 usingLegacyParameters = 0;
    juce::Array<CustomSetting> customSettings;

private:
    void loadPluginSettings (bool mayReplaceOlderFile);
    void readSettingsElement (const juce::XmlElement& root);
    void findUserPresetFolder();
};
