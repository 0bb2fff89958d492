#include "support/FakeZenity.h"
#include "support/FreshTempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Installed before any test runs: the framework asks only once per process whether a chooser
// program is on PATH and keeps the answer, so a case run alone or first sees the same desktop
// as every other. The stand-in lives in a temporary folder removed after the last test.
namespace
{
    juce::File& folder()
    {
        static juce::File f;
        return f;
    }

    struct FakeZenityEnvironment : ::testing::Environment
    {
        void SetUp() override
        {
            folder() = makeFreshTempFolder ("quillmont-fake-zenity");

            const auto script = folder().getChildFile ("zenity");
            ASSERT_TRUE (script.replaceWithText ("#!/bin/sh\n"
                                                 "printf '%s\\n' \"$@\" > \"$(dirname \"$0\")/arguments\"\n"
                                                 "exit 1\n",
                                                 false, false, "\n"));
            ASSERT_TRUE (script.setExecutePermission (true));

            previousPath = juce::SystemStats::getEnvironmentVariable ("PATH", {});
            const auto path = folder().getFullPathName() + (previousPath.isEmpty() ? "" : ":" + previousPath);
            ::setenv ("PATH", path.toRawUTF8(), 1);
        }

        void TearDown() override
        {
            ::setenv ("PATH", previousPath.toRawUTF8(), 1);
            folder().deleteRecursively();
        }

        juce::String previousPath;
    };

    [[maybe_unused]] const auto* const environment = ::testing::AddGlobalTestEnvironment (new FakeZenityEnvironment);
}

juce::File fakezenity::argumentsFile()
{
    return folder().getChildFile ("arguments");
}
