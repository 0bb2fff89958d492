// Preset files: whatever lies in a ".kvp" file the user picks.

#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    auto& sandbox = fuzzing::sandbox();
    auto& player = fuzzing::Player::instance();

    const auto file = sandbox.presetsFolder().getChildFile ("Fuzzed.kvp");
    fuzzing::require (file.replaceWithData (data, size) || size == 0);

    player.processor.loadPresetFile (file);
    player.checkFitToPlay();
    return 0;
}
