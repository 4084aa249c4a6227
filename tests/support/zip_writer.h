// A small ZIP archive writer for tests: well-formed archives, and damaged or
// hostile ones on purpose (wrong CRC or sizes, any name, overlapping members).
#pragma once

#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kvu::test {

struct ZipMember {
    std::string name = {};
    std::string data = {};
    std::uint16_t method = 8;                                  // 0 stored, 8 deflated
    std::uint16_t flags = 0;                                   // bit 11 (UTF-8) as given
    std::uint16_t dosDate = (44 << 9) | (3 << 5) | 15;         // 2024-03-15
    std::uint16_t dosTime = (10 << 11) | (20 << 5) | 15;       // 10:20:30
    std::optional<std::int32_t> unixTime = std::nullopt;       // an extended timestamp field
    std::optional<std::uint32_t> crc = std::nullopt;           // instead of the right one
    std::optional<std::uint64_t> declaredSize = std::nullopt;  // instead of the data's size
    bool zip64 = false;
    std::uint32_t externalAttributes = 0;
    std::uint16_t internalAttributes = 0;
    std::optional<std::uint64_t> localOffset = std::nullopt;  // where the central entry says it is
    std::string localExtra = {};  // raw bytes added to the local extra field only
    std::optional<std::string> password = std::nullopt;  // traditional encryption
};

struct ZipArchive {
    std::vector<ZipMember> members = {};
    std::string comment = {};
    std::string prefix = {};  // bytes in front of the archive
    bool zip64End = false;
};

namespace zip_detail {

inline void Put(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline std::string Deflate(const std::string& data) {
    z_stream stream{};
    deflateInit2(&stream, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

inline std::uint32_t Crc(const std::string& data) {
    return static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

// The traditional PKWARE cipher.
class Cipher {
  public:
    explicit Cipher(const std::string& password) {
        for (char c : password)
            Update(static_cast<unsigned char>(c));
    }
    std::string Encrypt(const std::string& plain) {
        std::string out;
        for (char c : plain) {
            const std::uint32_t temp = (keys_[2] & 0xFFFF) | 2;
            out += static_cast<char>(c ^ ((temp * (temp ^ 1)) >> 8));
            Update(static_cast<unsigned char>(c));
        }
        return out;
    }

  private:
    static std::uint32_t CrcStep(std::uint32_t crc, unsigned char byte) {
        return static_cast<std::uint32_t>(crc32(crc ^ 0xFFFFFFFFu, &byte, 1)) ^ 0xFFFFFFFFu;
    }
    void Update(unsigned char c) {
        keys_[0] = CrcStep(keys_[0], c);
        keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813 + 1;
        keys_[2] = CrcStep(keys_[2], static_cast<unsigned char>(keys_[1] >> 24));
    }
    std::uint32_t keys_[3] = {0x12345678, 0x23456789, 0x34567890};
};

}  // namespace zip_detail

inline std::string BuildZip(const ZipArchive& archive) {
    using zip_detail::Put;
    std::string out = archive.prefix;
    std::string central;
    for (const ZipMember& m : archive.members) {
        std::string body = m.method == 8 ? zip_detail::Deflate(m.data) : m.data;
        std::uint32_t crc = m.crc.value_or(zip_detail::Crc(m.data));
        std::uint16_t flags = m.flags | (m.password ? 1 : 0);
        if (m.password) {  // without a data descriptor the check byte is the CRC's high byte
            body = zip_detail::Cipher(*m.password)
                       .Encrypt(std::string(11, '\x5A') + static_cast<char>(crc >> 24) + body);
        }
        std::uint64_t size = m.declaredSize.value_or(m.data.size());
        std::uint64_t offset = out.size() - archive.prefix.size();
        std::string extra;
        if (m.unixTime) {
            Put(extra, 0x5455, 2);
            Put(extra, 5, 2);
            Put(extra, 1, 1);
            Put(extra, static_cast<std::uint32_t>(*m.unixTime), 4);
        }
        std::string localZip64, centralZip64;
        if (m.zip64) {
            Put(localZip64, 0x0001, 2), Put(localZip64, 16, 2), Put(localZip64, size, 8);
            Put(localZip64, body.size(), 8);
            Put(centralZip64, 0x0001, 2), Put(centralZip64, 24, 2), Put(centralZip64, size, 8);
            Put(centralZip64, body.size(), 8), Put(centralZip64, m.localOffset.value_or(offset), 8);
        }
        std::uint64_t small = m.zip64 ? 0xFFFFFFFF : 0;
        // Local header.
        Put(out, 0x04034b50, 4), Put(out, m.zip64 ? 45 : 20, 2), Put(out, flags, 2);
        Put(out, m.method, 2), Put(out, m.dosTime, 2), Put(out, m.dosDate, 2), Put(out, crc, 4);
        Put(out, small ? small : body.size(), 4), Put(out, small ? small : size, 4);
        Put(out, m.name.size(), 2);
        Put(out, extra.size() + localZip64.size() + m.localExtra.size(), 2);
        out += m.name + extra + localZip64 + m.localExtra + body;
        // Central entry.
        Put(central, 0x02014b50, 4), Put(central, 20, 2);
        Put(central, m.zip64 ? 45 : 20, 2), Put(central, flags, 2), Put(central, m.method, 2);
        Put(central, m.dosTime, 2), Put(central, m.dosDate, 2), Put(central, crc, 4);
        Put(central, small ? small : body.size(), 4), Put(central, small ? small : size, 4);
        Put(central, m.name.size(), 2), Put(central, extra.size() + centralZip64.size(), 2);
        Put(central, 0, 2), Put(central, 0, 2), Put(central, m.internalAttributes, 2);
        Put(central, m.externalAttributes, 4);
        Put(central, small ? small : m.localOffset.value_or(offset), 4);
        central += m.name + extra + centralZip64;
    }
    std::uint64_t centralOffset = out.size() - archive.prefix.size();
    out += central;
    std::uint64_t count = archive.members.size();
    if (archive.zip64End) {
        std::uint64_t recordOffset = out.size() - archive.prefix.size();
        Put(out, 0x06064b50, 4), Put(out, 44, 8), Put(out, 45, 2), Put(out, 45, 2);
        Put(out, 0, 4), Put(out, 0, 4), Put(out, count, 8), Put(out, count, 8);
        Put(out, central.size(), 8), Put(out, centralOffset, 8);
        Put(out, 0x07064b50, 4), Put(out, 0, 4), Put(out, recordOffset, 8), Put(out, 1, 4);
    }
    Put(out, 0x06054b50, 4), Put(out, 0, 2), Put(out, 0, 2);
    Put(out, archive.zip64End ? 0xFFFF : count, 2), Put(out, archive.zip64End ? 0xFFFF : count, 2);
    Put(out, archive.zip64End ? 0xFFFFFFFF : central.size(), 4);
    Put(out, archive.zip64End ? 0xFFFFFFFF : centralOffset, 4);
    Put(out, archive.comment.size(), 2);
    return out + archive.comment;
}

inline std::string ZipOf(std::vector<ZipMember> members) {
    return BuildZip({.members = std::move(members)});
}

}  // namespace kvu::test
