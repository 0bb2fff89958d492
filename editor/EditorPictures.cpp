#include "editor/EditorPictures.h"

#include <BinaryData.h>

namespace
{
    juce::Image decode (const char* data, int size)
    {
        return juce::ImageCache::getFromMemory (data, size);
    }
}

EditorPictures::EditorPictures()
    : background (decode (BinaryData::background_png, BinaryData::background_pngSize)),
      pedal (decode (BinaryData::pedal_png, BinaryData::pedal_pngSize)),
      gainStrip (decode (BinaryData::knob_gain_png, BinaryData::knob_gain_pngSize)),
      toneStrip (decode (BinaryData::knob_tone_png, BinaryData::knob_tone_pngSize)),
      volumeStrip (decode (BinaryData::knob_volume_png, BinaryData::knob_volume_pngSize)),
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
