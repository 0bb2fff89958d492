#include "editor/TheQuillmontAudioProcessorEditor.h"
#include "services/PluginSettings.h"
#include "tests/support/FreshTempFolder.h"
#include "widgets/KV_PresetMenu.h"

#include <benchmark/benchmark.h>

namespace
{
    // A large library: banks of presets, the preset menu rescans all of it on every opening.
    struct PresetLibrary
    {
        PresetLibrary (int banks, int presetsPerBank)
            : PresetLibrary (makeFreshTempFolder ("quillmont-library"), banks, presetsPerBank)
        {
        }

        PresetLibrary (const juce::File& where, int banks, int presetsPerBank, const juce::String& content = {})
            : folder (where)
        {
            for (int b = 0; b < banks; ++b)
            {
                auto bank = folder.getChildFile ("Bank " + juce::String (b + 1));
                bank.createDirectory();
                for (int p = 0; p < presetsPerBank; ++p)
                    bank.getChildFile ("Preset " + juce::String (p + 1) + ".kvp").replaceWithText (content);
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

    // One click of previous or next with 5,000 presets in the presets folder: the step and the
    // load of the preset it lands on, as the click and its change message do them. Target:
    // under 1 ms.
    void stepThroughPresets (benchmark::State& state)
    {
        const auto presets = PluginSettings::getBaseFolder().getChildFile ("Korvanth/Presets/The Quillmont");
        PresetLibrary library (presets, 50, 100, "<TheQuillmont_Preset presetName=\"Preset\" Gain=\"0.6\" CircuitType=\"2\"/>");
        TheQuillmontAudioProcessor processor;
        TheQuillmontAudioProcessorEditor editor (processor);
        auto* button = state.range (0) < 0 ? editor.prevButton.get() : editor.nextButton.get();

        for (auto _ : state)
        {
            editor.buttonClicked (button);
            editor.comboBoxChanged (&editor.presetMenu);
        }

        state.counters["presets"] = (double) editor.presetMenu.presetPaths.size();
    }
}

BENCHMARK (stepThroughPresets)->Arg (-1)->Arg (1)->Unit (benchmark::kMillisecond);
BENCHMARK (scanPresetLibrary)->Arg (10)->Arg (50)->Unit (benchmark::kMillisecond);
BENCHMARK (scanWholeDisk)->Unit (benchmark::kMillisecond)->Iterations (3);
