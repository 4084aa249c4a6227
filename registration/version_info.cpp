#include "registration/version_info.h"

#include <array>
#include <cstdio>
#include <exception>

#include "platform/encoding.h"
#include "registration/file_info_log.h"
#include "registration/version_texts.h"

namespace kvu {
namespace {

constexpr std::size_t kFixedBlockSize = 52;
constexpr std::array<std::string VersionRecord::*, 6> kTextFields = {
    &VersionRecord::CompanyName,    &VersionRecord::FileDescription,  &VersionRecord::InternalName,
    &VersionRecord::LegalCopyright, &VersionRecord::OriginalFileName, &VersionRecord::ProductName};
constexpr std::array<const char*, 6> kTextNames = {"CompanyName",      "FileDescription",
                                                   "InternalName",     "LegalCopyright",
                                                   "OriginalFileName", "ProductName"};

// Bytes past the end of the value's span read as zero, as the system's buffer
// holds zeros there.
std::uint8_t ByteAt(const VersionValue& value, std::size_t offset) {
    return offset < value.bytes.size() ? value.bytes[offset] : 0;
}
std::uint16_t U16At(const VersionValue& value, std::size_t offset) {
    return static_cast<std::uint16_t>(ByteAt(value, offset) | ByteAt(value, offset + 1) << 8);
}
std::uint32_t U32At(const VersionValue& value, std::size_t offset) {
    return U16At(value, offset) | static_cast<std::uint32_t>(U16At(value, offset + 2)) << 16;
}

// The UTF-16 characters of a text value that fit the value buffer, up to the
// first NUL, as UTF-8.
std::string TextOf(const VersionValue& value) {
    std::u16string units;
    const std::size_t count = std::min<std::size_t>(value.length, kVersionValueMax);
    for (std::size_t i = 0; i < count; ++i) {
        const char16_t unit = U16At(value, 2 * i);
        if (unit == 0)
            break;
        units += unit;
    }
    return Utf16ToUtf8(units);
}

void FillFixedFields(const VersionValue& block, VersionRecord& record) {
    auto word = [&](std::size_t index) { return U32At(block, 4 * index); };
    record.StrucVersion = StructureVersionText(word(1));
    record.VersionText = VersionNumberText(word(2), word(3));
    record.ProductVersion = VersionNumberText(word(4), word(5));
    record.FileFlags = FileFlagsText(word(7));
    record.FileOS = FileOsText(word(8));
    record.TypeText = FileTypeText(word(9));
    record.FileSubType = FileSubTypeText(word(9), word(10));
}

}  // namespace

std::string TranslationKey(std::uint16_t language, std::uint16_t codePage) {
    char key[9];
    std::snprintf(key, sizeof key, "%04X%04X", language, codePage);
    return key;
}

void FillVersionRecord(const VersionQuery& query, VersionRecord& record) {
    // A root value shorter than the fixed block has none: reading one anyway
    // would turn the bytes after it into a version number.
    std::optional<VersionValue> root = query("\\");
    if (root && root->length >= kFixedBlockSize)
        FillFixedFields(*root, record);
    std::optional<VersionValue> table = query("\\VarFileInfo\\Translation");
    if (!table)
        return;
    const std::string prefix =
        "\\StringFileInfo\\" + TranslationKey(U16At(*table, 0), U16At(*table, 2)) + "\\";
    for (std::size_t i = 0; i < kTextFields.size(); ++i) {
        if (std::optional<VersionValue> value = query(prefix + kTextNames[i]))
            record.*kTextFields[i] = TextOf(*value);
    }
}

std::string FileVersionInfo::GetFileVersion(const std::string& path) {
    record_.VersionText.clear();
    record_.VersionFile = path;
    ReadVersionInfo();
    return record_.VersionText;
}

void FileVersionInfo::ReadVersionInfo() {
    const std::string file = record_.VersionFile;
    record_ = VersionRecord{};
    record_.VersionFile = file;
    try {
        switch (resource_.Load(file)) {
            case VersionLoad::kNoResource:
                return;
            case VersionLoad::kCopyFailed:
                LogFileInfoError(logFolder_, "GetFileVersionInfo failed." + file);
                return;
            case VersionLoad::kLoaded:
                break;
        }
        FillVersionRecord([this](const std::string& subBlock) { return resource_.Query(subBlock); },
                          record_);
    } catch (const std::exception& error) {
        LogFileInfoError(logFolder_, "GetFileVersionInfo Error." + file + "\t" + error.what());
    }
}

}  // namespace kvu
