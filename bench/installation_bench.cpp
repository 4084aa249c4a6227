// The installation run of 100 chosen files of about 100 KB each, their
// archives served from 127.0.0.1: the main window's GetFiles (each archive
// downloaded, then UnZipAndCopyFile) against an anchor doing the same with
// other tools: one curl command fetching the 100 archives (-o for each, one
// connection after another as the program makes them, without a process start
// per file), then the extraction library called directly on each. Rounds
// alternate, and which side goes first alternates too; medians with their
// spread are reported. Target: at most 1.3 times the anchor's median.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_main_window.h"
#include "bench/direct_extraction.h"
#include "bench/round_times.h"
#include "core/update_list.h"
#include "tests/support/http_test_server.h"
#include "tests/support/zip_writer.h"

namespace {

constexpr int kFiles = 100;
constexpr std::size_t kFileBytes = 100 * 1024;
constexpr int kRounds = 20;
constexpr double kTarget = 1.3;

std::string FileName(int index) {
    return "module" + std::to_string(index) + ".dll";
}

// Like a program file: stretches of text that compress well between stretches
// that do not.
std::string FileData(std::mt19937& random) {
    std::string data;
    while (data.size() < kFileBytes) {
        for (int i = 0; i < 512; ++i)
            data += static_cast<char>(random());
        for (int i = 0; i < 20; ++i)
            data += "Lindora component entry " + std::to_string(random() % 1000) + "\n";
    }
    data.resize(kFileBytes);
    return data;
}

std::string Archive(const std::string& name, const std::string& data) {
    kvu::test::ZipArchive archive;
    archive.members.push_back({.name = name, .data = data});
    return kvu::test::BuildZip(archive);
}

kvu::UpdateList ChosenFiles(const kvu::test::HttpTestServer& server, const std::string& folder) {
    kvu::UpdateList list;
    for (int i = 0; i < kFiles; ++i) {
        kvu::clsUpdateInfo record;
        record.appname = FileName(i);
        record.NetPath = server.Url("/pelt/" + FileName(i) + ".zip");
        record.LocalPath = (std::filesystem::path(folder) / FileName(i)).string();
        record.Download = true;
        list.Add(std::move(record));
    }
    return list;
}

std::string CurlCommand(const kvu::test::HttpTestServer& server, const std::string& folder) {
    std::string command = "curl -s -f";
    for (int i = 0; i < kFiles; ++i) {
        command += " -o '" + folder + "/" + FileName(i) + ".zip' " +
                   server.Url("/pelt/" + FileName(i) + ".zip");
    }
    return command;
}

bool ExtractDirectly(const kvu::ExtractionLibrary& library, const std::string& archiveFolder,
                     std::string folder) {
    bool ok = true;
    for (int i = 0; i < kFiles; ++i) {
        std::string archive = archiveFolder + "/" + FileName(i) + ".zip";
        ok = kvu::bench::ExtractDirectly(library, archive, folder) && ok;
    }
    return ok;
}

// Every file installed, byte for byte.
bool Installed(const std::string& folder, const std::vector<std::string>& data) {
    bool ok = true;
    for (int i = 0; i < kFiles; ++i) {
        const std::string path = folder + "/" + FileName(i);
        ok = kvu::test::ReadBytes(path) == data[static_cast<std::size_t>(i)] && ok;
        std::filesystem::remove(path);
    }
    return ok;
}

}  // namespace

int main() {
    kvu::test::HttpTestServer server;
    std::mt19937 random(2024);
    std::vector<std::string> data;
    for (int i = 0; i < kFiles; ++i) {
        data.push_back(FileData(random));
        server.Route("/pelt/" + FileName(i) + ".zip",
                     kvu::test::Reply(200, Archive(FileName(i), data.back())));
    }
    kvu::test::TempDir ours, anchorArchives, anchorFolder;
    kvu::bench::BenchMainWindow window(server.Url("/pelt/r.xrs"), ours.str());
    kvu::LiveUpdateForm& form = *window.form;
    kvu::ExtractionLibrary library(KVU_UNZIP32_PATH);
    const std::string curl = CurlCommand(server, anchorArchives.str());

    std::vector<double> program, anchor;
    bool ok = window.ok;
    auto runProgram = [&] {
        form.state().UpdateList = ChosenFiles(server, ours.str());
        form.ProgressBar1.SetMax(kFiles + 1);
        std::string message;
        auto start = std::chrono::steady_clock::now();
        form.GetFiles(message);
        const double seconds = kvu::bench::SecondsSince(start);
        ok = message.empty() && Installed(ours.str(), data) && ok;
        return seconds;
    };
    auto runAnchor = [&] {
        auto start = std::chrono::steady_clock::now();
        ok = std::system(curl.c_str()) == 0 && ok;
        ok = ExtractDirectly(library, anchorArchives.str(), anchorFolder.str()) && ok;
        const double seconds = kvu::bench::SecondsSince(start);
        ok = Installed(anchorFolder.str(), data) && ok;
        return seconds;
    };
    kvu::bench::AlternateRounds(
        kRounds, runProgram, runAnchor, [&] { return ok; }, program, anchor);
    if (!ok) {
        std::printf("an installation or the anchor failed\n");
        return 1;
    }
    kvu::bench::ReportRounds("installation run", program);
    kvu::bench::ReportRounds("curl -o + library", anchor);
    const double ratio = kvu::bench::Median(program) / kvu::bench::Median(anchor);
    std::printf("installation run / (curl -o + extraction library): %.2fx (target <= %.1f): %s\n",
                ratio, kTarget, ratio <= kTarget ? "met" : "MISSED");
    return ratio <= kTarget ? 0 : 1;
}
