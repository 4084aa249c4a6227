// A generated product installation for the benchmarks that index or search
// one: 5,000 files in 60 folders, every third a library with a version
// resource, the others data of mixed sizes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "tests/support/pe_builder.h"

namespace kvu::bench {

inline constexpr int kTreeFiles = 5000;
inline constexpr int kTreeFolders = 60;

// One file of the tree: its folder relative to the root ('\' between parts,
// empty at the root, as a repository row names it) and its name.
struct TreeFile {
    std::string folder;
    std::string name;
    bool versioned = false;
};

inline std::string TreeLibrary(std::mt19937& random, int number) {
    test::FixedInfo fixed;
    fixed.fileMs = 0x00020000 | static_cast<std::uint32_t>(number % 7);
    fixed.fileLs = static_cast<std::uint32_t>(number);
    const std::u16string name =
        u"lib" + std::u16string(1, static_cast<char16_t>(u'a' + number % 26));
    const std::string resource =
        test::Serialize(test::StandardVersion(fixed, u"040E04E2",
                                              {{u"CompanyName", u"Lindora Kft."},
                                               {u"FileDescription", u"Component " + name},
                                               {u"FileVersion", u"2.0.0.1"},
                                               {u"InternalName", name},
                                               {u"LegalCopyright", u"(c) Lindora Kft."},
                                               {u"OriginalFilename", name + u".dll"},
                                               {u"ProductName", u"Lindora"}},
                                              {{0x040E, 1250}}));
    test::PeOptions options;
    options.codeSize = 4096 + random() % (60 * 1024);  // the resources come after the code
    options.pe32Plus = number % 2 == 0;
    return test::BuildPeImage({{16, 1, 0x040E, resource}, {24, 1, 0x0409, "<manifest/>"}}, options);
}

inline void WriteTreeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// The folders below root in three levels, root first, relative to root.
inline std::vector<std::string> TreeFolders() {
    std::vector<std::string> folders = {""};
    for (int i = 1; i < kTreeFolders; ++i) {
        const std::string parent = i <= 6 ? "" : folders[1 + (i - 7) % 6] + "\\";
        folders.push_back(parent + "folder" + std::to_string(i));
    }
    return folders;
}

// Writes the tree under root and returns its files in the order written.
inline std::vector<TreeFile> MakeProductTree(const std::filesystem::path& root) {
    std::mt19937 random(2024);
    const std::vector<std::string> folders = TreeFolders();
    auto pathOf = [&root](const std::string& folder) {
        std::string relative = folder;
        for (char& c : relative)
            c = c == '\\' ? '/' : c;
        return root / relative;
    };
    for (const std::string& folder : folders)
        std::filesystem::create_directories(pathOf(folder));
    std::vector<TreeFile> files;
    for (int i = 0; i < kTreeFiles; ++i) {
        TreeFile file{folders[static_cast<std::size_t>(i) % folders.size()], "", i % 3 == 0};
        if (file.versioned) {
            file.name = "component" + std::to_string(i) + ".dll";
            WriteTreeFile(pathOf(file.folder) / file.name, TreeLibrary(random, i));
        } else {
            std::string data(256 + random() % (24 * 1024), '\0');
            for (char& c : data)
                c = static_cast<char>('a' + random() % 26);
            file.name = "data" + std::to_string(i) + (i % 3 == 1 ? ".xml" : ".bin");
            WriteTreeFile(pathOf(file.folder) / file.name, data);
        }
        files.push_back(file);
    }
    return files;
}

}  // namespace kvu::bench
