// An update list of many offered files, each with a real installed copy in a
// folder (so that loading the window runs the lock test on real files), in
// all four cases, for the update list window's benchmarks.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "decision/update_info.h"

namespace kvu::bench {

inline std::vector<clsUpdateInfo> MakeUpdateList(const std::filesystem::path& folder, int count) {
    std::filesystem::create_directories(folder);
    std::vector<clsUpdateInfo> list;
    for (int i = 0; i < count; ++i) {
        clsUpdateInfo r;
        r.appname = "component" + std::to_string(i * 7919 % count) + ".dll";
        r.LocalPath = (folder / r.appname).string();
        std::ofstream(r.LocalPath, std::ios::binary) << "MZ" << i;
        r.LocalVersion = i % 4 == 0 ? "" : "2.0." + std::to_string(i % 9) + ".1";
        r.LocalFileSize = i % 4 == 0 ? 0 : 1000 + i * 37 % 90000;
        r.LocalFileDate =
            "2023.0" + std::to_string(1 + i % 9) + ".1" + std::to_string(i % 10) + ". 10:00:00";
        r.NetVersion = "2.0." + std::to_string(i % 5) + ".1";
        r.NetFileDate = "2023.05.01. 00:00:00";
        r.NetFileSize = 2000 + i * 53 % 90000;
        r.AppType = i % 3 == 0 ? "OCX" : "DLL";
        r.NetPath = "http://update.tarvo.hu/pelt/" + r.appname + ".zip";
        list.push_back(r);
    }
    return list;
}

}  // namespace kvu::bench
