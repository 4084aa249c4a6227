// The local file index over a generated product folder: 5,000 files in 60
// folders, a third of them libraries with version resources. Its time is set
// against a floor measured in the same run: listing the same tree and reading
// each file's first 4 KiB. Target: index <= 1.5 x floor.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "bench/product_tree.h"
#include "core/local_index.h"
#include "registration/version_info.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = kvu::bench::kTreeFiles;
constexpr double kTarget = 1.5;

fs::path& TreeRoot() {
    static fs::path root;
    return root;
}

// What any index has to do at least: list every folder, learn each entry's
// type, size and time, and read the start of every file.
std::size_t Floor(const std::string& folder) {
    std::size_t files = 0;
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return 0;
    std::vector<std::string> subfolders;
    char head[4096];
    while (const dirent* item = readdir(dir)) {
        if (item->d_name[0] == '.')
            continue;
        const std::string path = folder + "/" + item->d_name;
        struct stat st {};
        if (stat(path.c_str(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode)) {
            subfolders.push_back(path);
            continue;
        }
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        benchmark::DoNotOptimize(read(fd, head, sizeof head));
        close(fd);
        ++files;
    }
    closedir(dir);
    for (const std::string& sub : subfolders)
        files += Floor(sub);
    return files;
}

void BM_Floor(benchmark::State& state) {
    for (auto _ : state) {
        const std::size_t files = Floor(TreeRoot().string());
        if (files != kFiles)
            state.SkipWithError("the floor did not see every file");
    }
}

void BM_Index(benchmark::State& state) {
    const std::string app = (TreeRoot().parent_path() / "app").string();
    kvu::FileVersionInfo versions(app);
    for (auto _ : state) {
        kvu::LocalIndex index = kvu::ScanFolder(TreeRoot().string(), "*.*", true, {}, versions);
        if (index.Size() != kFiles)
            state.SkipWithError("the index did not see every file");
        std::size_t versioned = 0;
        for (const kvu::FileData& record : index)
            versioned += !record.FileVersion.empty();
        if (versioned != (kFiles + 2) / 3)
            state.SkipWithError("the index did not read every version");
    }
}

// The fastest of ten runs of each, taken in random order: the machine may be
// shared, and other work only ever adds time.
double Fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}
BENCHMARK(BM_Floor)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ComputeStatistics("min", Fastest)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Index)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ComputeStatistics("min", Fastest)
    ->ReportAggregatesOnly(true);

// Keeps the fastest runs so that the ratio can be given at the end.
class FastestReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name == "min")
                fastest[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> fastest;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    const fs::path base =
        fs::temp_directory_path() / ("kvu-index-bench-" + std::to_string(getpid()));
    TreeRoot() = base / "product";
    fs::create_directories(base / "app");
    kvu::bench::MakeProductTree(TreeRoot());
    FastestReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::error_code ignored;
    fs::remove_all(base, ignored);
    const double floor = reporter.fastest["BM_Floor"];
    const double index = reporter.fastest["BM_Index"];
    if (floor <= 0 || index <= 0)
        return 1;
    const double ratio = index / floor;
    std::printf(
        "index %.1f ms, floor (listing + first 4 KiB of each file) %.1f ms, ratio %.2f "
        "(target <= %.1f): %s\n",
        index, floor, ratio, kTarget, ratio <= kTarget ? "met" : "MISSED");
    return ratio <= kTarget ? 0 : 1;
}
