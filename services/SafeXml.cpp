#include "services/SafeXml.h"
#include "services/NumberText.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace korvanth
{

namespace
{
    // Counts element openings ("<" followed by anything but "/", "?" or "!"). Comments and
    // CDATA may add to the count, never take from it, so the count bounds the nesting depth.
    bool hasTooManyElements (const juce::String& text, int elementLimit)
    {
        int elements = 0;

        for (auto p = text.getCharPointer(); ! p.isEmpty();)
        {
            if (p.getAndAdvance() != '<')
                continue;

            const auto next = *p;

            if (next != '/' && next != '?' && next != '!' && ++elements > elementLimit)
                return true;
        }

        return false;
    }

    // The framework's own test checks only the shape of each sequence, so it lets through
    // overlong forms (C1 91 for "Q"), surrogates and code points above U+10FFFF. The framework's
    // process-wide pool of attribute names compares names by character: an overlong name read
    // once would be written back later in place of the plain one, as bytes nobody can read.
    // Returns the length of the well-formed sequence at bytes[0], or 0 when there is none.
    size_t wellFormedSequenceLength (const unsigned char* bytes, size_t available)
    {
        const auto lead = bytes[0];

        if (lead < 0x80)
            return 1;

        // Each lead byte allows its own range for the first continuation byte; that range
        // is what rules out overlong forms, surrogates and anything beyond U+10FFFF.
        size_t length = 0;
        unsigned char low = 0x80, high = 0xbf;

        if (lead >= 0xc2 && lead <= 0xdf)       length = 2;
        else if (lead == 0xe0)                  { length = 3; low = 0xa0; }
        else if (lead == 0xed)                  { length = 3; high = 0x9f; }
        else if (lead >= 0xe1 && lead <= 0xef)  length = 3;
        else if (lead == 0xf0)                  { length = 4; low = 0x90; }
        else if (lead == 0xf4)                  { length = 4; high = 0x8f; }
        else if (lead >= 0xf1 && lead <= 0xf3)  length = 4;
        else                                    return 0;

        if (available < length || bytes[1] < low || bytes[1] > high)
            return 0;

        for (size_t k = 2; k < length; ++k)
            if (bytes[k] < 0x80 || bytes[k] > 0xbf)
                return 0;

        return length;
    }

    bool isWellFormedUtf8 (const char* text, size_t numBytes)
    {
        const auto* bytes = reinterpret_cast<const unsigned char*> (text);

        for (size_t i = 0; i < numBytes;)
        {
            const auto length = wellFormedSequenceLength (bytes + i, numBytes - i);

            if (length == 0)
                return false;

            i += length;
        }

        return true;
    }

    bool isWellFormed (const juce::String& text)
    {
        const auto* raw = text.toRawUTF8();
        return isWellFormedUtf8 (raw, std::strlen (raw));
    }

    // Character references reach the parsed text unchecked: "&#xD800;" becomes a surrogate.
    bool holdsOnlyWellFormedText (const juce::XmlElement& element)
    {
        if (! isWellFormed (element.getTagName()))
            return false;

        for (int i = 0; i < element.getNumAttributes(); ++i)
            if (! isWellFormed (element.getAttributeName (i)) || ! isWellFormed (element.getAttributeValue (i)))
                return false;

        for (auto* child : element.getChildIterator())
            if (! holdsOnlyWellFormedText (*child))
                return false;

        return true;
    }
}

std::unique_ptr<juce::XmlElement> SafeXml::parseText (const juce::String& text, int elementLimit)
{
    if (text.isEmpty() || text.getNumBytesAsUTF8() > (size_t) maxDocumentBytes)
        return {};

    // None of our documents has a DTD, and the parser's entity expansion reads other files
    // and can recurse without end.
    if (text.containsIgnoreCase ("<!DOCTYPE") || hasTooManyElements (text, elementLimit))
        return {};

    // The parser loops for ever on a processing instruction followed by text inside an element;
    // ours carry only the declaration, first of all.
    if (const auto instruction = text.indexOf ("<?"); instruction >= 0)
        if (text.substring (0, instruction).containsNonWhitespaceChars() || text.indexOf (instruction + 2, "<?") >= 0)
            return {};

    // The framework accepts a start tag cut off by the end of the text; a truncated file is
    // not one of ours, and taking half of it would reset whatever was cut off.
    if (! text.trimEnd().endsWithChar ('>'))
        return {};

    // Checked before the parser sees the text, so no ill-formed name reaches the name pool.
    if (! isWellFormed (text))
        return {};

    juce::XmlDocument document (text);
    auto root = document.getDocumentElement();

    if (root == nullptr || ! holdsOnlyWellFormedText (*root))
        return {};

    return root;
}

std::unique_ptr<juce::XmlElement> SafeXml::parseBytes (const void* data, size_t numBytes, int elementLimit)
{
    if (data == nullptr || numBytes == 0 || numBytes > (size_t) maxDocumentBytes)
        return {};

    auto* bytes = static_cast<const char*> (data);

    if (numBytes >= 2 && (juce::CharPointer_UTF16::isByteOrderMarkBigEndian (bytes)
                           || juce::CharPointer_UTF16::isByteOrderMarkLittleEndian (bytes)))
        return parseText (juce::String::createStringFromData (bytes, (int) numBytes), elementLimit);

    if (numBytes >= 3 && juce::CharPointer_UTF8::isByteOrderMark (bytes))
    {
        bytes += 3;
        numBytes -= 3;
    }

    // The text ends at the first 0 byte, as a C string would.
    size_t length = 0;

    while (length < numBytes && bytes[length] != 0)
        ++length;

    if (length == 0 || ! isWellFormedUtf8 (bytes, length))
        return {};

    return parseText (juce::String::fromUTF8 (bytes, (int) length), elementLimit);
}

std::unique_ptr<juce::XmlElement> SafeXml::parseFile (const juce::File& file, int elementLimit)
{
    // A folder, a device or a pipe in place of the file must neither block nor be read:
    // folders fail the first test, devices and pipes report no size.
    if (! file.existsAsFile())
        return {};

    const auto size = file.getSize();

    if (size <= 0 || size > maxDocumentBytes)
        return {};

    juce::FileInputStream in (file);

    if (! in.openedOk())
        return {};

    juce::MemoryBlock data;
    in.readIntoMemoryBlock (data, maxDocumentBytes + 1);

    return parseBytes (data.getData(), data.getSize(), elementLimit);
}

juce::String SafeXml::withWellFormedText (const juce::String& text)
{
    const auto* raw = text.toRawUTF8();
    const auto numBytes = std::strlen (raw);

    if (isWellFormedUtf8 (raw, numBytes))
        return text;

    const auto* bytes = reinterpret_cast<const unsigned char*> (raw);
    juce::MemoryOutputStream out;

    for (size_t i = 0; i < numBytes;)
    {
        if (const auto length = wellFormedSequenceLength (bytes + i, numBytes - i); length > 0)
        {
            out.write (bytes + i, length);
            i += length;
        }
        else
        {
            out << "\xef\xbf\xbd";  // U+FFFD, the replacement character
            ++i;
        }
    }

    return out.toUTF8();
}

int SafeXml::readInt (const juce::XmlElement& element, const juce::String& name, int defaultValue)
{
    if (! element.hasAttribute (name))
        return defaultValue;

    auto p = element.getStringAttribute (name).getCharPointer().findEndOfWhitespace();
    const bool negative = *p == '-';

    if (negative || *p == '+')
        ++p;

    // Saturates instead of overflowing, so "99999999999" reads as the largest int.
    juce::int64 magnitude = 0;
    const juce::int64 limit = negative ? -(juce::int64) std::numeric_limits<int>::min()
                                       : (juce::int64) std::numeric_limits<int>::max();

    for (auto c = *p; c >= '0' && c <= '9'; c = *++p)
        magnitude = juce::jmin (limit, magnitude * 10 + (c - '0'));

    return (int) (negative ? -magnitude : magnitude);
}

double SafeXml::textToFiniteDouble (const juce::String& text, double notANumberValue)
{
    const auto value = textToDouble (text);
    return std::isfinite (value) ? value : notANumberValue;
}

double SafeXml::readDouble (const juce::XmlElement& element, const juce::String& name,
                            double defaultValue, double notANumberValue)
{
    if (! element.hasAttribute (name))
        return defaultValue;

    return textToFiniteDouble (element.getStringAttribute (name), notANumberValue);
}

bool SafeXml::tagNameIs (const juce::XmlElement& element, const juce::String& tagName)
{
    return element.getTagName().equalsIgnoreCase (tagName);
}

juce::File SafeXml::fileForPath (const juce::String& path)
{
    return juce::File::isAbsolutePath (path) ? juce::File (path) : juce::File();
}

} // namespace korvanth
