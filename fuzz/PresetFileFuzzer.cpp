// Preset files: whatever lies in a ".kvp" file the user picks.

#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    auto& sandbox = fuzzing::sandbox();
    auto& player = fuzzing::Player::instance();
    auto& processor = player.processor;

    const auto file = sandbox.presetsFolder().getChildFile ("Fuzzed.kvp");
    fuzzing::require (file.replaceWithData (data, size) || size == 0);

    processor.loadPresetFile (file);
    player.checkFitToPlay();

    // Saved as the editor saves a preset, whatever this process has read before, the file loads
    // into a second instance with the same name and values (HQ never comes from a preset). A
    // load sets the name and every unlocked parameter, so the second instance needs no renewal.
    juce::XmlElement xml ("TheQuillmont_Preset");
    processor.excludeSizeAndHQ = 1;
    processor.savePresetToXml (xml);
    processor.excludeSizeAndHQ = 0;

    const auto savedFile = sandbox.presetsFolder().getChildFile ("Saved.kvp");
    fuzzing::require (xml.writeTo (savedFile));

    static auto* reader = new TheQuillmontAudioProcessor();  // kept, like the player
    reader->loadPresetFile (savedFile);

    fuzzing::require (reader->getCurrentPresetName() == processor.getCurrentPresetName());

    for (size_t i = 0; i < QuillmontParameters::count; ++i)
        if (i != (size_t) QuillmontParameters::hq)
            fuzzing::require (reader->PluginParameterSet[i]->getValue() == processor.PluginParameterSet[i]->getValue());

    return 0;
}
