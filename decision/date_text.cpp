#include "decision/date_text.h"

#include "platform/plain_text.h"

#include <cstdio>

namespace kvu {
namespace {

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A cursor over the text that takes digits, characters and blanks in order.
class TextReader {
  public:
    explicit TextReader(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ == text_.size(); }

    bool Take(char c) {
        if (AtEnd() || text_[pos_] != c)
            return false;
        ++pos_;
        return true;
    }

    // Skips blanks and says how many there were.
    std::size_t SkipBlanks() {
        std::size_t start = pos_;
        while (!AtEnd() && IsBlank(text_[pos_]))
            ++pos_;
        return pos_ - start;
    }

    // Reads a number of minDigits to maxDigits ASCII digits.
    bool Number(std::size_t minDigits, std::size_t maxDigits, int& out) {
        std::size_t count = 0;
        out = 0;
        while (count < maxDigits && !AtEnd() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            out = out * 10 + (text_[pos_++] - '0');
            ++count;
        }
        return count >= minDigits;
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// The date part: yyyy.M.d with optional blanks after each dot and an optional
// final dot, or yyyy-M-d. Says whether the dotted form ended with its dot.
bool ReadDate(TextReader& reader, DateTime& out, bool& dotted, bool& finalDot) {
    if (!reader.Number(4, 4, out.year))
        return false;
    dotted = reader.Take('.');
    if (!dotted && !reader.Take('-'))
        return false;
    const char separator = dotted ? '.' : '-';
    auto skipDotBlanks = [&] { return dotted ? reader.SkipBlanks() : 0; };
    skipDotBlanks();
    if (!reader.Number(1, 2, out.month) || !reader.Take(separator))
        return false;
    skipDotBlanks();
    if (!reader.Number(1, 2, out.day))
        return false;
    finalDot = dotted && reader.Take('.');
    return true;
}

// The time part: H:m or H:m:s.
bool ReadTime(TextReader& reader, DateTime& out) {
    if (!reader.Number(1, 2, out.hour) || !reader.Take(':') || !reader.Number(1, 2, out.minute))
        return false;
    return !reader.Take(':') || reader.Number(1, 2, out.second);
}

}  // namespace

bool IsValidDateTime(const DateTime& v) {
    return v.year >= 1 && v.year <= 9999 && v.month >= 1 && v.month <= 12 && v.day >= 1 &&
           v.day <= DaysInMonth(v.year, v.month) && v.hour >= 0 && v.hour <= 23 && v.minute >= 0 &&
           v.minute <= 59 && v.second >= 0 && v.second <= 59;
}

std::string FormatDateText(const DateTime& v) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%04d.%02d.%02d. %02d:%02d:%02d", v.year, v.month, v.day,
                  v.hour, v.minute, v.second);
    return buffer;
}

std::optional<DateTime> ParseDateText(std::string_view text) {
    text = TrimBlanks(text);
    TextReader reader(text);
    DateTime value;
    bool dotted = false;
    bool finalDot = false;
    if (!ReadDate(reader, value, dotted, finalDot))
        return std::nullopt;
    const std::size_t blanks = reader.SkipBlanks();
    if (reader.AtEnd()) {
        // A dotted date alone ends with its dot, so that "2023.04.05" is not taken for one.
        if (dotted && !finalDot)
            return std::nullopt;
    } else if (blanks == 0 || !ReadTime(reader, value) || !reader.AtEnd()) {
        return std::nullopt;
    }
    return IsValidDateTime(value) ? std::optional(value) : std::nullopt;
}

}  // namespace kvu
