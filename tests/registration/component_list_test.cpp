// Which files are components, on real test libraries.
#include "registration/component_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/paths.h"
#include "test_components.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

void Put(const test::TempDir& dir, const std::string& component, const std::string& name) {
    std::filesystem::copy_file(test::TestComponent(component), dir.file(name));
}

std::vector<ComponentFile> Found(const std::function<void(const ComponentFound&)>& find) {
    std::vector<ComponentFile> found;
    find([&](const ComponentFile& file) { found.push_back(file); });
    return found;
}

TEST(FindFolderComponents, PrefixLibrariesFirstThenControlsWhateverTheCaseAndTheFolderEnd) {
    test::TempDir dir;
    Put(dir, "succeeds", "VmlxB.dll");
    Put(dir, "fails", "vmlxa.DLL");
    Put(dir, "succeeds", "Grid.OCX");
    Put(dir, "succeeds", "chart.ocx");
    Put(dir, "succeeds", "Other.dll");      // no product prefix
    Put(dir, "no_export", "VmlxNone.dll");  // no entry point
    test::WriteBytes(dir.file("Broken.ocx"), "not a library");
    std::filesystem::create_directory(dir.file("Folder.ocx"));

    for (const std::string& folder : {dir.str(), dir.str() + kPathSep}) {
        const auto found = Found([&](auto add) { FindFolderComponents(folder, add); });
        ASSERT_EQ(found.size(), 4u) << folder;
        std::vector<std::string> names;
        for (const ComponentFile& file : found) {
            names.push_back(file.name);
            EXPECT_EQ(file.path, dir.file(file.name));
        }
        // Each group in the listing's own order.
        EXPECT_THAT(std::vector(names.begin(), names.begin() + 2),
                    UnorderedElementsAre("VmlxB.dll", "vmlxa.DLL"));
        EXPECT_THAT(std::vector(names.begin() + 2, names.end()),
                    UnorderedElementsAre("Grid.OCX", "chart.ocx"));
    }
}

TEST(FindDownloadedComponents, OnlyChosenUpdatesThatAreComponents) {
    test::TempDir dir;
    Put(dir, "succeeds", "Chosen.ocx");
    Put(dir, "succeeds", "Unchosen.ocx");
    Put(dir, "no_export", "Plain.dll");
    std::vector<clsUpdateInfo> updates;
    for (const auto& [name, chosen] :
         {std::pair{"Plain.dll", true}, std::pair{"Unchosen.ocx", false},
          std::pair{"Missing.ocx", true}, std::pair{"Chosen.ocx", true}}) {
        clsUpdateInfo record;
        record.LocalPath = dir.file(name);
        record.Download = chosen;
        updates.push_back(record);
    }
    EXPECT_THAT(Found([&](auto add) { FindDownloadedComponents(updates, add); }),
                ElementsAre(ComponentFile{"Chosen.ocx", dir.file("Chosen.ocx")}));
}

}  // namespace
}  // namespace kvu
