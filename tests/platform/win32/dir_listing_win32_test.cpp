// The system's listing on Windows: our own matcher of the Linux listing must
// agree with it, and hidden and system entries stay out.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/dir_listing.h"
#include "platform/encoding.h"
#include "platform/wildcard.h"
#include "tests/platform/wildcard_cases.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

std::vector<std::string> Names(const std::vector<DirEntry>& entries) {
    std::vector<std::string> names;
    for (const DirEntry& e : entries)
        names.push_back(e.name);
    return names;
}

// The names of a case, in capitals. Those with an extension longer than three
// characters are left out: the system also matches them through their short
// 8.3 names ("*.dll" lists "a.dllx" as "A~1.DLL"), which Linux files lack.
std::set<std::string> NamesOf(const test::PatternCase& c) {
    std::set<std::string> names;
    for (const auto* list : {&c.matching, &c.other}) {
        for (std::string name : *list) {
            const std::size_t dot = name.rfind('.');
            if (dot == std::string::npos || name.size() - dot - 1 <= 3)
                names.insert(UpperCase(name));
        }
    }
    return names;
}

// Each case is judged on its own names, all of which are in the folder.
TEST(DirListingWin32, OurMatcherAgreesWithTheSystem) {
    test::TempDir dir;
    for (const test::PatternCase& c : test::kPatternCases) {
        for (const std::string& name : NamesOf(c))
            test::WriteBytes(dir.file(name), "x");
    }
    for (const test::PatternCase& c : test::kPatternCases) {
        if (!c.sameUnderWine)
            continue;
        const std::set<std::string> own = NamesOf(c);
        std::set<std::string> system, ours;
        for (const std::string& name : Names(ListFiles(dir.str(), c.pattern))) {
            if (own.count(UpperCase(name)))
                system.insert(UpperCase(name));
        }
        for (const std::string& name : own) {
            if (MatchesFilePattern(name, c.pattern))
                ours.insert(name);
        }
        EXPECT_EQ(ours, system) << c.pattern;
    }
}

// Read-only entries stay in.
TEST(DirListingWin32, HiddenAndSystemEntriesAreLeftOut) {
    test::TempDir dir;
    for (const char* name : {"hidden.dll", "system.dll", "readonly.dll", "shown.dll"})
        test::WriteBytes(dir.file(name), "x");
    for (const char* name : {"hiddenfolder", "systemfolder", "folder"})
        std::filesystem::create_directories(dir.path() / name);
    for (const auto& [name, attributes] :
         {std::pair<const char*, DWORD>{"hidden.dll", FILE_ATTRIBUTE_HIDDEN},
          {"system.dll", FILE_ATTRIBUTE_SYSTEM},
          {"readonly.dll", FILE_ATTRIBUTE_READONLY},
          {"hiddenfolder", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN},
          {"systemfolder", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM}})
        ASSERT_TRUE(SetFileAttributesW((dir.path() / name).c_str(), attributes)) << name;
    const std::vector<std::string> files = {"readonly.dll", "shown.dll"}, folders = {"folder"};
    EXPECT_EQ(Names(ListFiles(dir.str(), "*.*")), files);
    EXPECT_EQ(Names(ListFolders(dir.str())), folders);
}

}  // namespace
}  // namespace kvu
