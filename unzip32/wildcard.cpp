#include "unzip32/wildcard.h"

#include <string>

#include "platform/encoding.h"
#include "platform/utf8_codec.h"

namespace kvu::unzip {
namespace {

// Code points, so that "?" takes one character however many bytes it has.
// Bytes that are not valid UTF-8 stand for themselves.
std::u32string Decode(std::string_view text, bool ignoreCase) {
    std::string source = ignoreCase ? UpperCase(text) : std::string(text);
    std::u32string out;
    for (std::size_t i = 0; i < source.size();) {
        const Utf8Sequence sequence = DecodeUtf8(source, i);
        const char32_t c = sequence.codePoint;
        out += c == U'\\' ? U'/' : c;
        i += sequence.length;
    }
    return out;
}

// Matches one character against the set at pattern[at] (just after "[");
// at moves past the closing "]". A set without "]" matches a literal "[".
bool MatchSet(const std::u32string& pattern, std::size_t& at, char32_t c) {
    std::size_t i = at;
    bool negate = i < pattern.size() && (pattern[i] == U'!' || pattern[i] == U'^');
    if (negate)
        ++i;
    bool found = false;
    for (bool first = true; i < pattern.size() && (first || pattern[i] != U']'); first = false) {
        char32_t low = pattern[i];
        char32_t high = low;
        if (i + 2 < pattern.size() && pattern[i + 1] == U'-' && pattern[i + 2] != U']') {
            high = pattern[i + 2];
            i += 2;
        }
        found = found || (c >= low && c <= high);
        ++i;
    }
    if (i >= pattern.size())
        return c == U'[';  // no closing bracket: "[" is an ordinary character
    at = i + 1;
    return found != negate;
}

}  // namespace

bool WildcardMatch(std::string_view nameText, std::string_view patternText, bool ignoreCase) {
    std::u32string name = Decode(nameText, ignoreCase);
    std::u32string pattern = Decode(patternText, ignoreCase);
    // Greedy matching that backs up to the last "*" on a mismatch.
    std::size_t n = 0, p = 0;
    std::size_t starPattern = std::u32string::npos, starName = 0;
    while (n < name.size()) {
        std::size_t next = p;
        bool step = false;
        if (p < pattern.size() && pattern[p] == U'*') {
            starPattern = ++p;
            starName = n;
            continue;
        }
        if (p < pattern.size() && pattern[p] == U'?') {
            step = true;
            next = p + 1;
        } else if (p < pattern.size() && pattern[p] == U'[') {
            next = p + 1;
            step = MatchSet(pattern, next, name[n]);
        } else if (p < pattern.size()) {
            step = pattern[p] == name[n];
            next = p + 1;
        }
        if (step) {
            p = next;
            ++n;
        } else if (starPattern != std::u32string::npos) {
            p = starPattern;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*')
        ++p;
    return p == pattern.size();
}

}  // namespace kvu::unzip
