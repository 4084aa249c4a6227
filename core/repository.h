// The maker's repository file: one Base64-encoded, tab-separated row per line,
// for every file of every product that can be updated.
#pragma once

#include <string>
#include <vector>

namespace kvu {

// One data row of the repository.
struct clsRepoFiles {
    int RID = 0;           // the product the file belongs to
    int OptionNumber = 0;  // carried, never decided on
    std::string filepath;  // never filled
    std::string FileName;  // relative to TargetDir
    std::string FileType;
    std::string UpdateMode;  // "ALLWAYS", "NOTEXIST" or anything else
    std::string zipname;     // download address of the archive
    std::string version;
    std::string datetime;
    double filesize = 0;
    std::string TargetDir;  // relative to the product folder; empty for the folder itself
};

// The rows of the repository in file order.
using RepositoryRowList = std::vector<clsRepoFiles>;

// Appends the columns as a row unless they are fewer than nine or the header.
// A column that does not convert leaves its field at 0 or empty; the row is
// still kept.
void addRow(const std::vector<std::string>& columns, RepositoryRowList& rows);

// Decodes one encoded line and splits it at every TAB.
std::vector<std::string> DecodeRepositoryLine(std::string_view encodedLine);

// Decodes every line of the repository file (CR LF or LF) into rows. A file that
// cannot be opened gives no rows.
void ReadRepositoryFile(const std::string& path, RepositoryRowList& rows);

// The same over the file's bytes already in memory.
void ParseRepository(std::string_view fileBytes, RepositoryRowList& rows);

}  // namespace kvu
