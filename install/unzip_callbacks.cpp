#include "install/unzip_callbacks.h"

#include <algorithm>
#include <cstring>

#include "platform/encoding.h"
#include "platform/windowing/types.h"

namespace kvu {
namespace {

// The one mutable global: the library's callbacks carry no context.
thread_local UnzipRun* currentRun = nullptr;

constexpr std::size_t kFileNameLimit = 256;
constexpr std::int32_t kNoPassword = 1;

// ANSI text up to the first NUL, never more than limit bytes.
std::string TextOf(const char* buffer, std::size_t limit) {
    return buffer ? AnsiToUtf8(std::string_view(buffer, strnlen(buffer, limit))) : std::string();
}

std::int32_t ReplaceAnswerFor(int button) {
    switch (button) {
        case ui::kIdYes:
            return kReplaceYes;
        case ui::kIdCancel:
            return kReplaceNone;
        default:
            return kReplaceNo;
    }
}

// Cuts the answer to what fits with its NUL in the first size bytes, and in
// no case more than kUnzipPasswordLimit bytes.
std::int32_t StorePassword(char* buffer, std::int32_t size, const std::string& answer) {
    if (!buffer || size <= 0)
        return kNoPassword;
    std::size_t room = std::min(static_cast<std::size_t>(size), kUnzipPasswordLimit);
    std::memset(buffer, 0, room);
    std::string ansi = Utf8ToAnsi(answer);
    std::memcpy(buffer, ansi.data(), std::min(ansi.size(), room - 1));
    return kPasswordEntered;
}

}  // namespace

CurrentUnzipRun::CurrentUnzipRun(UnzipRun& run) : previous_(currentRun) {
    currentRun = &run;
}

CurrentUnzipRun::~CurrentUnzipRun() {
    currentRun = previous_;
}

std::int32_t UZ_WINAPI UnzipPrint(char* buffer, std::uint32_t size) noexcept {
    try {
        if (!currentRun)
            return 0;
        std::string text = TextOf(buffer, std::min<std::size_t>(size, kUnzipPrintLimit));
        if (!text.empty() && text.front() == '\n')
            text = "\r\n";
        currentRun->host.SetInfoCaption(text);
        currentRun->host.ProcessPendingEvents();
    } catch (...) {
    }
    return 0;
}

std::int32_t UZ_WINAPI UnzipReplace(char* fileName) noexcept {
    try {
        if (!currentRun)
            return kReplaceNo;
        std::string question = kOverwritePrefix + TextOf(fileName, kFileNameLimit) + "?";
        return ReplaceAnswerFor(
            currentRun->host.MsgBox(question, ui::kMbYesNoCancel | ui::kMbExclamation));
    } catch (...) {
        return kReplaceNo;
    }
}

std::int32_t UZ_WINAPI UnzipPassword(char* buffer, std::int32_t size, const char* /*prompt*/,
                                     const char* /*entryName*/) noexcept {
    try {
        if (!currentRun || currentRun->passwordSkip)
            return kNoPassword;
        std::string answer = currentRun->host.InputBox(kPasswordPrompt);
        if (answer.empty()) {
            currentRun->passwordSkip = true;
            return kNoPassword;
        }
        return StorePassword(buffer, size, answer);
    } catch (...) {
        return kNoPassword;
    }
}

void UZ_WINAPI UnzipMemberReport(std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                                 std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, char,
                                 char*, char*, std::uint32_t, char) noexcept {}

std::int32_t UZ_WINAPI UnzipService(const char* /*entryName*/, std::uint32_t /*size*/) noexcept {
    return 0;
}

USERFUNCTIONS UnzipCallbacks() {
    USERFUNCTIONS functions{};
    functions.print = UnzipPrint;
    functions.sound = nullptr;
    functions.replace = UnzipReplace;
    functions.password = UnzipPassword;
    functions.SendApplicationMessage = UnzipMemberReport;
    functions.ServCallBk = UnzipService;
    return functions;
}

}  // namespace kvu
