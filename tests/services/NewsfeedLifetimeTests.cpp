#include "processor/TheQuillmontAudioProcessor.h"
#include "services/NewsfeedTestSupport.h"

#include <gtest/gtest.h>

namespace
{
    // Threads of this process named as the news thread, as the kernel lists them; other
    // threads (servers, the framework's timer) come and go as they please.
    int countNewsThreads()
    {
        int count = 0;

        for (const auto& task : juce::File ("/proc/self/task").findChildFiles (juce::File::findDirectories, false))
            if (task.getChildFile ("comm").loadFileAsString().trimEnd() == "Newsfeed Thread")
                ++count;

        return count;
    }

    // A joined thread leaves the kernel's list just after it returned to the framework.
    bool noNewsThreadLeft()
    {
        for (int i = 0; i < 5000 && countNewsThreads() > 0; ++i)
            juce::Thread::sleep (1);

        return countNewsThreads() == 0;
    }
}

TEST (NewsfeedLifetime, OneRequestPerInstanceThenTheThreadEnds)
{
    ScratchFolder scratch;
    LoopbackHttpServer server ({ 200, "[]" });
    auto news = startNews (server.getBaseUrl(), scratch.cacheFile().getFullPathName());

    ASSERT_TRUE (waitUntilReady (*news));
    EXPECT_FALSE (news->isTimerRunning());

    // The thread ends on its own after the request, without being asked to.
    EXPECT_TRUE (news->newsThread.waitForThreadToExit (10000));
    EXPECT_EQ (server.getRequests().size(), 1);
}

TEST (NewsfeedLifetime, DestroyingDuringAStalledRequestAbortsIt)
{
    ScratchFolder scratch;
    LoopbackHttpServer server ({ 200, "[]", 25000 });
    auto news = startNews (server.getBaseUrl(), scratch.cacheFile().getFullPathName());
    ASSERT_TRUE (server.waitForRequests (1, 5000));

    news.reset();

    // The request was abandoned, not waited out: the server saw the client hang up.
    EXPECT_TRUE (server.waitForHangUps (1, 5000));
    EXPECT_FALSE (scratch.cacheFile().exists());
}

TEST (NewsfeedLifetime, ManyInstancesInARowLeaveNoThreadRunning)
{
    ScratchFolder scratch;
    LoopbackHttpServer fast ({ 200, "[{\"id\":1,\"tags\":\"news\"}]" });
    LoopbackHttpServer stalled ({ 200, "[]", 25000 });
    const auto cachePath = scratch.cacheFile().getFullPathName();

    // Destroyed in every phase of a fetch: at once, during a stalled request, after the merge.
    for (int i = 0; i < 6; ++i)
    {
        if (i % 3 == 0)
        {
            auto news = startNews (stalled.getBaseUrl(), cachePath);
            EXPECT_TRUE (stalled.waitForRequests (i / 3 + 1, 5000));
        }
        else if (i % 3 == 1)
        {
            auto news = startNews (fast.getBaseUrl(), cachePath);
            EXPECT_TRUE (waitUntilReady (*news));
        }
        else
        {
            startNews (fast.getBaseUrl(), cachePath);
        }
    }

    EXPECT_TRUE (noNewsThreadLeft());
}

TEST (NewsfeedLifetime, PluginInstancesInARowLeaveNoNewsThreadRunning)
{
    for (int i = 0; i < 8; ++i)
    {
        TheQuillmontAudioProcessor processor;
        EXPECT_TRUE (processor.newsProcessor.isTimerRunning());
        EXPECT_EQ (processor.newsProcessor.newsThread.getThreadName(), "Newsfeed Thread");
        EXPECT_EQ (processor.newsProcessor.newsThread.productTag, "KVNPLG12G");
    }

    EXPECT_TRUE (noNewsThreadLeft());
}
