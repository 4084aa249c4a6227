// The native list view: report view, check boxes, coloured and bold cells,
// header pictures; rows shown in the model's display order.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "platform/win32/wide.h"
#include "platform/win32/windowing/child_window.h"
#include "platform/win32/windowing/form_window.h"

namespace kvu::ui::win32 {
namespace {

int ColumnFormat(Align align) {
    return align == Align::kCentre  ? LVCFMT_CENTER
           : align == Align::kRight ? LVCFMT_RIGHT
                                    : LVCFMT_LEFT;
}

class ListViewWindow : public ChildWindow {
  public:
    ListViewWindow(ListView& list, FormWindow& owner) : ChildWindow(list, owner), list_(list) {
        Create(WC_LISTVIEWW, WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE);
    }
    ~ListViewWindow() override {
        if (hwnd_) {
            owner_.Unregister(hwnd_);
            DestroyWindow(hwnd_);
            hwnd_ = nullptr;
        }
        if (images_)
            ImageList_Destroy(images_);
    }

    // Rows are written again only when what they show changed; a new sort
    // order or new header marks move the native items as they are.
    void SyncOwn(Aspect aspect) override {
        switch (aspect) {
            case Aspect::kStyle: {
                DWORD style = LVS_EX_FULLROWSELECT | (list_.CheckBoxes() ? LVS_EX_CHECKBOXES : 0);
                SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style);
                if (ItemCount() > 0)
                    FillRows();  // turning check boxes on clears the check marks
                break;
            }
            case Aspect::kColumns:
                if (SyncColumns() && ItemCount() > 0)
                    FillRows();
                break;
            case Aspect::kItems:
                FillRows();
                break;
            case Aspect::kOrder:
                SortRows();
                break;
            case Aspect::kRow:
                UpdateRow(list_.ChangedRow());
                break;
            default:
                break;
        }
    }

    LRESULT Notify(NMHDR& header) override {
        if (header.code == LVN_COLUMNCLICK) {
            list_.UserClickColumn(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
        } else if (header.code == LVN_ITEMCHANGED && !syncing_) {
            CheckChanged(reinterpret_cast<NMLISTVIEW&>(header));
        } else if (header.code == NM_CUSTOMDRAW) {
            return CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
        }
        return 0;
    }

  private:
    int ItemCount() const { return static_cast<int>(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0)); }
    HWND Header() const { return reinterpret_cast<HWND>(SendMessageW(hwnd_, LVM_GETHEADER, 0, 0)); }

    // Brings the native columns in line with the model's; true when columns
    // were added or removed, so that the rows must be written again.
    bool SyncColumns() {
        if (list_.HeaderImages() != shownImages_) {
            MakeImageList();
            SendMessageW(Header(), HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
        }
        int native = static_cast<int>(SendMessageW(Header(), HDM_GETITEMCOUNT, 0, 0));
        bool rebuilt = native != list_.ColumnCount();
        if (rebuilt) {
            while (SendMessageW(hwnd_, LVM_DELETECOLUMN, 0, 0)) {
            }
        }
        for (int i = 0; i < list_.ColumnCount(); ++i)
            WriteColumn(i, rebuilt);
        return rebuilt;
    }

    void WriteColumn(int index, bool insert) {
        const ListView::Column& column = list_.GetColumn(index);
        std::wstring text = Utf8ToWide(column.text);
        LVCOLUMNW lv{};
        lv.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        lv.fmt = ColumnFormat(column.align);
        lv.cx = owner_.Px(column.width);
        lv.pszText = text.data();
        SendMessageW(hwnd_, insert ? LVM_INSERTCOLUMNW : LVM_SETCOLUMNW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&lv));
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(Header(), HDM_GETITEMW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
        item.mask = HDI_FORMAT | HDI_IMAGE;
        bool picture = column.image >= 0 && images_;
        item.fmt = picture ? item.fmt | HDF_IMAGE | HDF_BITMAP_ON_RIGHT
                           : item.fmt & ~(HDF_IMAGE | HDF_BITMAP_ON_RIGHT);
        item.iImage = picture ? column.image : 0;
        SendMessageW(Header(), HDM_SETITEMW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
    }

    // Pictures with a resource of the program are taken from it, so that the
    // program shows what it ships; without one (a test program) from the pixels.
    void MakeImageList() {
        if (images_)
            ImageList_Destroy(images_);
        images_ = nullptr;
        shownImages_ = list_.HeaderImages();
        if (shownImages_.empty())
            return;
        images_ = ImageList_Create(shownImages_[0].width, shownImages_[0].height, ILC_COLOR32,
                                   static_cast<int>(shownImages_.size()), 0);
        for (const Image& picture : shownImages_) {
            HBITMAP bitmap = nullptr;
            if (picture.resource > 0) {
                bitmap = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                         MAKEINTRESOURCEW(picture.resource),
                                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
            }
            if (!bitmap)
                bitmap = MakeBitmap(picture);
            ImageList_Add(images_, bitmap, nullptr);
            DeleteObject(bitmap);
        }
    }

    static int CALLBACK ByRank(LPARAM a, LPARAM b, LPARAM ranks) {
        const auto& rank = *reinterpret_cast<const std::vector<int>*>(ranks);
        return rank[static_cast<std::size_t>(a)] - rank[static_cast<std::size_t>(b)];
    }

    // The native items, each carrying its row number, are put in the model's
    // order; their texts and check boxes move with them.
    void SortRows() {
        const std::vector<int>& order = list_.DisplayOrder();
        if (ItemCount() != static_cast<int>(order.size())) {
            FillRows();
            return;
        }
        std::vector<int> rank(order.size());
        for (std::size_t position = 0; position < order.size(); ++position)
            rank[static_cast<std::size_t>(order[position])] = static_cast<int>(position);
        SendMessageW(hwnd_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&rank),
                     reinterpret_cast<LPARAM>(&ByRank));
    }

    void FillRows() {
        syncing_ = true;
        SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
        SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
        const std::vector<int>& order = list_.DisplayOrder();
        SendMessageW(hwnd_, LVM_SETITEMCOUNT, order.size(), 0);
        for (std::size_t position = 0; position < order.size(); ++position) {
            std::wstring text = Utf8ToWide(list_.CellText(order[position], 0));
            LVITEMW item{};
            item.mask = LVIF_TEXT | LVIF_PARAM;
            item.iItem = static_cast<int>(position);
            item.pszText = text.data();
            item.lParam = order[position];
            SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
            WriteRow(static_cast<int>(position), order[position]);
        }
        SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
        syncing_ = false;
    }

    // Sub-item texts and the check box of the row shown at position.
    void WriteRow(int position, int row) {
        const ListView::Row& r = list_.GetRow(row);
        for (std::size_t column = 0; column < r.cells.size(); ++column) {
            std::wstring text = Utf8ToWide(r.cells[column].text);
            LVITEMW item{};
            item.iSubItem = static_cast<int>(column);
            item.pszText = text.data();
            SendMessageW(hwnd_, LVM_SETITEMTEXTW, static_cast<WPARAM>(position),
                         reinterpret_cast<LPARAM>(&item));
        }
        LVITEMW state{};
        state.stateMask = LVIS_STATEIMAGEMASK;
        state.state = INDEXTOSTATEIMAGEMASK(r.checked ? 2 : 1);
        SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(position),
                     reinterpret_cast<LPARAM>(&state));
    }

    void UpdateRow(int row) {
        const std::vector<int>& order = list_.DisplayOrder();
        for (std::size_t position = 0; position < order.size(); ++position) {
            if (order[position] != row)
                continue;
            syncing_ = true;
            WriteRow(static_cast<int>(position), row);
            syncing_ = false;
            SendMessageW(hwnd_, LVM_REDRAWITEMS, position, position);
            return;
        }
    }

    void CheckChanged(const NMLISTVIEW& change) {
        if (!(change.uChanged & LVIF_STATE) ||
            !((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK))
            return;
        int row = static_cast<int>(change.lParam);
        if (row < 0 || row >= list_.RowCount())
            return;
        list_.UserCheck(row, (change.uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2));
    }

    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) {
        switch (draw.nmcd.dwDrawStage) {
            case CDDS_PREPAINT:
                return CDRF_NOTIFYITEMDRAW;
            case CDDS_ITEMPREPAINT:
                return CDRF_NOTIFYSUBITEMDRAW;
            case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
                int row = static_cast<int>(draw.nmcd.lItemlParam);
                if (row < 0 || row >= list_.RowCount())
                    return CDRF_DODEFAULT;
                const std::vector<ListView::Cell>& cells = list_.GetRow(row).cells;
                auto column = static_cast<std::size_t>(draw.iSubItem);
                const ListView::Cell* cell = column < cells.size() ? &cells[column] : nullptr;
                draw.clrText = cell && cell->foreColor ? static_cast<COLORREF>(*cell->foreColor)
                                                       : GetSysColor(COLOR_WINDOWTEXT);
                const Font& font = list_.GetFont();
                SelectObject(draw.nmcd.hdc, cell && cell->bold
                                                ? owner_.gdi().BoldFontFor(font, owner_.dpi())
                                                : owner_.gdi().FontFor(font, owner_.dpi()));
                return CDRF_NEWFONT;
            }
            default:
                return CDRF_DODEFAULT;
        }
    }

    ListView& list_;
    HIMAGELIST images_ = nullptr;
    std::vector<Image> shownImages_;
    bool syncing_ = false;
};

}  // namespace

std::unique_ptr<ChildWindow> MakeListViewWindow(ListView& list, FormWindow& owner) {
    return std::make_unique<ListViewWindow>(list, owner);
}

}  // namespace kvu::ui::win32
