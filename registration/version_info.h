// What the version resource of a file on disk says: the version record, filled
// by one read and read back by its caller right after it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/version.h"

namespace kvu {

// Longer string values keep their first this many characters.
inline constexpr std::size_t kVersionValueMax = 255;

// Every field is text and empty until a read fills it.
struct VersionRecord {
    std::string VersionFile;  // set before a read: the file to read
    std::string StrucVersion;
    std::string VersionText;
    std::string ProductVersion;
    std::string FileFlags;
    std::string FileOS;
    std::string TypeText;
    std::string FileSubType;
    std::string CompanyName;
    std::string FileDescription;
    std::string InternalName;
    std::string LegalCopyright;
    std::string OriginalFileName;
    std::string ProductName;
};

// The values of one loaded version resource, by sub-block path.
using VersionQuery = std::function<std::optional<VersionValue>(const std::string& subBlock)>;

// The fields of the fixed block only: the first step of FillVersionRecord.
void FillFixedBlock(const VersionQuery& query, VersionRecord& record);

// Fills every field but VersionFile from a loaded resource: the fixed block's
// fields, then the six texts of the first translation. Fields whose part of
// the resource is missing are left as they are.
void FillVersionRecord(const VersionQuery& query, VersionRecord& record);

// Eight upper-case hexadecimal digits, language then code page: 040E04E2.
std::string TranslationKey(std::uint16_t language, std::uint16_t codePage);

// The version reader: one record, overwritten by every read. Failures show as
// empty fields and as lines in the diagnostic log of logFolder.
class FileVersionInfo {
  public:
    explicit FileVersionInfo(std::string logFolder) : logFolder_(std::move(logFolder)) {}

    // Reads path and returns its dotted file version, empty when the file has
    // no readable version resource.
    std::string GetFileVersion(const std::string& path);

    // The same dotted version for callers that need nothing else of the
    // resource (the local index reads thousands): the texts are not read, the
    // record stays as it was, failures are logged alike.
    std::string ReadFileVersionOnly(const std::string& path);

    void SetVersionFile(std::string path) { record_.VersionFile = std::move(path); }
    // Reads the file named by VersionFile into the record.
    void ReadVersionInfo();

    const VersionRecord& Record() const { return record_; }
    std::string GetCompanyName() const { return record_.CompanyName; }
    std::string GetFileDescription() const { return record_.FileDescription; }
    std::string GetLegalCopyright() const { return record_.LegalCopyright; }
    std::string GetProductName() const { return record_.ProductName; }

  private:
    // Loads path's resource and lets fill read it; logs what fails.
    template <typename Fill>
    void Read(const std::string& path, Fill fill);

    std::string logFolder_;
    VersionRecord record_;
    VersionResource resource_;
};

}  // namespace kvu
