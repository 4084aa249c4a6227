#include "install/unzip_and_copy.h"

#include <exception>

#include "platform/paths.h"

namespace kvu {
namespace {

constexpr long kErrorNoRecord = 91;

// Every archive overwrites without asking and writes its members flat.
void ResetOptions(UnzipOptions& options) {
    options.PromptToOverwrite = 0;
    options.noflag = 1;
    options.nzflag = 0;
    options.uExtractList = 0;
    options.ndflag = 0;
    options.IncludeCount = 0;
    options.IncludeList[0].clear();
    options.ExcludeCount = 0;
    options.ExcludeList[0].clear();
}

// The archive the download stored, and the folder of the installed file.
void SetPaths(UnzipOptions& options, const std::string& tempFolder, const clsUpdateInfo& record) {
    options.ZipFileName = JoinPath(tempFolder, LastSegment(record.NetPath, '/'));
    options.ExtractDir = WithoutLastSegment(record.LocalPath, kPathSep);
    if (!options.ExtractDir.empty())
        options.uExtractList = 0;
}

void AppendFailure(std::string& message, const Error& error) {
    message += kUnzipFailureLine + std::to_string(error.number) + " " + error.description + "\r\n";
}

}  // namespace

// Nothing is extracted without a record: the options would still name the
// previous archive and folder.
void UnZipAndCopyFile(UnzipModule& module, const clsUpdateInfo* record, int position,
                      const std::string& tempFolder, std::string& message) {
    module.host().SetInfoCaption("");
    try {
        ResetOptions(module.options());
        if (!record) {
            AppendFailure(message,
                          Error{kErrorNoRecord, "UnZipAndCopyFile",
                                "no update record at position " + std::to_string(position)});
            return;
        }
        SetPaths(module.options(), tempFolder, *record);
        module.RunUnzip();
    } catch (const ExtractionLibraryError& e) {
        AppendFailure(message, e.error());
    } catch (const std::exception& e) {
        AppendFailure(message, Error{0, "UnZipAndCopyFile", e.what()});
    }
}

}  // namespace kvu
