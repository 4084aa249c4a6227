// Encrypted members, made at build time by Debian's zip (with data descriptors)
// and here by the test writer (without): the password comes from the password
// callback.
#include <gtest/gtest.h>

#include "tests/unzip32/unzip_harness.h"

namespace kvu::test {
namespace {

constexpr const char* kPassword = "Titok-2024";
// 256 characters, all the callback is given.
const std::string kLongPassword = "Titok-" + std::string(250, 'x');

TEST(Encryption, PasswordsAreAskedOncePerMemberUntilOneFits) {
    struct Case {
        const char* archive;
        std::deque<std::string> passwords;
        std::int32_t code;
        std::vector<std::string> asked;  // the entries the callback was asked for
        bool appWritten, readmeWritten;  // else app.dll stays as installed, readme.txt absent
        const char* printed = "";
        std::int32_t DCL::*mode = &DCL::noflag;
    };
    const std::vector<std::string> app = {"app.dll"}, both = {"app.dll", "readme.txt"};
    const std::vector<std::string> threeTries = {"app.dll", "app.dll", "app.dll", "readme.txt"};
    const std::deque<std::string> wrong = {"wrong", "Titok-2023", "titok-2024"};
    const std::string sources = Prepared("sources") + kPathSep;
    TempDir own;
    WriteBytes(
        own.file("own_encrypted.zip"),
        ZipOf({{.name = "app.dll", .data = ReadBytes(sources + "app.dll"), .password = kPassword},
               {.name = "readme.txt",
                .data = ReadBytes(sources + "readme.txt"),
                .password = kLongPassword}}));
    const Case cases[] = {
        // Without a data descriptor the check byte is the CRC's high byte.
        {"own_encrypted.zip", {kPassword, kLongPassword}, kUnzipOk, both, true, true},
        // A fitting password opens every later member without a question.
        {"zip_encrypted.zip", {"wrong", kPassword}, kUnzipOk, {"app.dll", "app.dll"}, true, true},
        // Three tries a member, then it is skipped.
        {"zip_encrypted.zip", wrong, kUnzipBadPassword, threeTries, false, false, "incorrect"},
        // No answer skips the member without more questions.
        {"zip_encrypted.zip", {}, kUnzipBadPassword, both, false, false},
        // Plain members beside encrypted ones need no password.
        {"zip_mixed.zip", {}, kUnzipWarning, app, false, true},
        {"zip_encrypted.zip", {kPassword}, kUnzipOk, app, false, false, "OK", &DCL::ntflag},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << &c - cases);
        InstalledFolder installed;
        CallbackLog log;
        log.passwords = c.passwords;
        const bool ours = std::string(c.archive) == "own_encrypted.zip";
        UnzipCall call(ours ? own.file(c.archive) : Prepared(c.archive), installed.str());
        call.options.*c.mode = 1;
        EXPECT_EQ(Extract(call, &log), c.code);
        EXPECT_EQ(log.Names("password"), c.asked);
        EXPECT_NE(log.AllPrinted().find(c.printed), std::string::npos);
        EXPECT_EQ(ReadBytes(installed.file("app.dll")),
                  c.appWritten ? ReadBytes(sources + "app.dll") : InstalledFolder::kInstalledBytes);
        EXPECT_EQ(ReadBytes(installed.file("readme.txt")),
                  c.readmeWritten ? ReadBytes(sources + "readme.txt") : "");
        EXPECT_EQ(installed.Names().size(), 1u + c.readmeWritten);
    }
}

}  // namespace
}  // namespace kvu::test
