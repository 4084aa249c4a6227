#include "unzip32/member_data.h"

#include <zlib.h>

#include <algorithm>

#include "unzip32/little_endian.h"
#include "unzip32/traditional_cipher.h"

namespace kvu::unzip {
namespace {

constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::size_t kLocalSize = 30;
// Small enough that each piece stays in the core's cache from inflate through
// the CRC to the write, large enough for few system calls.
constexpr std::size_t kInputSize = 64 << 10;
constexpr std::size_t kOutputSize = 128 << 10;

unsigned char CheckByte(const MemberEntry& entry, const MemberData& data) {
    if (entry.flags & kFlagDataDescriptor)
        return static_cast<unsigned char>(data.localDosTime >> 8);
    return static_cast<unsigned char>(entry.crc >> 24);
}

}  // namespace

// The state of one member on its way through.
struct MemberReader::Progress {
    std::uint64_t offset;     // next compressed byte to read
    std::uint64_t remaining;  // compressed bytes not read yet
    std::uint64_t limit;      // declared uncompressed size
    std::uint64_t produced = 0;
    uLong crc = crc32(0, nullptr, 0);
    std::optional<TraditionalCipher> cipher;
};

const char* Describe(DataStatus status) {
    switch (status) {
        case DataStatus::kOk:
            return "OK";
        case DataStatus::kBadData:
            return "damaged compressed data";
        case DataStatus::kTooLarge:
            return "larger than its declared size (cut there)";
        case DataStatus::kWrongSize:
            return "smaller than its declared size";
        case DataStatus::kBadCrc:
            return "CRC error";
        case DataStatus::kReadError:
            return "cannot read the archive";
        case DataStatus::kWriteFailed:
            return "cannot write the file";
        case DataStatus::kDiskFull:
            return "the disk is full";
    }
    return "";
}

bool LocateData(const ReadOnlyFile& file, const ArchiveIndex& index, const MemberEntry& entry,
                MemberData& data, std::string& problem) {
    unsigned char header[kLocalSize];
    if (!file.ReadAt(entry.localOffset, header, kLocalSize) || Read32(header) != kLocalSignature) {
        problem = "the local header is missing";
        return false;
    }
    std::size_t nameSize = Read16(header + 26), extraSize = Read16(header + 28);
    std::vector<unsigned char> extra(extraSize);
    std::uint64_t start = entry.localOffset + kLocalSize + nameSize + extraSize;
    if (start > index.directoryStart || entry.compressedSize > index.directoryStart - start ||
        !file.ReadAt(entry.localOffset + kLocalSize + nameSize, extra.data(), extraSize)) {
        problem = "the member's data run into the central directory";
        return false;
    }
    MemberEntry local;
    ApplyExtraFields(extra.data(), extra.size(), false, local);
    data = MemberData{start, entry.compressedSize, Read16(header + 10), local.unixModified};
    return true;
}

bool PasswordFits(const ReadOnlyFile& file, const MemberEntry& entry, const MemberData& data,
                  std::string_view password) {
    unsigned char header[kCipherHeaderSize];
    if (data.size < kCipherHeaderSize || !file.ReadAt(data.offset, header, kCipherHeaderSize))
        return false;
    TraditionalCipher cipher(password);
    return HeaderFits(cipher, header, CheckByte(entry, data));
}

const char* ZlibVersion() {
    return zlibVersion();
}

MemberReader::MemberReader()
    : stream_(std::make_unique<z_stream>()), input_(kInputSize), output_(kOutputSize) {
    ready_ = inflateInit2(stream_.get(), -MAX_WBITS) == Z_OK;
}

MemberReader::~MemberReader() {
    if (ready_)
        inflateEnd(stream_.get());
}

DataStatus MemberReader::Extract(const ReadOnlyFile& file, const MemberEntry& entry,
                                 const MemberData& data, const std::string* password,
                                 MemberSink& sink) {
    Progress progress{data.offset, data.size, entry.uncompressedSize, 0, crc32(0, nullptr, 0), {}};
    if (password) {
        unsigned char header[kCipherHeaderSize];
        if (data.size < kCipherHeaderSize || !file.ReadAt(data.offset, header, sizeof header))
            return DataStatus::kReadError;
        progress.cipher.emplace(*password);
        progress.cipher->Decrypt(header, sizeof header);
        progress.offset += kCipherHeaderSize;
        progress.remaining -= kCipherHeaderSize;
    }
    DataStatus status = entry.method == kMethodStored ? CopyStored(file, progress, sink)
                                                      : Inflate(file, progress, sink);
    if (status != DataStatus::kOk)
        return status;
    if (progress.produced != progress.limit)
        return DataStatus::kWrongSize;
    return progress.crc == entry.crc ? DataStatus::kOk : DataStatus::kBadCrc;
}

// Reads the next piece of compressed data into the input buffer.
bool MemberReader::Refill(const ReadOnlyFile& file, Progress& progress, std::size_t& got) {
    got = static_cast<std::size_t>(std::min<std::uint64_t>(progress.remaining, input_.size()));
    if (!file.ReadAt(progress.offset, input_.data(), got))
        return false;
    if (progress.cipher)
        progress.cipher->Decrypt(input_.data(), got);
    progress.offset += got;
    progress.remaining -= got;
    return true;
}

DataStatus MemberReader::CopyStored(const ReadOnlyFile& file, Progress& progress,
                                    MemberSink& sink) {
    if (progress.remaining > progress.limit)
        progress.remaining = progress.limit + 1;  // enough to show it is too large
    while (progress.remaining > 0) {
        std::size_t got = 0;
        if (!Refill(file, progress, got))
            return DataStatus::kReadError;
        if (progress.produced + got > progress.limit)
            return DataStatus::kTooLarge;
        progress.crc = crc32(progress.crc, input_.data(), static_cast<uInt>(got));
        progress.produced += got;
        if (WriteResult written = sink.Write(input_.data(), got); written != WriteResult::kOk)
            return written == WriteResult::kDiskFull ? DataStatus::kDiskFull
                                                     : DataStatus::kWriteFailed;
    }
    return DataStatus::kOk;
}

DataStatus MemberReader::Inflate(const ReadOnlyFile& file, Progress& progress, MemberSink& sink) {
    inflateReset(stream_.get());
    stream_->avail_in = 0;
    for (;;) {
        if (stream_->avail_in == 0 && progress.remaining > 0) {
            std::size_t got = 0;
            if (!Refill(file, progress, got))
                return DataStatus::kReadError;
            stream_->next_in = input_.data();
            stream_->avail_in = static_cast<uInt>(got);
        }
        // Room for one byte beyond the declared size shows a member that is larger.
        std::uint64_t left = progress.limit - progress.produced;
        std::uint64_t room = left >= output_.size() ? output_.size() : left + 1;
        stream_->next_out = output_.data();
        stream_->avail_out = static_cast<uInt>(room);
        int result = inflate(stream_.get(), Z_NO_FLUSH);
        std::size_t got = static_cast<std::size_t>(room - stream_->avail_out);
        if (progress.produced + got > progress.limit)
            return DataStatus::kTooLarge;
        if (got > 0) {
            progress.crc = crc32(progress.crc, output_.data(), static_cast<uInt>(got));
            progress.produced += got;
            if (WriteResult written = sink.Write(output_.data(), got); written != WriteResult::kOk)
                return written == WriteResult::kDiskFull ? DataStatus::kDiskFull
                                                         : DataStatus::kWriteFailed;
        }
        if (result == Z_STREAM_END)
            return DataStatus::kOk;
        bool starved = stream_->avail_in == 0 && progress.remaining == 0 && got == 0;
        if ((result != Z_OK && result != Z_BUF_ERROR) || starved)
            return DataStatus::kBadData;
    }
}

}  // namespace kvu::unzip
