#pragma once

#include <juce_core/juce_core.h>

/** Ordinary Linux desktops have zenity, and while `which zenity` finds it the framework's
    "native" file chooser runs it instead of opening a window of its own. The test binaries that
    open choosers put a stand-in at the front of PATH for their whole run (see
    FakeZenityEnvironment.cpp): a script that writes its arguments into a file and exits as
    zenity does on Cancel. */
namespace fakezenity
{
    /** Where the stand-in writes its arguments; absent until it has run. */
    juce::File argumentsFile();

    inline bool hasRun() { return argumentsFile().existsAsFile(); }
}
