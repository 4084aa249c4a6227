#include "unzip32/listing.h"

#include <cstdio>

namespace kvu::unzip {
namespace {

std::string DateText(const MemberEntry& entry) {
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", (entry.dosDate >> 9) + 1980u,
                  (entry.dosDate >> 5) & 0x0Fu, entry.dosDate & 0x1Fu, entry.dosTime >> 11u,
                  (entry.dosTime >> 5) & 0x3Fu);
    return text;
}

std::string PlainLine(const MemberEntry& entry, const std::string& shown) {
    char text[64];
    std::snprintf(text, sizeof text, "%12llu  %s   ",
                  static_cast<unsigned long long>(entry.uncompressedSize), DateText(entry).c_str());
    return text + shown + "\n";
}

std::string DetailedLine(const MemberEntry& entry, const std::string& shown) {
    char text[128];
    std::snprintf(
        text, sizeof text, "%-7s %12llu %12llu %4d%% %08x %c %s  ", MethodName(entry).c_str(),
        static_cast<unsigned long long>(entry.uncompressedSize),
        static_cast<unsigned long long>(entry.compressedSize),
        CompressionFactor(entry.compressedSize, entry.uncompressedSize),
        static_cast<unsigned>(entry.crc), entry.Encrypted() ? 'E' : '-', DateText(entry).c_str());
    return text + shown + "\n";
}

}  // namespace

std::string MethodName(const MemberEntry& entry) {
    static constexpr const char* kDeflateLevels[] = {"Defl:N", "Defl:X", "Defl:F", "Defl:S"};
    if (entry.method == kMethodStored)
        return "Stored";
    if (entry.method == kMethodDeflated)
        return kDeflateLevels[(entry.flags >> 1) & 3];
    return "Unk:" + std::to_string(entry.method);
}

void ListMembers(const std::vector<SelectedMember>& members, bool detailed,
                 const Callbacks& callbacks) {
    callbacks.Info(
        detailed ? "Method          Length         Size  Cmpr   CRC-32   Date       Time   Name\n"
                 : "      Length  Date       Time    Name\n");
    std::uint64_t total = 0;
    for (const SelectedMember& member : members) {
        const MemberEntry& entry = *member.entry;
        callbacks.Info(detailed ? DetailedLine(entry, member.shown)
                                : PlainLine(entry, member.shown));
        callbacks.ReportMember(ListedMember{
            entry.uncompressedSize, entry.compressedSize,
            CompressionFactor(entry.compressedSize, entry.uncompressedSize), entry.dosDate,
            entry.dosTime, member.shown, MethodName(entry), entry.crc, entry.Encrypted()});
        total += entry.uncompressedSize;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%12llu  %zu member%s\n",
                  static_cast<unsigned long long>(total), members.size(),
                  members.size() == 1 ? "" : "s");
    callbacks.Info(text);
}

}  // namespace kvu::unzip
