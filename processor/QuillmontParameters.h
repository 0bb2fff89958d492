#pragma once

#include <array>

// The twelve parameters in host order; this order is also the order of the state's attributes.
namespace QuillmontParameters
{
    enum Index
    {
        power,
        gain,
        bass,
        mid,
        treble,
        level,
        inputGain,
        outputGain,
        mix,
        hq,
        gate,
        circuitType,
        count
    };

    struct Definition
    {
        const char* paramID;
        const char* name;
        float start;
        float end;
        float defaultValue;
        const char* label;
    };

    inline constexpr std::array<Definition, count> definitions {{
        { "POWER", "Power",        0.0f,   1.0f,   1.0f,   "" },
        { "GAIN",  "Gain",         0.0f,   100.0f, 50.0f,  "%" },
        { "BASS",  "Bass",         0.0f,   100.0f, 50.0f,  "%" },
        { "MID",   "Mid",          0.0f,   100.0f, 50.0f,  "%" },
        { "TREB",  "Treble",       0.0f,   100.0f, 50.0f,  "%" },
        { "VOL",   "Level",        0.0f,   100.0f, 50.0f,  "%" },
        { "IGAIN", "Input Gain",   -24.0f, 24.0f,  0.0f,   "dB" },
        { "OGAIN", "Output Gain",  -24.0f, 24.0f,  0.0f,   "dB" },
        { "MIX",   "Mix",          0.0f,   100.0f, 100.0f, "%" },
        { "HQ",    "HQ",           0.0f,   1.0f,   0.0f,   "" },
        { "GATE",  "Noise Gate",   0.0f,   100.0f, 0.0f,   "%" },
        { "MODS",  "Circuit Type", 0.0f,   23.0f,  0.0f,   "" },
    }};
}
