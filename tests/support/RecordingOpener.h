#pragma once

#include "services/KV_Launcher.h"

#include <juce_core/juce_core.h>

/** Stands in for the system's opener while it lives: a small program that appends each argument
    it receives, one per line, to a log and opens nothing. It runs with the given working folder,
    where a command smuggled into an argument would leave its file. */
struct RecordingOpener
{
    explicit RecordingOpener (const juce::File& workingFolder)
        : previousFolder (juce::File::getCurrentWorkingDirectory())
    {
        program = workingFolder.getChildFile ("recording-opener");
        program.replaceWithText ("#!/bin/sh\nfor argument in \"$@\"; do printf '%s\\n' \"$argument\"; done >> \"$0.log\"\n", false, false, "\n");
        program.setExecutePermission (true);
        workingFolder.setAsCurrentWorkingDirectory();
        korvanth::KV_Launcher::setOpenerProgram (program.getFullPathName());
    }

    ~RecordingOpener()
    {
        korvanth::KV_Launcher::waitForOpeners (5000);
        korvanth::KV_Launcher::setOpenerProgram ({});
        previousFolder.setAsCurrentWorkingDirectory();
    }

    /** The opener has been started at least once (and may still be writing). */
    bool wasStarted() const { return logFile().exists(); }

    juce::File logFile() const { return program.getSiblingFile (program.getFileName() + ".log"); }

    /** Every argument the opener received so far, once the launched openers have ended. */
    juce::StringArray received() const
    {
        korvanth::KV_Launcher::waitForOpeners (5000);
        juce::StringArray lines;
        logFile().readLines (lines);
        lines.removeEmptyStrings();
        return lines;
    }

    const juce::File previousFolder;
    juce::File program;

    JUCE_DECLARE_NON_COPYABLE (RecordingOpener)
};
