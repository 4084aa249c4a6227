// Our own reader of version resources: it finds the VS_VERSIONINFO resource in
// the resource directory of a PE32 or PE32+ image and looks values up in it.
// Plain C++ on bytes handed in by a ByteSource, with every offset and length
// checked. On Linux it is the version backend; on Windows it checks a file
// before the system's version functions, which trust the sizes inside it, are
// let near it; the Windows tests compare the two and the fuzzer feeds it
// anything.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace kvu::pe {

// Random access to the bytes of a file or a buffer.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Copies count bytes from offset; false unless the whole range lies inside
    // the source and could be read.
    virtual bool Read(std::uint64_t offset, std::size_t count, std::uint8_t* out) = 0;
};

class MemorySource final : public ByteSource {
  public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    bool Read(std::uint64_t offset, std::size_t count, std::uint8_t* out) override;

  private:
    std::span<const std::uint8_t> bytes_;
};

// A file read through one window: the headers, the resource directory and a
// small resource each cost one read of the file, and a file that is no image
// one short read. Platforms supply the reads and the size.
class WindowedSource : public ByteSource {
  public:
    bool Read(std::uint64_t offset, std::size_t count, std::uint8_t* out) final;

  protected:
    // Reads up to count bytes at offset; how many it read, 0 at the end or on
    // failure.
    virtual std::size_t ReadAt(std::uint64_t offset, std::size_t count, std::uint8_t* out) = 0;

  private:
    std::size_t ReadUpTo(std::uint64_t offset, std::size_t count, std::uint8_t* out);

    static constexpr std::size_t kWindow = 4096;
    static constexpr std::size_t kFirstWindow = 1024;  // the headers of nearly every image

    std::uint8_t window_[kWindow];
    std::uint64_t windowStart_ = 0;
    std::size_t windowLength_ = 0;
    bool first_ = true;
};

enum class Outcome {
    kNone,        // not a PE image, or no version resource in it
    kUnreadable,  // the resource's data does not lie inside the file
    kCopied,
};

struct ResourceCopy {
    Outcome outcome = Outcome::kNone;
    std::vector<std::uint8_t> bytes;
};

// The first copy reaches at most this far; the tree's 16-bit lengths never
// lead a lookup further into a resource than a few hundred KiB.
inline constexpr std::size_t kMaxCopy = 1 << 20;

// Finds resource type 16 (version), name 1, in the language a Hungarian system
// prefers (neutral, Hungarian, US English, else the first one), and copies it
// laid out as the system's version functions lay out theirs. The resource of a
// 16-bit (NE) image is copied in the 32-bit layout, its texts widened, as the
// system's wide lookups read it.
ResourceCopy CopyVersionResource(ByteSource& source);

// What CopyVersionResource would give, without copying.
Outcome CheckVersionResource(ByteSource& source);

struct ValueRef {
    std::size_t offset = 0;    // from the start of the copy; may lie past its end
    std::uint16_t length = 0;  // as declared: characters for text, bytes otherwise
};

// The value a sub-block path names in a copy. Components are separated by
// backslashes, empty ones skipped, and matched without regard to ASCII case.
// Bytes past the end of the copy read as zero, as in the system's larger
// buffer. Resources in the 16-bit layout are not read.
std::optional<ValueRef> FindValue(std::span<const std::uint8_t> copy, std::string_view path);

}  // namespace kvu::pe
