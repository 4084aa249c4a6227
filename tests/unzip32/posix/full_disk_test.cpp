// A write that fails for lack of room (here: the process's file size limit)
// leaves the installed file as it was.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "tests/unzip32/unzip_harness.h"

namespace kvu::test {
namespace {

TEST(FullDisk, TheInstalledFileStaysAndTheRunStops) {
    const std::string bytes = ZipOf({{.name = "app.dll", .data = std::string(3'000'000, 'x')},
                                     {.name = "later.dll", .data = "small"}});
    InstalledFolder installed;
    CallbackLog log;
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limit{1'000'000, saved.rlim_max};
    // Writes beyond the limit fail with EFBIG instead of ending the process.
    void (*previous)(int) = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    const std::int32_t code = ExtractBytes(bytes, installed.str(), &log);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(code, kUnzipDiskFull);
    EXPECT_NE(log.AllPrinted().find("full"), std::string::npos);
    installed.ExpectUntouched();  // later.dll was not tried either
}

}  // namespace
}  // namespace kvu::test
