#include "decision/window_position.h"

#include <gtest/gtest.h>

namespace kvu {
namespace {

TEST(StoredBounds, WholeNumbersGiveTheRectangleAnythingElseNothing) {
    EXPECT_EQ(ParseStoredBounds({"900", " 1500 ", "+11000", "16000"}),
              (ui::Rect{1500, 900, 16000, 11000}));
    EXPECT_EQ(ParseStoredBounds({"-900", "-1500", "1", "1"}), (ui::Rect{-1500, -900, 1, 1}));
    for (const char* bad : {"", " ", "1e3", "12.0", "0x10", "12abc", "2147483648", "--1"})
        EXPECT_EQ(ParseStoredBounds({bad, "0", "100", "100"}), std::nullopt) << bad;
    EXPECT_EQ(ParseStoredBounds({"0", "0", "-5", "100"}), std::nullopt);
    EXPECT_EQ(StoredTexts({1500, 900, 16000, 11000}),
              (std::array<std::string, 4>{"900", "1500", "11000", "16000"}));
}

TEST(TitleBarReachable, NeedsTheWholeTitleHeightAndAGripOfItsWidthOnOneScreen) {
    const std::vector<ui::Rect> screens{{0, 0, 28800, 15600}, {28800, 0, 19200, 14400}};
    const int title = 450;
    struct Case {
        ui::Rect bounds;
        bool reachable;
    };
    const Case cases[] = {
        {{1000, 1000, 15000, 10000}, true},
        {{30000, 1000, 15000, 10000}, true},  // on the second screen
        {{-14400, 0, 15000, 10000}, true},    // 600 twips still show
        {{-14401, 0, 15000, 10000}, false},
        {{1000, 15150, 15000, 10000}, true},  // the title bar just fits above the bottom
        {{1000, 15151, 15000, 10000}, false},
        {{1000, -1, 15000, 10000}, false},
        {{28800 + 19200, 0, 15000, 10000}, false},
        {{30000, 14000, 15000, 10000}, false},  // below the smaller second screen's bottom
    };
    for (const Case& c : cases)
        EXPECT_EQ(TitleBarReachable(c.bounds, title, screens), c.reachable)
            << c.bounds.left << "," << c.bounds.top;
    EXPECT_FALSE(TitleBarReachable({0, 0, 100, 100}, title, {}));
}

}  // namespace
}  // namespace kvu
