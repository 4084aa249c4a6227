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
#include <random>
#include <string>
#include <vector>

#include "core/local_index.h"
#include "registration/version_info.h"
#include "tests/support/pe_builder.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 5000;
constexpr int kFolders = 60;
constexpr double kTarget = 1.5;

fs::path& TreeRoot() {
    static fs::path root;
    return root;
}

std::string Library(std::mt19937& random, int number) {
    kvu::test::FixedInfo fixed;
    fixed.fileMs = 0x00020000 | static_cast<std::uint32_t>(number % 7);
    fixed.fileLs = static_cast<std::uint32_t>(number);
    const std::u16string name =
        u"lib" + std::u16string(1, static_cast<char16_t>(u'a' + number % 26));
    const std::string resource =
        kvu::test::Serialize(kvu::test::StandardVersion(fixed, u"040E04E2",
                                                        {{u"CompanyName", u"Lindora Kft."},
                                                         {u"FileDescription", u"Component " + name},
                                                         {u"FileVersion", u"2.0.0.1"},
                                                         {u"InternalName", name},
                                                         {u"LegalCopyright", u"(c) Lindora Kft."},
                                                         {u"OriginalFilename", name + u".dll"},
                                                         {u"ProductName", u"Lindora"}},
                                                        {{0x040E, 1250}}));
    kvu::test::PeOptions options;
    options.codeSize = 4096 + random() % (60 * 1024);  // the resources come after the code
    options.pe32Plus = number % 2 == 0;
    return kvu::test::BuildPeImage({{16, 1, 0x040E, resource}, {24, 1, 0x0409, "<manifest/>"}},
                                   options);
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// 60 folders in three levels, 5,000 files spread over them; every third file
// a library with a version resource, the others data of mixed sizes.
void MakeTree(const fs::path& root) {
    std::mt19937 random(2024);
    std::vector<fs::path> folders = {root};
    for (int i = 1; i < kFolders; ++i) {
        const fs::path parent = i <= 6 ? root : folders[1 + (i - 7) % 6];
        folders.push_back(parent / ("folder" + std::to_string(i)));
        fs::create_directories(folders.back());
    }
    for (int i = 0; i < kFiles; ++i) {
        const fs::path& folder = folders[static_cast<std::size_t>(i) % folders.size()];
        if (i % 3 == 0) {
            WriteFile(folder / ("component" + std::to_string(i) + ".dll"), Library(random, i));
        } else {
            std::string data(256 + random() % (24 * 1024), '\0');
            for (char& c : data)
                c = static_cast<char>('a' + random() % 26);
            WriteFile(folder / ("data" + std::to_string(i) + (i % 3 == 1 ? ".xml" : ".bin")), data);
        }
    }
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
    MakeTree(TreeRoot());
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
