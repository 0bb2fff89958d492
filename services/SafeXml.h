#pragma once

#include <juce_core/juce_core.h>

namespace korvanth
{

/** Reads the plug-in's own XML documents (host state, presets, settings) defensively.

    Everything read here may come from anywhere: a host's project, a preset someone sent,
    a settings file edited by hand. The framework's parser follows DTD entities into other
    files and recurses once per nesting level, so documents with a DTD or with more elements
    than any of ours could hold are refused before it sees them, and files are read with a
    size limit instead of to their end. Processing instructions other than the leading declaration
    are refused too: the parser loops for ever on one followed by text inside an element.
    Only well-formed UTF-8 is read (no overlong forms, no surrogates, nothing above U+10FFFF,
    neither as bytes nor as character references), so whatever is read can be written back.
*/
struct SafeXml
{
    /** Our documents are a few hundred bytes; anything beyond this is not one of them. */
    static constexpr juce::int64 maxDocumentBytes = 1024 * 1024;

    /** One element per preset or state, two in a settings file. A reader of a document that
        holds a list (the news cache) passes its own bound. */
    static constexpr int maxElements = 256;

    /** Parses a document held in memory; nullptr when it is refused or not well-formed. */
    static std::unique_ptr<juce::XmlElement> parseText (const juce::String& text, int elementLimit = maxElements);

    /** Parses UTF-8 (or BOM-marked UTF-16) bytes; nullptr when refused or not well-formed. */
    static std::unique_ptr<juce::XmlElement> parseBytes (const void* data, size_t numBytes, int elementLimit = maxElements);

    /** Parses a regular file of at most maxDocumentBytes; nullptr for anything else. */
    static std::unique_ptr<juce::XmlElement> parseFile (const juce::File& file, int elementLimit = maxElements);

    /** The text with every ill-formed UTF-8 sequence replaced by U+FFFD. Free text the plug-in
        writes goes through this, so that what it writes is always read back (a file name on
        this platform may hold any bytes). */
    static juce::String withWellFormedText (const juce::String& text);

    /** Leading decimal digits after blanks and an optional sign, saturated to the int range;
        text without digits reads as 0, an absent attribute as defaultValue. */
    static int readInt (const juce::XmlElement& element, const juce::String& name, int defaultValue);

    /** The attribute's number, or defaultValue when absent. Non-finite text ("nan", "inf",
        1e999) reads as notANumberValue, so a stored value never carries it further. */
    static double readDouble (const juce::XmlElement& element, const juce::String& name,
                              double defaultValue, double notANumberValue);

    /** The same rule for a text already taken from an attribute. */
    static double textToFiniteDouble (const juce::String& text, double notANumberValue);

    /** Tag names are compared without regard to case; the framework's own comparison
        asserts on a case mismatch, which a hand-edited file must not trigger. */
    static bool tagNameIs (const juce::XmlElement& element, const juce::String& tagName);

    /** A file for an absolute path, or an invalid File for anything else, so a relative
        path from a file never lands in the host's working folder. */
    static juce::File fileForPath (const juce::String& path);
};

} // namespace korvanth
