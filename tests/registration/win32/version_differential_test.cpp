// Our own PE reader against the system's version functions: for every program
// and library of the system folders and for damaged copies of the test
// images, both must give the same version record.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/encoding.h"
#include "platform/pe_version.h"
#include "platform/version.h"
#include "platform/win32/wide.h"
#include "registration/version_info.h"
#include "test_images.h"
#include "tests/support/pe_builder.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

namespace fs = std::filesystem;

struct Reading {
    VersionLoad load = VersionLoad::kNoResource;
    VersionRecord record;
};

// A value found at offset in a copy; bytes past the copy's end read as zero.
VersionValue ValueIn(std::span<const std::uint8_t> copy, std::size_t offset, std::size_t length) {
    return {offset < copy.size() ? copy.subspan(offset) : std::span<const std::uint8_t>(),
            static_cast<std::uint32_t>(length)};
}

Reading Filled(VersionLoad load, const VersionQuery& query) {
    Reading reading{load, {}};
    if (load == VersionLoad::kLoaded)
        FillVersionRecord(query, reading.record);
    return reading;
}

// The system's functions alone, as the reader used them before any check of
// ours: only for files that are known to be whole.
Reading UncheckedSystem(const std::string& path) {
    const std::wstring wide = Utf8ToWide(path);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(wide.c_str(), &ignored);
    if (size < 1)
        return {};
    std::vector<std::uint8_t> copy(std::max<std::size_t>(size, 256 * 1024), 0);
    if (!GetFileVersionInfoW(wide.c_str(), 0, size, copy.data()))
        return {VersionLoad::kCopyFailed, {}};
    return Filled(VersionLoad::kLoaded, [&](const std::string& subBlock) {
        void* address = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(copy.data(), Utf8ToWide(subBlock).c_str(), &address, &length))
            return std::optional<VersionValue>();
        const auto at = static_cast<std::uint8_t*>(address);
        const bool inside = at >= copy.data() && at < copy.data() + copy.size();
        return std::optional(ValueIn(copy, inside ? at - copy.data() : copy.size(), length));
    });
}

// The platform's reading: the system's functions behind our own checks.
Reading CheckedSystem(const std::string& path) {
    VersionResource resource;
    const VersionLoad load = resource.Load(path);
    return Filled(load, [&](const std::string& s) { return resource.Query(s); });
}

Reading Ours(const std::string& path) {
    const std::string image = test::ReadBytes(path);
    pe::MemorySource source({reinterpret_cast<const std::uint8_t*>(image.data()), image.size()});
    const pe::ResourceCopy copy = pe::CopyVersionResource(source);
    const VersionLoad load = copy.outcome == pe::Outcome::kCopied       ? VersionLoad::kLoaded
                             : copy.outcome == pe::Outcome::kUnreadable ? VersionLoad::kCopyFailed
                                                                        : VersionLoad::kNoResource;
    return Filled(load, [&](const std::string& subBlock) -> std::optional<VersionValue> {
        std::optional<pe::ValueRef> found = pe::FindValue(copy.bytes, subBlock);
        if (!found)
            return std::nullopt;
        return ValueIn(copy.bytes, found->offset, found->length);
    });
}

std::vector<std::string> Fields(const Reading& r) {
    const VersionRecord& v = r.record;
    std::vector<std::string> fields = {
        v.StrucVersion,   v.VersionText,      v.ProductVersion, v.FileFlags,       v.FileOS,
        v.TypeText,       v.FileSubType,      v.CompanyName,    v.FileDescription, v.InternalName,
        v.LegalCopyright, v.OriginalFileName, v.ProductName};
    fields.push_back(std::to_string(static_cast<int>(r.load)));
    return fields;
}

// Compares our reading of every file with the system's; returns how many had
// a version.
std::size_t ExpectSame(const std::vector<std::string>& paths, bool whole = true) {
    std::size_t versioned = 0;
    for (const std::string& path : paths) {
        const Reading system = whole ? UncheckedSystem(path) : CheckedSystem(path);
        EXPECT_EQ(Fields(Ours(path)), Fields(system)) << path;
        if (whole) {
            EXPECT_EQ(Fields(CheckedSystem(path)), Fields(system)) << path;
        }
        versioned += system.load == VersionLoad::kLoaded && !system.record.VersionText.empty();
    }
    return versioned;
}

void AddProgramsAndLibraries(const std::string& folder, std::vector<std::string>& paths) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string extension = UpperCase(entry.path().extension().string());
        if (entry.is_regular_file() && (extension == ".DLL" || extension == ".EXE"))
            paths.push_back(WideToUtf8(entry.path().wstring()));
    }
}

TEST(VersionDifferential, EveryProgramAndLibraryOfTheSystemFolders) {
    std::vector<std::string> paths;
    AddProgramsAndLibraries("C:\\windows\\system32", paths);
    ASSERT_GT(paths.size(), 300u) << "the system folder should hold hundreds of files";
    AddProgramsAndLibraries("C:\\windows\\syswow64", paths);
    const std::size_t versioned = ExpectSame(paths);
    std::printf("compared %zu files, %zu with a version\n", paths.size(), versioned);
    EXPECT_GT(versioned, 100u);
}

std::uint32_t U32At(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.at(at + i)))
                 << (8 * i);
    return value;
}

// Damaged files go to the system only behind our checks: unchecked, it copies
// what a damaged directory claims, past the end of the file, and the process
// dies. The raw data places of the section headers stay whole: where they run
// past the end of the file, Wine's loader reads zeros for the part that is not
// there, ours what the file holds. (How a cut file is taken is the reader's
// own test.) Everywhere else the two must agree.
void ExpectSameForCopiesOf(const char* name, int rounds) {
    test::TempDir dir;
    const std::string image = test::ReadBytes(test::TestImage(name));
    const std::size_t headers = U32At(image, 0x3C);
    const std::size_t sections = headers + 24 + (U32At(image, headers + 20) & 0xFFFF);
    const std::size_t sectionCount = U32At(image, headers + 6) & 0xFFFF;
    std::vector<std::string> paths;
    std::uint32_t seed = 12345;
    for (int round = 0; round < rounds; ++round) {
        std::string damaged = image;
        for (int i = 0; i < 4; ++i) {
            seed = seed * 1103515245 + 12345;
            const std::size_t at = (seed >> 8) % damaged.size();
            const bool rawPlace = at >= sections && at < sections + 40 * sectionCount &&
                                  (at - sections) % 40 >= 16 && (at - sections) % 40 < 24;
            if (!rawPlace)
                damaged[at] = static_cast<char>(seed >> 24);
        }
        paths.push_back(dir.file("damaged" + std::to_string(round) + ".dll"));
        test::WriteBytes(paths.back(), damaged);
    }
    const std::size_t versioned = ExpectSame(paths, false);
    EXPECT_GT(versioned, paths.size() / 2) << name;
}

TEST(VersionDifferential, DamagedCopies) {
    ExpectSameForCopiesOf("full.dll", 400);
    ExpectSameForCopiesOf("translations.dll", 400);
}

}  // namespace
}  // namespace kvu
