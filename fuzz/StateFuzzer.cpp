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

    // What was loaded must survive a save and a restore unchanged.
    juce::MemoryBlock saved;
    processor.getStateInformation (saved);

    std::array<float, QuillmontParameters::count> values {};
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = processor.PluginParameterSet[i]->getValue();

    processor.setStateInformation (saved.getData(), (int) saved.getSize());

    for (size_t i = 0; i < values.size(); ++i)
        fuzzing::require (processor.PluginParameterSet[i]->getValue() == values[i]);

    return 0;
}
