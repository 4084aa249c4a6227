// The version resource of a 16-bit (NE) executable. The system's version
// functions read these too (gdi.exe, krnl386.exe and user.exe of the system
// folders), so our reader does the same.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/pe_version.h"

namespace kvu::pe {

// Where a resource lies in the file.
struct Located {
    std::uint64_t offset = 0;
    std::uint32_t size = 0;
};

// The version resource (type 16, name 1) of an NE image, as its resource
// table says; none when the bytes are no NE image or it has no such resource.
std::optional<Located> LocateNeVersion(ByteSource& source);

// The 16-bit tree (ANSI keys, no type field) laid out as a 32-bit one, the
// texts of the string tables in UTF-16, as the system's wide lookups give
// them; empty when the tree does not fit the 16-bit lengths of the new layout.
std::vector<std::uint8_t> WidenSixteenBitTree(std::span<const std::uint8_t> tree);

}  // namespace kvu::pe
