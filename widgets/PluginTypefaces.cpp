#include "widgets/PluginTypefaces.h"

#include <BinaryData.h>

namespace
{
juce::Typeface::Ptr decode (const char* data, int size)
{
    return juce::Typeface::createSystemTypefaceFor (data, static_cast<size_t> (size));
}
}

// Function-local statics: the first caller decodes, concurrent first callers wait for it.
juce::Typeface::Ptr PluginTypefaces::regular()
{
    static const juce::Typeface::Ptr typeface = decode (BinaryData::PluginFontRegular_ttf,
                                                        BinaryData::PluginFontRegular_ttfSize);
    return typeface;
}

juce::Typeface::Ptr PluginTypefaces::bold()
{
    static const juce::Typeface::Ptr typeface = decode (BinaryData::PluginFontBold_ttf,
                                                        BinaryData::PluginFontBold_ttfSize);
    return typeface;
}

juce::Typeface::Ptr PluginTypefaces::icons()
{
    static const juce::Typeface::Ptr typeface = decode (BinaryData::FontAwesome_ttf,
                                                        BinaryData::FontAwesome_ttfSize);
    return typeface;
}

juce::Font PluginTypefaces::fontOf (const juce::Typeface::Ptr& typeface, float pointHeight)
{
    return juce::Font (typeface).withPointHeight (pointHeight);
}
