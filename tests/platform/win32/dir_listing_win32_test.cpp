// The system's listing on Windows: our own matcher of the Linux listing must
// agree with it, and hidden and system entries stay out.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/dir_listing.h"
#include "platform/encoding.h"
#include "platform/wildcard.h"
#include "tests/platform/wildcard_cases.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

namespace fs = std::filesystem;

// Names with an extension longer than three characters are left out: the
// system also matches them through their short 8.3 names ("*.dll" lists
// "a.dllx" as "A~1.DLL"), which files on Linux do not have.
bool HasLongExtension(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot != std::string::npos && name.size() - dot - 1 > 3;
}

TEST(DirListingWin32, OurMatcherAgreesWithTheSystem) {
    test::TempDir dir;
    std::vector<std::string> names;
    std::set<std::string> upper;
    for (const test::PatternCase& c : test::kPatternCases) {
        for (const auto* list : {&c.matching, &c.other}) {
            for (const char* name : *list) {
                if (!HasLongExtension(name) && upper.insert(UpperCase(name)).second)
                    names.push_back(name);
            }
        }
    }
    for (const std::string& name : names)
        test::WriteBytes(dir.file(name), "x");
    // Each case is judged on its own names, all of which are in the folder.
    for (const test::PatternCase& c : test::kPatternCases) {
        if (!c.sameUnderWine)
            continue;
        std::set<std::string> own;
        for (const auto* list : {&c.matching, &c.other}) {
            for (const char* name : *list) {
                if (!HasLongExtension(name))
                    own.insert(UpperCase(name));
            }
        }
        std::set<std::string> system;
        for (const DirEntry& e : ListFiles(dir.str(), c.pattern)) {
            if (own.count(UpperCase(e.name)))
                system.insert(UpperCase(e.name));
        }
        std::set<std::string> ours;
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
    const std::pair<const char*, DWORD> entries[] = {
        {"hidden.dll", FILE_ATTRIBUTE_HIDDEN},
        {"system.dll", FILE_ATTRIBUTE_SYSTEM},
        {"readonly.dll", FILE_ATTRIBUTE_READONLY},
        {"shown.dll", FILE_ATTRIBUTE_NORMAL},
        {"hiddenfolder", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN},
        {"systemfolder", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM},
        {"folder", FILE_ATTRIBUTE_DIRECTORY},
    };
    for (const auto& [name, attributes] : entries) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            fs::create_directories(dir.path() / name);
        else
            test::WriteBytes(dir.file(name), "x");
        ASSERT_TRUE(SetFileAttributesW((dir.path() / name).c_str(), attributes)) << name;
    }
    auto names = [](const std::vector<DirEntry>& list) {
        std::vector<std::string> out;
        for (const DirEntry& e : list)
            out.push_back(e.name);
        return out;
    };
    const std::vector<std::string> files = {"readonly.dll", "shown.dll"};
    const std::vector<std::string> folders = {"folder"};
    EXPECT_EQ(names(ListFiles(dir.str(), "*.*")), files);
    EXPECT_EQ(names(ListFolders(dir.str())), folders);
    const FolderListing listing = ListFolder(dir.str(), "*.*");
    EXPECT_EQ(names(listing.files), files);
    EXPECT_EQ(names(listing.folders), folders);
}

}  // namespace
}  // namespace kvu
