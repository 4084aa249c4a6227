// The search's window-free steps, and the installation walk over a real
// loopback server.
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

TEST(UpdateSearch, BeginSearchStartsFreshWithTheWindowsSettings) {
    UpdaterState state;
    state.DefaultTempFolder = "start-up temp";
    state.TempFolder = "earlier";
    state.UpdateList.Add({});
    state.RepositoryRows.push_back({});
    FileData indexed;
    indexed.File = "x";
    state.LocalIndex.Add(indexed);
    for (auto [value, onlyNewer] : {std::pair{0, 0}, {1, 1}, {2, 1}, {-1, 0}}) {
        BeginSearch(state, {"http://h/r.xrs", "product", value});
        EXPECT_EQ(state.OnlyNewer, onlyNewer) << value;
    }
    EXPECT_EQ(state.UpdateList.Count(), 0);
    EXPECT_TRUE(state.RepositoryRows.empty());
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
                           seen.push_back("install " + std::to_string(position) + " " +
                                          test::ReadBytes(tmp.file("a.zip")));
                       }};

    void Add(const std::string& name, const std::string& path, bool chosen) {
        clsUpdateInfo record;
        record.appname = name;
        record.NetPath = server.Url(path);
        record.Download = chosen;
        list.Add(record);
    }
};

// Each archive is installed right after its own download, so two records of
// the same archive name each see their own content.
TEST_F(InstallWalkTest, ChosenFilesAreFetchedAndInstalledOneAfterTheOther) {
    server.Route("/1/a.zip", test::Reply(200, "first"));
    server.Route("/2/a.zip", test::Reply(200, "second"));
    Add("one.dll", "/1/a.zip", true);
    Add("skipped.dll", "/1/a.zip", false);
    Add("missing.dll", "/404/a.zip", true);
    Add("two.dll", "/2/a.zip", true);
    std::string message = "earlier\r\n";
    InstallChosenFiles(list, inet, tmp.str(), steps, message);

    const std::vector<std::string> expected = {"caption one.dll letöltése...",
                                               "caption one.dllkicsomagolása...",
                                               "install 1 first",
                                               "step",
                                               "caption missing.dll letöltése...",
                                               "caption missing.dllkicsomagolása...",
                                               "step",
                                               "caption two.dll letöltése...",
                                               "caption two.dllkicsomagolása...",
                                               "install 4 second",
                                               "step",
                                               "caption "};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(message, "earlier\r\n" + std::string(kDownloadFailureLine) + "a.zip\r\n");
    EXPECT_EQ(server.Hits("/1/a.zip"), 1) << "the unchosen record is not fetched";
    std::vector<bool> flags;
    for (const clsUpdateInfo& record : list)
        flags.push_back(record.Download);
    EXPECT_EQ(flags, (std::vector<bool>{true, false, false, true}));
}

TEST_F(InstallWalkTest, AFailingStepIsReportedAndTheWalkGoesOn) {
    server.Route("/a.zip", test::Reply(200, "zip"));
    Add("one.dll", "/a.zip", true);
    Add("two.dll", "/a.zip", true);
    steps.install = [this](int position, std::string&) {
        seen.push_back("install " + std::to_string(position));
        throw std::runtime_error("record access failed");
    };
    std::string message;
    InstallChosenFiles(list, inet, tmp.str(), steps, message);
    const std::string line = std::string(kDownloadFailureLine) + "51 record access failed\r\n";
    EXPECT_EQ(message, line + line);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "step"), 2);
    EXPECT_EQ(seen.back(), "caption ");
}

}  // namespace
}  // namespace kvu
