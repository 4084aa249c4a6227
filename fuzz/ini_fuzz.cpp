// Arbitrary bytes as a profile file: reads and writes must neither crash nor
// lose what they wrote.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    // The first bytes pick the names, so the fuzzer can hit existing ones.
    std::string section = text.substr(0, std::min<std::size_t>(size, 3));
    std::string key = size > 3 ? text.substr(3, std::min<std::size_t>(size - 3, 2)) : "k";
    kvu::ini::ReadString(text, section, key, "def");
    kvu::ini::ReadInt(text, section, key, 5);
    // Every listed key has a name and can be read back.
    for (const std::string& name : kvu::ini::KeyNames(text, section)) {
        if (name.empty())
            std::abort();
        kvu::ini::ReadString(text, section, name, "");
    }
    std::string written = kvu::ini::WriteString(text, "0_PARAM", "APP_PATH", "C:\\x");
    if (kvu::ini::ReadString(written, "0_PARAM", "APP_PATH", "") != "C:\\x")
        std::abort();
    return 0;
}
