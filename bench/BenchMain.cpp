#include <benchmark/benchmark.h>
#include <juce_events/juce_events.h>

#include "FirstPrepareChild.h"

#include "editor/WindowManagerAtoms.h"
#include "services/PluginSettings.h"
#include "tests/support/FreshTempFolder.h"

// The processor starts timers when it is built, so the framework must be up; and it reads and
// writes its folder tree, which here lives in a temporary folder, never in a real installation.
int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI framework;
    // Some benchmarks open windows without an editor: a bare virtual display needs the atoms too.
    ensureWindowManagerAtoms();

    const auto folder = makeFreshTempFolder ("quillmont-bench");
    PluginSettings::overrideBaseFolder (folder);

    if (FirstPrepareChild::runIfAsked (argc, argv))
    {
        folder.deleteRecursively();
        return 0;
    }

    benchmark::Initialize (&argc, argv);
    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    folder.deleteRecursively();
    return 0;
}
