#pragma once

#include "services/PluginSettings.h"
#include "support/FreshTempFolder.h"

#include <juce_core/juce_core.h>

/** Roots the plug-in's folder tree in a fresh temporary folder for the lifetime of the object,
    so no test reads or writes a real installation; sandboxes nest. The folder's path is long on purpose: every
    folder attribute of a settings file then wraps the line by itself, which keeps the file's
    layout independent of where the temporary folder happens to be. */
struct SettingsSandbox
{
    SettingsSandbox()
        : previousBase (PluginSettings::getBaseFolder())
    {
        top = makeFreshTempFolder ("quillmont-tests");
        base = top.getChildFile ("a-shared-documents-folder-with-a-long-name");
        base.createDirectory();
        PluginSettings::overrideBaseFolder (base);
    }

    ~SettingsSandbox()
    {
        PluginSettings::overrideBaseFolder (previousBase);
        top.deleteRecursively();
    }

    juce::File maker() const           { return base.getChildFile ("Korvanth"); }
    juce::File settingsFolder() const  { return maker().getChildFile ("Settings"); }
    juce::File presetsFolder() const   { return maker().getChildFile ("Presets").getChildFile ("The Quillmont"); }
    juce::File settingsFile() const    { return settingsFolder().getChildFile ("The Quillmont.kvs"); }

    /** The folder tree an installer would leave: every folder, no file. */
    void createInstalledFolders() const
    {
        settingsFolder().createDirectory();
        presetsFolder().createDirectory();
    }

    /** A committed file from tests/data with @BASE@ standing for this sandbox's base folder. */
    juce::MemoryBlock golden (const juce::String& relativePath) const
    {
        const auto text = juce::File (QUILLMONT_TEST_DATA_DIR).getChildFile (relativePath).loadFileAsString();
        const auto expanded = text.replace ("@BASE@", base.getFullPathName());
        return { expanded.toRawUTF8(), expanded.getNumBytesAsUTF8() };
    }

    static juce::MemoryBlock bytesOf (const juce::File& file)
    {
        juce::MemoryBlock data;
        file.loadFileAsData (data);
        return data;
    }

    const juce::File previousBase;
    juce::File top, base;

    JUCE_DECLARE_NON_COPYABLE (SettingsSandbox)
};
