#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/internet_transfer.h"
#include "tests/support/http_test_server.h"

namespace kvu {
namespace {

using namespace std::chrono_literals;

// Everything a transfer handed to its sink, and whether the busy flag was up
// while it did.
struct Received {
    std::string body;
    int pieces = 0;
    bool busyInside = true;

    BodySink Sink(const InternetTransfer& inet) {
        return [this, &inet](std::string_view bytes) {
            body.append(bytes);
            ++pieces;
            busyInside = busyInside && inet.StillExecuting();
            return true;
        };
    }
};

TEST(InternetTransfer, HandsTheWholeBodyToTheSinkWhileBusy) {
    test::HttpTestServer server;
    ASSERT_TRUE(server.listening());
    const std::string body = test::GeneratedBody(3 * 1024 * 1024 + 17);
    server.Route("/big.bin", test::Reply(200, body));
    InternetTransfer inet(5s);
    Received received;

    EXPECT_FALSE(inet.StillExecuting());
    Result<std::uint64_t> result = inet.OpenUrl(server.Url("/big.bin"), received.Sink(inet));
    ASSERT_TRUE(result.ok()) << result.error().description;
    EXPECT_EQ(result.value(), body.size());
    EXPECT_TRUE(received.body == body);
    EXPECT_GT(received.pieces, 1);
    EXPECT_TRUE(received.busyInside);
    EXPECT_FALSE(inet.StillExecuting());
}

TEST(InternetTransfer, AnErrorStatusFailsWithItsNumberAndWithholdsItsBody) {
    test::HttpTestServer server;
    server.Route("/missing", test::Reply(404, "<html>not here</html>"));
    server.Route("/broken", test::Reply(500, "<html>server error</html>"));
    server.Route("/gone", test::Reply(404, ""));
    InternetTransfer inet(5s);
    for (const auto& [path, status] : std::vector<std::pair<std::string, long>>{
             {"/missing", 404}, {"/broken", 500}, {"/gone", 404}}) {
        Received received;
        Result<std::uint64_t> result = inet.OpenUrl(server.Url(path), received.Sink(inet));
        ASSERT_FALSE(result.ok()) << path;
        EXPECT_EQ(result.error().number, status) << path;
        EXPECT_EQ(received.body, "") << path;
        EXPECT_FALSE(inet.StillExecuting());
    }
}

// The faults of a server or a connection, with a time-out of their own so that
// the silent cases end soon. A body cut off in any framing fails: a cut-off
// repository would silently offer fewer updates.
TEST(InternetTransfer, BrokenOrSilentServersFail) {
    std::string refused;
    {
        test::HttpTestServer gone;
        refused = gone.Url("/pkg.zip");
    }
    const std::vector<std::string> pieces = {"first ", std::string(5000, 's'), "last piece"};
    const std::vector<std::pair<const char*, test::HttpHandler>> cases = {
        {"redirect to a 404", test::Redirect(302, "/nowhere")},
        {"body shorter than announced", test::ReplyTruncated(4096, std::string(1000, 't'))},
        {"chunked body cut mid-chunk", test::ReplyChunkedCut(pieces, true)},
        {"chunked body without its final chunk", test::ReplyChunkedCut(pieces, false)},
        {"server slower than the time-out", test::AfterPause(5s, test::Reply(200, "late"))},
        {"body stalls past the time-out", test::ReplyStalling(std::string(8000, 's'), 1, 5s)},
    };
    for (const auto& [what, handler] : cases) {
        test::HttpTestServer server;
        server.Route("/pkg.zip", handler);
        InternetTransfer inet(500ms);
        Received received;
        EXPECT_FALSE(inet.OpenUrl(server.Url("/pkg.zip"), received.Sink(inet)).ok()) << what;
        EXPECT_FALSE(inet.StillExecuting()) << what;
    }
    InternetTransfer inet(500ms);
    Received received;
    EXPECT_FALSE(inet.OpenUrl(refused, received.Sink(inet)).ok()) << "a refused connection";
    EXPECT_EQ(received.body, "");
}

TEST(InternetTransfer, AnEmptyBodyIsASuccessWithNoBytesInEveryFraming) {
    test::HttpTestServer server;
    server.Route("/length", test::Reply(200, ""));
    server.Route("/nocontent", test::Reply(204, ""));
    server.Route("/close", test::ReplyUntilClose(200, ""));
    server.Route("/chunked", test::ReplyChunked({}));
    InternetTransfer inet(5s);
    for (const char* path : {"/length", "/nocontent", "/close", "/chunked"}) {
        Received received;
        Result<std::uint64_t> result = inet.OpenUrl(server.Url(path), received.Sink(inet));
        ASSERT_TRUE(result.ok()) << path << ": " << result.error().description;
        EXPECT_EQ(result.value(), 0u) << path;
        EXPECT_EQ(received.body, "") << path;
    }
}

// No downgrade: what https asked for never comes from plain http.
TEST(InternetTransfer, OnlyARedirectFromHttpsToHttpIsADowngrade) {
    EXPECT_TRUE(IsDowngrade("https://h/a", "http://h/a"));
    EXPECT_TRUE(IsDowngrade("HTTPS://h/a", "Http://other/b"));
    EXPECT_FALSE(IsDowngrade("https://h/a", "https://h/b"));
    EXPECT_FALSE(IsDowngrade("http://h/a", "https://h/a"));
    EXPECT_FALSE(IsDowngrade("http://h/a", "http://h/b"));
}

TEST(InternetTransfer, FollowsRedirectsAndReadsChunkedBodies) {
    test::HttpTestServer server;
    server.Route("/old", test::Redirect(302, "/new"));
    server.Route("/new", test::ReplyChunked({"first ", "second ", "third"}));
    InternetTransfer inet(5s);
    Received received;
    Result<std::uint64_t> result = inet.OpenUrl(server.Url("/old"), received.Sink(inet));
    ASSERT_TRUE(result.ok()) << result.error().description;
    EXPECT_EQ(received.body, "first second third");
    EXPECT_EQ(server.Hits("/new"), 1);
}

TEST(InternetTransfer, ARequestWhileAnotherRunsIsRefused) {
    test::HttpTestServer server;
    server.Route("/outer", test::Reply(200, "outer"));
    server.Route("/inner", test::Reply(200, "inner"));
    InternetTransfer inet(5s);
    bool innerRefused = false;
    std::string body;
    Result<std::uint64_t> result = inet.OpenUrl(server.Url("/outer"), [&](std::string_view bytes) {
        body.append(bytes);
        innerRefused =
            !inet.OpenUrl(server.Url("/inner"), [](std::string_view) { return true; }).ok();
        return true;
    });
    ASSERT_TRUE(result.ok()) << result.error().description;
    EXPECT_EQ(body, "outer");
    EXPECT_TRUE(innerRefused);
    EXPECT_EQ(server.Hits("/inner"), 0);
    EXPECT_FALSE(inet.StillExecuting());
}

TEST(InternetTransfer, ASinkThatRefusesStopsTheTransfer) {
    test::HttpTestServer server;
    server.Route("/big.bin", test::ReplyGenerated(8 * 1024 * 1024));
    InternetTransfer inet(5s);
    std::size_t taken = 0;
    Result<std::uint64_t> result = inet.OpenUrl(server.Url("/big.bin"), [&](std::string_view b) {
        taken += b.size();
        return false;
    });
    EXPECT_FALSE(result.ok());
    EXPECT_LT(taken, 8u * 1024 * 1024);
    EXPECT_FALSE(inet.StillExecuting());
}

TEST(InternetTransfer, OnlyHttpAndHttpsUrlsAreRequested) {
    test::HttpTestServer server;
    server.Route("/f", test::Reply(200, "data"));
    server.Route("/to-file", test::Redirect(302, "file:///etc/hosts"));
    InternetTransfer inet(2s);
    const std::string hostPort = "127.0.0.1:" + std::to_string(server.port());
    const std::vector<std::string> urls = {"ftp://" + hostPort + "/f", "file:///etc/hosts",
                                           "127.0.0.1/f", "", server.Url("/to-file")};
    for (const std::string& url : urls) {
        Received received;
        EXPECT_FALSE(inet.OpenUrl(url, received.Sink(inet)).ok()) << url;
        EXPECT_EQ(received.body, "") << url;
    }
    EXPECT_EQ(server.Hits("/f"), 0);
    EXPECT_TRUE(IsHttpUrl("HTTP://example.invalid/"));
    EXPECT_TRUE(IsHttpUrl("https://example.invalid/"));
    EXPECT_FALSE(IsHttpUrl("httpx://example.invalid/"));
}

TEST(InternetTransfer, OneObjectServesRequestAfterRequest) {
    test::HttpTestServer server;
    server.Route("/a", test::Reply(200, "first"));
    server.Route("/b", test::Reply(404, "error page"));
    server.Route("/c", test::Reply(200, "third"));
    InternetTransfer inet(5s);
    Received a, b, c;
    EXPECT_TRUE(inet.OpenUrl(server.Url("/a"), a.Sink(inet)).ok());
    EXPECT_FALSE(inet.OpenUrl(server.Url("/b"), b.Sink(inet)).ok());
    EXPECT_TRUE(inet.OpenUrl(server.Url("/c"), c.Sink(inet)).ok());
    EXPECT_EQ(a.body + "|" + b.body + "|" + c.body, "first||third");
}

}  // namespace
}  // namespace kvu
