#include <optional>
#include <string>

#include "platform/encoding.h"
#include "platform/file_contents.h"
#include "platform/ini_document.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/staged_file.h"

namespace kvu {
namespace {

// The new content takes the old file's place in one step, so that a crash or a
// full disk never leaves a torn settings file behind.
bool ReplaceFile(const std::string& path, const std::string& bytes) {
    const std::string folder = WithoutLastSegment(path, kPathSep);
    StagedFile file;
    return file.Create(folder.empty() ? "." : folder) &&
           file.Write(bytes.data(), bytes.size()) == WriteResult::kOk &&
           file.Commit(path, std::nullopt) == WriteResult::kOk;
}

}  // namespace

std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& defaultValue, const std::string& filePath) {
    std::string text = ReadFileBytes(filePath).value_or("");
    return AnsiToUtf8(ini::ReadString(text, Utf8ToAnsi(section), Utf8ToAnsi(key),
                                      Utf8ToAnsi(defaultValue), kProfileValueMax + 1));
}

int ReadProfileInt(const std::string& section, const std::string& key, int defaultValue,
                   const std::string& filePath) {
    std::string text = ReadFileBytes(filePath).value_or("");
    return ini::ReadInt(text, Utf8ToAnsi(section), Utf8ToAnsi(key), defaultValue);
}

std::vector<std::string> ReadProfileKeys(const std::string& section, const std::string& filePath) {
    std::string text = ReadFileBytes(filePath).value_or("");
    std::vector<std::string> names = ini::KeyNames(text, Utf8ToAnsi(section));
    for (std::string& name : names)
        name = AnsiToUtf8(name);
    return names;
}

bool WriteProfileValue(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& filePath) {
    std::optional<std::string> old = ReadFileBytes(filePath);
    std::string text = old.value_or("");
    std::string updated =
        ini::WriteString(text, Utf8ToAnsi(section), Utf8ToAnsi(key), Utf8ToAnsi(value));
    if (old && updated == text)
        return true;
    return ReplaceFile(filePath, updated);
}

}  // namespace kvu
