#pragma once

#include "services/KV_WebResponse.h"

/** A small HTTP request with a JSON reply. A value: build it, copy it, change it, perform it
    on one background thread; perform() blocks until the reply has been read. */
class KV_WebRequest
{
public:
    /** Lets another thread abort an exchange in flight, so that an owner can be destroyed
        without waiting for a stalled server. Must outlive every perform() that uses it. */
    class Canceller
    {
    public:
        Canceller() = default;

        /** Aborts the exchange in flight, if any, and every later one. */
        void cancel();
        bool isCancelled() const;

    private:
        friend class KV_WebRequest;
        bool attach (juce::WebInputStream*);
        void detach();

        juce::CriticalSection lock;
        juce::WebInputStream* activeStream = nullptr;
        bool cancelled = false;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Canceller)
    };

    /** Replies beyond this size are refused: the news feed is a short list, and a broken or
        hostile server must not be able to make the plug-in buffer without bound. */
    static constexpr int maxReplyBytes = 1024 * 1024;

    /** Deeper replies are refused before parsing, as the parser recurses once per level. */
    static constexpr int maxJsonNesting = 64;

    static constexpr const char* connectionFailedMessage = "HTTP request failed, check your internet connection";

    explicit KV_WebRequest (const juce::String& baseAddress);
    KV_WebRequest (const KV_WebRequest&);
    KV_WebRequest& operator= (const KV_WebRequest&);
    ~KV_WebRequest() = default;

    /** Sets a header to send, replacing one whose name matches ignoring case. */
    void setHeader (const juce::String& name, const juce::String& value);

    /** A copy of this request that GETs the given path; this request is unchanged. */
    KV_WebRequest makeGetRequest (const juce::String& subPath) const;

    /** Performs the exchange, stores its outcome in response and returns a copy of it. */
    KV_WebResponse perform();

    /** What perform() does with a reply body it has read: keeps its text in response and parses
        it. Public so the reply can be checked without a server. */
    void takeReplyBody (const void* data, size_t numBytes);

    /** The header lines handed to the connection: "name: value\n" per header, in order. */
    static juce::String headersToString (const juce::StringPairArray& headers);

    KV_WebResponse response;
    juce::URL baseUrl;
    juce::StringPairArray requestHeaders { true };
    juce::String method;
    juce::String path;
    juce::DynamicObject jsonBody;

    /** Optional; not owned. Copies share it. */
    Canceller* canceller = nullptr;

private:
    juce::URL makeAddress (bool& hasBody);
    juce::Result readReply (juce::WebInputStream&, juce::MemoryOutputStream& body);

    JUCE_LEAK_DETECTOR (KV_WebRequest)
};
