#include <windows.h>

#include "platform/encoding.h"
#include "platform/win32/wide.h"

namespace kvu {
namespace {

std::wstring ToWide(UINT codePage, std::string_view text) {
    if (text.empty())
        return {};
    int n =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

std::string FromWide(UINT codePage, std::wstring_view wide) {
    if (wide.empty())
        return {};
    const char* fallback = codePage == CP_UTF8 ? nullptr : "?";
    int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                fallback, nullptr);
    std::string text(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n,
                        fallback, nullptr);
    return text;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
    return ToWide(CP_UTF8, utf8);
}
std::string WideToUtf8(std::wstring_view wide) {
    return FromWide(CP_UTF8, wide);
}

std::string AnsiToUtf8(std::string_view ansi) {
    return WideToUtf8(ToWide(CP_ACP, ansi));
}
std::string OemToUtf8(std::string_view oem) {
    return WideToUtf8(ToWide(CP_OEMCP, oem));
}
std::string Utf8ToAnsi(std::string_view utf8) {
    return FromWide(CP_ACP, Utf8ToWide(utf8));
}

}  // namespace kvu
