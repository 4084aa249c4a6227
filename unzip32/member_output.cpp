#include "unzip32/member_output.h"

namespace kvu::unzip {

WriteResult FileSink::Write(const unsigned char* data, std::size_t size) {
    if (!convertText_)
        return file_.Write(data, size);
    // CR LF and LF both become the platform's line end; a lone CR stays.
    converted_.clear();
    for (std::size_t i = 0; i < size; ++i) {
        char c = static_cast<char>(data[i]);
        if (pendingCr_ && c != '\n')
            converted_ += '\r';
        pendingCr_ = c == '\r';
        if (c == '\n')
            converted_ += kTextLineEnd;
        else if (c != '\r')
            converted_ += c;
    }
    return file_.Write(converted_.data(), converted_.size());
}

WriteResult FileSink::Finish() {
    if (!pendingCr_)
        return WriteResult::kOk;
    pendingCr_ = false;
    return file_.Write("\r", 1);
}

}  // namespace kvu::unzip
