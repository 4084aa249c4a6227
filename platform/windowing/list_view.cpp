#include "platform/windowing/list_view.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

#include "platform/encoding.h"

namespace kvu::ui {
namespace {

void CheckIndex(int index, int count, const char* what) {
    if (index < 0 || index >= count)
        throw std::out_of_range(std::string("ListView: no ") + what + " " + std::to_string(index));
}

}  // namespace

ListView::ListView(Parent parent, std::string name, const Rect& geometry)
    : Control(Kind::kListView, parent, std::move(name), geometry) {}

void ListView::SetCheckBoxes(bool on) {
    checkBoxes_ = on;
    Sync(Aspect::kStyle);
}

int ListView::AddColumn(const std::string& text, int width, Align align) {
    columns_.push_back({text, width, align, -1});
    Sync(Aspect::kColumns);
    return ColumnCount() - 1;
}

const ListView::Column& ListView::GetColumn(int column) const {
    CheckIndex(column, ColumnCount(), "column");
    return columns_[static_cast<std::size_t>(column)];
}

void ListView::SetColumnAlign(int column, Align align) {
    CheckIndex(column, ColumnCount(), "column");
    columns_[static_cast<std::size_t>(column)].align = align;
    Sync(Aspect::kColumns);
}

void ListView::SetColumnWidth(int column, int width) {
    CheckIndex(column, ColumnCount(), "column");
    columns_[static_cast<std::size_t>(column)].width = width;
    Sync(Aspect::kColumns);
}

void ListView::SetHeaderImages(std::vector<Image> images) {
    headerImages_ = std::move(images);
    Sync(Aspect::kColumns);
}

void ListView::SetColumnImage(int column, int image) {
    CheckIndex(column, ColumnCount(), "column");
    if (image < -1 || image >= static_cast<int>(headerImages_.size()))
        throw std::out_of_range("ListView: no header image " + std::to_string(image));
    if (columns_[static_cast<std::size_t>(column)].image == image)
        return;
    columns_[static_cast<std::size_t>(column)].image = image;
    Sync(Aspect::kColumns);
}

void ListView::Clear() {
    rows_.clear();
    order_.clear();
    ItemsChanged();
}

int ListView::AddRow(const std::string& text) {
    Row row;
    row.cells.push_back({text, std::nullopt, false});
    rows_.push_back(std::move(row));
    order_.push_back(RowCount() - 1);
    ItemsChanged();
    return RowCount() - 1;
}

int ListView::AddRows(const std::vector<std::vector<std::string>>& rows) {
    const int first = RowCount();
    for (const std::vector<std::string>& texts : rows) {
        Row row;
        for (const std::string& text : texts)
            row.cells.push_back({text, std::nullopt, false});
        rows_.push_back(std::move(row));
        order_.push_back(RowCount() - 1);
    }
    ItemsChanged();
    return first;
}

const ListView::Row& ListView::GetRow(int row) const {
    CheckIndex(row, RowCount(), "row");
    return rows_[static_cast<std::size_t>(row)];
}

const std::string& ListView::CellText(int row, int column) const {
    static const std::string kEmpty;
    const Row& r = GetRow(row);
    return static_cast<std::size_t>(column) < r.cells.size()
               ? r.cells[static_cast<std::size_t>(column)].text
               : kEmpty;
}

ListView::Cell& ListView::CellAt(int row, int column) {
    CheckIndex(row, RowCount(), "row");
    if (column < 0)
        throw std::out_of_range("ListView: no column " + std::to_string(column));
    std::vector<Cell>& cells = rows_[static_cast<std::size_t>(row)].cells;
    if (static_cast<std::size_t>(column) >= cells.size())
        cells.resize(static_cast<std::size_t>(column) + 1);
    return cells[static_cast<std::size_t>(column)];
}

void ListView::SetCellText(int row, int column, const std::string& text) {
    CellAt(row, column).text = text;
    if (sorted_ && column == sortKey_)
        ItemsChanged();
    else
        RowChanged(row);
}

void ListView::SetCellForeColor(int row, int column, Colour colour) {
    CellAt(row, column).foreColor = colour;
    RowChanged(row);
}

void ListView::SetCellBold(int row, int column, bool bold) {
    CellAt(row, column).bold = bold;
    RowChanged(row);
}

bool ListView::Checked(int row) const {
    return GetRow(row).checked;
}

void ListView::SetChecked(int row, bool checked) {
    CheckIndex(row, RowCount(), "row");
    rows_[static_cast<std::size_t>(row)].checked = checked;
    RowChanged(row);
}

// Setting what is already set changes nothing and costs no re-sort.
void ListView::SetSorted(bool sorted) {
    if (sorted == sorted_)
        return;
    sorted_ = sorted;
    OrderChanged();
}

void ListView::SetSortKey(int column) {
    if (column == sortKey_)
        return;
    sortKey_ = column;
    OrderChanged();
}

void ListView::SetSortOrder(SortOrder order) {
    if (order == sortOrder_)
        return;
    sortOrder_ = order;
    OrderChanged();
}

void ListView::UserClickColumn(int column) {
    if (onColumnClick)
        onColumnClick(column);
}

void ListView::UserCheck(int row, bool checked) {
    CheckIndex(row, RowCount(), "row");
    if (rows_[static_cast<std::size_t>(row)].checked == checked)
        return;
    SetChecked(row, checked);
    if (onItemCheck)
        onItemCheck(row);
}

void ListView::RowChanged(int row) {
    changedRow_ = row;
    Sync(Aspect::kRow);
}

void ListView::OrderChanged() {
    Resort();
    Sync(Aspect::kOrder);
}

void ListView::ItemsChanged() {
    Resort();
    Sync(Aspect::kItems);
}

// Rows that compare equal keep the order they were added in.
void ListView::Resort() {
    std::iota(order_.begin(), order_.end(), 0);
    if (!sorted_)
        return;
    std::vector<std::string> keys;
    keys.reserve(rows_.size());
    for (int row = 0; row < RowCount(); ++row)
        keys.push_back(UpperCase(CellText(row, sortKey_)));
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
        const std::string& x = keys[static_cast<std::size_t>(a)];
        const std::string& y = keys[static_cast<std::size_t>(b)];
        return sortOrder_ == SortOrder::kAscending ? x < y : y < x;
    });
}

}  // namespace kvu::ui
