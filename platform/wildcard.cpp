#include "platform/wildcard.h"

#include <string>
#include <vector>

#include "platform/encoding.h"

namespace kvu {
namespace {

// The system turns some wildcards into these before matching.
constexpr char16_t kDosStar = u'<';  // "*" before a dot: anything up to the last dot
constexpr char16_t kDosQm = u'>';    // "?": one character, or none before a dot or the end
constexpr char16_t kDosDot = u'"';   // "." before a wildcard or at the end: a dot or the end

std::u16string DosPattern(std::u16string pattern) {
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char16_t next = i + 1 < pattern.size() ? pattern[i + 1] : u'\0';
        if (pattern[i] == u'?')
            pattern[i] = kDosQm;
        else if (pattern[i] == u'.' && (next == u'?' || next == u'*' || next == u'\0'))
            pattern[i] = kDosDot;
        else if (pattern[i] == u'*' && next == u'.')
            pattern[i] = kDosStar;
    }
    return pattern;
}

class Matcher {
  public:
    Matcher(std::u16string pattern, std::u16string name)
        : pattern_(std::move(pattern)),
          name_(std::move(name)),
          lastDot_(name_.rfind(u'.')),
          memo_((pattern_.size() + 1) * (name_.size() + 1), kUnknown) {}

    bool Match(std::size_t p, std::size_t n) {
        char& known = memo_[p * (name_.size() + 1) + n];
        if (known == kUnknown)
            known = Step(p, n) ? kYes : kNo;
        return known == kYes;
    }

  private:
    static constexpr char kUnknown = 0, kNo = 1, kYes = 2;

    bool Step(std::size_t p, std::size_t n) {
        const bool atEnd = n == name_.size();
        if (p == pattern_.size())
            return atEnd;
        switch (pattern_[p]) {
            case u'*':
                return Match(p + 1, n) || (!atEnd && Match(p, n + 1));
            case kDosStar:
                return Match(p + 1, n) || (!atEnd && n != lastDot_ && Match(p, n + 1));
            case kDosQm:
                return atEnd || name_[n] == u'.' ? Match(p + 1, n) : Match(p + 1, n + 1);
            case kDosDot:
                if (!atEnd && name_[n] == u'.')
                    return Match(p + 1, n + 1);
                return atEnd && Match(p + 1, n);
            default:
                return !atEnd && name_[n] == pattern_[p] && Match(p + 1, n + 1);
        }
    }

    std::u16string pattern_;
    std::u16string name_;
    std::size_t lastDot_;
    std::vector<char> memo_;
};

}  // namespace

bool MatchesFilePattern(std::string_view name, std::string_view pattern) {
    if (pattern == "*" || pattern == "*.*")
        return true;
    Matcher matcher(DosPattern(Utf8ToUtf16(UpperCase(pattern))), Utf8ToUtf16(UpperCase(name)));
    return matcher.Match(0, 0);
}

}  // namespace kvu
