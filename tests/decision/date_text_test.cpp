#include "decision/date_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kvu {
namespace {

constexpr DateTime kSample{2023, 4, 5, 7, 8, 9};

TEST(DateText, FormatsWithLeadingZeros) {
    EXPECT_EQ(FormatDateText(kSample), "2023.04.05. 07:08:09");
    EXPECT_EQ(FormatDateText({1999, 12, 31, 23, 59, 59}), "1999.12.31. 23:59:59");
    EXPECT_EQ(FormatDateText({1, 1, 1, 0, 0, 0}), "0001.01.01. 00:00:00");
}

struct ReadCase {
    const char* text;
    std::optional<DateTime> value;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class ParseDateTextTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ParseDateTextTest, Reads) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(ParseDateText(c.text), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    AcceptedForms, ParseDateTextTest,
    ::testing::Values(ReadCase{"2023.04.05. 07:08:09", kSample},
                      ReadCase{"2023.04.05 07:08:09", kSample},
                      ReadCase{"2023-04-05 07:08:09", kSample},
                      ReadCase{"2023.04.05.", DateTime{2023, 4, 5, 0, 0, 0}},
                      ReadCase{"2023-04-05", DateTime{2023, 4, 5, 0, 0, 0}},
                      ReadCase{"  2023.04.05. 07:08:09\t", kSample},
                      ReadCase{"2024.02.29. 12:00:00", DateTime{2024, 2, 29, 12, 0, 0}},
                      ReadCase{"2000-02-29", DateTime{2000, 2, 29, 0, 0, 0}},
                      ReadCase{"9999.12.31. 23:59:59", DateTime{9999, 12, 31, 23, 59, 59}},
                      // The system's own forms: short fields, blanks after the dots, no seconds.
                      ReadCase{"2008.03.15. 9:41:12", DateTime{2008, 3, 15, 9, 41, 12}},
                      ReadCase{"2008. 03. 15. 9:41:12", DateTime{2008, 3, 15, 9, 41, 12}},
                      ReadCase{"2008. 3. 5.  9:41", DateTime{2008, 3, 5, 9, 41, 0}},
                      ReadCase{"2008.3.5 9:4:1", DateTime{2008, 3, 5, 9, 4, 1}},
                      ReadCase{"2008. 03. 15.", DateTime{2008, 3, 15, 0, 0, 0}},
                      ReadCase{"2008-3-5 09:41", DateTime{2008, 3, 5, 9, 41, 0}}));

INSTANTIATE_TEST_SUITE_P(
    NotDates, ParseDateTextTest,
    ::testing::Values(
        ReadCase{"", std::nullopt}, ReadCase{"   ", std::nullopt},
        ReadCase{"2023.02.30.", std::nullopt}, ReadCase{"2023.02.29. 00:00:00", std::nullopt},
        ReadCase{"1900-02-29", std::nullopt}, ReadCase{"2023.13.01.", std::nullopt},
        ReadCase{"2023.00.10.", std::nullopt}, ReadCase{"2023.04.00.", std::nullopt},
        ReadCase{"2023.04.31.", std::nullopt}, ReadCase{"0000.01.01.", std::nullopt},
        ReadCase{"2023.04.05. 24:00:00", std::nullopt},
        ReadCase{"2023.04.05. 12:60:00", std::nullopt},
        ReadCase{"2023.04.05. 12:00:60", std::nullopt}, ReadCase{"2023.004.05.", std::nullopt},
        ReadCase{"2023.04.05. 7", std::nullopt}, ReadCase{"2023.04.05", std::nullopt},
        ReadCase{"2023.04.05. 7:08:", std::nullopt}, ReadCase{"2023.04.05. 107:08", std::nullopt},
        ReadCase{"2023 .04.05.", std::nullopt}, ReadCase{"2023- 04-05", std::nullopt},
        ReadCase{"2023.04.05. 7:08:09:10", std::nullopt}, ReadCase{"2008. 3. 5", std::nullopt},
        ReadCase{"2023-04-05.", std::nullopt}, ReadCase{"2023-04-05T07:08:09", std::nullopt},
        ReadCase{"2023.04.05.07:08:09", std::nullopt},
        ReadCase{"04/05/2023 07:08:09", std::nullopt},
        ReadCase{"2023.04.05. 07:08:09 x", std::nullopt},
        ReadCase{"2023.04.05. 07:08:0a", std::nullopt}, ReadCase{"+023.04.05.", std::nullopt}));

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
