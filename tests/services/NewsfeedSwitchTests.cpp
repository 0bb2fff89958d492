#include "processor/TheQuillmontAudioProcessor.h"
#include "services/NewsfeedTestSupport.h"
#include "support/SettingsSandbox.h"

#include <gtest/gtest.h>

namespace
{
    // Whole plug-in instances, with their folder tree in a sandbox and their news service on loopback.
    struct NewsfeedSwitch : ::testing::Test
    {
        NewsfeedSwitch()
        {
            korvanth::NewsServiceEndpoint::overrideForProcess (korvanth::NewsServiceEndpoint { server.getBaseUrl(), "feed", "reader:secret" });
        }

        ~NewsfeedSwitch() override
        {
            korvanth::NewsServiceEndpoint::overrideForProcess (std::nullopt);
        }

        void writeSettings (int newsfeedDisabled) const
        {
            sandbox.createInstalledFolders();
            ASSERT_TRUE (sandbox.settingsFile().replaceWithText (
                "<KVNPLG_1833453398_Plugin_Settings pluginName=\"The Quillmont\" settingsVersion=\"3\" newsfeedDisabled=\""
                + juce::String (newsfeedDisabled) + "\"/>"));
        }

        juce::File cacheFile() const { return sandbox.settingsFolder().getChildFile ("newsfeed.xml"); }

        LoopbackHttpServer server { { 200, "[{\"id\":7,\"title\":\"Hello\",\"tags\":\"news\"}]" } };
        SettingsSandbox sandbox;
    };
}

TEST_F (NewsfeedSwitch, DisabledFeedMakesNoRequestAndWritesNoCache)
{
    writeSettings (1);

    {
        TheQuillmontAudioProcessor processor;

        EXPECT_FALSE (processor.newsEnabled);
        EXPECT_FALSE (processor.newsProcessor.isTimerRunning());
        EXPECT_FALSE (processor.newsProcessor.newsThread.isThreadRunning());
    }

    EXPECT_TRUE (server.getRequests().isEmpty());
    EXPECT_FALSE (cacheFile().exists());
}

TEST_F (NewsfeedSwitch, EnabledFeedFetchesOnceAndWritesTheCache)
{
    writeSettings (0);
    TheQuillmontAudioProcessor processor;

    EXPECT_TRUE (processor.newsEnabled);
    ASSERT_TRUE (waitUntilReady (processor.newsProcessor));
    EXPECT_EQ (server.getRequests().size(), 1);
    EXPECT_EQ (processor.newsProcessor.newsItems.size(), 1);
    EXPECT_TRUE (cacheFile().existsAsFile());
}
