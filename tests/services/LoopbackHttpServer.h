#pragma once

#include <juce_core/juce_core.h>

#include <atomic>

/** What the test server answers to every request. */
struct CannedReply
{
    int status = 200;
    juce::String body;
    int delayMs = 0;  // wait this long before answering: a slow or stalled service
};

/** One request as the server received it. */
struct ReceivedRequest
{
    juce::String method;
    juce::String target;
    juce::StringPairArray headers { true };
    juce::String body;
};

/** A minimal HTTP/1.1 server on 127.0.0.1 and an ephemeral port, answering one canned reply
    per connection on its own thread. It stops itself after half a minute whatever happens. */
class LoopbackHttpServer : private juce::Thread
{
public:
    explicit LoopbackHttpServer (CannedReply reply);
    ~LoopbackHttpServer() override;

    int getPort() const noexcept { return port; }
    juce::String getBaseUrl() const { return "http://127.0.0.1:" + juce::String (port); }

    juce::Array<ReceivedRequest> getRequests() const;
    bool waitForRequests (int count, int timeoutMs) const;

    /** Clients that hung up while their reply was still being held back (see CannedReply::delayMs). */
    int getHangUps() const noexcept { return hangUps.load(); }
    bool waitForHangUps (int count, int timeoutMs) const;

    /** A port on this machine that nothing listens on. */
    static int findClosedPort();

private:
    void run() override;
    void serve (juce::StreamingSocket&);
    bool readRequest (juce::StreamingSocket&, ReceivedRequest&);
    void writeAll (juce::StreamingSocket&, const void* data, size_t size);

    static constexpr int lifetimeMs = 30000;

    juce::StreamingSocket listener;
    int port = -1;
    CannedReply reply;
    juce::CriticalSection requestLock;
    juce::Array<ReceivedRequest> requests;
    std::atomic<int> hangUps { 0 };
};
