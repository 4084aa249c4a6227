#include "unzip32/callbacks.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/encoding.h"

namespace kvu::unzip {
namespace {

// The replace and password callbacks get buffers far larger than they are told,
// so that a callback that writes a little past its size stays inside.
constexpr std::size_t kNameBufferSize = 1024;
constexpr std::size_t kPasswordBufferSize = 1024;
constexpr std::int32_t kPasswordSizeGiven = 256;
constexpr std::size_t kDataPiece = 32768;

std::uint32_t Clamp32(std::uint64_t value) {
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(value, 0xFFFFFFFFu));
}

std::vector<char> AnsiBuffer(std::string_view utf8, std::size_t size) {
    std::string ansi = Utf8ToAnsi(utf8);
    std::vector<char> buffer(std::max(size, ansi.size() + 1), '\0');
    std::copy(ansi.begin(), ansi.end(), buffer.begin());
    return buffer;
}

}  // namespace

std::int32_t CompressionFactor(std::uint64_t compressed, std::uint64_t uncompressed) {
    if (uncompressed == 0)
        return 0;
    double saved = 100.0 * (static_cast<double>(uncompressed) - static_cast<double>(compressed)) /
                   static_cast<double>(uncompressed);
    return static_cast<std::int32_t>(std::clamp(saved + (saved < 0 ? -0.5 : 0.5), -1e9, 100.0));
}

Callbacks::Callbacks(USERFUNCTIONS* functions, int quiet) : functions_(functions), quiet_(quiet) {}

void Callbacks::Print(std::string_view text) const {
    if (!functions_ || !functions_->print)
        return;
    std::vector<char> buffer = AnsiBuffer(text, 0);
    functions_->print(buffer.data(), static_cast<std::uint32_t>(std::strlen(buffer.data())));
}

void Callbacks::Info(std::string_view text) const {
    if (quiet_ <= 0)
        Print(text);
}

void Callbacks::Problem(std::string_view text) const {
    if (quiet_ <= 1)
        Print(text);
}

void Callbacks::Data(const unsigned char* data, std::size_t size) const {
    if (!functions_ || !functions_->print)
        return;
    std::vector<char> piece;
    for (std::size_t at = 0; at < size; at += kDataPiece) {
        std::size_t n = std::min(kDataPiece, size - at);
        piece.assign(data + at, data + at + n);
        piece.push_back('\0');
        functions_->print(piece.data(), static_cast<std::uint32_t>(n));
    }
}

std::int32_t Callbacks::AskReplace(std::string& path) const {
    if (!functions_ || !functions_->replace)
        return kReplaceNone;
    std::vector<char> buffer = AnsiBuffer(path, kNameBufferSize);
    std::int32_t answer = functions_->replace(buffer.data());
    if (answer == kReplaceRename) {
        buffer.back() = '\0';
        path = AnsiToUtf8(buffer.data());
    }
    return answer;
}

std::optional<std::string> Callbacks::AskPassword(std::string_view entry, bool& cancelAll) const {
    cancelAll = false;
    if (!functions_ || !functions_->password) {
        cancelAll = true;
        return std::nullopt;
    }
    std::vector<char> buffer(kPasswordBufferSize, '\0');
    std::vector<char> name = AnsiBuffer(entry, 0);
    std::int32_t answer =
        functions_->password(buffer.data(), kPasswordSizeGiven, "Password: ", name.data());
    buffer.back() = '\0';
    if (answer == kPasswordCancelAll)
        cancelAll = true;
    if (answer != kPasswordEntered || buffer[0] == '\0')
        return std::nullopt;
    return std::string(buffer.data());
}

void Callbacks::ReportMember(const ListedMember& member) const {
    if (!functions_ || !functions_->SendApplicationMessage)
        return;
    std::vector<char> name = AnsiBuffer(member.name, 0);
    std::vector<char> method = AnsiBuffer(member.method, 0);
    functions_->SendApplicationMessage(
        Clamp32(member.uncompressedSize), Clamp32(member.compressedSize),
        static_cast<std::uint32_t>(member.factor), (member.dosDate >> 5) & 0x0F,
        member.dosDate & 0x1F, (member.dosDate >> 9) + 1980u, member.dosTime >> 11,
        (member.dosTime >> 5) & 0x3F, ' ', name.data(), method.data(), member.crc,
        member.encrypted ? 'E' : ' ');
}

bool Callbacks::Proceed(std::string_view entry, std::uint64_t size) const {
    if (!functions_ || !functions_->ServCallBk)
        return true;
    std::vector<char> name = AnsiBuffer(entry, 0);
    return functions_->ServCallBk(name.data(), Clamp32(size)) == 0;
}

void Callbacks::Finished() const {
    if (functions_ && functions_->sound)
        functions_->sound();
}

void Callbacks::SetCommentLength(std::size_t length) const {
    if (functions_)
        functions_->cchComment = static_cast<std::uint16_t>(std::min<std::size_t>(length, 0xFFFF));
}

void Callbacks::SetTotals(const Totals& totals) const {
    if (!functions_)
        return;
    functions_->TotalSizeComp = Clamp32(totals.compressed);
    functions_->TotalSize = Clamp32(totals.uncompressed);
    functions_->CompFactor =
        static_cast<std::uint32_t>(CompressionFactor(totals.compressed, totals.uncompressed));
    functions_->NumMembers = Clamp32(totals.members);
}

}  // namespace kvu::unzip
