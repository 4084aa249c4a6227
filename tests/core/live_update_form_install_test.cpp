// The main window as the extraction's host: its status label, its message
// boxes, and the library in its application folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "install/unzip_and_copy.h"
#include "platform/paths.h"
#include "tests/core/live_update_form_fixture.h"

namespace kvu {
namespace {

using test::LiveUpdateFormTest;

TEST_F(LiveUpdateFormTest, UnZipAndCopyFileUsesTheLibraryOfTheApplicationFolder) {
    LiveUpdateForm& f = Start();
    f.state().TempFolder = tmp.str();
    clsUpdateInfo record;
    record.NetPath = "http://lindora.test/pelt/app.zip";
    record.LocalPath = app.file("app.dll");
    f.state().UpdateList.Add(record);
    test::WriteBytes(tmp.file("app.zip"), "<html>404</html>");

    std::string message;
    f.UnZipAndCopyFile(1, message);
    f.UnZipAndCopyFile(2, message);
    EXPECT_EQ(message, kUnzipFailureLine + std::string("53 File not found: ") +
                           app.file(kExtractionLibraryName) + "\r\n" + kUnzipFailureLine +
                           "91 no update record at position 2\r\n");

    std::filesystem::copy_file(JoinPath(AppFolder(), kExtractionLibraryName),
                               app.file(kExtractionLibraryName));
    f.UnZipAndCopyFile(1, message);
    ASSERT_EQ(backend().messageBoxes.size(), 1u);
    EXPECT_EQ(backend().messageBoxes[0].text, "9");
    EXPECT_EQ(backend().messageBoxes[0].title, "Internetes alkalmazásfrissítés");
    EXPECT_TRUE(f.infocaption.Caption().ends_with("--------------\r\n"));
}

}  // namespace
}  // namespace kvu
