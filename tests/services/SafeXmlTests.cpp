#include "services/SafeXml.h"

#include <cstring>

#include <gtest/gtest.h>

using korvanth::SafeXml;

TEST (SafeXml, NumbersAreReadFromTheirLeadingDigits)
{
    juce::XmlElement e ("E");
    e.setAttribute ("plus", "+12");
    e.setAttribute ("padded", "  -7px");
    e.setAttribute ("word", "wide");
    e.setAttribute ("huge", "99999999999999999999");
    e.setAttribute ("hugeNegative", "-99999999999999999999");

    EXPECT_EQ (SafeXml::readInt (e, "plus", 5), 12);
    EXPECT_EQ (SafeXml::readInt (e, "padded", 5), -7);
    EXPECT_EQ (SafeXml::readInt (e, "word", 5), 0);
    EXPECT_EQ (SafeXml::readInt (e, "absent", 5), 5);
    EXPECT_EQ (SafeXml::readInt (e, "huge", 0), std::numeric_limits<int>::max());
    EXPECT_EQ (SafeXml::readInt (e, "hugeNegative", 0), std::numeric_limits<int>::min());
}

TEST (SafeXml, NumbersThatAreNotFiniteNeverComeThrough)
{
    juce::XmlElement e ("E");
    e.setAttribute ("nan", "nan");
    e.setAttribute ("inf", "-inf");
    e.setAttribute ("overflow", "1e999");
    e.setAttribute ("half", "0.5");

    EXPECT_EQ (SafeXml::readDouble (e, "nan", 1.0, 2.0), 2.0);
    EXPECT_EQ (SafeXml::readDouble (e, "inf", 1.0, 2.0), 2.0);
    EXPECT_EQ (SafeXml::readDouble (e, "overflow", 1.0, 2.0), 2.0);
    EXPECT_EQ (SafeXml::readDouble (e, "half", 1.0, 2.0), 0.5);
    EXPECT_EQ (SafeXml::readDouble (e, "absent", 1.0, 2.0), 1.0);
}

TEST (SafeXml, OrdinaryDocumentsParse)
{
    const auto xml = SafeXml::parseText ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n"
                                         "<!-- kept --><Root a=\"1\"><Child/></Root>\r\n");
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getTagName(), "Root");
    EXPECT_NE (xml->getChildByName ("Child"), nullptr);

    const char utf16[] = { '\xff', '\xfe', '<', 0, 'R', 0, '/', 0, '>', 0 };
    const auto fromUtf16 = SafeXml::parseBytes (utf16, sizeof (utf16));
    ASSERT_NE (fromUtf16, nullptr);
    EXPECT_EQ (fromUtf16->getTagName(), "R");
}

TEST (SafeXml, DocumentsThatCouldHangOrCrashTheParserAreRefused)
{
    EXPECT_EQ (SafeXml::parseText ("<!DOCTYPE r SYSTEM \"/dev/zero\"><r a=\"&x;\"/>"), nullptr);
    EXPECT_EQ (SafeXml::parseText ("<r><?pi?>text</r>"), nullptr);
    EXPECT_EQ (SafeXml::parseText (juce::String::repeatedString ("<r>", 300) + "</r>"), nullptr);
    EXPECT_EQ (SafeXml::parseText ("<r a=\"1\""), nullptr);
    EXPECT_EQ (SafeXml::parseText (juce::String::repeatedString (" ", (int) SafeXml::maxDocumentBytes) + "<r/>"), nullptr);

    const char notUtf8[] = { '<', 'r', ' ', 'a', '=', '"', '\xc3', '\x28', '"', '/', '>' };
    EXPECT_EQ (SafeXml::parseBytes (notUtf8, sizeof (notUtf8)), nullptr);
}

TEST (SafeXml, OnlyWellFormedUtf8IsRead)
{
    auto parse = [] (const char* bytes) { return SafeXml::parseBytes (bytes, std::strlen (bytes)); };

    EXPECT_NE (parse ("<r a=\"\xc3\xa9 \xe2\x82\xac \xf0\x9d\x84\x9e \xf4\x8f\xbf\xbf\"/>"), nullptr);
    EXPECT_NE (parse ("<r a=\"&#xe9;&#x1D11E;&#x10FFFF;\"/>"), nullptr);

    EXPECT_EQ (parse ("<r \xc1\x91=\"1\"/>"), nullptr);                 // "Q" in two bytes
    EXPECT_EQ (parse ("<r a=\"\xe0\x80\xaf\"/>"), nullptr);            // "/" in three
    EXPECT_EQ (parse ("<r a=\"\xf0\x82\x82\xac\"/>"), nullptr);       // the euro sign in four
    EXPECT_EQ (parse ("<r a=\"\xed\xa0\x80\"/>"), nullptr);            // a surrogate
    EXPECT_EQ (parse ("<r a=\"\xf4\x90\x80\x80\"/>"), nullptr);       // above U+10FFFF
    EXPECT_EQ (parse ("<r a=\"\xc3\"/>"), nullptr);                      // cut short

    EXPECT_EQ (parse ("<r a=\"&#xD800;\"/>"), nullptr);
    EXPECT_EQ (parse ("<r>&#55296;</r>"), nullptr);
    EXPECT_EQ (parse ("<r a=\"&#x110000;\"/>"), nullptr);

    const char lonelySurrogate[] = { '\xff', '\xfe', '<', 0, 'r', 0, ' ', 0, 'a', 0, '=', 0, '"', 0,
                                     '\x00', '\xd8', '"', 0, '/', 0, '>', 0 };
    EXPECT_EQ (SafeXml::parseBytes (lonelySurrogate, sizeof (lonelySurrogate)), nullptr);
}

TEST (SafeXml, IllFormedTextIsMadeWritable)
{
    const auto replacement = juce::String::charToString ((juce::juce_wchar) 0xfffd);

    EXPECT_EQ (SafeXml::withWellFormedText (juce::String::fromUTF8 ("caf\xc3\xa9")), juce::String::fromUTF8 ("caf\xc3\xa9"));
    EXPECT_EQ (SafeXml::withWellFormedText (juce::String::charToString ((juce::juce_wchar) 0xdc00) + "/Presets"),
               replacement + replacement + replacement + "/Presets");
    EXPECT_EQ (SafeXml::withWellFormedText (juce::String::fromUTF8 ("a\xc1\x91")), "a" + replacement + replacement);
}

TEST (SafeXml, OnlyAbsolutePathsNameFiles)
{
    EXPECT_EQ (SafeXml::fileForPath (""), juce::File());
    EXPECT_EQ (SafeXml::fileForPath ("Settings/"), juce::File());
    EXPECT_EQ (SafeXml::fileForPath ("/tmp/x").getFullPathName(), "/tmp/x");
}
