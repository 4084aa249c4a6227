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

// Reads the text against a pattern in which 'd' stands for one ASCII digit and
// every other character for itself; the digits go into the fields in order.
bool Match(std::string_view text, std::string_view pattern, DateTime& out) {
    if (text.size() != pattern.size())
        return false;
    int* fields[] = {&out.year, &out.month, &out.day, &out.hour, &out.minute, &out.second};
    int field = -1;
    bool inNumber = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (pattern[i] != 'd') {
            if (text[i] != pattern[i])
                return false;
            inNumber = false;
            continue;
        }
        if (text[i] < '0' || text[i] > '9')
            return false;
        if (!inNumber) {
            ++field;
            *fields[field] = 0;
            inNumber = true;
        }
        *fields[field] = *fields[field] * 10 + (text[i] - '0');
    }
    return true;
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
    static constexpr std::string_view kPatterns[] = {
        "dddd.dd.dd. dd:dd:dd", "dddd.dd.dd dd:dd:dd", "dddd.dd.dd.",
        "dddd-dd-dd dd:dd:dd",  "dddd-dd-dd",
    };
    text = TrimBlanks(text);
    for (std::string_view pattern : kPatterns) {
        DateTime value;
        if (Match(text, pattern, value))
            return IsValidDateTime(value) ? std::optional(value) : std::nullopt;
    }
    return std::nullopt;
}

}  // namespace kvu
