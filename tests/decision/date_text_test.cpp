#include "decision/date_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kvu {
namespace {

// Each accepted text with the date it means, as the program writes it; the
// written form itself is read back below.
TEST(DateText, ReadsTheAcceptedForms) {
    const std::pair<const char*, const char*> cases[] = {
        {"2023.04.05 07:08:09", "2023.04.05. 07:08:09"},
        {"2023-04-05 07:08:09", "2023.04.05. 07:08:09"},
        {"  2023.04.05. 07:08:09\t", "2023.04.05. 07:08:09"},
        {"2023.04.05.", "2023.04.05. 00:00:00"},
        {"2023-04-05", "2023.04.05. 00:00:00"},
        {"2000-02-29", "2000.02.29. 00:00:00"},
        // The system's own forms: short fields, blanks after the dots, no seconds.
        {"2008.03.15. 9:41:12", "2008.03.15. 09:41:12"},
        {"2008. 03. 15. 9:41:12", "2008.03.15. 09:41:12"},
        {"2008. 3. 5.  9:41", "2008.03.05. 09:41:00"},
        {"2008.3.5 9:4:1", "2008.03.05. 09:04:01"},
        {"2008. 03. 15.", "2008.03.15. 00:00:00"},
        {"2008-3-5 09:41", "2008.03.05. 09:41:00"}};
    for (const auto& [text, written] : cases) {
        const std::optional<DateTime> value = ParseDateText(text);
        ASSERT_TRUE(value) << '"' << text << '"';
        EXPECT_EQ(FormatDateText(*value), written);
    }
}

TEST(DateText, RefusesWhatIsNoDate) {
    // Dates and times that do not exist.
    for (const char* text :
         {"2023.02.30.", "2023.02.29. 00:00:00", "1900-02-29", "2023.13.01.", "2023.00.10.",
          "2023.04.00.", "2023.04.31.", "0000.01.01.", "2023.04.05. 24:00:00",
          "2023.04.05. 12:60:00", "2023.04.05. 12:00:60"})
        EXPECT_EQ(ParseDateText(text), std::nullopt) << '"' << text << '"';
    // Forms that are not read.
    for (const char* text : {"", "   ", "2023.004.05.", "2023.04.05. 7", "2023.04.05",
                             "2023.04.05. 7:08:", "2023.04.05. 107:08", "2023 .04.05.",
                             "2023- 04-05", "2023.04.05. 7:08:09:10", "2008. 3. 5", "2023-04-05.",
                             "2023-04-05T07:08:09", "2023.04.05.07:08:09", "04/05/2023 07:08:09",
                             "2023.04.05. 07:08:09 x", "2023.04.05. 07:08:0a", "+023.04.05."})
        EXPECT_EQ(ParseDateText(text), std::nullopt) << '"' << text << '"';
}

// Every date the program writes reads back as the same date.
TEST(DateText, WhatIsWrittenReadsBack) {
    int checked = 0;
    for (int year : {1, 1900, 2000, 2023, 2024, 9999})
        for (int month = 1; month <= 12; ++month)
            for (int day : {1, 28, 29, 30, 31}) {
                DateTime value{year, month, day, day % 24, (day * 7) % 60, (day * 13) % 60};
                if (!IsValidDateTime(value))
                    continue;
                EXPECT_EQ(ParseDateText(FormatDateText(value)), value) << FormatDateText(value);
                ++checked;
            }
    EXPECT_GT(checked, 300);
}

}  // namespace
}  // namespace kvu
