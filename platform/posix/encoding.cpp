#include <iconv.h>

#include <cerrno>
#include <string>

#include "platform/encoding.h"
#include "platform/plain_text.h"

namespace kvu {
namespace {

// One converter per direction and thread: opening one costs far more than
// converting a line.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

  private:
    iconv_t cd_;
};

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
std::string Convert(const Converter& converter, std::string_view text, bool utf8Input) {
    if (IsAscii(text) || !converter.ok())
        return std::string(text);
    iconv_t cd = converter.get();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
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
    return out;
}

}  // namespace

std::string AnsiToUtf8(std::string_view ansi) {
    thread_local const Converter converter("UTF-8", "WINDOWS-1250");
    return Convert(converter, ansi, false);
}

std::string OemToUtf8(std::string_view oem) {
    thread_local const Converter converter("UTF-8", "CP852");
    return Convert(converter, oem, false);
}

std::string Utf8ToAnsi(std::string_view utf8) {
    thread_local const Converter converter("WINDOWS-1250", "UTF-8");
    return Convert(converter, utf8, true);
}

}  // namespace kvu
