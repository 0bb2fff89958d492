#pragma once

#include <juce_core/juce_core.h>

namespace korvanth
{

/** Reads a number from text the way the framework's String::getDoubleValue does, for text
    from outside: a host, a file, a typed value.

    The framework accumulates exponent digits in an int, so "1e99999999999" overflows it
    (undefined behaviour) and may come back as any value. An exponent of more than nine
    significant digits already means infinity or zero, so it is shortened to nine before the
    framework reads the text; every other text reads exactly as the framework reads it.
*/
double textToDouble (const juce::String& text);

} // namespace korvanth
