// The native list view: report view, check boxes, coloured and bold cells,
// header pictures; rows shown in the model's display order.
#include <windows.h>

#include <commctrl.h>

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

    void SyncOwn(Aspect aspect) override {
        switch (aspect) {
            case Aspect::kStyle: {
                DWORD style = LVS_EX_FULLROWSELECT | (list_.CheckBoxes() ? LVS_EX_CHECKBOXES : 0);
                SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style);
                FillRows();
                break;
            }
            case Aspect::kColumns:
                FillColumns();
                FillRows();
                break;
            case Aspect::kItems:
                FillRows();
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
    void FillColumns() {
        while (SendMessageW(hwnd_, LVM_DELETECOLUMN, 0, 0)) {
        }
        HWND header = reinterpret_cast<HWND>(SendMessageW(hwnd_, LVM_GETHEADER, 0, 0));
        MakeImageList();
        SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
        for (int i = 0; i < list_.ColumnCount(); ++i) {
            const ListView::Column& column = list_.GetColumn(i);
            std::wstring text = Utf8ToWide(column.text);
            LVCOLUMNW lv{};
            lv.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            lv.fmt = ColumnFormat(column.align);
            lv.cx = owner_.Px(column.width);
            lv.pszText = text.data();
            SendMessageW(hwnd_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&lv));
            if (column.image >= 0 && images_) {
                HDITEMW item{};
                item.mask = HDI_FORMAT;
                SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i),
                             reinterpret_cast<LPARAM>(&item));
                item.mask = HDI_FORMAT | HDI_IMAGE;
                item.fmt |= HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
                item.iImage = column.image;
                SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(i),
                             reinterpret_cast<LPARAM>(&item));
            }
        }
    }

    void MakeImageList() {
        if (images_)
            ImageList_Destroy(images_);
        images_ = nullptr;
        const std::vector<Image>& pictures = list_.HeaderImages();
        if (pictures.empty())
            return;
        images_ = ImageList_Create(pictures[0].width, pictures[0].height, ILC_COLOR32,
                                   static_cast<int>(pictures.size()), 0);
        for (const Image& picture : pictures) {
            HBITMAP bitmap = MakeBitmap(picture);
            ImageList_Add(images_, bitmap, nullptr);
            DeleteObject(bitmap);
        }
    }

    void FillRows() {
        syncing_ = true;
        SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
        SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
        const std::vector<int>& order = list_.DisplayOrder();
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
    bool syncing_ = false;
};

}  // namespace

std::unique_ptr<ChildWindow> MakeListViewWindow(ListView& list, FormWindow& owner) {
    return std::make_unique<ListViewWindow>(list, owner);
}

}  // namespace kvu::ui::win32
