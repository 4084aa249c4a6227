// Installing downloaded archives with the real extraction library.
#include "install/unzip_and_copy.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "tests/install/recording_host.h"
#include "tests/support/temp_dir.h"
#include "tests/support/zip_writer.h"

namespace kvu::test {
namespace {

const std::string kEarlier = "Előző hiba\r\n";
const std::string kInstalled = "MZ installed 1.0";

std::string Prepared(const std::string& name) {
    return ReadBytes(JoinPath(JoinPath(AppFolder(), "archives"), name));
}

class UnZipAndCopy : public ::testing::Test {
  protected:
    TempDir temp, product;
    UnzipOptions options;
    RecordingHost host;
    UnzipModule module{ExtractionLibraryPath(AppFolder()), options, host};
    std::string message = kEarlier;

    UnZipAndCopy() { WriteBytes(product.file("app.dll"), kInstalled); }
    // The record of app.dll, from an archive that the download stored.
    clsUpdateInfo Offer(const std::string& archive, const std::string& bytes) {
        WriteBytes(temp.file(archive), bytes);
        clsUpdateInfo record;
        record.NetPath = "http://lindora.test/pelt/" + archive;
        record.LocalPath = product.file("app.dll");
        return record;
    }
    void Install(const clsUpdateInfo& record) { Install(&record, module); }
    void Install(const clsUpdateInfo* record, UnzipModule& with, int position = 1) {
        UnZipAndCopyFile(with, record, position, temp.str(), message);
    }
    std::string Installed() const { return ReadBytes(product.file("app.dll")); }
};

// Whatever an earlier run asked for, an archive is written flat over the
// installed file without questions.
TEST_F(UnZipAndCopy, MembersLandFlatOverTheInstalledFile) {
    options.noflag = 0;
    options.PromptToOverwrite = options.ndflag = 1;
    host.caption = "an earlier archive's summary";
    Install(Offer("update.zip", ZipOf({{.name = "bin/x64/app.dll", .data = "MZ 2.0"}})));
    EXPECT_EQ(product.Names(), std::vector<std::string>{"app.dll"});
    EXPECT_EQ(Installed(), "MZ 2.0");
    EXPECT_TRUE(host.boxes.empty() && host.prompts.empty());
    EXPECT_EQ(message, kEarlier);
    EXPECT_EQ(host.captions.front(), "");
}

// An empty answer skips every encrypted member, also of later archives, until
// the option is cleared.
TEST_F(UnZipAndCopy, AnEmptyPasswordSkipsEveryEncryptedMemberFromThenOn) {
    host.answers = {"", "Titok-2024"};
    Install(Offer("first.zip", Prepared("zip_encrypted.zip")));
    Install(Offer("second.zip", Prepared("zip_encrypted.zip")));
    EXPECT_EQ(host.prompts, std::vector<std::string>{kPasswordPrompt});
    EXPECT_EQ(Installed(), kInstalled);
    options.PasswordSkip = false;
    Install(Offer("third.zip", Prepared("zip_encrypted.zip")));
    EXPECT_EQ(Installed(), Prepared("sources/app.dll"));
}

TEST_F(UnZipAndCopy, AFailureToStartAppendsALineAndExtractsNothing) {
    clsUpdateInfo record = Offer("update.zip", "PK");
    UnzipModule missing(product.file(kExtractionLibraryName), options, host);
    Install(&record, missing);
    Install(nullptr, module, 0);
    EXPECT_EQ(message, kEarlier + kUnzipFailureLine +
                           "53 File not found: " + product.file(kExtractionLibraryName) + "\r\n" +
                           kUnzipFailureLine + "91 no update record at position 0\r\n");
    EXPECT_EQ(Installed(), kInstalled);
    EXPECT_EQ(host.caption, "");
}

}  // namespace
}  // namespace kvu::test
