// Arbitrary bytes as an archive, extracted into a temporary folder in one of
// the library's modes, with or without name lists and with one of the replace
// answers: nothing may crash, nothing may land outside the extraction folder
// (which lies several levels below the fuzzing folder, so that climbing names
// land inside it), and no temporary file may be left behind.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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

// The answer of the replace callback, chosen per input.
std::int32_t& ReplaceAnswer() {
    static std::int32_t answer = kvu::kReplaceYes;
    return answer;
}

std::int32_t UZ_WINAPI Replace(char* fileName) {
    if (ReplaceAnswer() == kvu::kReplaceRename)
        std::strcpy(fileName, "../../renamed.txt");  // a hostile new name
    return ReplaceAnswer();
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

void SetMode(std::size_t choice, kvu::DCL& options) {
    switch (choice % 5) {  // the mode, without touching the bytes themselves
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
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path archive = Root() / "in.zip";
    const fs::path out = Root() / "1" / "2" / "3" / "4" / "5" / "6" / "out";
    {
        std::ofstream file(archive, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    fs::create_directories(out);
    std::string archiveName = archive.string(), folderName = out.string();
    kvu::DCL options{};
    options.noflag = 1;
    SetMode(size, options);
    // Name lists and the replace answer, also from the size alone.
    static constexpr std::int32_t kAnswers[] = {kvu::kReplaceYes, kvu::kReplaceNo, kvu::kReplaceAll,
                                                kvu::kReplaceNone, kvu::kReplaceRename};
    ReplaceAnswer() = kAnswers[(size / 5) % 5];
    options.PromptToOverwrite = (size / 25) % 2;
    options.C_flag = (size / 50) % 2;
    char include[] = "*.DLL", exclude[] = "a*";
    char* includes[] = {include};
    char* excludes[] = {exclude};
    const bool lists = (size / 100) % 2;
    options.lpszZipFN = archiveName.data();
    options.lpszExtractDir = folderName.data();
    kvu::USERFUNCTIONS functions{Print, nullptr, Replace, Password, nullptr, Service,
                                 0,     0,       0,       0,        0};
    Wiz_SingleEntryUnzip(lists ? 1 : 0, includes, lists ? 1 : 0, excludes, &options, &functions);

    // Only the archive and the folders down to the extraction folder lie
    // outside it.
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(Root())) {
        const fs::path& path = entry.path();
        const bool inside = path.string().rfind(out.string() + "/", 0) == 0;
        const bool onTheWay = out.string().rfind(path.string() + "/", 0) == 0 || path == out;
        Check(path == archive || inside || (onTheWay && entry.is_directory()));
        Check(path.filename().string().rfind(".unzip32-", 0) != 0);
    }
    fs::remove_all(out);
    return 0;
}
