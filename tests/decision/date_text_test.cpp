#include "decision/date_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kvu {
namespace {

// Each accepted text with the date it means, as the program writes it; the
// first and last days the program knows are written in full width.
TEST(DateText, ReadsTheAcceptedForms) {
    const std::pair<const char*, const char*> cases[] = {
        {"2023.04.05 07:08:09", "2023.04.05. 07:08:09"},
        {"2023-04-05 07:08:09", "2023.04.05. 07:08:09"},
        {"  2023.04.05. 07:08:09\t", "2023.04.05. 07:08:09"},
        {"2023.04.05.", "2023.04.05. 00:00:00"},
        {"2023-04-05", "2023.04.05. 00:00:00"},
        {"2000-02-29", "2000.02.29. 00:00:00"},
        {"0001.01.01.", "0001.01.01. 00:00:00"},
        {"9999-12-31 23:59:59", "9999.12.31. 23:59:59"},
        // The system's own forms: short fields, blanks after the dots, no seconds.
        {"2008. 03. 15. 9:41:12", "2008.03.15. 09:41:12"},
        {"2008. 3. 5.  9:41", "2008.03.05. 09:41:00"},
        {"2008.3.5 9:4:1", "2008.03.05. 09:04:01"},
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

}  // namespace
}  // namespace kvu
