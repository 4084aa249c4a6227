// The sort marks of the update list's column headers and which header shows
// which mark as the user clicks headers.
#pragma once

#include "platform/windowing/types.h"

namespace kvu {

// The program's bitmap resources holding the two marks.
inline constexpr int kDescendingMarkResource = 101;
inline constexpr int kAscendingMarkResource = 102;

// A downward (descending) or upward (ascending) triangle, 12 x 11 pixels, grey
// and white on the button face.
ui::Image SortMarkImage(bool descending);

struct SortState {
    bool sorted = false;
    int key = 0;  // column, 0 for the first
    bool descending = false;
    bool operator==(const SortState&) const = default;
};

// A click on the header of column: the sort key's header reverses the order,
// any other header sorts by its column, ascending.
SortState AfterHeaderClick(const SortState& state, int column);

// The header image of column, as an index into {descending, ascending}; -1
// for none: only the sort key's header shows a mark.
int HeaderMark(const SortState& state, int column);

}  // namespace kvu
