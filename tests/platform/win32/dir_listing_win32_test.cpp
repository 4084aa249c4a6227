// The system's listing on Windows: our own matcher of the Linux listing must
// agree with it, and hidden and system entries stay out.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(DirListingWin32, HiddenAndSystemEntriesAreLeftOut) {
    test::TempDir dir;
    for (const char* name : {"hidden.dll", "system.dll", "shown.dll"})
        test::WriteBytes(dir.file(name), "x");
    fs::create_directories(dir.path() / "hiddenfolder");
    fs::create_directories(dir.path() / "folder");
    ASSERT_TRUE(SetFileAttributesW((dir.path() / "hidden.dll").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW((dir.path() / "system.dll").c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(SetFileAttributesW((dir.path() / "hiddenfolder").c_str(),
                                   FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
    std::vector<std::string> files;
    for (const DirEntry& e : ListFiles(dir.str(), "*.*"))
        files.push_back(e.name);
    EXPECT_EQ(files, (std::vector<std::string>{"shown.dll"}));
    std::vector<std::string> folders;
    for (const DirEntry& e : ListFolders(dir.str()))
        folders.push_back(e.name);
    EXPECT_EQ(folders, (std::vector<std::string>{"folder"}));
}

}  // namespace
}  // namespace kvu
