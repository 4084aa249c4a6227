// DownloadFile against the curl command-line tool: a 512 MiB file from a
// loopback server into the same folder, the two taking turns. Targets: at
// least 0.9 times curl's throughput, and a peak resident memory below 64 MiB
// while the download runs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "install/download_file.h"
#include "tests/support/http_test_server.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

constexpr std::uint64_t kFileBytes = 512ull * 1024 * 1024;
constexpr double kMinRatio = 0.9;
constexpr double kMaxPeakMiB = 64.0;

struct Totals {
    double curlSeconds = 0;
    double kvuSeconds = 0;
    double peakMiB = 0;
    int rounds = 0;
    bool failed = false;
};

// Peak resident memory since the last ResetPeakMemory, in MiB.
double PeakMemoryMiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            double kib = 0;
            status >> kib;
            return kib / 1024.0;
        }
    }
    return -1;
}

void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double SecondsOf(const std::function<bool()>& work, bool& failed) {
    auto start = std::chrono::steady_clock::now();
    failed = !work() || failed;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void DownloadVersusCurl(benchmark::State& state, Totals& totals) {
    test::HttpTestServer server;
    server.Route("/big.bin", test::ReplyGenerated(kFileBytes));
    test::TempDir dir;
    const std::string url = server.Url("/big.bin");
    const std::string target = dir.file("big.bin");
    const std::string curlCommand = "curl -s -f -o '" + target + "' " + url;
    InternetTransfer inet;

    std::function<bool()> runCurl = [&] { return std::system(curlCommand.c_str()) == 0; };
    std::function<bool()> runKvu = [&] {
        std::string message;
        ResetPeakMemory();
        bool ok = DownloadFile(inet, url, dir.str(), message);
        totals.peakMiB = std::max(totals.peakMiB, PeakMemoryMiB());
        return ok;
    };
    auto check = [&] {
        bool whole = std::filesystem::file_size(target) == kFileBytes;
        std::filesystem::remove(target);
        return whole;
    };
    for (auto _ : state) {
        // Taking turns at going first evens out the page cache's write-back.
        bool curlFirst = totals.rounds % 2 == 0;
        double seconds[2];
        for (int turn = 0; turn < 2; ++turn) {
            bool curlTurn = (turn == 0) == curlFirst;
            seconds[curlTurn ? 0 : 1] = SecondsOf(curlTurn ? runCurl : runKvu, totals.failed);
            state.PauseTiming();
            totals.failed = !check() || totals.failed;
            state.ResumeTiming();
        }
        totals.curlSeconds += seconds[0];
        totals.kvuSeconds += seconds[1];
        ++totals.rounds;
        state.SetIterationTime(seconds[1]);
    }
    double mb = static_cast<double>(kFileBytes) * totals.rounds / 1e6;
    state.counters["curl_MBps"] = mb / totals.curlSeconds;
    state.counters["kvu_MBps"] = mb / totals.kvuSeconds;
    state.counters["ratio"] = totals.curlSeconds / totals.kvuSeconds;
    state.counters["peak_rss_MiB"] = totals.peakMiB;
    state.SetBytesProcessed(static_cast<std::int64_t>(kFileBytes) * totals.rounds);
}

}  // namespace
}  // namespace kvu

int main(int argc, char** argv) {
    kvu::Totals totals;
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark(
        "DownloadFile_512MiB_vs_curl",
        [&totals](benchmark::State& state) { kvu::DownloadVersusCurl(state, totals); })
        ->Iterations(4)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    double ratio = totals.curlSeconds / totals.kvuSeconds;
    double mb = static_cast<double>(kvu::kFileBytes) * totals.rounds / 1e6;
    std::printf("download: %.0f MB/s, curl -o: %.0f MB/s, ratio %.2f (target >= %.2f)\n",
                mb / totals.kvuSeconds, mb / totals.curlSeconds, ratio, kvu::kMinRatio);
    std::printf("download peak resident memory: %.1f MiB (target < %.0f MiB)\n", totals.peakMiB,
                kvu::kMaxPeakMiB);
    bool met = !totals.failed && ratio >= kvu::kMinRatio && totals.peakMiB > 0 &&
               totals.peakMiB < kvu::kMaxPeakMiB;
    if (totals.failed)
        std::printf("a download failed or was incomplete\n");
    return met ? 0 : 1;
}
