// A member's data: found through its local header, decrypted, inflated (or
// copied when stored), and checked against its declared size and CRC on the way
// to where it goes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/staged_file.h"
#include "unzip32/central_directory.h"

struct z_stream_s;

namespace kvu::unzip {

struct MemberData {
    std::uint64_t offset = 0;  // the first byte after the local header
    std::uint64_t size = 0;    // compressed bytes, the encryption header included
    std::uint16_t localDosTime = 0;
    std::optional<std::int64_t> unixModified;  // the local extended timestamp
};

enum class DataStatus {
    kOk,
    kBadData,    // the compressed stream is damaged or ends early
    kTooLarge,   // more data than declared: cut there
    kWrongSize,  // less data than declared
    kBadCrc,
    kReadError,
    kWriteFailed,
    kDiskFull,
};

// What a status means, for messages.
const char* Describe(DataStatus status);

// Receives a member's content piece by piece.
class MemberSink {
  public:
    virtual ~MemberSink() = default;
    virtual WriteResult Write(const unsigned char* data, std::size_t size) = 0;
};

// Reads the member's local header; false, with problem, when it is missing or
// damaged or when its data would run into the central directory.
bool LocateData(const ReadOnlyFile& file, const ArchiveIndex& index, const MemberEntry& entry,
                MemberData& data, std::string& problem);

// Whether password opens an encrypted member (by its encryption header).
bool PasswordFits(const ReadOnlyFile& file, const MemberEntry& entry, const MemberData& data,
                  std::string_view password);

// The version of the zlib inside.
const char* ZlibVersion();

// Streams members; its buffers and inflate state serve one member after another.
class MemberReader {
  public:
    MemberReader();
    ~MemberReader();
    MemberReader(const MemberReader&) = delete;
    MemberReader& operator=(const MemberReader&) = delete;

    // False when the inflate state could not be made (no memory).
    bool Ready() const { return ready_; }

    // Passes the member's content to sink, decrypting with password when it is
    // not null. The content never exceeds the declared size: more is cut and
    // reported as kTooLarge.
    DataStatus Extract(const ReadOnlyFile& file, const MemberEntry& entry, const MemberData& data,
                       const std::string* password, MemberSink& sink);

  private:
    struct Progress;
    DataStatus CopyStored(const ReadOnlyFile& file, Progress& progress, MemberSink& sink);
    DataStatus Inflate(const ReadOnlyFile& file, Progress& progress, MemberSink& sink);
    bool Refill(const ReadOnlyFile& file, Progress& progress, std::size_t& got);

    std::unique_ptr<z_stream_s> stream_;
    bool ready_ = false;
    std::vector<unsigned char> input_;
    std::vector<unsigned char> output_;
};

}  // namespace kvu::unzip
