#include "widgets/KV_PresetMenu.h"

#include <benchmark/benchmark.h>

namespace
{
    // A large library: banks of presets, the preset menu rescans all of it on every opening.
    struct PresetLibrary
    {
        PresetLibrary (int banks, int presetsPerBank)
        {
            folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getNonexistentChildFile ("quillmont-library", {}, false);
            for (int b = 0; b < banks; ++b)
            {
                auto bank = folder.getChildFile ("Bank " + juce::String (b + 1));
                bank.createDirectory();
                for (int p = 0; p < presetsPerBank; ++p)
                    bank.getChildFile ("Preset " + juce::String (p + 1) + ".kvp").create();
            }
        }

        ~PresetLibrary() { folder.deleteRecursively(); }

        juce::File folder;
    };

    // The scan and the menu it fills, as one opening of the preset menu does them.
    void scanPresetLibrary (benchmark::State& state)
    {
        const auto banks = (int) state.range (0);
        PresetLibrary library (banks, 100);
        korvanth::KV_PresetMenu menu;
        menu.setPresetsFolder (library.folder.getFullPathName());

        for (auto _ : state)
        {
            juce::PopupMenu popup;
            menu.itemCounter = 0;
            menu.scanFolderIntoMenu (popup, library.folder.getFullPathName());
            benchmark::DoNotOptimize (popup.getNumItems());
        }

        state.counters["presets"] = (double) menu.itemCounter;
    }

    // A presets folder set to the root of the disk: bounded by the scan's depth and entry limits.
    void scanWholeDisk (benchmark::State& state)
    {
        korvanth::KV_PresetMenu menu;

        for (auto _ : state)
            menu.setPresetsFolder ("/");
    }
}

BENCHMARK (scanPresetLibrary)->Arg (10)->Arg (50)->Unit (benchmark::kMillisecond);
BENCHMARK (scanWholeDisk)->Unit (benchmark::kMillisecond)->Iterations (3);
