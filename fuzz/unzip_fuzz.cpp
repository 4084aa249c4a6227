// Arbitrary bytes as an archive, extracted into a temporary folder in one of
// the library's modes: nothing may crash, nothing may land outside the folder,
// and no temporary file may be left behind.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "unzip32/unzip32_api.h"

namespace {

namespace fs = std::filesystem;

std::int32_t UZ_WINAPI Print(char*, std::uint32_t) {
    return 0;
}

std::int32_t UZ_WINAPI Replace(char*) {
    return kvu::kReplaceYes;
}

std::int32_t UZ_WINAPI Password(char* buffer, std::int32_t size, const char*, const char*) {
    if (size < 2)
        return 1;
    buffer[0] = 'x';  // the password of the encrypted seeds
    buffer[1] = '\0';
    return 0;
}

std::int32_t UZ_WINAPI Service(const char*, std::uint32_t) {
    return 0;
}

// One folder per fuzzing process, removed when it ends.
struct FuzzFolder {
    FuzzFolder()
        : path(fs::temp_directory_path() / ("kvu-unzip-fuzz-" + std::to_string(getpid()))) {
        fs::create_directories(path);
    }
    ~FuzzFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

const fs::path& Root() {
    static const FuzzFolder folder;
    return folder.path;
}

void Check(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path archive = Root() / "in.zip";
    const fs::path out = Root() / "out";
    {
        std::ofstream file(archive, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    fs::create_directories(out);
    std::string archiveName = archive.string(), folderName = out.string();
    kvu::DCL options{};
    options.noflag = 1;
    switch (size % 5) {  // the mode, without touching the bytes themselves
        case 1:
            options.ndflag = 1;
            break;
        case 2:
            options.ntflag = 1;
            break;
        case 3:
            options.nvflag = 1;
            break;
        case 4:
            options.naflag = 1;
            options.SpaceToUnderscore = 1;
            break;
        default:
            break;
    }
    options.lpszZipFN = archiveName.data();
    options.lpszExtractDir = folderName.data();
    kvu::USERFUNCTIONS functions{Print, nullptr, Replace, Password, nullptr, Service,
                                 0,     0,       0,       0,        0};
    Wiz_SingleEntryUnzip(0, nullptr, 0, nullptr, &options, &functions);

    for (const fs::directory_entry& entry : fs::directory_iterator(Root()))
        Check(entry.path() == archive || entry.path() == out);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(out))
        Check(entry.path().filename().string().rfind(".unzip32-", 0) != 0);
    fs::remove_all(out);
    return 0;
}
