// Extraction over existing files, in two shapes: one 100 MiB archive of 200
// deflated members, and 200 archives of one member each (as the product's
// updates come). Contenders: the in-memory inflate + CRC of the same members
// (the floor), our library (staged file, size and CRC checks, flush, atomic
// replace), bsdtar -xf and Info-ZIP's unzip -o -q; the tools run once per
// archive as separate processes, as a script would call them. Every round
// runs each contender once, starting with a different one each round, so a
// busy moment of the shared machine falls on all alike; the ratios are taken
// from the medians. Usage: unzip_bench [rounds] [many|single] [floor|ours|bsdtar|unzip]
// (KVU_UNZIP32=path: that build of the library)
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/direct_extraction.h"
#include "platform/extraction.h"
#include "tests/support/temp_dir.h"
#include "tests/support/zip_writer.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kMembers = 200;
constexpr std::size_t kTotalBytes = 100u << 20;
constexpr int kDefaultRounds = 11;
constexpr double kTargetVsBsdtar = 0.90;
constexpr double kTargetVsFloor = 1.20;

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

// A set of archives on disk and in memory, extracted flat into one folder per tool.
struct Shape {
    const char* title;
    std::vector<std::string> paths;
    std::vector<std::string> bytes;
    std::vector<std::uint32_t> crcs;  // of every member, in archive order
};

struct Inputs {
    kvu::test::TempDir dir;
    Shape many{"one archive of 200 members", {}, {}, {}};
    Shape single{"200 archives of one member", {}, {}, {}};
};

void AddArchive(Inputs& in, Shape& shape, const kvu::test::ZipArchive& archive,
                const std::string& name) {
    shape.bytes.push_back(kvu::test::BuildZip(archive));
    shape.paths.push_back(in.dir.file(name));
    kvu::test::WriteBytes(shape.paths.back(), shape.bytes.back());
    for (const kvu::test::ZipMember& member : archive.members)
        shape.crcs.push_back(kvu::test::zip_detail::Crc(member.data));
}

void Prepare(Inputs& in) {
    kvu::test::ZipArchive all;
    for (int i = 0; i < kMembers; ++i) {
        kvu::test::ZipArchive one;
        one.members.push_back(
            {.name = "folder" + std::to_string(i % 4) + "/file" + std::to_string(i) + ".dll",
             .data = MemberContent(i, kTotalBytes / kMembers)});
        AddArchive(in, in.single, one, "update" + std::to_string(i) + ".zip");
        all.members.push_back(std::move(one.members.front()));
    }
    AddArchive(in, in.many, all, "update.zip");
    for (const char* out : {"ours", "bsdtar", "unzip"})
        fs::create_directories(in.dir.path() / out);
}

// Inflates every member of an archive in memory with CRC, nothing written.
bool InflateAll(const std::string& bytes, const std::uint32_t*& crc) {
    std::vector<unsigned char> out(256 << 10);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (end - p >= 30 && p[0] == 'P' && p[1] == 'K' && p[2] == 3 && p[3] == 4) {
        std::size_t compressed = p[18] | p[19] << 8 | p[20] << 16 | std::size_t{p[21]} << 24;
        std::size_t header = 30 + (p[26] | p[27] << 8) + (p[28] | p[29] << 8);
        z_stream stream{};
        inflateInit2(&stream, -MAX_WBITS);
        stream.next_in = const_cast<unsigned char*>(p + header);
        stream.avail_in = static_cast<uInt>(compressed);
        uLong sum = crc32(0, nullptr, 0);
        int result = Z_OK;
        while (result == Z_OK) {
            stream.next_out = out.data();
            stream.avail_out = static_cast<uInt>(out.size());
            result = inflate(&stream, Z_NO_FLUSH);
            sum = crc32(sum, out.data(), static_cast<uInt>(out.size() - stream.avail_out));
        }
        inflateEnd(&stream);
        if (result != Z_STREAM_END || sum != *crc++)
            return false;
        p += header + compressed;
    }
    return true;
}

bool Floor(const Shape& shape, const fs::path&) {
    const std::uint32_t* crc = shape.crcs.data();
    for (const std::string& bytes : shape.bytes) {
        if (!InflateAll(bytes, crc))
            return false;
    }
    return true;
}

// The product's call: flat into the folder, replacing what is there.
bool Ours(const kvu::ExtractionLibrary& library, const Shape& shape, const fs::path& out) {
    std::string folder = out.string();
    for (const std::string& path : shape.paths) {
        if (!kvu::bench::ExtractDirectly(library, path, folder))
            return false;
    }
    return true;
}

bool Run(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    int status = 0;
    return posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 &&
           waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool Bsdtar(const Shape& shape, const fs::path& out) {
    for (const std::string& path : shape.paths) {
        if (!Run({"bsdtar", "-xf", path, "--strip-components", "1", "-C", out.string()}))
            return false;
    }
    return true;
}

bool InfoZip(const Shape& shape, const fs::path& out) {
    for (const std::string& path : shape.paths) {
        if (!Run({"unzip", "-o", "-q", "-j", path, "-d", out.string()}))
            return false;
    }
    return true;
}

struct Contender {
    const char* name;
    const char* folder;
    std::function<bool(const Shape&, const fs::path&)> run;
    std::vector<double> seconds = {};
};

struct Spread {
    double median, low, high, q1, q3;
};

Spread SpreadOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::size_t n = values.size();
    double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back(), values[n / 4], values[(3 * n) / 4]};
}

double Load() {
    double load[1] = {0};
    return getloadavg(load, 1) == 1 ? load[0] : -1;
}

// Runs every round; false when a contender failed.
bool Measure(const Shape& shape, std::vector<Contender>& contenders, const fs::path& root,
             int rounds) {
    for (int round = -1; round < rounds; ++round) {  // round -1 fills the folders
        for (std::size_t k = 0; k < contenders.size(); ++k) {
            Contender& c =
                contenders[(k + static_cast<std::size_t>(round + 1)) % contenders.size()];
            sync();  // the previous run's writes do not count against the next
            auto start = std::chrono::steady_clock::now();
            if (!c.run(shape, root / c.folder)) {
                std::printf("%s failed\n", c.name);
                return false;
            }
            std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            if (round >= 0)
                c.seconds.push_back(took.count());
        }
    }
    return true;
}

double MedianOf(const std::vector<Contender>& contenders, const char* name) {
    for (const Contender& c : contenders) {
        if (std::strcmp(c.name, name) == 0)
            return SpreadOf(c.seconds).median;
    }
    return 0;
}

// Prints the figures; true when the shape's targets are met.
bool Report(const Shape& shape, const std::vector<Contender>& contenders, bool many) {
    std::printf("%s (%d rounds, load %.2f after)\n", shape.title,
                static_cast<int>(contenders.front().seconds.size()), Load());
    std::printf("  %-8s %9s %19s %19s\n", "", "median", "IQR", "min-max");
    for (const Contender& c : contenders) {
        Spread s = SpreadOf(c.seconds);
        std::printf("  %-8s %7.1f ms  %7.1f-%7.1f ms  %7.1f-%7.1f ms\n", c.name, s.median * 1e3,
                    s.q1 * 1e3, s.q3 * 1e3, s.low * 1e3, s.high * 1e3);
    }
    if (contenders.size() < 4)
        return true;
    double ours = MedianOf(contenders, "ours"), bsdtar = MedianOf(contenders, "bsdtar");
    double floor = MedianOf(contenders, "floor"), unzip = MedianOf(contenders, "unzip");
    double limit = many ? kTargetVsBsdtar : 1.0;
    bool met = ours / bsdtar <= limit && (!many || ours / floor <= kTargetVsFloor);
    std::printf(
        "  ours/bsdtar %.2f (target <= %.2f)  ours/floor %.2f%s  ours/unzip %.2f  "
        "bsdtar/floor %.2f  %s\n",
        ours / bsdtar, limit, ours / floor, many ? " (target <= 1.20)" : "", ours / unzip,
        bsdtar / floor, met ? "target met" : "TARGET MISSED");
    return met;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRounds;
    std::string onlyShape = argc > 2 ? argv[2] : "", only = argc > 3 ? argv[3] : "";
    Inputs in;
    Prepare(in);
    // Another build of the library may be named, to compare two of them.
    const char* other = std::getenv("KVU_UNZIP32");
    kvu::ExtractionLibrary library(other ? other : KVU_UNZIP32_PATH);
    bool met = true;
    for (Shape* shape : {&in.many, &in.single}) {
        bool many = shape == &in.many;
        if (!onlyShape.empty() && onlyShape != (many ? "many" : "single"))
            continue;
        std::vector<Contender> all{
            {"floor", "ours", Floor},
            {"ours", "ours",
             [&](const Shape& s, const fs::path& out) { return Ours(library, s, out); }},
            {"bsdtar", "bsdtar", Bsdtar},
            {"unzip", "unzip", InfoZip}};
        std::vector<Contender> contenders;
        std::copy_if(all.begin(), all.end(), std::back_inserter(contenders),
                     [&](const Contender& c) { return only.empty() || only == c.name; });
        std::printf("load %.2f before\n", Load());
        std::fflush(stdout);
        if (!Measure(*shape, contenders, in.dir.path(), rounds))
            return 1;
        met = Report(*shape, contenders, many) && met;
    }
    return met ? 0 : 1;
}
