// DownloadFile's own part: where the body goes and the failure line. The
// transfer's HTTP faults are tested with the transfer.
#include "install/download_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/http_test_server.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

using namespace std::chrono_literals;
using Names = std::vector<std::string>;

const std::string kEarlier = "Előző hiba\r\n";

class DownloadFileTest : public ::testing::Test {
  protected:
    test::HttpTestServer server;
    InternetTransfer inet{5s};
    test::TempDir dir;
    std::string message = kEarlier;

    bool Download(const std::string& path) {
        return DownloadFile(inet, server.Url(path), dir.str(), message);
    }
};

// An older, longer file of the same name is replaced whole.
TEST_F(DownloadFileTest, StoresTheBodyUnderTheUrlsLastPiece) {
    const std::string large = test::GeneratedBody(5 * 1024 * 1024 + 3);
    server.Route("/v1/pkg.zip", test::Reply(200, large));
    server.Route("/v2/pkg.zip", test::Reply(200, ""));
    test::WriteBytes(dir.file("pkg.zip"), std::string(6 * 1024 * 1024, 'o'));
    EXPECT_TRUE(Download("/v1/pkg.zip"));
    EXPECT_TRUE(test::ReadBytes(dir.file("pkg.zip")) == large);
    EXPECT_TRUE(Download("/v2/pkg.zip"));
    EXPECT_EQ(test::ReadBytes(dir.file("pkg.zip")), "");
    EXPECT_EQ(dir.Names(), Names{"pkg.zip"});
    EXPECT_EQ(message, kEarlier);
}

TEST_F(DownloadFileTest, AFailedTransferAddsALineAndKeepsTheOlderFile) {
    server.Route("/pkg.zip", test::Reply(404, "<html>Not Found</html>"));
    test::WriteBytes(dir.file("pkg.zip"), "the older file");
    EXPECT_FALSE(Download("/pkg.zip"));
    EXPECT_EQ(test::ReadBytes(dir.file("pkg.zip")), "the older file");
    EXPECT_EQ(dir.Names(), Names{"pkg.zip"});
    EXPECT_EQ(message, kEarlier + "Fájl letöltési hiba: pkg.zip\r\n");
}

// No file outside the folder, nor one without a name, nor in a missing folder.
TEST_F(DownloadFileTest, RefusedNamesAndFoldersAddALineAndWriteNothing) {
    std::filesystem::create_directory(dir.file("temp"));
    std::string expected = kEarlier;
    for (const std::string name :
         {"", "..", ".", "..\\evil.dll", "sub\\evil.dll", "c:evil.dll", "missing/pkg.zip"}) {
        server.Route("/" + name, test::Reply(200, "not for the disk"));
        const bool missingFolder = name == "missing/pkg.zip";
        EXPECT_FALSE(DownloadFile(inet, server.Url("/" + name),
                                  dir.file(missingFolder ? "missing" : "temp"), message))
            << name;
        expected += "Fájl letöltési hiba: " + (missingFolder ? "pkg.zip" : name) + "\r\n";
    }
    EXPECT_EQ(message, expected);
    EXPECT_EQ(dir.Names(), Names{"temp"});
    EXPECT_EQ(test::NamesIn(dir.file("temp")), Names{});
}

// The body arrives on the caller's thread: a download asked for meanwhile
// does nothing and says nothing.
TEST_F(DownloadFileTest, WhileTheTransferIsStillExecutingNothingHappens) {
    server.Route("/first.zip", test::Reply(200, "first body"));
    bool second = true;
    ASSERT_TRUE(inet.OpenUrl(server.Url("/first.zip"),
                             [&](std::string_view) {
                                 second = Download("/second.zip");
                                 return true;
                             })
                    .ok());
    EXPECT_FALSE(second);
    EXPECT_EQ(message, kEarlier);
    EXPECT_EQ(server.Hits("/second.zip"), 0);
    EXPECT_EQ(dir.Names(), Names{});
}

}  // namespace
}  // namespace kvu
