#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/encoding.h"
#include "platform/ini_document.h"
#include "platform/profile.h"

namespace kvu {
namespace {

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes the new content beside the file and renames it over the old one, so
// that a crash or a full disk never leaves a torn settings file behind.
bool ReplaceFile(const std::string& path, const std::string& bytes) {
    std::string temp = path + ".XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0)
        return false;
    bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok) {
        ok = chmod(temp.c_str(), 0644) == 0 && rename(temp.c_str(), path.c_str()) == 0;
    }
    if (!ok)
        unlink(temp.c_str());
    return ok;
}

}  // namespace

std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& defaultValue, const std::string& filePath) {
    std::string text = ReadWholeFile(filePath).value_or("");
    return AnsiToUtf8(ini::ReadString(text, Utf8ToAnsi(section), Utf8ToAnsi(key),
                                      Utf8ToAnsi(defaultValue), kProfileValueMax + 1));
}

int ReadProfileInt(const std::string& section, const std::string& key, int defaultValue,
                   const std::string& filePath) {
    std::string text = ReadWholeFile(filePath).value_or("");
    return ini::ReadInt(text, Utf8ToAnsi(section), Utf8ToAnsi(key), defaultValue);
}

std::vector<std::string> ReadProfileKeys(const std::string& section, const std::string& filePath) {
    std::string text = ReadWholeFile(filePath).value_or("");
    std::vector<std::string> names = ini::KeyNames(text, Utf8ToAnsi(section));
    for (std::string& name : names)
        name = AnsiToUtf8(name);
    return names;
}

bool WriteProfileValue(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& filePath) {
    std::optional<std::string> old = ReadWholeFile(filePath);
    std::string text = old.value_or("");
    std::string updated =
        ini::WriteString(text, Utf8ToAnsi(section), Utf8ToAnsi(key), Utf8ToAnsi(value));
    if (old && updated == text)
        return true;
    return ReplaceFile(filePath, updated);
}

}  // namespace kvu
