// What the update list shows of one record: the texts of its ten cells and the
// colour they are written in.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "decision/update_info.h"

namespace kvu {

inline constexpr int kUpdateColumnCount = 10;

// The first column: the case text and the file name, blanks around removed
// ("új fájl ->" alone for a record without a name).
std::string RowCaption(const clsUpdateInfo& record);

// The other nine columns, left to right: installed path, version, date and
// size, then the repository's version, date and size, the type and the source.
std::array<std::string, kUpdateColumnCount - 1> SubItemTexts(const clsUpdateInfo& record);

// A size in bytes as the list shows it: a whole number as plain digits.
std::string SizeText(double bytes);

// A blue-green-red colour written as decimal digits (what RowForeColor gives),
// or nothing when the text is not such a number.
std::optional<std::uint32_t> ParseColourText(const std::string& text);

}  // namespace kvu
