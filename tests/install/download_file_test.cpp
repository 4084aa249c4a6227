#include "install/download_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/http_test_server.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

using namespace std::chrono_literals;
using Names = std::vector<std::string>;

const std::string kEarlier = "Előző hiba\r\n";

std::string FailureLine(const std::string& name) {
    return "Fájl letöltési hiba: " + name + "\r\n";
}

struct Served {
    const char* what;
    test::HttpHandler handler;
    std::string body;
};

TEST(DownloadFile, StoresTheBodyUnderTheUrlsLastPiece) {
    const std::string large = test::GeneratedBody(5 * 1024 * 1024 + 3);
    const std::vector<Served> cases = {
        {"plain 200", test::Reply(200, "PK\x03\x04 archive bytes"), "PK\x03\x04 archive bytes"},
        {"empty body", test::Reply(200, ""), ""},
        {"large body", test::Reply(200, large), large},
    };
    for (const Served& c : cases) {
        test::HttpTestServer server;
        server.Route("/updates/pkg.zip", c.handler);
        InternetTransfer inet(5s);
        test::TempDir dir;
        // An older, longer file of the same name is replaced whole.
        test::WriteBytes(dir.file("pkg.zip"), std::string(6 * 1024 * 1024, 'o'));
        std::string message = kEarlier;

        EXPECT_TRUE(DownloadFile(inet, server.Url("/updates/pkg.zip"), dir.str(), message))
            << c.what;
        EXPECT_EQ(message, kEarlier) << c.what;
        EXPECT_EQ(dir.Names(), Names{"pkg.zip"}) << c.what;
        EXPECT_TRUE(test::ReadBytes(dir.file("pkg.zip")) == c.body) << c.what;
    }
}

TEST(DownloadFile, AFailedTransferAddsALineAndWritesNothing) {
    const std::vector<Served> cases = {
        {"404 with a body", test::Reply(404, "<html>Not Found</html>"), ""},
        {"body shorter than announced", test::ReplyTruncated(4096, std::string(1000, 't')), ""},
    };
    for (bool olderFile : {false, true}) {
        for (const Served& c : cases) {
            test::HttpTestServer server;
            server.Route("/updates/pkg.zip", c.handler);
            InternetTransfer inet(1s);
            test::TempDir dir;
            if (olderFile)
                test::WriteBytes(dir.file("pkg.zip"), "the older file");
            std::string message = kEarlier;

            EXPECT_FALSE(DownloadFile(inet, server.Url("/updates/pkg.zip"), dir.str(), message))
                << c.what;
            EXPECT_EQ(message, kEarlier + FailureLine("pkg.zip")) << c.what;
            if (olderFile) {
                EXPECT_EQ(dir.Names(), Names{"pkg.zip"}) << c.what;
                EXPECT_EQ(test::ReadBytes(dir.file("pkg.zip")), "the older file") << c.what;
            } else {
                EXPECT_EQ(dir.Names(), Names{}) << c.what;
            }
        }
    }
}

TEST(DownloadFile, TwoUrlsEndingInTheSameNameShareOneFile) {
    test::HttpTestServer server;
    server.Route("/v1/pkg.zip", test::Reply(200, "the first and longer version"));
    server.Route("/v2/pkg.zip", test::Reply(200, "second"));
    InternetTransfer inet(5s);
    test::TempDir dir;
    std::string message;

    EXPECT_TRUE(DownloadFile(inet, server.Url("/v1/pkg.zip"), dir.str(), message));
    EXPECT_EQ(test::ReadBytes(dir.file("pkg.zip")), "the first and longer version");
    EXPECT_TRUE(DownloadFile(inet, server.Url("/v2/pkg.zip"), dir.str(), message));
    EXPECT_EQ(test::ReadBytes(dir.file("pkg.zip")), "second");
    EXPECT_EQ(dir.Names(), Names{"pkg.zip"});
    EXPECT_EQ(message, "");
}

// No file outside the folder, nor one without a name, nor in a missing folder.
TEST(DownloadFile, RefusedNamesAndFoldersAddALineAndWriteNothing) {
    test::HttpTestServer server;
    InternetTransfer inet(5s);
    test::TempDir dir;
    const std::string temp = dir.file("temp");
    std::filesystem::create_directory(temp);
    std::string expected = kEarlier;
    std::string message = kEarlier;
    for (const std::string name :
         {"", "..", ".", "..\\evil.dll", "sub\\evil.dll", "c:evil.dll", "missing/pkg.zip"}) {
        server.Route("/" + name, test::Reply(200, "not for the disk"));
        const bool missingFolder = name == "missing/pkg.zip";
        EXPECT_FALSE(DownloadFile(inet, server.Url("/" + name),
                                  missingFolder ? dir.file("missing") : temp, message))
            << name;
        expected += FailureLine(missingFolder ? "pkg.zip" : name);
    }
    EXPECT_EQ(message, expected);
    EXPECT_EQ(dir.Names(), Names{"temp"});
    EXPECT_EQ(test::NamesIn(temp), Names{});
}

TEST(DownloadFile, WhileTheTransferIsStillExecutingNothingHappens) {
    test::HttpTestServer server;
    auto go = std::make_shared<std::atomic<bool>>(false);
    server.Route("/first.zip", [go](test::HttpExchange& exchange) {
        while (!go->load() && exchange.Pause(10ms)) {
        }
        test::Reply(200, "first body")(exchange);
    });
    server.Route("/second.zip", test::Reply(200, "second body"));
    InternetTransfer inet(30s);
    test::TempDir dir;

    std::string firstMessage;
    bool firstResult = false;
    std::thread first([&] {
        firstResult = DownloadFile(inet, server.Url("/first.zip"), dir.str(), firstMessage);
    });
    for (int i = 0; i < 1000 && server.Hits("/first.zip") == 0; ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(inet.StillExecuting());

    std::string message = kEarlier;
    EXPECT_FALSE(DownloadFile(inet, server.Url("/second.zip"), dir.str(), message));
    EXPECT_EQ(message, kEarlier);
    EXPECT_EQ(server.Hits("/second.zip"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "second.zip"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "first.zip"));

    go->store(true);
    first.join();
    EXPECT_TRUE(firstResult);
    EXPECT_EQ(firstMessage, "");
    EXPECT_FALSE(inet.StillExecuting());
    EXPECT_EQ(dir.Names(), Names{"first.zip"});
    EXPECT_EQ(test::ReadBytes(dir.file("first.zip")), "first body");
}

}  // namespace
}  // namespace kvu
