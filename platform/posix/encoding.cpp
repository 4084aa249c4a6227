#include <iconv.h>

#include <cerrno>
#include <string>

#include "platform/encoding.h"

namespace kvu {
namespace {

// Length of the input sequence that iconv refused: a whole UTF-8 sequence, or
// one byte of single-byte text.
std::size_t RefusedLength(const char* in, std::size_t left, bool utf8Input) {
    std::size_t step = 1;
    if (utf8Input) {
        while (step < left && (static_cast<unsigned char>(in[step]) & 0xC0) == 0x80)
            ++step;
    }
    return step;
}

// Converts with iconv; what cannot be converted becomes '?' and the conversion
// goes on after it.
std::string Convert(const char* to, const char* from, std::string_view text, bool utf8Input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string(text);
    std::string out(text.size() * 4 + 4, '\0');  // the widest output: 4 bytes a byte
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0 &&
           iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        if (errno == E2BIG)
            break;
        *outPtr++ = '?';
        --outLeft;
        std::size_t step = RefusedLength(in, inLeft, utf8Input);
        in += step;
        inLeft -= step;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(out.size() - outLeft);
    iconv_close(cd);
    return out;
}

}  // namespace

std::string AnsiToUtf8(std::string_view ansi) {
    return Convert("UTF-8", "WINDOWS-1250", ansi, false);
}

std::string Utf8ToAnsi(std::string_view utf8) {
    return Convert("WINDOWS-1250", "UTF-8", utf8, true);
}

}  // namespace kvu
