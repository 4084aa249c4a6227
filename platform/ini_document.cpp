#include "platform/ini_document.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/encoding.h"

namespace kvu::ini {
namespace {

// CR and Ctrl-Z (an old end-of-file mark) count as blanks, as does the
// no-break space.
bool IsBlank(char c) {
    auto b = static_cast<unsigned char>(c);
    return b == ' ' || (b >= 0x09 && b <= 0x0D) || b == 0x1A || b == 0xA0;
}

std::string_view TrimProfileBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperAnsiChar(a[i]) != UpperAnsiChar(b[i]))
            return false;
    }
    return true;
}

enum class Kind { kBlank, kSection, kKey };

struct Line {
    Kind kind = Kind::kBlank;
    std::string_view name;
    std::optional<std::string_view> value;
    std::size_t contentBegin = 0;  // first character after the leading blanks
    std::size_t contentEnd = 0;    // end of the text without the trailing blanks
    std::size_t end = 0;           // just past the line's '\n', or the end of the text
};

Line ParseLine(std::string_view text, std::size_t begin, std::size_t newline) {
    Line line;
    line.end = newline == std::string_view::npos ? text.size() : newline + 1;
    std::string_view raw = text.substr(begin, line.end - begin);
    std::string_view content = TrimProfileBlanks(raw);
    line.contentBegin = begin + static_cast<std::size_t>(content.data() - raw.data());
    line.contentEnd = line.contentBegin + content.size();
    if (content.empty())
        return line;
    if (content.front() == '[') {
        std::size_t close = content.rfind(']');
        if (close != std::string_view::npos) {
            line.kind = Kind::kSection;
            line.name = TrimProfileBlanks(content.substr(1, close - 1));
            return line;
        }
    }
    line.kind = Kind::kKey;
    std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) {
        line.name = content;
        return line;
    }
    line.name = TrimProfileBlanks(content.substr(0, equals));
    line.value = TrimProfileBlanks(content.substr(equals + 1));
    return line;
}

std::vector<Line> Parse(std::string_view text) {
    std::vector<Line> lines;
    for (std::size_t begin = 0; begin < text.size();) {
        lines.push_back(ParseLine(text, begin, text.find('\n', begin)));
        begin = lines.back().end;
    }
    return lines;
}

// Where a section's lines are: its header, if it has one, and its key lines
// from first up to end.
struct SectionSpan {
    std::optional<std::size_t> header;
    std::size_t first = 0;
    std::size_t end = 0;
};

std::size_t NextHeader(const std::vector<Line>& lines, std::size_t from) {
    while (from < lines.size() && lines[from].kind != Kind::kSection)
        ++from;
    return from;
}

// The first section of that name. Lines before any section header form a
// section without a name, found by the empty name.
std::optional<SectionSpan> FindSection(const std::vector<Line>& lines, std::string_view name) {
    if (name.empty() && !lines.empty() && lines.front().kind != Kind::kSection) {
        return SectionSpan{std::nullopt, 0, NextHeader(lines, 0)};
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == Kind::kSection && EqualNoCase(lines[i].name, name)) {
            return SectionSpan{i, i + 1, NextHeader(lines, i + 1)};
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<Line>& lines, SectionSpan span,
                                   std::string_view key) {
    for (std::size_t i = span.first; i < span.end; ++i) {
        if (lines[i].kind == Kind::kKey && EqualNoCase(lines[i].name, key))
            return i;
    }
    return std::nullopt;
}

// Where a new key of the section goes: after its last non-blank line.
std::size_t InsertionPoint(const std::vector<Line>& lines, SectionSpan span) {
    std::optional<std::size_t> last = span.header;
    for (std::size_t i = span.first; i < span.end; ++i) {
        if (lines[i].kind != Kind::kBlank)
            last = i;
    }
    return last ? lines[*last].end : 0;
}

// A value in matching quotes loses them; the cut to the buffer comes first, and
// a cut value keeps its opening quote's partner out of reach, so it stays.
std::string CopyEntry(std::string_view value, std::size_t bufferSize) {
    value = value.substr(0, value.find('\0'));  // the system's strings end there
    bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                  value.back() == value.front();
    if (quoted)
        value.remove_prefix(1);
    std::string out(value.substr(0, bufferSize - 1));
    if (quoted && bufferSize >= value.size() && !out.empty())
        out.pop_back();
    return out;
}

std::string_view WithoutTrailingSpaces(std::string_view s) {
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// The whole-number rules of the system: blanks, a sign, an optional 0x/0o/0b
// prefix, then digits as far as they go, wrapping at 32 bits.
int ParseWholeNumber(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ')
        ++i;
    bool minus = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        minus = s[i++] == '-';
    unsigned base = 10;
    if (i + 1 < s.size() && s[i] == '0') {
        char p = s[i + 1];
        base = p == 'x' ? 16 : p == 'o' ? 8 : p == 'b' ? 2 : 10;
        if (base != 10)
            i += 2;
    }
    std::uint32_t total = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        unsigned digit = c >= '0' && c <= '9'   ? static_cast<unsigned>(c - '0')
                         : c >= 'a' && c <= 'z' ? static_cast<unsigned>(c - 'a' + 10)
                         : c >= 'A' && c <= 'Z' ? static_cast<unsigned>(c - 'A' + 10)
                                                : 99;
        if (digit >= base)
            break;
        total = total * base + digit;
    }
    return static_cast<int>(minus ? 0u - total : total);
}

}  // namespace

std::string ReadString(std::string_view text, std::string_view section, std::string_view key,
                       std::string_view def, std::size_t bufferSize) {
    if (bufferSize == 0)
        return {};
    if (key.empty())
        return {};
    def = WithoutTrailingSpaces(def);
    std::vector<Line> lines = Parse(text);
    std::optional<SectionSpan> span = FindSection(lines, TrimProfileBlanks(section));
    if (span) {
        std::optional<std::size_t> at = FindKey(lines, *span, TrimProfileBlanks(key));
        if (at && lines[*at].value)
            return CopyEntry(*lines[*at].value, bufferSize);
    }
    return CopyEntry(def, bufferSize);
}

int ReadInt(std::string_view text, std::string_view section, std::string_view key, int def) {
    // The system reads the value through a 30-character buffer first.
    std::string value = ReadString(text, section, key, "", 30);
    return value.empty() ? def : ParseWholeNumber(value);
}

std::vector<std::string> KeyNames(std::string_view text, std::string_view section) {
    std::vector<Line> lines = Parse(text);
    std::optional<SectionSpan> span = FindSection(lines, TrimProfileBlanks(section));
    std::vector<std::string> names;
    if (!span)
        return names;
    for (std::size_t i = span->first; i < span->end; ++i) {
        const Line& line = lines[i];
        if (line.kind != Kind::kKey || !line.value || line.name.starts_with(';'))
            continue;
        // The system hands the names over as NUL-separated texts: an empty
        // name reads as the end of the list.
        if (line.name.empty())
            break;
        names.emplace_back(line.name);
    }
    return names;
}

std::string WriteString(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value) {
    while (!value.empty() && IsBlank(value.front()))
        value.remove_prefix(1);
    section = TrimProfileBlanks(section);
    key = TrimProfileBlanks(key);
    std::vector<Line> lines = Parse(text);
    std::string entry = std::string(key) + "=" + std::string(value);
    std::string out(text);

    std::optional<SectionSpan> span = FindSection(lines, section);
    if (!span) {
        if (!out.empty() && out.back() != '\n')
            out += "\r\n";
        if (!out.empty())
            out += "\r\n";
        return out + "[" + std::string(section) + "]\r\n" + entry + "\r\n";
    }
    if (std::optional<std::size_t> at = FindKey(lines, *span, key)) {
        const Line& line = lines[*at];
        if (line.value && *line.value == value)
            return out;
        std::string replaced = std::string(line.name) + "=" + std::string(value);
        return out.replace(line.contentBegin, line.contentEnd - line.contentBegin, replaced);
    }
    std::size_t insertAt = InsertionPoint(lines, *span);
    bool needsBreak = insertAt == 0 || text[insertAt - 1] != '\n';
    return out.insert(insertAt, (needsBreak ? "\r\n" : "") + entry + (needsBreak ? "" : "\r\n"));
}

}  // namespace kvu::ini
