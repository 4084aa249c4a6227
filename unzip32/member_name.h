// Member names: their text, and the file names they may become. Nothing a name
// says can lead outside the extraction folder or to a device.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "unzip32/central_directory.h"

namespace kvu::unzip {

// The member's name in UTF-8: the Unicode path field, else the stored name as
// UTF-8 (flag bit 11) or in the OEM code page, as Windows archivers write it. None when the UTF-8
// is not valid.
std::optional<std::string> MemberName(const MemberEntry& entry);

// A folder entry: its name ends with a separator, or its attributes say so.
bool IsFolderEntry(const MemberEntry& entry, std::string_view name);

// The part of a name after its last "/" or "\".
std::string_view LastPart(std::string_view name);

// Whether one part of a name may become a file or folder name: not empty, "."
// or "..", no ":" or control character, none of the characters Windows refuses,
// no trailing dot or space (Windows drops them, so the name would alias
// another), and no device name such as CON or LPT1.
bool IsSafePart(std::string_view part);

// The path below the extraction folder that a member is written to, parts
// joined by separator: flat, the last part only; with folders, every part, where
// empty and "." parts are dropped. None when any part is unsafe.
std::optional<std::string> OutputPath(std::string_view name, bool keepFolders,
                                      bool spaceToUnderscore, char separator);

}  // namespace kvu::unzip
