#include "editor/EditorPictures.h"

#include <BinaryData.h>

#include <cstring>

namespace
{
    juce::Image decode (const char* data, int size)
    {
        return juce::ImageCache::getFromMemory (data, size);
    }

    // The tone and level strips are drawn alike today; decoding one 8 MB strip twice would be
    // the largest single cost of opening the first window.
    juce::Image decodeUnlessSame (const char* data, int size, const char* otherData, int otherSize, const juce::Image& other)
    {
        if (size == otherSize && std::memcmp (data, otherData, static_cast<size_t> (size)) == 0)
            return other;

        return decode (data, size);
    }
}

EditorPictures::EditorPictures()
    : background (decode (BinaryData::background_png, BinaryData::background_pngSize)),
      pedal (decode (BinaryData::pedal_png, BinaryData::pedal_pngSize)),
      gainStrip (decode (BinaryData::knob_gain_png, BinaryData::knob_gain_pngSize)),
      toneStrip (decode (BinaryData::knob_tone_png, BinaryData::knob_tone_pngSize)),
      volumeStrip (decodeUnlessSame (BinaryData::knob_volume_png, BinaryData::knob_volume_pngSize,
                                     BinaryData::knob_tone_png, BinaryData::knob_tone_pngSize, toneStrip)),
      lamp (decode (BinaryData::lamp_png, BinaryData::lamp_pngSize)),
      footSwitchUp (decode (BinaryData::footswitch_up_png, BinaryData::footswitch_up_pngSize)),
      footSwitchDown (decode (BinaryData::footswitch_down_png, BinaryData::footswitch_down_pngSize))
{
}

const EditorPictures& EditorPictures::get()
{
    static const EditorPictures pictures;
    return pictures;
}
