// A calendar date and time of day, local time, whole seconds: what file times
// and the repository's dates are compared as.
#pragma once

#include <compare>

namespace kvu {

struct DateTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;

    // Field by field, most significant first: chronological order.
    auto operator<=>(const DateTime&) const = default;
};

}  // namespace kvu
