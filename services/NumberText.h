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

/** Writes a finite number as text that textToDouble reads back as the same double.

    This is the framework's serialiseDouble text (what XmlElement::setAttribute writes for a
    double) wherever that reads back exactly. The framework keeps only 16 significant digits
    from 1e6 up and from 1e-5 down; such a number gets the shortest text of up to 17 digits
    that reads back. Below about 1e-308, where the reader makes any exponent zero, the digits
    are written after the point of e-308.
*/
juce::String doubleToText (double value);

} // namespace korvanth
