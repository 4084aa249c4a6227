// The summary RunUnzip writes, from the values a stand-in library reports.
#include "install/unzip_module.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "tests/install/recording_host.h"

namespace kvu::test {
namespace {

const std::string kTotalsHead =
    "\r\nOnly Shows If uExtractList = 1 List Contents\r\n--------------";

TEST(RunUnzip, AppendsTheVersionsAndTotalsTheLibraryReports) {
    struct Case {
        const char* library;
        std::string summary;
        std::vector<std::pair<std::string, int>> boxes;
    };
    const Case cases[] = {
        {KVU_REPORTING_LIBRARY_0,
         "DLL Dátum: 06 Dec 2026\r\nZip Info: A.1F0\r\nDLL Verzió: FF.10B\r\n--------------" +
             kTotalsHead +
             "\r\nMegjegyzés        : 65535\r\nTeljes méret Comp : 7\r\n"
             "Teljes méret      : -1\r\nTömörítési factor : %-10\r\nTagok száma       : 3\r\n"
             "--------------\r\n",
         {}},
        {KVU_REPORTING_LIBRARY_1,
         "DLL Dátum: \r\nZip Info: 5.52\r\nDLL Verzió: 0.00\r\n--------------" + kTotalsHead +
             "\r\nMegjegyzés        : 0\r\nTeljes méret Comp : 0\r\nTeljes méret      : 0\r\n"
             "Tömörítési factor : %0\r\nTagok száma       : 0\r\n--------------\r\n",
         {{"9", ui::kMbOk}}},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        host.caption = "inflating: app.dll";
        UnzipOptions options;
        UnzipModule(JoinPath(AppFolder(), c.library), options, host).RunUnzip();
        EXPECT_EQ(host.caption, "inflating: app.dll" + c.summary);
        EXPECT_EQ(host.boxes, c.boxes);
    }
}

}  // namespace
}  // namespace kvu::test
