#include "services/KV_WebRequest.h"

namespace
{
    // Follows string literals a character at a time, so the scans below see only what lies
    // outside them. The framework's reader takes single-quoted strings too.
    struct StringLiterals
    {
        // True when c belongs to a string literal, its quotes included.
        bool take (juce::juce_wchar c)
        {
            if (quote == 0)
            {
                if (c != '"' && c != '\'')
                    return false;

                quote = c;
                return true;
            }

            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == quote)
                quote = 0;

            return true;
        }

        juce::juce_wchar quote = 0;
        bool escaped = false;
    };

    // Counts brackets outside string literals; stops as soon as the limit is passed.
    bool isNestedDeeperThan (const juce::String& text, int limit)
    {
        int depth = 0;
        StringLiterals literals;

        for (auto p = text.getCharPointer(); ! p.isEmpty(); ++p)
        {
            const auto c = *p;

            if (literals.take (c))
                continue;

            if (c == '[' || c == '{')
            {
                if (++depth > limit)
                    return true;
            }
            else if (c == ']' || c == '}')
            {
                --depth;
            }
        }

        return false;
    }

    // The framework's JSON reader gathers a number's whole part in 64 bits and its exponent in
    // an int, unchecked: longer ones overflow (undefined behaviour) and may read as anything.
    // After a minus sign it takes whatever comes next as the first digit ("-.5" starts at -2
    // and multiplies on). Finds, outside string literals, a minus sign not followed by a digit,
    // a whole part of more than 18 significant digits or an exponent of more than 9; no feed
    // carries such numbers.
    bool hasNumberBeyondReader (const juce::String& text)
    {
        constexpr int maxWholeDigits = 18;
        constexpr int maxExponentDigits = 9;

        enum class Part { none, whole, fraction, exponentSign, exponent };
        auto part = Part::none;
        int significantDigits = 0;
        StringLiterals literals;

        for (auto p = text.getCharPointer(); ! p.isEmpty(); ++p)
        {
            const auto c = *p;

            if (literals.take (c))
            {
                part = Part::none;
                significantDigits = 0;
                continue;
            }

            if (c >= '0' && c <= '9')
            {
                if (part == Part::none)
                    part = Part::whole;
                else if (part == Part::exponentSign)
                    part = Part::exponent;

                if (part == Part::fraction || (significantDigits == 0 && c == '0'))
                    continue;

                ++significantDigits;

                if ((part == Part::whole && significantDigits > maxWholeDigits)
                     || (part == Part::exponent && significantDigits > maxExponentDigits))
                    return true;
            }
            else if (part == Part::whole && c == '.')
            {
                part = Part::fraction;
            }
            else if ((part == Part::whole || part == Part::fraction) && (c == 'e' || c == 'E'))
            {
                part = Part::exponentSign;
                significantDigits = 0;
            }
            else if (part == Part::exponentSign && (c == '+' || c == '-'))
            {
                part = Part::exponent;
            }
            else if (c == '-')
            {
                const auto next = *(p + 1);

                if (next < '0' || next > '9')
                    return true;

                part = Part::none;
                significantDigits = 0;
            }
            else
            {
                part = Part::none;
                significantDigits = 0;
            }
        }

        return false;
    }

    // The framework, given a UTF-8 byte-order mark and nothing after it, reads the byte past the
    // mark; such a body is an empty one.
    juce::String textOfBody (const void* data, size_t numBytes)
    {
        if (numBytes == 3 && juce::CharPointer_UTF8::isByteOrderMark (data))
            return {};

        return juce::String::createStringFromData (data, static_cast<int> (numBytes));
    }

    bool isWebAddress (const juce::URL& address)
    {
        const auto scheme = address.getScheme();
        return scheme.equalsIgnoreCase ("http") || scheme.equalsIgnoreCase ("https");
    }
}

//==============================================================================
void KV_WebRequest::Canceller::cancel()
{
    const juce::ScopedLock sl (lock);
    cancelled = true;

    if (activeStream != nullptr)
        activeStream->cancel();
}

bool KV_WebRequest::Canceller::isCancelled() const
{
    const juce::ScopedLock sl (lock);
    return cancelled;
}

bool KV_WebRequest::Canceller::attach (juce::WebInputStream* stream)
{
    const juce::ScopedLock sl (lock);

    if (cancelled)
        return false;

    activeStream = stream;
    return true;
}

void KV_WebRequest::Canceller::detach()
{
    const juce::ScopedLock sl (lock);
    activeStream = nullptr;
}

//==============================================================================
KV_WebRequest::KV_WebRequest (const juce::String& baseAddress)
    : baseUrl (baseAddress)
{
}

KV_WebRequest::KV_WebRequest (const KV_WebRequest& other)
    : response (other.response),
      baseUrl (other.baseUrl),
      requestHeaders (other.requestHeaders),
      method (other.method),
      path (other.path),
      jsonBody (other.jsonBody),
      canceller (other.canceller)
{
}

KV_WebRequest& KV_WebRequest::operator= (const KV_WebRequest& other)
{
    response = other.response;
    baseUrl = other.baseUrl;
    requestHeaders = other.requestHeaders;
    method = other.method;
    path = other.path;
    jsonBody.getProperties() = juce::DynamicObject (other.jsonBody).getProperties();
    canceller = other.canceller;
    return *this;
}

void KV_WebRequest::setHeader (const juce::String& name, const juce::String& value)
{
    requestHeaders.set (name, value);
}

KV_WebRequest KV_WebRequest::makeGetRequest (const juce::String& subPath) const
{
    KV_WebRequest request (*this);
    request.method = "GET";
    request.path = subPath;
    return request;
}

juce::String KV_WebRequest::headersToString (const juce::StringPairArray& headers)
{
    juce::String text;

    for (auto& key : headers.getAllKeys())
        text << key << ": " << headers[key] << "\n";

    return text;
}

//==============================================================================
juce::URL KV_WebRequest::makeAddress (bool& hasBody)
{
    auto address = baseUrl.getChildURL (path);
    hasBody = jsonBody.getProperties().size() > 0;

    if (hasBody)
    {
        juce::MemoryOutputStream body;
        jsonBody.writeAsJSON (body, 0, false, 20);
        address = address.withPOSTData (body.toUTF8());
    }

    return address;
}

KV_WebResponse KV_WebRequest::perform()
{
    bool hasBody = false;
    const auto address = makeAddress (hasBody);

    // Only HTTP: the framework would otherwise read a local file for a file: address.
    if (! isWebAddress (address))
    {
        response.result = juce::Result::fail (connectionFailedMessage);
        return response;
    }

    juce::WebInputStream stream (address, hasBody);

    const auto headerText = headersToString (requestHeaders);

    if (headerText.isNotEmpty())
        stream.withExtraHeaders (headerText);

    if (method.isNotEmpty())
        stream.withCustomRequestCommand (method);

    stream.withNumRedirectsToFollow (5);

    if (canceller != nullptr && ! canceller->attach (&stream))
    {
        response.result = juce::Result::fail (connectionFailedMessage);
        return response;
    }

    const auto connected = stream.connect (nullptr);
    response.statusCode = stream.getStatusCode();
    response.responseHeaders.addArray (stream.getResponseHeaders());

    juce::MemoryOutputStream body;
    auto outcome = juce::Result::fail (connectionFailedMessage);

    if (connected && ! stream.isError())
        outcome = readReply (stream, body);

    if (canceller != nullptr)
        canceller->detach();

    response.result = outcome;

    if (outcome.wasOk())
        takeReplyBody (body.getData(), body.getDataSize());

    return response;
}

juce::Result KV_WebRequest::readReply (juce::WebInputStream& stream, juce::MemoryOutputStream& body)
{
    juce::HeapBlock<char> buffer (8192);

    while (! stream.isExhausted())
    {
        const auto numRead = stream.read (buffer.get(), 8192);

        if (numRead <= 0)
            break;

        if (static_cast<int64_t> (body.getDataSize()) + numRead > maxReplyBytes)
            return juce::Result::fail ("HTTP reply larger than " + juce::String (maxReplyBytes) + " bytes");

        body.write (buffer.get(), static_cast<size_t> (numRead));
    }

    // A reply cut off by a dropped connection or a cancel is not a reply.
    if (stream.isError())
        return juce::Result::fail (connectionFailedMessage);

    return juce::Result::ok();
}

void KV_WebRequest::takeReplyBody (const void* data, size_t numBytes)
{
    response.responseText = textOfBody (data, numBytes);
    const auto& text = response.responseText;

    if (isNestedDeeperThan (text, maxJsonNesting))
    {
        response.result = juce::Result::fail ("JSON nested deeper than " + juce::String (maxJsonNesting) + " levels");
        return;
    }

    if (hasNumberBeyondReader (text))
    {
        response.result = juce::Result::fail ("JSON number malformed or too long to read");
        return;
    }

    juce::var parsed;
    const auto outcome = juce::JSON::parse (text, parsed);

    if (outcome.wasOk())
        response.json = parsed;

    response.result = outcome;
}
