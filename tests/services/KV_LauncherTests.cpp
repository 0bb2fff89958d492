#include "services/KV_Launcher.h"
#include "support/FreshTempFolder.h"
#include "support/RecordingOpener.h"

#include <gtest/gtest.h>

using korvanth::KV_Launcher;

namespace
{
    struct Launcher : ::testing::Test
    {
        Launcher()
        {
            folder = makeFreshTempFolder ("quillmont-launcher");
            opener = std::make_unique<RecordingOpener> (folder);
        }

        ~Launcher() override
        {
            opener.reset();
            folder.deleteRecursively();
        }

        // Openers run side by side, so their lines may come in any order.
        juce::StringArray received() const
        {
            auto lines = opener->received();
            lines.sort (false);
            return lines;
        }

        static juce::StringArray sorted (juce::StringArray lines)
        {
            lines.sort (false);
            return lines;
        }

        // The file a shell would have created by running "touch x" in the opener's working folder.
        bool commandRan() const { return folder.getChildFile ("x").exists(); }

        juce::File folder;
        std::unique_ptr<RecordingOpener> opener;
    };
}

TEST_F (Launcher, FoldersNamedLikeCommandsReachTheOpenerAsTheyStand)
{
    juce::StringArray expected;

    // Without blanks, as a shell would still run them: the framework's launcher escapes only blanks.
    for (auto name : { "$(touch${IFS}x)", "`touch${IFS}x`", "a\"b'c;touch${IFS}x;\"", "$(touch x)" })
    {
        const auto bank = folder.getChildFile (name);
        ASSERT_TRUE (bank.createDirectory().wasOk()) << name;
        EXPECT_TRUE (KV_Launcher::openFolder (bank.getFullPathName())) << name;
        expected.add (bank.getFullPathName());
    }

    EXPECT_EQ (received(), sorted (expected));
    EXPECT_FALSE (commandRan());
}

TEST_F (Launcher, AddressesCarryingCommandsRunNothing)
{
    // Well-formed, so opened, and handed over literally.
    const juce::String literal = "https://example.com/$(touch$IFS'x')/;touch$IFS'x';?q=1";
    EXPECT_TRUE (KV_Launcher::openUrl (literal));

    // Blanks, backquotes and double quotes have no place in an address: refused.
    for (auto address : { "https://example.com/$(touch x)", "https://example.com/`touch${IFS}x`",
                          "https://example.com/\"$(touch${IFS}x)\"", "https://example.com/a`touch`b" })
        EXPECT_FALSE (KV_Launcher::openUrl (address)) << address;

    EXPECT_EQ (opener->received(), juce::StringArray (literal));
    EXPECT_FALSE (commandRan());
}

TEST_F (Launcher, OnlyWebAddressesAndExistingAbsoluteFoldersAreOpened)
{
    for (auto address : { "", "example.com", "ftp://example.com/", "file:///etc/passwd", "javascript:alert(1)",
                          "https://", "https://-example.com/", "https://user@example.com/", "http://example.com:80a/",
                          "https://example.com/%zz", "https://example.com/\xc3\xa9", "https://example.com/a b",
                          "https://example.com/<script>", "https://example.com/{x}", "https://exa|mple.com/" })
        EXPECT_FALSE (KV_Launcher::openUrl (juce::String::fromUTF8 (address))) << address;

    folder.getChildFile ("relative").createDirectory();
    EXPECT_FALSE (KV_Launcher::openFolder ("relative"));
    EXPECT_FALSE (KV_Launcher::openFolder (""));
    EXPECT_FALSE (KV_Launcher::openFolder (folder.getChildFile ("missing").getFullPathName()));
    EXPECT_FALSE (KV_Launcher::openFolder (opener->program.getFullPathName())); // a file, not a folder
    EXPECT_TRUE (opener->received().isEmpty());

    const juce::StringArray accepted { "https://www.example.com/manual.pdf?utm_source=plugin&x=%20y#top",
                                       "HTTP://EXAMPLE.COM", "http://127.0.0.1:8080/news" };
    for (const auto& address : accepted)
        EXPECT_TRUE (KV_Launcher::openUrl (address)) << address;

    EXPECT_TRUE (KV_Launcher::openFolder (folder.getFullPathName()));

    auto expected = accepted;
    expected.add (folder.getFullPathName());
    EXPECT_EQ (received(), sorted (expected));
}

TEST_F (Launcher, AnOpenerIsReapedAsSoonAsItEnds)
{
    // An opener that notes its process id and ends at once.
    const auto quickOpener = folder.getChildFile ("quick-opener");
    ASSERT_TRUE (quickOpener.replaceWithText ("#!/bin/sh\necho $$ > \"$0.pid\"\n", false, false, "\n"));
    quickOpener.setExecutePermission (true);
    KV_Launcher::setOpenerProgram (quickOpener.getFullPathName());
    ASSERT_TRUE (KV_Launcher::openFolder (folder.getFullPathName()));

    // Nothing here launches again or waits for openers: only the plug-in itself can reap it.
    // Until then its /proc entry stays, as a zombie once it has ended.
    const auto pidFile = quickOpener.getSiblingFile ("quick-opener.pid");
    const auto deadline = juce::Time::getMillisecondCounter() + 5000;
    auto pid = 0;

    while (juce::Time::getMillisecondCounter() < deadline)
    {
        pid = pid > 0 ? pid : pidFile.loadFileAsString().trim().getIntValue();

        if (pid > 0 && ! juce::File ("/proc/" + juce::String (pid)).exists())
            break;

        juce::Thread::sleep (5);
    }

    ASSERT_GT (pid, 0) << "the opener never ran";
    EXPECT_FALSE (juce::File ("/proc/" + juce::String (pid)).exists()) << "the ended opener is still a zombie";
}
