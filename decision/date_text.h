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
//   yyyy.M.d. H:m:s   yyyy.M.d H:m:s   yyyy.M.d.   yyyy-M-d H:m:s   yyyy-M-d
// where month, day, hour, minute and second have one or two digits, blanks may
// follow the dots of a dotted date (the system form "2008. 03. 15. 9:41:12"),
// and the seconds may be left out. A date-only form means midnight. Anything
// else, and any date or time that does not exist (2023.02.30., 24:00:00), is
// not a date text.
std::optional<DateTime> ParseDateText(std::string_view text);

// True for a date of years 1 to 9999 that exists in the Gregorian calendar
// and a time of day from 00:00:00 to 23:59:59.
bool IsValidDateTime(const DateTime& value);

}  // namespace kvu
