#include "processor/TheQuillmontAudioProcessor.h"
#include "services/NewsfeedTestSupport.h"

#include <gtest/gtest.h>

namespace
{
    // Every thread of this process, as the kernel lists them.
    int countThreads()
    {
        return juce::File ("/proc/self/task").getNumberOfChildFiles (juce::File::findDirectories);
    }
}

TEST (NewsfeedLifetime, OneRequestPerInstanceThenTheThreadEnds)
{
    ScratchFolder scratch;
    LoopbackHttpServer server ({ 200, "[]" });
    auto news = startNews (server.getBaseUrl(), scratch.cacheFile().getFullPathName());

    ASSERT_TRUE (waitUntilReady (*news));
    EXPECT_FALSE (news->isTimerRunning());

    // The thread waits its 500 ms after the request and then ends on its own.
    for (int i = 0; i < 100 && news->newsThread.isThreadRunning(); ++i)
        juce::MessageManager::getInstance()->runDispatchLoopUntil (50);

    EXPECT_FALSE (news->newsThread.isThreadRunning());
    EXPECT_EQ (server.getRequests().size(), 1);
}

TEST (NewsfeedLifetime, DestroyingDuringAStalledRequestReturnsPromptly)
{
    ScratchFolder scratch;
    LoopbackHttpServer server ({ 200, "[]", 4000 });
    auto news = startNews (server.getBaseUrl(), scratch.cacheFile().getFullPathName());
    ASSERT_TRUE (server.waitForRequests (1, 5000));
    ASSERT_TRUE (news->newsThread.isThreadRunning());

    const auto start = juce::Time::getMillisecondCounter();
    news.reset();
    const auto elapsed = juce::Time::getMillisecondCounter() - start;

    EXPECT_LT (elapsed, 3000u);
    EXPECT_FALSE (scratch.cacheFile().exists());
}

TEST (NewsfeedLifetime, ManyInstancesInARowLeaveNoThreadRunning)
{
    ScratchFolder scratch;
    LoopbackHttpServer fast ({ 200, "[{\"id\":1,\"tags\":\"news\"}]" });
    LoopbackHttpServer stalled ({ 200, "[]", 10000 });
    const auto cachePath = scratch.cacheFile().getFullPathName();
    const auto threadsBefore = countThreads();

    for (int i = 0; i < 12; ++i)
    {
        auto news = startNews (i % 3 == 0 ? stalled.getBaseUrl() : fast.getBaseUrl(), cachePath);

        if (i % 3 == 1)
            waitUntilReady (*news);
        else if (i % 3 == 2)
            juce::Thread::sleep (i * 5);
    }

    // Threads leave the kernel's list a moment after they have been joined.
    for (int i = 0; i < 100 && countThreads() > threadsBefore; ++i)
        juce::Thread::sleep (10);

    EXPECT_EQ (countThreads(), threadsBefore);
}

TEST (NewsfeedLifetime, PluginInstancesInARowLeaveNoNewsThreadRunning)
{
    const auto threadsBefore = countThreads();

    for (int i = 0; i < 8; ++i)
    {
        TheQuillmontAudioProcessor processor;
        EXPECT_TRUE (processor.newsProcessor.isTimerRunning());
        EXPECT_EQ (processor.newsProcessor.newsThread.getThreadName(), "Newsfeed Thread");
        EXPECT_EQ (processor.newsProcessor.newsThread.productTag, "KVNPLG12G");
    }

    for (int i = 0; i < 100 && countThreads() > threadsBefore; ++i)
        juce::Thread::sleep (10);

    EXPECT_EQ (countThreads(), threadsBefore);
}
