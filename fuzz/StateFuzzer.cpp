// Host state: whatever a host hands to setStateInformation.

#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    fuzzing::sandbox();
    auto& player = fuzzing::Player::instance();
    auto& processor = player.processor;

    const auto clampedSize = (int) juce::jmin (size, (size_t) std::numeric_limits<int>::max());
    processor.setStateInformation (data, clampedSize);
    player.checkFitToPlay();

    // Whatever this process has read before, the state saved now restores into a fresh instance
    // and saves again byte for byte: name, parameters, circuit, size and HQ all came through.
    juce::MemoryBlock saved;
    processor.getStateInformation (saved);

    TheQuillmontAudioProcessor fresh;
    fresh.restoreWindowClock = [] { return juce::uint32 (1000); };
    fresh.setStateInformation (saved.getData(), (int) saved.getSize());

    juce::MemoryBlock savedAgain;
    fresh.getStateInformation (savedAgain);
    fuzzing::require (savedAgain == saved);

    return 0;
}
