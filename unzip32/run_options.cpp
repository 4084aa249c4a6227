#include "unzip32/run_options.h"

#include "platform/encoding.h"
#include "platform/paths.h"
#include "unzip32/wildcard.h"

namespace kvu::unzip {
namespace {

std::vector<std::string> ReadList(std::int32_t count, char** names) {
    std::vector<std::string> list;
    for (std::int32_t i = 0; names && i < count; ++i) {
        if (names[i] && names[i][0] != '\0')
            list.push_back(AnsiToUtf8(names[i]));
    }
    return list;
}

std::string ReadFolder(const char* ansi) {
    std::string folder = ansi ? AnsiToUtf8(ansi) : std::string();
    // A root keeps its separator: "/" or "C:\".
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == kPathSep) &&
           !(folder.size() == 3 && folder[1] == ':'))
        folder.pop_back();
    return folder.empty() ? "." : folder;
}

}  // namespace

bool ReadOptions(const DCL* dcl, std::int32_t includeCount, char** includes,
                 std::int32_t excludeCount, char** excludes, RunOptions& options) {
    if (!dcl || !dcl->lpszZipFN || dcl->lpszZipFN[0] == '\0')
        return false;
    options.onlyNewer = dcl->ExtractOnlyNewer != 0;
    options.spaceToUnderscore = dcl->SpaceToUnderscore != 0;
    options.prompt = dcl->PromptToOverwrite != 0;
    options.quiet = dcl->fQuiet;
    options.toPrint = dcl->ncflag != 0;
    options.test = dcl->ntflag != 0;
    options.list = dcl->nvflag != 0 || dcl->nZIflag != 0;
    options.freshen = dcl->nfflag != 0;
    options.commentOnly = dcl->nzflag != 0;
    options.keepFolders = dcl->ndflag != 0;
    options.overwrite = dcl->noflag != 0;
    options.convertText = dcl->naflag != 0;
    options.detailedList = dcl->nZIflag != 0;
    options.ignoreCase = dcl->C_flag != 0;
    options.archive = AnsiToUtf8(dcl->lpszZipFN);
    options.folder = ReadFolder(dcl->lpszExtractDir);
    options.includes = ReadList(includeCount, includes);
    options.excludes = ReadList(excludeCount, excludes);
    return true;
}

bool IsSelected(const RunOptions& options, const std::string& name,
                std::vector<bool>& includeUsed) {
    includeUsed.resize(options.includes.size());
    bool included = options.includes.empty();
    for (std::size_t i = 0; i < options.includes.size(); ++i) {
        if (WildcardMatch(name, options.includes[i], options.ignoreCase)) {
            includeUsed[i] = true;
            included = true;
        }
    }
    if (!included)
        return false;
    for (const std::string& pattern : options.excludes) {
        if (WildcardMatch(name, pattern, options.ignoreCase))
            return false;
    }
    return true;
}

}  // namespace kvu::unzip
