// The search button from the user's side: what the main window shows at each
// end of a search, and the installation run over a real loopback server with
// real archives.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <vector>

#include "decision/update_form.h"
#include "platform/extraction.h"
#include "platform/paths.h"
#include "registration/file_info_log.h"
#include "tests/core/live_update_form_fixture.h"
#include "tests/support/base64.h"
#include "tests/support/http_test_server.h"
#include "tests/support/zip_writer.h"

namespace kvu {
namespace {

using headless::Click;
using headless::Type;

using Seen = std::tuple<double, double, std::string>;  // value, maximum, caption

class UpdateSearchTest : public test::LiveUpdateFormTest {
  protected:
    test::HttpTestServer server;
    test::TempDir product;
    std::vector<Seen> seen;  // the bar and the status label at each archive request

    LiveUpdateForm& Open() {
        std::filesystem::copy_file(JoinPath(AppFolder(), kExtractionLibraryName),
                                   app.file(kExtractionLibraryName));
        LiveUpdateForm& f = Start();
        EXPECT_TRUE(Type(f.tbRepoFile, server.Url("/pelt/r.xrs")));
        EXPECT_TRUE(Type(f.tbAppPath, product.str()));
        return f;
    }

    // Each file in its own archive, all archives of one name: each is
    // installed before the next download replaces it.
    static std::string ArchivePath(const std::string& file) { return "/pelt/" + file + "/u.zip"; }
    // Rows of new files; other products' rows are never offered.
    void ServeRepository(const std::vector<std::string>& files, int productNumber) {
        std::string body;
        for (const std::string& file : files) {
            body += test::Base64Encode(std::to_string(productNumber) + "\t0\t" +
                                       server.Url(ArchivePath(file)) + "\t" + file +
                                       "\tDLL\t1.0.0.0\t2024.03.15. 10:20:30\t4\tALLWAYS") +
                    "\r\n";
        }
        server.Route("/pelt/r.xrs", test::Reply(200, body));
    }
    void ServeArchive(const std::string& file) {
        const std::string zip = test::ZipOf({{.name = file, .data = "new " + file}});
        server.Route(ArchivePath(file), [this, zip](test::HttpExchange& exchange) {
            seen.push_back({form->ProgressBar1.Value(), form->ProgressBar1.Max(),
                            form->infocaption.Caption()});
            test::Reply(200, zip)(exchange);
        });
    }
    // Every recommended row but the one left out.
    void ChooseRecommendedBut(int leftOut) {
        headless::ActInNextModal(session, [this, leftOut](ui::Form& shown) {
            EXPECT_EQ(form->Label1.Caption(), "Van letölthető frissítés.");
            EXPECT_TRUE(form->Timer2.Running());
            EXPECT_FALSE(form->btUpdateSearch.Enabled());
            auto& list = dynamic_cast<updateform&>(shown);
            EXPECT_TRUE(headless::CheckRow(list.Lv1, leftOut, false));
            EXPECT_TRUE(Click(list.lbVálaszt));
        });
    }
};

// The user then names an existing folder, and the search asks for the repository.
TEST_F(UpdateSearchTest, AMissingProductFolderIsReportedThenAnUnreachableRepositoryEndsTheSearch) {
    LiveUpdateForm& f = Open();
    ASSERT_TRUE(Type(f.tbAppPath, product.file("missing")));
    ASSERT_TRUE(Click(f.btUpdateSearch));
    ASSERT_EQ(backend().messageBoxes.size(), 1u);
    EXPECT_EQ(backend().messageBoxes[0].text,
              "A megadott terméktelepítési mappa nem elérhető: " + product.file("missing"));
    EXPECT_EQ(backend().messageBoxes[0].title, "Tarvo Software Updater konfigurációs hiba");
    EXPECT_EQ(backend().messageBoxes[0].style, 16);
    EXPECT_TRUE(f.btUpdateSearch.Enabled());
    EXPECT_FALSE(f.Timer2.Running());
    EXPECT_EQ(f.ProgressBar1.Value(), 0);

    ASSERT_TRUE(Type(f.tbAppPath, product.str()));
    ASSERT_TRUE(Click(f.btUpdateSearch));
    EXPECT_EQ(server.Hits("/pelt/r.xrs"), 1) << "asked by the second click only";
    EXPECT_EQ(f.Label1.Caption(), "Verzióinformáció elérési hiba.");
    EXPECT_EQ(f.state().StatusText, "Friss verziók keresése.");
    EXPECT_EQ(f.ProgressBar1.Value(), f.ProgressBar1.Max());
    EXPECT_EQ(backend().messageBoxes.size(), 1u) << "no second box";
}

TEST_F(UpdateSearchTest, NothingToUpdateEndsWithAFreshLog) {
    test::WriteBytes(FileInfoLogPath(app.str()), "an earlier search\r\n");
    LiveUpdateForm& f = Open();
    ServeRepository({"other.dll"}, f.state().SelectedProductNumber + 1);
    f.state().ElapsedSeconds = 7;
    ASSERT_TRUE(Click(f.btUpdateSearch));
    EXPECT_EQ(f.Label1.Caption(), "Nincs letölthető frissítés.");
    EXPECT_EQ(f.state().StatusText, "Verzió ellenőrzés sikerült.");
    EXPECT_EQ(f.ProgressBar1.Value(), f.ProgressBar1.Max());
    EXPECT_EQ(f.state().ElapsedSeconds, 0);
    EXPECT_FALSE(f.Timer2.Running());
    EXPECT_FALSE(f.btUpdateSearch.Enabled());
    EXPECT_EQ(f.state().RepositoryRows.size(), 1u);
    EXPECT_FALSE(PathExists(FileInfoLogPath(app.str()))) << "this search logged nothing";
}

// The archive of gone.dll is missing: its row is left out and reported in one box.
TEST_F(UpdateSearchTest, ChosenFilesAreInstalledStepByStepAndTheNextSearchStartsAfresh) {
    const std::vector<std::string> files = {"a.dll", "b.dll", "c.dll"};
    LiveUpdateForm& f = Open();
    ServeRepository({"a.dll", "b.dll", "left-out.dll", "gone.dll", "c.dll"},
                    f.state().SelectedProductNumber);
    for (const std::string& file : files)
        ServeArchive(file);
    ChooseRecommendedBut(2);
    ASSERT_TRUE(Click(f.btUpdateSearch));

    const std::vector<Seen> expected = {
        {1, 5, "a.dll letöltése..."}, {2, 5, "b.dll letöltése..."}, {4, 5, "c.dll letöltése..."}};
    EXPECT_EQ(seen, expected);
    for (const std::string& file : files)
        EXPECT_EQ(test::ReadBytes(product.file(file)), "new " + file);
    EXPECT_EQ(server.Hits(ArchivePath("left-out.dll")), 0);
    EXPECT_FALSE(PathExists(product.file("gone.dll")));
    EXPECT_FALSE(GetUpdateInfo(f.state().UpdateList, 4)->Download);
    EXPECT_EQ(f.ProgressBar1.Value(), 5);
    EXPECT_EQ(f.Label1.Caption(), "Az internetes frissítés befejeződőtt!");
    EXPECT_EQ(f.state().StatusText, "Az internetes frissítés befejeződőtt!");
    EXPECT_FALSE(f.Timer2.Running());
    EXPECT_TRUE(f.btUpdateSearch.Enabled());
    ASSERT_EQ(backend().messageBoxes.size(), 1u);
    EXPECT_EQ(backend().messageBoxes[0].text, "Fájl letöltési hiba: u.zip\r\n");
    EXPECT_EQ(backend().messageBoxes[0].style, 64);
    EXPECT_EQ(backend().messageBoxes[0].title, "Internetes alkalmazásfrissítés");

    // Chosen nothing, the next run still ends.
    ServeRepository({"a.dll"}, f.state().SelectedProductNumber);
    headless::ActInNextModal(session, [](ui::Form& shown) {
        EXPECT_TRUE(Click(dynamic_cast<updateform&>(shown).lbMégsem));
    });
    ASSERT_TRUE(Click(f.btUpdateSearch));
    EXPECT_EQ(f.state().UpdateList.Count(), 1);
    EXPECT_EQ(f.state().RepositoryRows.size(), 1u);
    EXPECT_EQ(f.ProgressBar1.Value(), 3) << "the search's own range again";
    EXPECT_EQ(f.Label1.Caption(), "Az internetes frissítés befejeződőtt!");
    EXPECT_EQ(backend().messageBoxes.size(), 1u) << "nothing failed this time";
}

// The window as the extraction's host: its status label and its message boxes.
TEST_F(UpdateSearchTest, UnZipAndCopyFileReportsOnTheWindow) {
    LiveUpdateForm& f = Open();
    f.state().TempFolder = tmp.str();
    clsUpdateInfo record;
    record.NetPath = "http://lindora.test/pelt/app.zip";
    record.LocalPath = app.file("app.dll");
    f.state().UpdateList.Add(record);
    test::WriteBytes(tmp.file("app.zip"), "<html>404</html>");

    std::string message;
    f.UnZipAndCopyFile(1, message);
    ASSERT_EQ(backend().messageBoxes.size(), 1u);
    EXPECT_EQ(backend().messageBoxes[0].text, "9");
    EXPECT_EQ(backend().messageBoxes[0].title, "Internetes alkalmazásfrissítés");
    EXPECT_TRUE(f.infocaption.Caption().ends_with("--------------\r\n"));
}

}  // namespace
}  // namespace kvu
