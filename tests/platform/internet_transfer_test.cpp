// One HTTP transfer into a sink, against a real server on 127.0.0.1: every
// framing of a body, and the faults of a server or a connection. The download
// of a file builds on this and does not repeat the matrix.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
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

TEST(InternetTransfer, HandsTheWholeBodyToTheSinkInEveryFraming) {
    test::HttpTestServer server;
    ASSERT_TRUE(server.listening());
    const std::string big = test::GeneratedBody(3 * 1024 * 1024 + 17);
    const std::vector<std::tuple<std::string, test::HttpHandler, std::string>> cases = {
        {"/big.bin", test::Reply(200, big), big},
        {"/length", test::Reply(200, ""), ""},
        {"/nocontent", test::Reply(204, ""), ""},
        {"/close", test::ReplyWith(200, {}, ""), ""},
        {"/chunked", test::ReplyChunked({}), ""},
        {"/old", test::Redirect(302, "/new"), "first second third"}};
    for (const auto& [path, handler, body] : cases)
        server.Route(path, handler);
    server.Route("/new", test::ReplyChunked({"first ", "second ", "third"}));
    InternetTransfer inet(5s);
    for (const auto& [path, handler, body] : cases) {
        Received received;
        EXPECT_FALSE(inet.StillExecuting());
        Result<std::uint64_t> result = inet.OpenUrl(server.Url(path), received.Sink(inet));
        ASSERT_TRUE(result.ok()) << path << ": " << result.error().description;
        EXPECT_EQ(result.value(), body.size()) << path;
        EXPECT_TRUE(received.body == body) << path;
        EXPECT_TRUE(received.busyInside) << path;
        EXPECT_GT(received.pieces, path == "/big.bin" ? 1 : -1) << path;
    }
    EXPECT_EQ(server.Hits("/new"), 1);
}

// With a time-out of their own so that the silent cases end soon. A body cut
// off in any framing fails: a cut-off repository would silently offer fewer
// updates. An error status fails with its number and withholds its page; the
// same object then serves the next request.
TEST(InternetTransfer, ErrorStatusesAndBrokenOrSilentServersFail) {
    const std::vector<std::string> pieces = {"first ", std::string(5000, 's'), "last piece"};
    const std::vector<std::tuple<const char*, test::HttpHandler, std::optional<long>>> cases = {
        {"not found", test::Reply(404, "<html>not here</html>"), 404},
        {"server error", test::Reply(500, "<html>server error</html>"), 500},
        {"not found, no page", test::Reply(404, ""), 404},
        {"redirect to a 404", test::Redirect(302, "/nowhere"), 404},
        {"body shorter than announced",
         test::ReplyWith(200, {"Content-Length: 4096"}, std::string(1000, 't')),
         {}},
        {"chunked body cut mid-chunk", test::ReplyChunked(pieces, test::ChunkCut::kMidChunk), {}},
        {"chunked body without its final chunk",
         test::ReplyChunked(pieces, test::ChunkCut::kNoFinalChunk),
         {}},
        {"server slower than the time-out", test::AfterPause(5s, test::Reply(200, "late")), {}},
        {"body stalls past the time-out", test::ReplyStalling(std::string(8000, 's'), 1, 5s), {}},
    };
    test::HttpTestServer fine;
    fine.Route("/fine", test::Reply(200, "fine"));
    InternetTransfer inet(500ms);
    for (const auto& [what, handler, status] : cases) {
        test::HttpTestServer server;
        server.Route("/pkg.zip", handler);
        Received received;
        Result<std::uint64_t> result = inet.OpenUrl(server.Url("/pkg.zip"), received.Sink(inet));
        ASSERT_FALSE(result.ok()) << what;
        if (status) {
            EXPECT_EQ(result.error().number, *status) << what;
            EXPECT_EQ(received.body, "") << what;
        }
        EXPECT_FALSE(inet.StillExecuting()) << what;
        Received next;
        EXPECT_TRUE(inet.OpenUrl(fine.Url("/fine"), next.Sink(inet)).ok()) << what;
        EXPECT_EQ(next.body, "fine") << what;
    }
}

// Nothing but http and https is requested, also not through a redirect, and
// what https asked for never comes from plain http.
TEST(InternetTransfer, OnlyHttpAndHttpsUrlsAreRequested) {
    std::string refused;
    {
        test::HttpTestServer gone;
        refused = gone.Url("/f");
    }
    test::HttpTestServer server;
    server.Route("/f", test::Reply(200, "data"));
    server.Route("/to-file", test::Redirect(302, "file:///etc/hosts"));
    InternetTransfer inet(2s);
    const std::string hostAndPath = server.Url("/f").substr(std::string("http://").size());
    for (const std::string& url : {"ftp://" + hostAndPath, std::string("file:///etc/hosts"),
                                   hostAndPath, std::string(), server.Url("/to-file"), refused}) {
        Received received;
        EXPECT_FALSE(inet.OpenUrl(url, received.Sink(inet)).ok()) << url;
        EXPECT_EQ(received.body, "") << url;
    }
    EXPECT_EQ(server.Hits("/f"), 0);
    EXPECT_TRUE(IsHttpUrl("HTTP://example.invalid/"));
    EXPECT_TRUE(IsHttpUrl("https://example.invalid/"));
    EXPECT_FALSE(IsHttpUrl("httpx://example.invalid/"));
    EXPECT_TRUE(IsDowngrade("HTTPS://h/a", "Http://other/b"));
    EXPECT_FALSE(IsDowngrade("https://h/a", "https://h/b"));
    EXPECT_FALSE(IsDowngrade("http://h/a", "https://h/a"));
    EXPECT_FALSE(IsDowngrade("http://h/a", "http://h/b"));
}

// Inside the sink, while a transfer runs, another request is refused; a sink
// that refuses the bytes stops the transfer.
TEST(InternetTransfer, ASecondRequestIsRefusedAndARefusingSinkStops) {
    test::HttpTestServer server;
    server.Route("/big.bin", test::ReplyGenerated(8 * 1024 * 1024));
    server.Route("/inner", test::Reply(200, "inner"));
    InternetTransfer inet(5s);
    bool innerRefused = false, busyAfterwards = false;
    std::size_t taken = 0;
    Result<std::uint64_t> result = inet.OpenUrl(server.Url("/big.bin"), [&](std::string_view b) {
        taken += b.size();
        innerRefused =
            !inet.OpenUrl(server.Url("/inner"), [](std::string_view) { return true; }).ok();
        busyAfterwards = inet.StillExecuting();
        return false;
    });
    EXPECT_FALSE(result.ok());
    EXPECT_LT(taken, 8u * 1024 * 1024);
    EXPECT_TRUE(innerRefused);
    EXPECT_TRUE(busyAfterwards) << "the refused request leaves the running one alone";
    EXPECT_EQ(server.Hits("/inner"), 0);
    EXPECT_FALSE(inet.StillExecuting());
}

}  // namespace
}  // namespace kvu
