#include <algorithm>
#include <cstring>

#include "platform/pe_version.h"

namespace kvu::pe {

bool MemorySource::Read(std::uint64_t offset, std::size_t count, std::uint8_t* out) {
    if (offset > bytes_.size() || count > bytes_.size() - offset)
        return false;
    if (count > 0)
        std::memcpy(out, bytes_.data() + offset, count);
    return true;
}

// Reads until count bytes are in or the file ends; how many came.
std::size_t WindowedSource::ReadUpTo(std::uint64_t offset, std::size_t count, std::uint8_t* out) {
    std::size_t done = 0;
    while (done < count) {
        const std::size_t n = ReadAt(offset + done, count - done, out + done);
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

bool WindowedSource::Read(std::uint64_t offset, std::size_t count, std::uint8_t* out) {
    if (count > kWindow)
        return ReadUpTo(offset, count, out) == count;
    if (first_ || offset < windowStart_ || offset - windowStart_ + count > windowLength_) {
        const std::size_t want = first_ && offset == 0 ? kFirstWindow : kWindow;
        first_ = false;
        windowStart_ = offset;
        windowLength_ = ReadUpTo(offset, std::max(want, count), window_);
        if (count > windowLength_)
            return false;
    }
    std::memcpy(out, window_ + (offset - windowStart_), count);
    return true;
}

}  // namespace kvu::pe
