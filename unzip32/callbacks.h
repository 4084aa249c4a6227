// The caller's callbacks as the engine uses them: UTF-8 in, ANSI out, the
// message level applied, and a missing callback taken as its default answer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "unzip32/unzip32_api.h"

namespace kvu::unzip {

// One member as the listing callback reports it.
struct ListedMember {
    std::uint64_t uncompressedSize = 0;
    std::uint64_t compressedSize = 0;
    std::int32_t factor = 0;  // percent saved
    std::uint16_t dosDate = 0;
    std::uint16_t dosTime = 0;
    std::string name;
    std::string method;
    std::uint32_t crc = 0;
    bool encrypted = false;
};

struct Totals {
    std::uint64_t compressed = 0;
    std::uint64_t uncompressed = 0;
    std::uint64_t members = 0;
};

// Percent saved, rounded; negative when the member grew.
std::int32_t CompressionFactor(std::uint64_t compressed, std::uint64_t uncompressed);

class Callbacks {
  public:
    // functions may be null: then nothing is reported and nothing asked.
    Callbacks(USERFUNCTIONS* functions, int quiet);

    // Progress, shown at message level 0 only.
    void Info(std::string_view text) const;
    // Problems, shown unless the level is 2.
    void Problem(std::string_view text) const;
    // Member content sent instead of being written.
    void Data(const unsigned char* data, std::size_t size) const;

    // The replace callback's answer for an existing file; a rename answer
    // leaves the new name in path. No callback: keep this and every later file.
    std::int32_t AskReplace(std::string& path) const;
    // The password for an entry as raw bytes; none when the user gave none.
    // cancelAll tells that no further encrypted member should be asked about.
    std::optional<std::string> AskPassword(std::string_view entry, bool& cancelAll) const;
    void ReportMember(const ListedMember& member) const;
    // The service callback after a member; false when it asks to stop.
    bool Proceed(std::string_view entry, std::uint64_t size) const;
    void Finished() const;

    void SetCommentLength(std::size_t length) const;
    void SetTotals(const Totals& totals) const;

  private:
    void Print(std::string_view text) const;

    USERFUNCTIONS* functions_;
    int quiet_;
};

}  // namespace kvu::unzip
