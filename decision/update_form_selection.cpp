// updateform's two label buttons, their hover effect, and what the window
// leaves in the records when it goes.
#include <vector>

#include "decision/selection.h"
#include "decision/update_form.h"

namespace kvu {
namespace {

constexpr ui::Colour kHoverOrange = ui::RgbColour(255, 128, 0);
constexpr ui::Colour kCancelRed = ui::RgbColour(192, 0, 0);
constexpr ui::Colour kInstallGreen = ui::RgbColour(0, 128, 0);
constexpr ui::Colour kLockedRed = ui::RgbColour(255, 0, 0);

constexpr const char* kInUseText =
    "Nem lépett ki minden frissíteni kívánt alkalmazásból. (piros színűre váltott az első oszlop "
    "a hibás soroknál!)";
constexpr const char* kInUseTitle = "Frissítés nem végezhető el a kijelölt elemekre";

// The label shows the hover colour and underline while the pointer is on its
// frame; colour and font are set only when they change, so that a tick that
// changes nothing repaints nothing.
void ShowHover(ui::Label& label, bool hovered, ui::Colour restColour) {
    ui::Colour colour = hovered ? kHoverOrange : restColour;
    if (label.ForeColor() != colour)
        label.SetForeColor(colour);
    ui::Font font = label.GetFont();
    if (font.underline != hovered) {
        font.underline = hovered;
        label.SetFont(font);
    }
}

}  // namespace

bool IsCursorOver(const ui::Control& window) {
    ui::PixelPoint p = window.form().session().CursorPosition();
    ui::PixelRect r = window.ScreenRect();
    return r.left <= p.x && p.x <= r.right && r.top <= p.y && p.y <= r.bottom;
}

void updateform::LbVálasztClick() {
    if (!CheckSelectionNotInUse()) {
        session().MsgBox(kInUseText, ui::kMbOk | ui::kMbCritical, kInUseTitle);
        return;
    }
    installConfirmed_ = true;
    ConfirmDownloads(records_, CheckedRecords());
    Unload();
}

void updateform::LbMégsemClick() {
    ClearDownloads(records_);
    Unload();
}

// However the window goes, only a passed install leaves files chosen.
void updateform::FormUnload() {
    if (!installConfirmed_)
        ClearDownloads(records_);
    StorePosition();
}

// Marks the first cell of every checked row whose file is held open.
bool updateform::CheckSelectionNotInUse() {
    std::vector<int> locked = LockedAmong(records_, CheckedRecords());
    std::vector<bool> isLocked(records_.size(), false);
    for (int record : locked)
        isLocked[static_cast<std::size_t>(record)] = true;
    for (int row = 0; row < static_cast<int>(rowRecord_.size()); ++row) {
        if (Lv1.Checked(row) &&
            isLocked[static_cast<std::size_t>(rowRecord_[static_cast<std::size_t>(row)])]) {
            Lv1.SetCellForeColor(row, 0, kLockedRed);
            Lv1.SetCellBold(row, 0, true);
        }
    }
    return locked.empty();
}

void updateform::Timer1Tick() {
    ShowHover(lbMégsem, IsCursorOver(frMégsem), kCancelRed);
    ShowHover(lbVálaszt, IsCursorOver(frVálaszt), kInstallGreen);
}

}  // namespace kvu
