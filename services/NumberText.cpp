#include "services/NumberText.h"

#include <cmath>

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

juce::String doubleToText (double value)
{
    const auto framework = juce::var (value).toString();

    if (! std::isfinite (value) || textToDouble (framework) == value)
        return framework;

    // The stream's scientific form, "d.ddde+XX", with trailing zeros and the exponent's plus
    // sign and leading zeros dropped.
    auto scientific = [value] (int significantDigits, juce::String& digits, int& exponent)
    {
        const auto text = juce::String (value, significantDigits - 1, true);
        const auto mark = text.indexOfChar ('e');
        auto mantissa = text.substring (0, mark).trimCharactersAtEnd ("0");
        exponent = text.substring (mark + 1).getIntValue();
        digits = mantissa.removeCharacters ("-.");
        return (mantissa.endsWithChar ('.') ? mantissa + "0" : mantissa) + "e" + juce::String (exponent);
    };

    juce::String digits;
    int exponent = 0;

    for (int significantDigits = 16; significantDigits <= 17; ++significantDigits)
        if (const auto text = scientific (significantDigits, digits, exponent); textToDouble (text) == value)
            return text;

    constexpr int lowestExponent = -308;
    const auto sign = value < 0.0 ? "-" : "";
    return sign + juce::String ("0.") + juce::String::repeatedString ("0", lowestExponent - exponent - 1)
             + digits + "e" + juce::String (lowestExponent);
}

} // namespace korvanth
