#include "decision/update_rows.h"

#include <gtest/gtest.h>

#include "decision/sort_marks.h"

namespace kvu {
namespace {

TEST(UpdateRows, CaptionsAndSizesReadAsTheListShowsThem) {
    clsUpdateInfo record;
    record.appname = "  x.dll  ";
    EXPECT_EQ(RowCaption(record), "új fájl ->   x.dll");
    for (auto [bytes, text] :
         {std::pair{0.0, "0"}, {3e12, "3000000000000"}, {1.5, "1.5"}, {-2.0, "-2"}})
        EXPECT_EQ(SizeText(bytes), text);
    for (const char* bad : {"", "-1", "16777216", "12 ", "x"})
        EXPECT_EQ(ParseColourText(bad), std::nullopt) << bad;
}

// Each mark is a triangle pointing its way: widest grey run where it starts.
TEST(SortMarks, DescendingPointsDownAscendingUpInThreeColours) {
    for (bool descending : {true, false}) {
        ui::Image mark = SortMarkImage(descending);
        ASSERT_EQ(mark.width, 12);
        ASSERT_EQ(mark.height, 11);
        std::vector<int> inked;  // drawn pixels per row, where any
        for (int y = 0; y < mark.height; ++y) {
            int count = 0;
            for (int x = 0; x < mark.width; ++x) {
                ui::Colour c = mark.pixels[static_cast<std::size_t>(y * mark.width + x)];
                ASSERT_TRUE(c == 0x808080 || c == 0xFFFFFF || c == ui::RgbColour(200, 208, 212));
                count += c != ui::RgbColour(200, 208, 212);
            }
            if (count > 0)
                inked.push_back(count);
        }
        ASSERT_GE(inked.size(), 3u);
        EXPECT_EQ(inked.front() > inked.back(), descending);
    }
}

}  // namespace
}  // namespace kvu
