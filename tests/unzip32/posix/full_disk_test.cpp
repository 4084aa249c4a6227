// A write that fails for lack of room (here: the process's file size limit)
// leaves the installed file as it was.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <optional>

#include "tests/unzip32/unzip_harness.h"

namespace kvu::test {
namespace {

// Writes beyond the limit fail with EFBIG instead of ending the process.
struct FileSizeLimit {
    rlimit saved{};
    void (*previous)(int) = std::signal(SIGXFSZ, SIG_IGN);

    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limit{bytes, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
    }
};

TEST(FullDisk, TheInstalledFileStaysAndTheRunStops) {
    const std::string bytes = ZipOf({{.name = "app.dll", .data = std::string(3'000'000, 'x')},
                                     {.name = "later.dll", .data = "small"}});
    InstalledFolder installed;
    CallbackLog log;
    std::optional<FileSizeLimit> limit(1'000'000);
    EXPECT_EQ(ExtractBytes(bytes, installed.str(), &log), kUnzipDiskFull);
    limit.reset();
    EXPECT_NE(log.AllPrinted().find("full"), std::string::npos);
    installed.ExpectUntouched();  // later.dll was not tried either
}

}  // namespace
}  // namespace kvu::test
