// The list modes: one line per member through the print callback (plain or
// detailed), one listing callback per member, and a total line.
#pragma once

#include <string>
#include <vector>

#include "unzip32/callbacks.h"
#include "unzip32/central_directory.h"

namespace kvu::unzip {

struct SelectedMember {
    const MemberEntry* entry;
    std::string shown;  // the name as messages show it
};

// The method as listings name it: "Stored", "Defl:N" and so on.
std::string MethodName(const MemberEntry& entry);

void ListMembers(const std::vector<SelectedMember>& members, bool detailed,
                 const Callbacks& callbacks);

}  // namespace kvu::unzip
