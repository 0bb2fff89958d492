#include "services/KV_WebRequest.h"
#include "services/LoopbackHttpServer.h"

#include <gtest/gtest.h>
#include <cstring>
#include <string_view>
#include <thread>

namespace
{
    KV_WebResponse get (const juce::String& baseUrl, const juce::String& path)
    {
        return KV_WebRequest (baseUrl).makeGetRequest (path).perform();
    }

    KV_WebResponse getFrom (const CannedReply& reply)
    {
        LoopbackHttpServer server (reply);
        return get (server.getBaseUrl(), "feed");
    }
}

TEST (WebRequest, SendsJsonContentTypeAndBasicCredentials)
{
    LoopbackHttpServer server ({ 200, "[]" });

    KV_WebRequest request (server.getBaseUrl());
    request.setHeader ("Content-Type", "application/json");
    request.setHeader ("Authorization", "Basic " + juce::Base64::toBase64 (juce::String::fromUTF8 ("reader:s3cr\xc3\xa9t")));
    request.makeGetRequest ("news/feed").perform();

    const auto received = server.getRequests();
    ASSERT_EQ (received.size(), 1);
    EXPECT_EQ (received[0].method, "GET");
    EXPECT_EQ (received[0].target, "/news/feed");
    EXPECT_EQ (received[0].headers["Content-Type"], "application/json");

    const auto authorisation = received[0].headers["Authorization"];
    ASSERT_TRUE (authorisation.startsWith ("Basic "));
    juce::MemoryOutputStream decoded;
    ASSERT_TRUE (juce::Base64::convertFromBase64 (decoded, authorisation.substring (6)));
    EXPECT_EQ (decoded.toString(), juce::String::fromUTF8 ("reader:s3cr\xc3\xa9t"));
}

TEST (WebRequest, JoinsBaseAndPathWithExactlyOneSlash)
{
    LoopbackHttpServer server ({ 200, "[]" });
    const auto base = server.getBaseUrl();

    const std::vector<std::tuple<juce::String, juce::String, juce::String>> cases {
        { base + "/api", "/feed", "/api/feed" },
        { base + "/api/", "feed", "/api/feed" },
        { base + "/api/", "/feed", "/api/feed" },
        { base + "/api", "", "/api/" },
        { base + "/api", "//feed", "/api//feed" },
    };

    for (const auto& [baseUrl, path, expectedTarget] : cases)
    {
        const auto before = server.getRequests().size();
        get (baseUrl, path);
        ASSERT_TRUE (server.waitForRequests (before + 1, 2000));
        EXPECT_EQ (server.getRequests().getLast().target, expectedTarget) << baseUrl << " + " << path;
    }
}

TEST (WebRequest, MakeGetRequestCopiesHeadersAndLeavesTheSourceAlone)
{
    KV_WebRequest source ("http://127.0.0.1:1/");
    source.method = "PUT";
    source.path = "original";
    source.setHeader ("X-One", "1");
    source.setHeader ("x-one", "2");
    source.setHeader ("X-Two", "3");

    const auto copy = source.makeGetRequest ("other");

    EXPECT_EQ (source.method, "PUT");
    EXPECT_EQ (source.path, "original");
    EXPECT_EQ (copy.method, "GET");
    EXPECT_EQ (copy.path, "other");
    EXPECT_EQ (KV_WebRequest::headersToString (copy.requestHeaders), "X-One: 2\nX-Two: 3\n");
    EXPECT_EQ (KV_WebRequest::headersToString ({}), "");
}

TEST (WebRequest, PostsTheJsonBodyOnlyWhenItHasAProperty)
{
    LoopbackHttpServer server ({ 200, "{}" });

    KV_WebRequest empty (server.getBaseUrl());
    empty.method = "POST";
    empty.path = "empty";
    empty.perform();

    KV_WebRequest withBody (server.getBaseUrl());
    withBody.path = "body";
    withBody.jsonBody.setProperty ("count", 3);
    withBody.perform();

    const auto received = server.getRequests();
    ASSERT_EQ (received.size(), 2);
    EXPECT_EQ (received[0].method, "POST");
    EXPECT_EQ (received[0].body, "");
    EXPECT_EQ (received[1].method, "POST");
    EXPECT_EQ (juce::JSON::parse (received[1].body)["count"], juce::var (3));
}

TEST (WebRequest, Status200WithAnArrayParses)
{
    const auto response = getFrom ({ 200, R"([{"id": 7, "title": "Hello"}])" });

    EXPECT_TRUE (response.result.wasOk());
    EXPECT_EQ (response.statusCode, 200);
    ASSERT_TRUE (response.json.isArray());
    EXPECT_EQ (response.json.size(), 1);
    EXPECT_EQ (response.json[0]["title"].toString(), "Hello");
    EXPECT_EQ (response.responseHeaders["content-length"], juce::String (response.responseText.length()));
}

TEST (WebRequest, OtherStatusesAndShapesAreLeftToTheCaller)
{
    const auto notFound = getFrom ({ 404, R"([{"id": 1}])" });
    EXPECT_TRUE (notFound.result.wasOk());
    EXPECT_EQ (notFound.statusCode, 404);

    const auto object = getFrom ({ 200, R"({"id": 1})" });
    EXPECT_TRUE (object.result.wasOk());
    EXPECT_TRUE (object.json.isObject());

    const auto emptyArray = getFrom ({ 200, "[]" });
    EXPECT_TRUE (emptyArray.result.wasOk());
    EXPECT_TRUE (emptyArray.json.isArray());
    EXPECT_EQ (emptyArray.json.size(), 0);
}

TEST (WebRequest, EmptyReplyIsSuccessWithNoValue)
{
    const auto response = getFrom ({ 200, "" });

    EXPECT_TRUE (response.result.wasOk());
    EXPECT_TRUE (response.json.isVoid());
    EXPECT_EQ (response.responseText, "");
}

TEST (WebRequest, NotJsonFailsWithTheParserMessageAndKeepsTheText)
{
    const auto response = getFrom ({ 200, "<html>busy</html>" });

    EXPECT_TRUE (response.result.failed());
    EXPECT_TRUE (response.result.getErrorMessage().contains ("error")) << response.result.getErrorMessage();
    EXPECT_EQ (response.responseText, "<html>busy</html>");
    EXPECT_TRUE (response.json.isVoid());
}

TEST (WebRequest, RefusedConnectionFailsAndKeepsTheEarlierReply)
{
    LoopbackHttpServer server ({ 200, "[1, 2]" });
    KV_WebRequest request (server.getBaseUrl());
    ASSERT_TRUE (request.perform().result.wasOk());

    request.baseUrl = juce::URL ("http://127.0.0.1:" + juce::String (LoopbackHttpServer::findClosedPort()));
    const auto response = request.perform();

    EXPECT_EQ (response.result.getErrorMessage(), "HTTP request failed, check your internet connection");
    EXPECT_EQ (response.responseText, "[1, 2]");
    EXPECT_EQ (response.json.size(), 2);
    EXPECT_EQ (request.response.result.getErrorMessage(), response.result.getErrorMessage());
}

TEST (WebRequest, LargeReplyWithinTheLimitIsReadWhole)
{
    juce::String reply ("[");

    for (int i = 0; i < 5000; ++i)
        reply << (i > 0 ? "," : "") << "{\"id\":" << i << ",\"title\":\"t\",\"url\":\"u\",\"tags\":\"news\"}";

    reply << "]";
    const auto response = getFrom ({ 200, reply });
    EXPECT_TRUE (response.result.wasOk()) << response.result.getErrorMessage();
    EXPECT_EQ (response.statusCode, 200);
    EXPECT_EQ (response.responseText.length(), reply.length());
}

TEST (WebRequest, SlowServerIsWaitedFor)
{
    const auto response = getFrom ({ 200, "[3]", 1500 });

    EXPECT_TRUE (response.result.wasOk());
    EXPECT_EQ (response.json.size(), 1);
}

TEST (WebRequest, OversizedReplyIsRefusedWithoutKeepingIt)
{
    const auto huge = "[\"" + juce::String::repeatedString ("x", KV_WebRequest::maxReplyBytes + 10) + "\"]";
    const auto response = getFrom ({ 200, huge });

    EXPECT_TRUE (response.result.getErrorMessage().contains ("larger than")) << response.result.getErrorMessage();
    EXPECT_TRUE (response.responseText.isEmpty());
    EXPECT_TRUE (response.json.isVoid());
}

TEST (WebRequest, DeeplyNestedReplyFailsInsteadOfOverflowingTheStack)
{
    const auto deep = juce::String::repeatedString ("[", 200000) + juce::String::repeatedString ("]", 200000);
    const auto response = getFrom ({ 200, deep });

    EXPECT_TRUE (response.result.getErrorMessage().contains ("nested")) << response.result.getErrorMessage();
    EXPECT_TRUE (response.json.isVoid());

    const auto fine = juce::String::repeatedString ("[", 20) + juce::String::repeatedString ("]", 20);
    EXPECT_TRUE (getFrom ({ 200, fine }).result.wasOk());

    // Brackets inside strings are text, not nesting.
    const auto text = "[\"" + juce::String::repeatedString ("[{", 500) + "\"]";
    EXPECT_TRUE (getFrom ({ 200, text }).result.wasOk());
}

// The framework's JSON reader overflows on a whole part of more than 18 digits, an exponent of
// more than 9, or a minus sign before anything but a digit; such a reply is refused before it
// gets there.
TEST (WebRequest, NumbersTheReaderCannotTakeAreRefused)
{
    auto parse = [] (const char* text)
    {
        KV_WebRequest request ("http://127.0.0.1/");
        request.takeReplyBody (text, std::strlen (text));
        return request.response;
    };

    const auto longest = parse ("[999999999999999999, -0000000000000000000000123456789012345678.25, 1e-000000000999999999]");
    ASSERT_TRUE (longest.result.wasOk()) << longest.result.getErrorMessage();
    EXPECT_EQ (static_cast<juce::int64> (longest.json[0]), 999999999999999999LL);
    EXPECT_EQ (static_cast<double> (longest.json[1]), -123456789012345678.25);
    EXPECT_EQ (static_cast<double> (longest.json[2]), 0.0);

    for (const auto* tooLong : { "[1000000000000000000]", "[1.5e+1000000000]", "{\"id\": -12345678901234567890.5}",
                                 "[{\"id\":-.0000000000009999999}]", "[- .5]", "[-", "['\"', 12345678901234567890]" })
    {
        const auto response = parse (tooLong);
        EXPECT_TRUE (response.result.getErrorMessage().contains ("number")) << tooLong;
        EXPECT_TRUE (response.json.isVoid()) << tooLong;
    }

    // Digits inside strings of either quote and after the point are not counted.
    EXPECT_TRUE (parse ("[\"12345678901234567890123\", '-.5', 0.12345678901234567890123, -0.5e-7]").result.wasOk());
}

// Each body is given in a heap block of exactly its own size, so the sanitizer build sees any
// read past it.
TEST (WebRequest, ReplyTextIsMadeFromItsOwnBytesOnly)
{
    auto take = [] (std::string_view body)
    {
        juce::HeapBlock<char> bytes (body.size());
        std::memcpy (bytes.get(), body.data(), body.size());
        KV_WebRequest request ("http://127.0.0.1/");
        request.takeReplyBody (bytes.get(), body.size());
        return request.response;
    };

    const auto empty = take ("");
    const auto markOnly = take ("\xef\xbb\xbf");
    EXPECT_EQ (markOnly.responseText, empty.responseText);
    EXPECT_EQ (markOnly.result.getErrorMessage(), empty.result.getErrorMessage());

    const auto marked = take ("\xef\xbb\xbf[{\"id\": 7}]");
    ASSERT_TRUE (marked.result.wasOk()) << marked.result.getErrorMessage();
    EXPECT_EQ (marked.responseText, "[{\"id\": 7}]");
    EXPECT_EQ (static_cast<int> (marked.json[0]["id"]), 7);
}

TEST (WebRequest, CancelAbortsAStalledExchange)
{
    LoopbackHttpServer server ({ 200, "[]", 20000 });
    KV_WebRequest::Canceller canceller;
    KV_WebRequest request (server.getBaseUrl());
    request.canceller = &canceller;

    std::thread caller ([&] { request.perform(); });
    ASSERT_TRUE (server.waitForRequests (1, 5000));

    canceller.cancel();
    caller.join();

    // Abandoned, not waited out: the server saw the client hang up before it answered.
    EXPECT_TRUE (server.waitForHangUps (1, 5000));
    EXPECT_EQ (request.response.result.getErrorMessage(), "HTTP request failed, check your internet connection");

    // A cancelled canceller refuses later exchanges without connecting.
    request.perform();
    EXPECT_EQ (server.getRequests().size(), 1);
}
