// The summary RunUnzip writes, from the values a stand-in library reports.
#include "install/unzip_module.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "tests/install/recording_host.h"

namespace kvu::test {
namespace {

TEST(RunUnzip, AppendsTheVersionsAndTotalsTheLibraryReportsAndShowsItsCode) {
    RecordingHost host;
    host.caption = "inflating: app.dll";
    UnzipOptions options;
    UnzipModule(JoinPath(AppFolder(), KVU_REPORTING_LIBRARY), options, host).RunUnzip();
    EXPECT_EQ(host.caption,
              "inflating: app.dll"
              "DLL Dátum: 06 Dec 2026\r\nZip Info: A.1F0\r\nDLL Verzió: FF.10B\r\n--------------"
              "\r\nOnly Shows If uExtractList = 1 List Contents\r\n--------------"
              "\r\nMegjegyzés        : 65535\r\nTeljes méret Comp : 7\r\n"
              "Teljes méret      : -1\r\nTömörítési factor : %-10\r\nTagok száma       : 3\r\n"
              "--------------\r\n");
    EXPECT_EQ(host.boxes, (decltype(host.boxes){{"9", ui::kMbOk}}));
}

}  // namespace
}  // namespace kvu::test
