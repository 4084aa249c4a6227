#include "core/repository.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/radix64.h"
#include "platform/encoding.h"
#include "platform/file_contents.h"
#include "platform/plain_text.h"

namespace kvu {
namespace {

// A decimal number such as 12345 or 1.5e3; no hexadecimal, infinity or NaN.
std::optional<double> ToNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty())
        return {};
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    std::size_t first = text.front() == '-' ? 1 : 0;
    if (text.size() <= first)
        return {};
    char lead = text[first];
    if (!(lead >= '0' && lead <= '9') && lead != '.')
        return {};
    double value = 0;
    auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error != std::errc{} || end != text.data() + text.size())
        return {};
    return value;
}

bool IsHeader(const std::vector<std::string>& columns) {
    return UpperCase(columns[0]) == "APPID" || UpperCase(columns[7]) == "FILESIZE";
}

}  // namespace

void addRow(const std::vector<std::string>& columns, RepositoryRowList& rows) {
    if (columns.size() < 9 || IsHeader(columns))
        return;
    clsRepoFiles row;
    row.RID = ParseStrictWholeNumber(columns[0]).value_or(0);
    row.OptionNumber = ParseStrictWholeNumber(columns[1]).value_or(0);
    row.zipname = columns[2];
    row.FileName = columns[3];
    row.FileType = columns[4];
    row.version = columns[5];
    row.datetime = columns[6];
    row.filesize = ToNumber(columns[7]).value_or(0);
    row.UpdateMode = columns[8];
    if (columns.size() > 9)
        row.TargetDir = columns[9];
    rows.push_back(std::move(row));
}

std::vector<std::string> DecodeRepositoryLine(std::string_view encodedLine) {
    std::string line = Radix64Decode(encodedLine);
    std::vector<std::string> columns;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = line.find('\t', start);
        columns.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
    return columns;
}

void ParseRepository(std::string_view fileBytes, RepositoryRowList& rows) {
    std::size_t start = 0;
    while (start < fileBytes.size()) {
        std::size_t newline = fileBytes.find('\n', start);
        std::size_t end = newline == std::string_view::npos ? fileBytes.size() : newline;
        // A CR before the LF is skipped by the decoder like any other blank.
        addRow(DecodeRepositoryLine(fileBytes.substr(start, end - start)), rows);
        start = end + 1;
    }
}

void ReadRepositoryFile(const std::string& path, RepositoryRowList& rows) {
    if (std::optional<std::string> bytes = ReadFileBytes(path))
        ParseRepository(*bytes, rows);
}

}  // namespace kvu
