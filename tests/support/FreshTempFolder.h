#pragma once

#include <juce_core/juce_core.h>

#include <cstdio>
#include <cstdlib>
#include <string>

/** Makes a new, empty folder in the temporary folder, named after the prefix, and returns it.
    The name is chosen and the folder made in one step (mkdtemp), so test binaries and fuzzers
    started side by side never share one; a check for a free name followed by a create would
    let two of them take the same. Aborts when no folder can be made: nothing could run. */
inline juce::File makeFreshTempFolder (const juce::String& prefix)
{
    auto pattern = juce::File::getSpecialLocation (juce::File::tempDirectory)
                       .getChildFile (prefix + "-XXXXXX").getFullPathName().toStdString();

    if (::mkdtemp (pattern.data()) == nullptr)
    {
        std::perror ("mkdtemp");
        std::abort();
    }

    return juce::File (juce::String::fromUTF8 (pattern.c_str()));
}

/** A fresh temporary folder that goes, with everything in it, however the test that made it ends. */
struct ScopedTempFolder
{
    explicit ScopedTempFolder (const juce::String& prefix) : folder (makeFreshTempFolder (prefix)) {}
    ~ScopedTempFolder() { folder.deleteRecursively(); }

    const juce::File folder;

    JUCE_DECLARE_NON_COPYABLE (ScopedTempFolder)
};
