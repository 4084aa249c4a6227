// Extracting a 100 MiB update archive of 200 deflated members flat into a
// folder that already holds them, with our library (staged files, size and
// CRC checks, atomic replace), against Info-ZIP's unzip -o -j -q and
// libarchive's bsdtar -xf on the same archive, and the in-memory inflate + CRC
// of the same members as the floor. Target: no slower than bsdtar.
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/extraction.h"
#include "tests/support/temp_dir.h"
#include "tests/support/zip_writer.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMembers = 200;
constexpr std::size_t kTotalBytes = 100u << 20;

// Content that compresses like program files: runs of words and numbers with
// stretches of noise.
std::string MemberContent(int index, std::size_t size) {
    static const char* kWords[] = {"Lindora ", "update ", "module ",      "0x0040 ",    "mov eax, ",
                                   "call ",    "ret\n",   "version 1.5 ", "ÁRVÍZTŰRŐ ", "data "};
    std::string data;
    data.reserve(size);
    std::uint32_t state = 2166136261u ^ static_cast<std::uint32_t>(index);
    while (data.size() < size) {
        state = state * 1664525u + 1013904223u;
        if ((state >> 28) < 3) {
            for (int i = 0; i < 24; ++i, state = state * 1664525u + 1013904223u)
                data += static_cast<char>(state >> 24);
        } else {
            data += kWords[(state >> 16) % 10];
            data += std::to_string((state >> 8) & 0xFFF);
        }
    }
    data.resize(size);
    return data;
}

struct Setup {
    kvu::test::TempDir dir;
    std::string archive;
    std::string bytes;  // the archive in memory, for the floor
    kvu::test::ZipArchive contents;
};

void Fill(Setup& s) {
    for (int i = 0; i < kMembers; ++i) {
        std::string name = "folder" + std::to_string(i % 4) + "/file" + std::to_string(i) + ".dll";
        s.contents.members.push_back(
            {.name = name, .data = MemberContent(i, kTotalBytes / kMembers)});
    }
    s.bytes = kvu::test::BuildZip(s.contents);
    s.archive = s.dir.file("update.zip");
    kvu::test::WriteBytes(s.archive, s.bytes);
    for (const char* out : {"library", "unzip", "bsdtar"})
        fs::create_directories(s.dir.path() / out);
}

Setup& Prepared() {
    static Setup setup;
    static bool filled = (Fill(setup), true);
    (void)filled;
    return setup;
}

std::int32_t UZ_WINAPI Print(char*, std::uint32_t) {
    return 0;
}

void Settle(benchmark::State& state) {
    state.PauseTiming();
    sync();  // the previous run's writes do not count against the next
    state.ResumeTiming();
}

void Library(benchmark::State& state) {
    Setup& setup = Prepared();
    kvu::ExtractionLibrary library(KVU_UNZIP32_PATH);
    std::string folder = (setup.dir.path() / "library").string();
    for (auto _ : state) {
        Settle(state);
        kvu::DCL options{};
        options.noflag = 1;
        options.lpszZipFN = setup.archive.data();
        options.lpszExtractDir = folder.data();
        kvu::USERFUNCTIONS functions{Print, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     0,     0,       0,       0,       0};
        if (library.SingleEntryUnzip(0, nullptr, 0, nullptr, options, functions) != 0)
            state.SkipWithError("extraction failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTotalBytes));
}

void Command(benchmark::State& state, const std::string& command) {
    Prepared();
    for (auto _ : state) {
        Settle(state);
        if (std::system(command.c_str()) != 0)
            state.SkipWithError(("failed: " + command).c_str());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTotalBytes));
}

void InfoZip(benchmark::State& state) {
    Setup& setup = Prepared();
    Command(state, "unzip -o -j -q '" + setup.archive + "' -d '" +
                       (setup.dir.path() / "unzip").string() + "'");
}

void Bsdtar(benchmark::State& state) {
    Setup& setup = Prepared();
    Command(state, "bsdtar -xf '" + setup.archive + "' -C '" +
                       (setup.dir.path() / "bsdtar").string() + "'");
}

// Inflate and CRC of every member straight from memory, nothing written.
void Floor(benchmark::State& state) {
    Setup& setup = Prepared();
    std::vector<unsigned char> out(1 << 20);
    for (auto _ : state) {
        std::size_t at = 0;
        for (const kvu::test::ZipMember& member : setup.contents.members) {
            const auto* p = reinterpret_cast<const unsigned char*>(setup.bytes.data() + at);
            std::size_t compressed = p[18] | p[19] << 8 | p[20] << 16 | std::size_t{p[21]} << 24;
            std::size_t header = 30 + (p[26] | p[27] << 8) + (p[28] | p[29] << 8);
            z_stream stream{};
            inflateInit2(&stream, -MAX_WBITS);
            stream.next_in = const_cast<unsigned char*>(p + header);
            stream.avail_in = static_cast<uInt>(compressed);
            uLong crc = crc32(0, nullptr, 0);
            int result = Z_OK;
            while (result == Z_OK) {
                stream.next_out = out.data();
                stream.avail_out = static_cast<uInt>(out.size());
                result = inflate(&stream, Z_NO_FLUSH);
                crc = crc32(crc, out.data(), static_cast<uInt>(out.size() - stream.avail_out));
            }
            inflateEnd(&stream);
            if (result != Z_STREAM_END || crc != kvu::test::zip_detail::Crc(member.data))
                state.SkipWithError("inflate failed");
            at += header + compressed;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTotalBytes));
}

// Keeps each benchmark's mean wall time for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                seconds[run.run_name.function_name] = run.real_accumulated_time / run.iterations;
        }
    }
    std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    using Function = void (*)(benchmark::State&);
    const std::pair<const char*, Function> benchmarks[] = {{"inflate_crc_floor", Floor},
                                                           {"unzip32", Library},
                                                           {"infozip_unzip", InfoZip},
                                                           {"bsdtar", Bsdtar}};
    for (auto [name, function] : benchmarks) {
        benchmark::RegisterBenchmark(name, function)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(5);
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto& s = reporter.seconds;
    if (!s.count("unzip32") || !s.count("bsdtar") || !s.count("infozip_unzip") ||
        !s.count("inflate_crc_floor"))
        return 1;
    double mb = static_cast<double>(kTotalBytes) / 1e6;
    for (const char* name : {"inflate_crc_floor", "unzip32", "infozip_unzip", "bsdtar"})
        std::printf("%-18s %8.1f ms  %7.1f MB/s of output\n", name, s[name] * 1e3, mb / s[name]);
    double ratio = s["unzip32"] / s["bsdtar"];
    std::printf("unzip32 / bsdtar:            %.2fx the time (target <= 1.00)\n", ratio);
    std::printf("unzip32 / infozip unzip:     %.2fx the time\n", s["unzip32"] / s["infozip_unzip"]);
    std::printf("unzip32 / inflate+CRC floor: %.2fx the time\n",
                s["unzip32"] / s["inflate_crc_floor"]);
    std::printf(ratio <= 1.0 ? "target met\n" : "TARGET MISSED\n");
    benchmark::Shutdown();
    return ratio <= 1.0 ? 0 : 1;
}
