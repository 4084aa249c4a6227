#include "registration/version_info.h"

#include <array>
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
    char16_t units[kVersionValueMax];
    const std::size_t limit = std::min<std::size_t>(value.length, kVersionValueMax);
    std::size_t count = 0;
    bool ascii = true;
    for (; count < limit; ++count) {
        units[count] = U16At(value, 2 * count);
        if (units[count] == 0)
            break;
        ascii = ascii && units[count] < 0x80;
    }
    if (!ascii)
        return Utf16ToUtf8(std::u16string_view(units, count));
    return std::string(units, units + count);
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
    const std::uint32_t value = static_cast<std::uint32_t>(language) << 16 | codePage;
    std::string key(8, '0');
    for (std::size_t i = 0; i < key.size(); ++i)
        key[i] = "0123456789ABCDEF"[(value >> (28 - 4 * i)) & 0xF];
    return key;
}

void FillFixedBlock(const VersionQuery& query, VersionRecord& record) {
    // A root value shorter than the fixed block has none: reading one anyway
    // would turn the bytes after it into a version number.
    std::optional<VersionValue> root = query("\\");
    if (root && root->length >= kFixedBlockSize)
        FillFixedFields(*root, record);
}

void FillVersionRecord(const VersionQuery& query, VersionRecord& record) {
    FillFixedBlock(query, record);
    std::optional<VersionValue> table = query("\\VarFileInfo\\Translation");
    if (!table)
        return;
    std::string path =
        "\\StringFileInfo\\" + TranslationKey(U16At(*table, 0), U16At(*table, 2)) + "\\";
    const std::size_t prefix = path.size();
    for (std::size_t i = 0; i < kTextFields.size(); ++i) {
        path.resize(prefix);
        path += kTextNames[i];
        if (std::optional<VersionValue> value = query(path))
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
    for (std::string* field :
         {&record_.StrucVersion, &record_.VersionText, &record_.ProductVersion, &record_.FileFlags,
          &record_.FileOS, &record_.TypeText, &record_.FileSubType, &record_.CompanyName,
          &record_.FileDescription, &record_.InternalName, &record_.LegalCopyright,
          &record_.OriginalFileName, &record_.ProductName})
        field->clear();
    Read(record_.VersionFile,
         [this](const VersionQuery& query) { FillVersionRecord(query, record_); });
}

std::string FileVersionInfo::ReadFileVersionOnly(const std::string& path) {
    VersionRecord fixed;
    Read(path, [&](const VersionQuery& query) { FillFixedBlock(query, fixed); });
    return fixed.VersionText;
}

template <typename Fill>
void FileVersionInfo::Read(const std::string& path, Fill fill) {
    try {
        switch (resource_.Load(path)) {
            case VersionLoad::kNoResource:
                return;
            case VersionLoad::kCopyFailed:
                LogFileInfoError(logFolder_, "GetFileVersionInfo failed." + path);
                return;
            case VersionLoad::kLoaded:
                break;
        }
        fill(VersionQuery(
            [this](const std::string& subBlock) { return resource_.Query(subBlock); }));
    } catch (const std::exception& error) {
        LogFileInfoError(logFolder_, "GetFileVersionInfo Error." + path + "\t" + error.what());
    }
}

}  // namespace kvu
