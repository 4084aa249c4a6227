// The search's window-free steps, and the installation walk's failures over a
// real loopback server; the walk itself is tested through the window.
#include "core/update_search.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/installation_run.h"
#include "install/download_file.h"
#include "tests/support/http_test_server.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

// The emptied update list and rows show in the window's second search.
TEST(UpdateSearch, BeginSearchStartsFreshWithTheWindowsSettings) {
    UpdaterState state;
    state.DefaultTempFolder = "start-up temp";
    state.LocalIndex.Add({"x", "x", {}, 1, "", false});
    for (auto [value, onlyNewer] : {std::pair{0, 0}, {1, 1}, {2, 1}, {-1, 0}}) {
        BeginSearch(state, {"http://h/r.xrs", "product", value});
        EXPECT_EQ(state.OnlyNewer, onlyNewer) << value;
    }
    EXPECT_TRUE(state.LocalIndex.Empty());
    EXPECT_EQ(state.TempFolder, "start-up temp");
}

TEST(UpdateSearch, AnEmptyPathIsNoProductFolderAnExistingFileIs) {
    test::TempDir dir;
    test::WriteBytes(dir.file("file.dll"), "x");
    EXPECT_FALSE(ProductFolderExists("")) << "never the current drive's root";
    EXPECT_TRUE(ProductFolderExists(dir.file("file.dll")));
}

TEST(InstallationRun, OnlyTextBeyondBlanksIsAMessage) {
    for (const char* blank : {"", " ", "   \r\n", "\t"})
        EXPECT_FALSE(HasInstallationMessage(blank)) << '"' << blank << '"';
    EXPECT_TRUE(HasInstallationMessage(" Fájl letöltési hiba: a.zip\r\n"));
}

TEST(InstallWalk, AFailingStepIsReportedAndTheWalkGoesOn) {
    test::HttpTestServer server;
    server.Route("/a.zip", test::Reply(200, "zip"));
    test::TempDir tmp;
    InternetTransfer inet;
    UpdateList list;
    for (int records = 0; records < 2; ++records) {
        clsUpdateInfo record;
        record.NetPath = server.Url("/a.zip");
        record.Download = true;
        list.Add(record);
    }
    int stepsTaken = 0;
    std::string lastCaption = "none yet", message;
    const InstallSteps steps{
        [&](const std::string& text) { lastCaption = text; }, [&] { ++stepsTaken; },
        [](int, std::string&) { throw std::runtime_error("record access failed"); }};
    InstallChosenFiles(list, inet, tmp.str(), steps, message);
    const std::string line = std::string(kDownloadFailureLine) + "51 record access failed\r\n";
    EXPECT_EQ(message, line + line);
    EXPECT_EQ(stepsTaken, 2);
    EXPECT_EQ(lastCaption, "");
}

}  // namespace
}  // namespace kvu
