// A report-view list with one check box per row, sortable by a column's text.
//
// Rows keep the number they were added with (0-based), whatever order they are
// shown in: code finds its records by that number. Cells are addressed by
// column, 0 being the row's own text.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/windowing/control.h"

namespace kvu::ui {

class ListView : public Control {
  public:
    struct Column {
        std::string text;
        int width = 0;  // twips
        Align align = Align::kLeft;
        int image = -1;  // index into the header images, -1 for none
        bool operator==(const Column&) const = default;
    };
    struct Cell {
        std::string text;
        std::optional<Colour> foreColor;
        bool bold = false;
        bool operator==(const Cell&) const = default;
    };
    struct Row {
        std::vector<Cell> cells;  // at least one: the row's own text
        bool checked = false;
    };
    enum class SortOrder { kAscending, kDescending };

    ListView(Parent parent, std::string name, const Rect& geometry);
    bool TakesFocus() const override { return true; }

    bool CheckBoxes() const { return checkBoxes_; }
    void SetCheckBoxes(bool on);

    int AddColumn(const std::string& text, int width, Align align = Align::kLeft);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    const Column& GetColumn(int column) const;
    void SetColumnAlign(int column, Align align);
    void SetColumnWidth(int column, int width);

    // Pictures the column headers can show, all of one size.
    const std::vector<Image>& HeaderImages() const { return headerImages_; }
    void SetHeaderImages(std::vector<Image> images);
    void SetColumnImage(int column, int image);

    void Clear();
    int AddRow(const std::string& text);
    // Adds rows with the texts of their cells, sorting and redrawing the list
    // once rather than once a row; the number of the first new row.
    int AddRows(const std::vector<std::vector<std::string>>& rows);
    int RowCount() const { return static_cast<int>(rows_.size()); }
    const Row& GetRow(int row) const;
    const std::string& CellText(int row, int column) const;
    void SetCellText(int row, int column, const std::string& text);
    void SetCellForeColor(int row, int column, Colour colour);
    void SetCellBold(int row, int column, bool bold);
    bool Checked(int row) const;
    void SetChecked(int row, bool checked);

    // Sorting by the text of one column, without regard to letter case.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    int SortKey() const { return sortKey_; }
    void SetSortKey(int column);
    SortOrder GetSortOrder() const { return sortOrder_; }
    void SetSortOrder(SortOrder order);
    // Row numbers from top to bottom as shown.
    const std::vector<int>& DisplayOrder() const { return order_; }

    std::function<void(int column)> onColumnClick;
    std::function<void(int row)> onItemCheck;
    void UserClickColumn(int column);
    void UserCheck(int row, bool checked);

    // For backends: the row that the last kRow change was about.
    int ChangedRow() const { return changedRow_; }

  private:
    Cell& CellAt(int row, int column);
    void RowChanged(int row);
    void OrderChanged();
    void ItemsChanged();
    void Resort();

    bool checkBoxes_ = true;
    std::vector<Column> columns_;
    std::vector<Image> headerImages_;
    std::vector<Row> rows_;
    std::vector<int> order_;
    bool sorted_ = false;
    int sortKey_ = 0;
    SortOrder sortOrder_ = SortOrder::kAscending;
    int changedRow_ = -1;
};

}  // namespace kvu::ui
