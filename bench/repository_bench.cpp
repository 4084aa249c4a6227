// Repository work of one search: decoding a 20,000-line repository of four
// products, and decoding, parsing and matching it against a 20,000-file index.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "core/radix64.h"
#include "core/repository.h"
#include "core/update_list_fillup.h"
#include "tests/support/base64.h"

namespace kvu {
namespace {

constexpr int kProducts = 4;

std::string Line(int i) {
    int product = i % kProducts;
    std::string dir = "modul" + std::to_string(i / 400);
    return std::to_string(product) + "\t0\thttp://update.example/pelt/file" + std::to_string(i) +
           ".zip\tfile" + std::to_string(i) + ".dll\tDLL\t2." + std::to_string(i % 7) + ".0." +
           std::to_string(i % 100) + "\t2023.04.05. 12:00:00\t" + std::to_string(1000 + i) +
           "\t\t" + dir;
}

std::string Repository(int lines) {
    std::string file =
        test::Base64Encode("APPID\tOPT\tZIP\tFILE\tTYPE\tVER\tDATE\tFILESIZE\tMODE\tDIR") + "\r\n";
    for (int i = 0; i < lines; ++i)
        file += test::Base64Encode(Line(i)) + "\r\n";
    return file;
}

// Every repository file is installed, half with a version resource.
LocalIndex Index(int files) {
    LocalIndex index;
    for (int i = 0; i < files; ++i) {
        FileData data;
        data.FileName = "file" + std::to_string(i) + ".dll";
        data.File = "/prod/modul" + std::to_string(i / 400) + "/" + data.FileName;
        data.FileDate = DateTime{2023, 1, 1, 0, 0, 0};
        data.filesize = 1000;
        if (i % 2 == 0)
            data.FileVersion = "2.3.0.1";
        index.Add(std::move(data));
    }
    return index;
}

void BM_Decode(benchmark::State& state) {
    std::string file = Repository(20000);
    for (auto _ : state) {
        std::size_t start = 0;
        while (start < file.size()) {
            std::size_t end = file.find('\n', start);
            benchmark::DoNotOptimize(
                Radix64Decode(std::string_view(file).substr(start, end - start)));
            start = end + 1;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_Decode)->Unit(benchmark::kMillisecond);

void BM_ParseAndMatchOneProduct(benchmark::State& state) {
    std::string file = Repository(20000);
    LocalIndex index = Index(20000);
    MatchSettings settings{1, "/prod", 0, "/nonexistent"};
    std::size_t offered = 0;
    for (auto _ : state) {
        RepositoryRowList rows;
        ParseRepository(file, rows);
        UpdateList list;
        UpdateListFillup(rows, index, settings, list);
        offered = static_cast<std::size_t>(list.Count());
    }
    state.counters["offered"] = static_cast<double>(offered);
}
BENCHMARK(BM_ParseAndMatchOneProduct)->Unit(benchmark::kMillisecond);

// The process's peak resident memory so far, from the kernel's own count.
long OwnPeakKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

// One search's repository work on a repository and an index of that many
// lines; prints the peak memory it took.
int RunWorkload(int lines) {
    std::string file = Repository(lines);
    LocalIndex index = Index(lines);
    RepositoryRowList rows;
    ParseRepository(file, rows);
    UpdateList list;
    UpdateListFillup(rows, index, MatchSettings{1, "/prod", 0, "/nonexistent"}, list);
    std::printf("%ld\n", OwnPeakKiB());
    return list.Count() > 0 ? 0 : 1;
}

// Peak memory of the workload in a fresh run of this program, so that nothing
// of this process counts.
long PeakKiB(int lines) {
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0)
        return -1;
    std::string command = std::string(self) + " --peak-lines=" + std::to_string(lines);
    FILE* child = popen(command.c_str(), "r");
    if (!child)
        return -1;
    long peak = -1;
    if (std::fscanf(child, "%ld", &peak) != 1)
        peak = -1;
    return pclose(child) == 0 ? peak : -1;
}

}  // namespace
}  // namespace kvu

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]).rfind("--peak-lines=", 0) == 0) {
        return kvu::RunWorkload(std::stoi(argv[1] + 13));
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    long base = kvu::PeakKiB(1000);
    for (int lines : {20000, 40000, 80000}) {
        long peak = kvu::PeakKiB(lines);
        std::printf("peak memory, %d lines: %ld KiB (%.1f KiB per 1,000 lines above %ld KiB)\n",
                    lines, peak, (peak - base) * 1000.0 / (lines - 1000), base);
    }
    return 0;
}
