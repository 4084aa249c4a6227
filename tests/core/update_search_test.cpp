// The search's window-free steps, and the installation walk's failures over a
// real loopback server; the walk itself is tested through the window.
#include "core/update_search.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    state.TempFolder = "earlier";
    FileData indexed;
    indexed.File = "x";
    state.LocalIndex.Add(indexed);
    for (auto [value, onlyNewer] : {std::pair{0, 0}, {1, 1}, {2, 1}, {-1, 0}}) {
        BeginSearch(state, {"http://h/r.xrs", "product", value});
        EXPECT_EQ(state.OnlyNewer, onlyNewer) << value;
    }
    EXPECT_TRUE(state.LocalIndex.Empty());
    EXPECT_EQ(state.TempFolder, "start-up temp");
    EXPECT_EQ(state.RepositoryUrl, "http://h/r.xrs");
    EXPECT_EQ(state.ProductFolder, "product");
}

TEST(UpdateSearch, OnlyAnExistingNamedPathIsAProductFolder) {
    test::TempDir dir;
    test::WriteBytes(dir.file("file.dll"), "x");
    EXPECT_FALSE(ProductFolderExists("")) << "never the current drive's root";
    EXPECT_FALSE(ProductFolderExists(dir.file("missing")));
    EXPECT_TRUE(ProductFolderExists(dir.str()));
    EXPECT_TRUE(ProductFolderExists(dir.file("file.dll")));
}

TEST(InstallationRun, OnlyTextBeyondBlanksIsAMessage) {
    for (const char* blank : {"", " ", "   \r\n", "\t"})
        EXPECT_FALSE(HasInstallationMessage(blank)) << '"' << blank << '"';
    EXPECT_TRUE(HasInstallationMessage(" Fájl letöltési hiba: a.zip\r\n"));
}

class InstallWalkTest : public ::testing::Test {
  protected:
    test::HttpTestServer server;
    test::TempDir tmp;
    InternetTransfer inet;
    UpdateList list;
    std::vector<std::string> seen;  // captions, installs and steps in order
    InstallSteps steps{[this](const std::string& text) { seen.push_back("caption " + text); },
                       [this] { seen.push_back("step"); },
                       [this](int position, std::string&) {
                           seen.push_back("install " + std::to_string(position));
                           throw std::runtime_error("record access failed");
                       }};

    void Add(const std::string& name, const std::string& path, bool chosen) {
        clsUpdateInfo record;
        record.appname = name;
        record.NetPath = server.Url(path);
        record.Download = chosen;
        list.Add(record);
    }
};

TEST_F(InstallWalkTest, AFailingStepIsReportedAndTheWalkGoesOn) {
    server.Route("/a.zip", test::Reply(200, "zip"));
    Add("one.dll", "/a.zip", true);
    Add("two.dll", "/a.zip", true);
    std::string message;
    InstallChosenFiles(list, inet, tmp.str(), steps, message);
    const std::string line = std::string(kDownloadFailureLine) + "51 record access failed\r\n";
    EXPECT_EQ(message, line + line);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "step"), 2);
    EXPECT_EQ(seen.back(), "caption ");
}

}  // namespace
}  // namespace kvu
