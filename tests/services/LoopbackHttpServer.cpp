#include "services/LoopbackHttpServer.h"

#include <csignal>

LoopbackHttpServer::LoopbackHttpServer (CannedReply cannedReply)
    : juce::Thread ("Loopback HTTP server"), reply (std::move (cannedReply))
{
    // The client may hang up mid-reply (an oversized reply is refused); that must not kill us.
    std::signal (SIGPIPE, SIG_IGN);

    if (listener.createListener (0, "127.0.0.1"))
        port = listener.getBoundPort();

    startThread();
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    stopThread (5000);
    listener.close();
}

juce::Array<ReceivedRequest> LoopbackHttpServer::getRequests() const
{
    const juce::ScopedLock sl (requestLock);
    return requests;
}

bool LoopbackHttpServer::waitForRequests (int count, int timeoutMs) const
{
    const auto end = juce::Time::getMillisecondCounter() + static_cast<juce::uint32> (timeoutMs);

    while (juce::Time::getMillisecondCounter() < end)
    {
        if (getRequests().size() >= count)
            return true;

        juce::Thread::sleep (10);
    }

    return getRequests().size() >= count;
}

bool LoopbackHttpServer::waitForHangUps (int count, int timeoutMs) const
{
    const auto end = juce::Time::getMillisecondCounter() + static_cast<juce::uint32> (timeoutMs);

    while (getHangUps() < count && juce::Time::getMillisecondCounter() < end)
        juce::Thread::sleep (1);

    return getHangUps() >= count;
}

int LoopbackHttpServer::findClosedPort()
{
    juce::StreamingSocket probe;
    probe.createListener (0, "127.0.0.1");
    const auto closedPort = probe.getBoundPort();
    probe.close();
    return closedPort;
}

void LoopbackHttpServer::run()
{
    const auto end = juce::Time::getMillisecondCounter() + static_cast<juce::uint32> (lifetimeMs);

    while (! threadShouldExit() && juce::Time::getMillisecondCounter() < end)
    {
        if (listener.waitUntilReady (true, 20) != 1)
            continue;

        if (std::unique_ptr<juce::StreamingSocket> client { listener.waitForNextConnection() })
            serve (*client);
    }
}

bool LoopbackHttpServer::readRequest (juce::StreamingSocket& client, ReceivedRequest& request)
{
    juce::MemoryBlock received;
    char buffer[4096];
    const auto end = juce::Time::getMillisecondCounter() + 5000;
    int headerEnd = -1;
    int contentLength = 0;

    while (! threadShouldExit() && juce::Time::getMillisecondCounter() < end && received.getSize() < 65536)
    {
        const auto text = received.toString();

        if (headerEnd < 0 && (headerEnd = text.indexOf ("\r\n\r\n")) >= 0)
        {
            auto lines = juce::StringArray::fromLines (text.substring (0, headerEnd));
            const auto requestLine = juce::StringArray::fromTokens (lines[0], " ", "");
            request.method = requestLine[0];
            request.target = requestLine[1];

            for (int i = 1; i < lines.size(); ++i)
                request.headers.set (lines[i].upToFirstOccurrenceOf (":", false, false).trim(),
                                     lines[i].fromFirstOccurrenceOf (":", false, false).trim());

            contentLength = request.headers["Content-Length"].getIntValue();
        }

        if (headerEnd >= 0 && static_cast<int> (received.getSize()) >= headerEnd + 4 + contentLength)
        {
            request.body = text.substring (headerEnd + 4);
            return true;
        }

        if (client.waitUntilReady (true, 20) != 1)
            continue;

        const auto numRead = client.read (buffer, sizeof (buffer), false);

        if (numRead <= 0)
            return false;

        received.append (buffer, static_cast<size_t> (numRead));
    }

    return false;
}

void LoopbackHttpServer::writeAll (juce::StreamingSocket& client, const void* data, size_t size)
{
    auto* bytes = static_cast<const char*> (data);
    const auto end = juce::Time::getMillisecondCounter() + 10000;

    // The accepted socket does not block: a full send buffer means wait, not give up.
    while (size > 0 && ! threadShouldExit() && juce::Time::getMillisecondCounter() < end)
    {
        if (client.waitUntilReady (false, 20) < 0)
            return;

        const auto written = client.write (bytes, static_cast<int> (juce::jmin (size, static_cast<size_t> (65536))));

        if (written <= 0)
            continue;

        bytes += written;
        size -= static_cast<size_t> (written);
    }
}

void LoopbackHttpServer::serve (juce::StreamingSocket& client)
{
    ReceivedRequest request;

    if (! readRequest (client, request))
        return;

    {
        const juce::ScopedLock sl (requestLock);
        requests.add (request);
    }

    // Holding the reply back, watch for the client giving up: a readable socket with nothing
    // to read has been closed by the other end.
    for (auto waited = 0; waited < reply.delayMs && ! threadShouldExit(); waited += 10)
    {
        if (client.waitUntilReady (true, 10) == 1)
        {
            char byte;

            if (client.read (&byte, 1, false) <= 0)
            {
                ++hangUps;
                return;
            }
        }
    }

    if (threadShouldExit())
        return;

    const auto body = reply.body.toStdString();
    const auto head = "HTTP/1.1 " + juce::String (reply.status) + " Canned\r\n"
                    + "Content-Type: application/json\r\n"
                    + "Content-Length: " + juce::String (static_cast<juce::int64> (body.size())) + "\r\n"
                    + "Connection: close\r\n\r\n";

    writeAll (client, head.toRawUTF8(), head.getNumBytesAsUTF8());
    writeAll (client, body.data(), body.size());
}
