#include "install/download_file.h"

#include "platform/paths.h"
#include "platform/staged_file.h"

namespace kvu {
namespace {

// A name that stays inside the folder: the URL comes from a server, and a
// backslash, a drive colon or a dot name would reach other folders or streams.
bool IsPlainFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    return name.find_first_of("\\/:") == std::string::npos;
}

bool Fetch(InternetTransfer& inet, const std::string& url, const std::string& folder,
           const std::string& name) {
    if (!IsPlainFileName(name))
        return false;
    // The body goes to a file of its own, so an older file of this name stays
    // whole until the new one is complete and memory stays small. The archive
    // is read back at once by this run: no waiting for the disk.
    StagedFile file;
    if (!file.Create(folder))
        return false;
    Result<std::uint64_t> received = inet.OpenUrl(url, [&file](std::string_view bytes) {
        return file.Write(bytes.data(), bytes.size()) == WriteResult::kOk;
    });
    return received.ok() && file.Commit(JoinPath(folder, name), std::nullopt,
                                        Durability::kCached) == WriteResult::kOk;
}

}  // namespace

bool DownloadFile(InternetTransfer& inet, const std::string& url, const std::string& folder,
                  std::string& message) {
    if (inet.StillExecuting())
        return false;
    std::string name = LastSegment(url, '/');
    if (Fetch(inet, url, folder, name))
        return true;
    message += kDownloadFailureLine + name + "\r\n";
    return false;
}

}  // namespace kvu
