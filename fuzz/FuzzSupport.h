#pragma once

#include "processor/TheQuillmontAudioProcessor.h"
#include "services/PluginSettings.h"
#include "tests/support/FreshTempFolder.h"

#include <juce_events/juce_events.h>

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size);

// What every fuzzer shares: the framework up, the folder tree in a sandbox that goes away at exit,
// and the checks that a load left the processor fit to play.
namespace fuzzing
{
    struct Sandbox
    {
        Sandbox()
        {
            // Brought up for good: shutting the framework down from a static destructor would
            // run after its own statics are gone.
            juce::initialiseJuce_GUI();
            PluginSettings::overrideBaseFolder (base);
            settingsFolder().createDirectory();
            presetsFolder().createDirectory();

            // Instances built for a round trip make no news request.
            settingsFolder().getChildFile ("The Quillmont.kvs").replaceWithText (
                "<KVNPLG_1833453398_Plugin_Settings pluginName=\"The Quillmont\" settingsVersion=\"3\" newsfeedDisabled=\"1\"/>");
        }

        ~Sandbox()
        {
            PluginSettings::overrideBaseFolder ({});
            base.deleteRecursively();
        }

        juce::File settingsFolder() const { return base.getChildFile ("Korvanth/Settings"); }
        juce::File presetsFolder() const  { return base.getChildFile ("Korvanth/Presets/The Quillmont"); }

        // One per process: fuzzers run side by side (ctest -j, libFuzzer's -jobs).
        const juce::File base = makeFreshTempFolder ("quillmont-fuzz");
    };

    inline Sandbox& sandbox()
    {
        static Sandbox instance;
        return instance;
    }

    inline void require (bool condition)
    {
        if (! condition)
            std::abort();
    }

    // Kept until the process ends, for the same reason as the framework.
    struct Player
    {
        Player()
        {
            processor.prepareToPlay (44100.0, blockSize);
        }

        // Whatever was loaded, every parameter is a normalised number and a block of audio
        // comes out finite.
        void checkFitToPlay()
        {
            for (auto* p : processor.PluginParameterSet)
                require (std::isfinite (p->getValue()) && p->getValue() >= 0.0f && p->getValue() <= 1.0f);

            require (processor.getEditorSize().width > 0 && processor.getEditorSize().height > 0);

            for (int channel = 0; channel < buffer.getNumChannels(); ++channel)
                for (int i = 0; i < blockSize; ++i)
                    buffer.setSample (channel, i, 0.5f * std::sin (0.0625f * (float) i));

            juce::MidiBuffer midi;
            processor.processBlock (buffer, midi);

            for (int channel = 0; channel < buffer.getNumChannels(); ++channel)
                for (int i = 0; i < blockSize; ++i)
                    require (std::isfinite (buffer.getSample (channel, i)));
        }

        static Player& instance()
        {
            static auto* player = new Player();
            return *player;
        }

        static constexpr int blockSize = 64;
        TheQuillmontAudioProcessor processor;
        juce::AudioBuffer<float> buffer { 2, blockSize };
    };
}
