#include "decision/sort_marks.h"

#include <array>
#include <string_view>

namespace kvu {
namespace {

// One text row per pixel row: '.' button face, 'g' grey, 'w' white; the edges
// facing the light are white, as on a raised button. app/make_sort_marks.py
// reads these rows to draw the program's bitmap resources, so that both show
// the same pixels.
constexpr std::array<std::string_view, 11> kDescendingRows = {
    "............",  //
    "............",  //
    "............",  //
    ".ggggggggww.",  //
    "..g......w..",  //
    "...g....w...",  //
    "....g..w....",  //
    ".....gw.....",  //
    "............",  //
    "............",  //
    "............",  //
};
constexpr std::array<std::string_view, 11> kAscendingRows = {
    "............",  //
    "............",  //
    "............",  //
    ".....gw.....",  //
    "....g..w....",  //
    "...g....w...",  //
    "..g......w..",  //
    ".gwwwwwwwww.",  //
    "............",  //
    "............",  //
    "............",  //
};

constexpr ui::Colour kButtonFace = ui::RgbColour(200, 208, 212);
constexpr ui::Colour kGrey = ui::RgbColour(128, 128, 128);
constexpr ui::Colour kWhite = ui::RgbColour(255, 255, 255);

ui::Colour PixelColour(char code) {
    return code == 'g' ? kGrey : code == 'w' ? kWhite : kButtonFace;
}

}  // namespace

ui::Image SortMarkImage(bool descending) {
    const auto& rows = descending ? kDescendingRows : kAscendingRows;
    ui::Image image{static_cast<int>(rows[0].size()),
                    static_cast<int>(rows.size()),
                    {},
                    descending ? kDescendingMarkResource : kAscendingMarkResource};
    for (std::string_view row : rows) {
        for (char code : row)
            image.pixels.push_back(PixelColour(code));
    }
    return image;
}

SortState AfterHeaderClick(const SortState& state, int column) {
    if (state.sorted && state.key == column)
        return {true, column, !state.descending};
    return {true, column, false};
}

int HeaderMark(const SortState& state, int column) {
    if (!state.sorted || state.key != column)
        return -1;
    return state.descending ? 0 : 1;
}

}  // namespace kvu
