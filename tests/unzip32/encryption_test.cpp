// Encrypted members, made at build time by Debian's zip (with data descriptors)
// and by make_archives.py (without): the password comes from the password
// callback.
#include <gtest/gtest.h>

#include "tests/unzip32/unzip_harness.h"

namespace kvu::test {
namespace {

constexpr const char* kPassword = "Titok-2024";
// As make_archives.py makes it: 256 characters, all the callback is given.
std::string LongPassword() {
    std::string text = "Titok-";
    while (text.size() < 256)
        text += "0123456789abcdef";
    return text.substr(0, 256);
}

std::string Source(const std::string& name) {
    return ReadBytes(Prepared("sources/" + name));
}

TEST(Encryption, PasswordsAreAskedOncePerMemberUntilOneFits) {
    struct Case {
        const char* archive;
        std::deque<std::string> passwords;
        std::int32_t code;
        std::vector<std::string> asked;  // the entries the callback was asked for
        bool written;                    // else the installed folder stays as it was
        const char* printed = "";
    };
    const Case cases[] = {
        // The right password opens every member with one question.
        {"zip_encrypted.zip", {kPassword}, kUnzipOk, {"app.dll"}, true},
        // Without a data descriptor the check byte is the CRC's high byte.
        {"own_encrypted.zip", {kPassword}, kUnzipOk, {"app.dll"}, true},
        {"own_long_password.zip", {LongPassword()}, kUnzipOk, {"app.dll"}, true},
        {"zip_encrypted.zip", {"wrong", kPassword}, kUnzipOk, {"app.dll", "app.dll"}, true},
        // Three tries a member, then it is skipped.
        {"zip_encrypted.zip",
         {"wrong", "Titok-2023", "titok-2024"},
         kUnzipBadPassword,
         {"app.dll", "app.dll", "app.dll", "readme.txt"},
         false,
         "incorrect password"},
        // No answer skips the member without more questions.
        {"zip_encrypted.zip", {}, kUnzipBadPassword, {"app.dll", "readme.txt"}, false},
    };
    Unzipper unzipper;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.archive + (" " + std::to_string(c.passwords.size())));
        InstalledFolder installed;
        CallbackLog log;
        log.passwords = c.passwords;
        EXPECT_EQ(unzipper.Run(UnzipCall(Prepared(c.archive), installed.path()), log).code, c.code);
        EXPECT_EQ(log.Names("password"), c.asked);
        EXPECT_NE(log.AllPrinted().find(c.printed), std::string::npos);
        if (c.written) {
            EXPECT_EQ(ReadBytes(installed.file("app.dll")), Source("app.dll"));
            EXPECT_EQ(ReadBytes(installed.file("readme.txt")), Source("readme.txt"));
        } else {
            installed.ExpectUntouched();
        }
    }
}

TEST(Encryption, PlainMembersBesideEncryptedOnesAreExtractedWithoutAPassword) {
    InstalledFolder installed;
    EXPECT_EQ(Unzipper().Run(UnzipCall(Prepared("zip_mixed.zip"), installed.path())).code,
              kUnzipWarning);
    EXPECT_EQ(ReadBytes(installed.file("readme.txt")), Source("readme.txt"));
    EXPECT_EQ(installed.Names(), (std::vector<std::string>{"app.dll", "readme.txt"}));
    EXPECT_EQ(ReadBytes(installed.file("app.dll")), InstalledFolder::kInstalledBytes);
}

TEST(Encryption, TestModeChecksEncryptedMembersToo) {
    InstalledFolder installed;
    CallbackLog log;
    log.passwords = {kPassword};
    UnzipCall call(Prepared("zip_encrypted.zip"), installed.path());
    call.options.ntflag = 1;
    EXPECT_EQ(Unzipper().Run(call, log).code, kUnzipOk);
    EXPECT_NE(log.AllPrinted().find("app.dll   OK"), std::string::npos);
    installed.ExpectUntouched();
}

}  // namespace
}  // namespace kvu::test
