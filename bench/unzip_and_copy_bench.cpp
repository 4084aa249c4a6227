// 200 small update archives installed through UnZipAndCopyFile against the
// extraction library called directly on the same archives with the same
// options. Rounds alternate between the two, so that a busy moment of the
// machine falls on both alike; medians with their spread are reported.
// Target: the program's side adds at most 10 %.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/direct_extraction.h"
#include "bench/round_times.h"
#include "install/unzip_and_copy.h"
#include "tests/support/temp_dir.h"
#include "tests/support/zip_writer.h"

namespace {

constexpr int kArchives = 200;
constexpr int kRounds = 15;
constexpr double kTarget = 1.10;

struct QuietHost : kvu::UnzipHost {
    std::string caption;
    std::string InfoCaption() const override { return caption; }
    void SetInfoCaption(const std::string& text) override { caption = text; }
    void ProcessPendingEvents() override {}
    int MsgBox(const std::string&, int) override { return 1; }
    std::string InputBox(const std::string&) override { return {}; }
};

// Three members a few KiB each, in folders, as an update archive holds them.
std::string Archive(int index) {
    kvu::test::ZipArchive archive;
    for (int m = 0; m < 3; ++m) {
        std::string data;
        for (int i = 0; data.size() < 6000; ++i)
            data += "Lindora module " + std::to_string(index * 7 + m * 13 + i) + " data\n";
        archive.members.push_back(
            {.name = "bin/file" + std::to_string(index) + "_" + std::to_string(m) + ".dll",
             .data = data});
    }
    return kvu::test::BuildZip(archive);
}

}  // namespace

int main() {
    kvu::test::TempDir temp, product;
    std::vector<kvu::clsUpdateInfo> records;
    for (int i = 0; i < kArchives; ++i) {
        std::string name = "update" + std::to_string(i) + ".zip";
        kvu::test::WriteBytes(temp.file(name), Archive(i));
        kvu::clsUpdateInfo record;
        record.NetPath = "http://lindora.test/pelt/" + name;
        record.LocalPath = product.file("file" + std::to_string(i) + "_0.dll");
        records.push_back(record);
    }
    kvu::UnzipOptions options;
    QuietHost host;
    kvu::UnzipModule module(KVU_UNZIP32_PATH, options, host);
    kvu::ExtractionLibrary library(KVU_UNZIP32_PATH);
    std::string message;
    std::vector<double> program, direct;
    auto runProgram = [&] {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kArchives; ++i)
            kvu::UnZipAndCopyFile(module, &records[i], i + 1, temp.str(), message);
        return kvu::bench::SecondsSince(start);
    };
    auto runDirect = [&] {
        std::string folder = product.str();
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kArchives; ++i) {
            std::string archive = temp.file("update" + std::to_string(i) + ".zip");
            if (!kvu::bench::ExtractDirectly(library, archive, folder))
                message += "direct extraction failed\n";
        }
        return kvu::bench::SecondsSince(start);
    };
    kvu::bench::AlternateRounds(
        kRounds, runProgram, runDirect, [&] { return message.empty(); }, program, direct);
    if (!message.empty()) {
        std::printf("failed: %s\n", message.c_str());
        return 1;
    }
    kvu::bench::ReportRounds("UnZipAndCopyFile", program);
    kvu::bench::ReportRounds("library directly", direct);
    double ratio = kvu::bench::Median(program) / kvu::bench::Median(direct);
    std::printf("UnZipAndCopyFile / library: %.3fx the time (target <= %.2f)\n", ratio, kTarget);
    std::printf(ratio <= kTarget ? "target met\n" : "TARGET MISSED\n");
    return ratio <= kTarget ? 0 : 1;
}
