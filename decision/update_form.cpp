// updateform's controls and design values, its load, sorting, layout and the
// stored position. The buttons and the result are in update_form_selection.cpp.
#include "decision/update_form.h"

#include <array>
#include <exception>
#include <functional>
#include <optional>
#include <stdexcept>

#include "decision/sort_marks.h"
#include "decision/update_rows.h"
#include "decision/window_position.h"
#include "platform/file_lock.h"

namespace kvu {
namespace {

constexpr int kClientWidth = 14805;
constexpr int kClientHeight = 9825;

constexpr ui::Colour kTitleGreen = ui::RgbColour(100, 155, 66);
constexpr ui::Colour kCancelRed = ui::RgbColour(192, 0, 0);
constexpr ui::Colour kInstallGreen = ui::RgbColour(0, 128, 0);
constexpr ui::Colour kWarningRed = ui::RgbColour(255, 0, 0);
constexpr ui::Colour kBandBorder = ui::RgbColour(160, 160, 160);

const ui::Font kTitleFont{"Tahoma", 14.25, true};
const ui::Font kSmallFont{"Tahoma", 8.25, false};
const ui::Font kButtonFont{"Arial", 15.75, true};
const ui::Font kHiddenFont{"Arial Black", 21.75, false};

struct ColumnDesign {
    const char* header;
    int width;
};

constexpr std::array<ColumnDesign, kUpdateColumnCount> kColumns{{
    {"elérhetőség", 4000},
    {"útvonal", 4000},
    {"verzió", 1300},
    {"új verzió", 1300},
    {"dátum", 2200},
    {"új dátum", 2200},
    {"méret", 1300},
    {"új méret", 1300},
    {"típus", 1300},
    {"forrás", 5500},
}};

constexpr const char* kSettingsApp = "KVU";
constexpr const char* kSettingsSection = "UPDATEFORM";
constexpr std::array<const char*, 4> kPositionKeys{"TOP", "LEFT", "HEIGHT", "WIDTH"};
// What the store answers for a key it does not hold; no stored value has it.
constexpr const char* kNotStored = "\x01";

ui::Label& Styled(ui::Label& label, const ui::Font& font, ui::Colour colour) {
    label.SetFont(font);
    label.SetForeColor(colour);
    return label;
}

// A failing step of re-arranging or sorting is skipped without a word.
void Quietly(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

// Moves one edge or changes one extent of a control, the rest kept.
void SetGeometry(ui::Control& control, int ui::Rect::*field, int value) {
    ui::Rect r = control.Geometry();
    r.*field = value;
    control.Move(r);
}

}  // namespace

updateform::updateform(ui::Session& session, std::span<clsUpdateInfo> records, ErrorLog logError)
    : ui::Form(session, "updateform", "Letöltés", kClientWidth, kClientHeight),
      Label1(*this, "Label1", {4155, 300, 10410, 225},
             "CSAK A KIJELÖLT ELEMEK KERÜLNEK TELEPÍTÉSRE. ÜRES LISTA ESETÉN NINCS ÚJABB VERZIÓ  A "
             "HASZNÁLT PROGRAMOKHOZ"),
      lbMegrendelő(*this, "lbMegrendelő", {300, 210, 10320, 570}, "Választható frissítések"),
      shpTop(*this, "shpTop", {180, 90, 14520, 585}),
      Lv1(*this, "Lv1", {180, 810, 14490, 8325}),
      shpBottom(*this, "shpBottom", {180, 9255, 14520, 495}),
      frMégsem(*this, "frMégsem", {315, 9285, 1455, 450}),
      lbMégsem(frMégsem, "lbMégsem", {30, 45, 1320, 555}, "Mégsem"),
      lbSKilépés(frMégsem, "lbSKilépés", {0, 450, 345, 405}),
      frVálaszt(*this, "frVálaszt", {13395, 9285, 1290, 450}),
      lbVálaszt(frVálaszt, "lbVálaszt", {45, 30, 1170, 585}, "Telepít"),
      lbsrögzít(frVálaszt, "lbsrögzít", {0, 450, 345, 405}),
      infocaption(*this, "infocaption", {180, 9405, 14520, 225},
                  "FIGYELEM! A FRISSÍTENDŐ PROGRAMOKBÓL LÉPJEN KI A TELEPÍTÉS MEGKEZDÉSE ELŐTT!"),
      Timer1(*this, "Timer1", 100, true),
      records_(records),
      logError_(std::move(logError)) {
    SetResizable(true);
    designBounds_ = Bounds();
    Styled(lbMegrendelő, kTitleFont, kTitleGreen);
    Styled(Label1, kSmallFont, kTitleGreen);
    Styled(lbMégsem, kButtonFont, kCancelRed);
    Styled(lbSKilépés, kHiddenFont, kCancelRed);
    Styled(lbVálaszt, kButtonFont, kInstallGreen);
    Styled(lbsrögzít, kHiddenFont, kCancelRed);
    Styled(infocaption, kSmallFont, kWarningRed);
    for (ui::Shape* band : {&shpTop, &shpBottom})
        band->SetBorderColour(kBandBorder);
    for (ui::Frame* frame : {&frMégsem, &frVálaszt})
        frame->SetBorder(false);
    // Between the two buttons, where neither frame hides the warning.
    infocaption.SetAlignment(ui::Align::kCentre);
    WireEvents();
}

void updateform::WireEvents() {
    Lv1.onColumnClick = [this](int column) { Lv1ColumnClick(column); };
    lbVálaszt.onClick = [this] { LbVálasztClick(); };
    lbMégsem.onClick = [this] { LbMégsemClick(); };
    Timer1.onTimer = [this] { Timer1Tick(); };
    onResize = [this] { FormResize(); };
    onUnload = [this] { FormUnload(); };
}

void updateform::Load(const ui::Form* owner) {
    installConfirmed_ = false;
    SetupHeaderIcons();
    Lv1Init();
    LoadRows();
    RestorePosition(owner);
}

void updateform::SetupHeaderIcons() {
    Lv1.SetHeaderImages({SortMarkImage(true), SortMarkImage(false)});
    Lv1.SetCheckBoxes(true);
}

void updateform::Lv1Init() {
    for (const ColumnDesign& column : kColumns)
        Lv1.AddColumn(column.header, column.width);
    for (int column : {2, 3})
        Lv1.SetColumnAlign(column, ui::Align::kCentre);
    for (int column : {6, 7})
        Lv1.SetColumnAlign(column, ui::Align::kRight);
}

// Each step that fails is logged and the next one is still taken, so that one
// bad record never hides the others.
void updateform::LoadRows() {
    auto step = [this](const std::function<void()>& action) {
        try {
            action();
        } catch (const std::exception& e) {
            logError_(std::string("LoadRows Error-> ") + e.what());
        }
    };
    rowRecord_.clear();
    for (int index = 0; index < static_cast<int>(records_.size()); ++index) {
        clsUpdateInfo& record = records_[static_cast<std::size_t>(index)];
        int row = -1;
        std::optional<std::uint32_t> colour;
        step([&] {
            row = Lv1.AddRow(RowCaption(record));
            rowRecord_.push_back(index);
        });
        step([&] {
            colour = ParseColourText(record.RowForeColor());
            if (!colour)
                throw std::runtime_error("not a colour: " + record.RowForeColor());
            Lv1.SetCellForeColor(row, 0, *colour);
        });
        step([&] {
            auto texts = SubItemTexts(record);
            for (int column = 1; column < kUpdateColumnCount; ++column) {
                Lv1.SetCellText(row, column, texts[static_cast<std::size_t>(column - 1)]);
                if (colour)
                    Lv1.SetCellForeColor(row, column, *colour);
            }
        });
        step([&] { record.IsFileInUse = IsFileLocked(record.LocalPath); });
        step([&] {
            record.Download = record.UpdateRecommended();
            Lv1.SetChecked(row, record.Download);
        });
    }
}

std::vector<int> updateform::CheckedRecords() const {
    std::vector<int> checked;
    for (int row = 0; row < Lv1.RowCount() && row < static_cast<int>(rowRecord_.size()); ++row) {
        if (Lv1.Checked(row))
            checked.push_back(rowRecord_[static_cast<std::size_t>(row)]);
    }
    return checked;
}

void updateform::Lv1ColumnClick(int column) {
    SortState next = AfterHeaderClick(
        {Lv1.Sorted(), Lv1.SortKey(), Lv1.GetSortOrder() == ui::ListView::SortOrder::kDescending},
        column);
    Quietly([&] {
        Lv1.SetSortKey(next.key);
        Lv1.SetSortOrder(next.descending ? ui::ListView::SortOrder::kDescending
                                         : ui::ListView::SortOrder::kAscending);
        Lv1.SetSorted(true);
    });
    for (int c = 0; c < Lv1.ColumnCount(); ++c)
        Quietly([&] { Lv1.SetColumnImage(c, HeaderMark(next, c)); });
}

// The list and the bands follow the window's size, the install button its
// bottom right corner; a window too small for them (minimised) changes nothing.
void updateform::FormResize() {
    int w = Bounds().width - 450;
    int h = Bounds().height - 2085;
    if (w < 1000 || h < 300)
        return;
    for (ui::Control* control :
         std::array<ui::Control*, 4>{&shpBottom, &shpTop, &Lv1, &infocaption})
        Quietly([&] { SetGeometry(*control, &ui::Rect::width, w); });
    Quietly([&] { SetGeometry(Lv1, &ui::Rect::height, h); });
    int t = Lv1.Geometry().top;
    Quietly([&] { SetGeometry(shpBottom, &ui::Rect::top, t + h + 135); });
    Quietly([&] { SetGeometry(infocaption, &ui::Rect::top, t + h + 285); });
    Quietly([&] { SetGeometry(frMégsem, &ui::Rect::top, t + h + 165); });
    Quietly([&] { SetGeometry(frVálaszt, &ui::Rect::top, frMégsem.Geometry().top); });
    Quietly([&] {
        SetGeometry(frVálaszt, &ui::Rect::left,
                    shpBottom.Geometry().left + w - (frVálaszt.Geometry().width + 15));
    });
}

// Nothing stored (the first run) keeps the window where the system puts it; a
// stored rectangle that is not sound or would leave the title bar out of
// reach (a screen no longer there) gives the design size beside the owner.
void updateform::RestorePosition(const ui::Form* owner) {
    std::array<std::string, 4> defaults = StoredTexts(Bounds());
    std::array<std::string, 4> texts;
    bool anyStored = false;
    for (std::size_t i = 0; i < kPositionKeys.size(); ++i) {
        texts[i] =
            session().GetSetting(kSettingsApp, kSettingsSection, kPositionKeys[i], kNotStored);
        if (texts[i] == kNotStored)
            texts[i] = defaults[i];
        else
            anyStored = true;
    }
    if (!anyStored)
        return;
    std::vector<ui::Rect> screens = session().WorkAreas();
    // The frame above the client area: all of it but a bottom border as wide
    // as a side one.
    int titleHeight = (Bounds().height - ClientHeight()) - (Bounds().width - ClientWidth()) / 2;
    std::optional<ui::Rect> stored = ParseStoredBounds(texts);
    if (stored && TitleBarReachable(*stored, titleHeight, screens)) {
        Move(*stored);
    } else if (owner) {
        Move(CentredOn(owner->Bounds(), designBounds_.width, designBounds_.height, screens));
    }
}

void updateform::StorePosition() {
    std::array<std::string, 4> texts = StoredTexts(Bounds());
    for (std::size_t i = 0; i < kPositionKeys.size(); ++i)
        session().SaveSetting(kSettingsApp, kSettingsSection, kPositionKeys[i], texts[i]);
}

bool ShowUpdateForm(ui::Form& owner, std::span<clsUpdateInfo> records, ErrorLog logError) {
    updateform form(owner.session(), records, std::move(logError));
    form.Load(&owner);
    owner.session().ShowModal(form, &owner);
    // A window that did not close by itself (the program ended meanwhile)
    // confirms nothing.
    form.Unload();
    return form.InstallConfirmed();
}

}  // namespace kvu
