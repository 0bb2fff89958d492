#include "services/NumberText.h"

namespace korvanth
{

namespace
{
    constexpr int maxExponentDigits = 9;

    bool isDigit (juce::juce_wchar c) { return c >= '0' && c <= '9'; }
}

double textToDouble (const juce::String& text)
{
    // Walks the same shape the framework's reader accepts: blanks, sign, digits and one point,
    // then an exponent mark, its sign and its digits.
    auto p = text.getCharPointer().findEndOfWhitespace();

    if (*p == '-' || *p == '+')
        ++p;

    for (bool pointSeen = false; isDigit (*p) || (*p == '.' && ! pointSeen); ++p)
        pointSeen = pointSeen || *p == '.';

    if (*p != 'e' && *p != 'E')
        return text.getDoubleValue();

    ++p;

    if (*p == '-' || *p == '+')
        ++p;

    while (*p == '0')
        ++p;

    const auto significantStart = p;
    int digits = 0;

    while (isDigit (*p))
    {
        ++digits;
        ++p;
    }

    if (digits <= maxExponentDigits)
        return text.getDoubleValue();

    const auto head = juce::String (text.getCharPointer(), significantStart);
    return (head + juce::String::repeatedString ("9", maxExponentDigits)).getDoubleValue();
}

} // namespace korvanth
