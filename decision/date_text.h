// The one text form of dates that the program writes, and the forms it reads.
// Independent of the machine's locale, so every date it writes reads back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/date_time.h"

namespace kvu {

// "yyyy.MM.dd. HH:mm:ss", e.g. 2023.04.05. 07:08:09.
std::string FormatDateText(const DateTime& value);

// Reads, with blanks around the text ignored:
//   yyyy.MM.dd. HH:mm:ss   yyyy.MM.dd HH:mm:ss   yyyy.MM.dd.
//   yyyy-MM-dd HH:mm:ss    yyyy-MM-dd
// with exactly these digit counts; a date-only form means midnight. Anything
// else, and any date or time that does not exist (2023.02.30., 24:00:00), is
// not a date text.
std::optional<DateTime> ParseDateText(std::string_view text);

// True for a date of years 1 to 9999 that exists in the Gregorian calendar
// and a time of day from 00:00:00 to 23:59:59.
bool IsValidDateTime(const DateTime& value);

}  // namespace kvu
