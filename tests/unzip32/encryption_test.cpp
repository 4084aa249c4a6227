// Encrypted members, made at build time by Debian's zip (with data descriptors)
// and by make_archives.py (without): the password comes from the password
// callback.
#include <gtest/gtest.h>

#include "tests/unzip32/unzip_harness.h"

namespace kvu::test {
namespace {

constexpr const char* kPassword = "Titok-2024";
// As make_archives.py makes it: 256 characters.
const std::string kLongPassword = [] {
    std::string text = "Titok-";
    while (text.size() < 256)
        text += "0123456789abcdef";
    return text.substr(0, 256);
}();

std::string Prepared(const std::string& name) {
    return BesideTest("archives" + std::string(1, kPathSep) + name);
}

std::string Source(const std::string& name) {
    return ReadBytes(Prepared("sources" + std::string(1, kPathSep) + name));
}

class Encryption : public ::testing::Test {
  protected:
    UnzipOutcome Unzip(const std::string& archive, CallbackLog& log) {
        return unzipper_.Run(UnzipCall(Prepared(archive), installed_.path()), log);
    }

    InstalledFolder installed_;
    Unzipper unzipper_;
};

TEST_F(Encryption, TheRightPasswordIsAskedOnceAndOpensEveryMember) {
    CallbackLog log;
    log.passwords = {kPassword};
    EXPECT_EQ(Unzip("zip_encrypted.zip", log).code, kUnzipOk) << log.AllPrinted();
    EXPECT_EQ(log.passwordEntries, std::vector<std::string>{"app.dll"});
    EXPECT_EQ(ReadBytes(installed_.file("app.dll")), Source("app.dll"));
    EXPECT_EQ(ReadBytes(installed_.file("readme.txt")), Source("readme.txt"));
}

// Without a data descriptor the header's check byte is the CRC's high byte; a
// password may fill the whole 256 characters the callback is given.
TEST_F(Encryption, MembersWithoutADataDescriptorAndTheLongestPassword) {
    for (auto [archive, password] : {std::pair{"own_encrypted.zip", kPassword},
                                     std::pair{"own_long_password.zip", kLongPassword.c_str()}}) {
        SCOPED_TRACE(archive);
        InstalledFolder installed;
        CallbackLog log;
        log.passwords = {password};
        EXPECT_EQ(unzipper_.Run(UnzipCall(Prepared(archive), installed.path()), log).code,
                  kUnzipOk);
        EXPECT_EQ(ReadBytes(installed.file("app.dll")), Source("app.dll"));
        EXPECT_EQ(ReadBytes(installed.file("readme.txt")), Source("readme.txt"));
    }
}

TEST_F(Encryption, AWrongPasswordKeepsTheInstalledFile) {
    CallbackLog log;
    log.passwords = {"wrong", "Titok-2023", "titok-2024"};
    EXPECT_EQ(Unzip("zip_encrypted.zip", log).code, kUnzipBadPassword);
    EXPECT_NE(log.AllPrinted().find("incorrect password"), std::string::npos);
    installed_.ExpectUntouched();
}

TEST_F(Encryption, AnEmptyPasswordSkipsTheMemberWithoutMoreQuestions) {
    CallbackLog log;  // no answers: the callback answers 1, no password
    EXPECT_EQ(Unzip("zip_encrypted.zip", log).code, kUnzipBadPassword);
    // Asked once for each encrypted member, never again for the same one.
    EXPECT_EQ(log.passwordEntries, (std::vector<std::string>{"app.dll", "readme.txt"}));
    installed_.ExpectUntouched();
}

TEST_F(Encryption, AWrongPasswordIsAskedAgain) {
    CallbackLog log;
    log.passwords = {"wrong", kPassword};
    EXPECT_EQ(Unzip("zip_encrypted.zip", log).code, kUnzipOk);
    EXPECT_EQ(log.passwordEntries, (std::vector<std::string>{"app.dll", "app.dll"}));
    EXPECT_EQ(ReadBytes(installed_.file("app.dll")), Source("app.dll"));
}

TEST_F(Encryption, PlainMembersBesideEncryptedOnesAreExtractedWithoutAPassword) {
    CallbackLog log;
    EXPECT_EQ(Unzip("zip_mixed.zip", log).code, kUnzipWarning);
    EXPECT_EQ(ReadBytes(installed_.file("readme.txt")), Source("readme.txt"));
    EXPECT_EQ(ReadBytes(installed_.file("app.dll")), InstalledFolder::kInstalledBytes);
    EXPECT_EQ(installed_.Names(), (std::vector<std::string>{"app.dll", "readme.txt"}));
}

TEST_F(Encryption, TestModeChecksEncryptedMembersToo) {
    CallbackLog log;
    log.passwords = {kPassword};
    UnzipCall call(Prepared("zip_encrypted.zip"), installed_.path());
    call.options.ntflag = 1;
    EXPECT_EQ(unzipper_.Run(call, log).code, kUnzipOk);
    EXPECT_NE(log.AllPrinted().find("app.dll   OK"), std::string::npos);
    installed_.ExpectUntouched();
}

}  // namespace
}  // namespace kvu::test
