// The main window's controls, their design values and the event handlers.
#include "core/live_update_form.h"

#include "core/settings.h"

namespace kvu {
namespace {

constexpr int kClientWidth = 7800;
constexpr int kClientHeight = 4860;

// Rows of the settings frame (twips, relative to the frame).
constexpr int kLabelLeft = 240;
constexpr int kLabelWidth = 2160;
constexpr int kFieldLeft = 2460;
constexpr int kFieldWidth = 4860;
constexpr int kRowHeight = 315;
constexpr int kBrowseWidth = 390;

constexpr int RowTop(int row) {
    return 360 + row * 420;
}

ui::Rect LabelAt(int row) {
    return {kLabelLeft, RowTop(row) + 45, kLabelWidth, 255};
}

ui::Rect FieldAt(int row, int trimRight = 0) {
    return {kFieldLeft, RowTop(row), kFieldWidth - trimRight, kRowHeight};
}

constexpr ui::Colour kTempPathBack = 0x00E0E0E0;
constexpr int kStatusPanelWidth = 4800;
constexpr int kElapsedPanelWidth = 3000;

}  // namespace

LiveUpdateForm::LiveUpdateForm(ui::Session& session, StartupDependencies deps)
    : ui::Form(session, "LiveUpdateForm", "Tarvo Software Updater", kClientWidth, kClientHeight),
      Frame1(*this, "Frame1", {120, 120, 7560, 2520}, "Internetes programfrissítés"),
      lblCaption{ui::Label(Frame1, "lblCaption(0)", LabelAt(0), "Frissítendő termék:"),
                 ui::Label(Frame1, "lblCaption(1)", LabelAt(1), "Verzióinformációs fájl:"),
                 ui::Label(Frame1, "lblCaption(2)", LabelAt(2), "terméktelepítési mappa:"),
                 ui::Label(Frame1, "lblCaption(3)", LabelAt(3), "ideiglenes mappa:")},
      cbSw(Frame1, "cbSw", FieldAt(0)),
      tbRepoFile(Frame1, "tbRepoFile", FieldAt(1)),
      tbAppPath(Frame1, "tbAppPath", FieldAt(2, kBrowseWidth + 30)),
      btDirBrowse(Frame1, "btDirBrowse",
                  {kFieldLeft + kFieldWidth - kBrowseWidth, RowTop(2), kBrowseWidth, kRowHeight},
                  "..."),
      tbTempPath(Frame1, "tbTempPath", FieldAt(3)),
      chkNewer(Frame1, "chkNewer", {kFieldLeft, RowTop(4), kFieldWidth, 285},
               "csak újabb verziókat kínáljon fel"),
      Label1(*this, "Label1", {120, 2760, 7560, 435},
             "Kattintson a [Frissítések keresése ...] gombra a programfrissítések kereséséhez"),
      infocaption(*this, "infocaption", {120, 3240, 7560, 255}),
      ProgressBar1(*this, "ProgressBar1", {120, 3540, 7560, 255}),
      btUpdateSearch(*this, "btUpdateSearch", {120, 3960, 2280, 420}, "&Frissítések keresése ..."),
      btRegisterActivex(*this, "btRegisterActivex", {2520, 3960, 3000, 420},
                        "&ActiveX komponensek regisztrálása"),
      btExit(*this, "btExit", {5640, 3960, 2040, 420}, "&Kilépés a programból"),
      StatusBar1(*this, "StatusBar1", {kStatusPanelWidth, kElapsedPanelWidth}),
      Timer1(*this, "Timer1", 1, true),
      Timer2(*this, "Timer2", 0, true),
      deps_(std::move(deps)),
      unzip_(ExtractionLibraryPath(deps_.appFolder), state_.Unzip, *this) {
    tbTempPath.SetBackColor(kTempPathBack);
    tbTempPath.SetLocked(true);
    ProgressBar1.SetRange(0, 3);
    updateSearch = [this] { BtUpdateSearchClick(); };
    WireEvents();
}

void LiveUpdateForm::WireEvents() {
    cbSw.onClick = [this] { CbSwClick(); };
    tbAppPath.onChange = [this] {
        WriteAppPath(deps_.appFolder, state_.SelectedProductNumber, tbAppPath.Text());
    };
    tbRepoFile.onLostFocus = [this] {
        WriteRepoUrl(deps_.appFolder, state_.SelectedProductNumber, tbRepoFile.Text());
    };
    chkNewer.onClick = [this] {
        WriteOnlyNewer(deps_.appFolder, state_.SelectedProductNumber, chkNewer.Value());
    };
    btDirBrowse.onClick = [this] { BtDirBrowseClick(); };
    btExit.onClick = [this] { session().EndProgram(); };
    btUpdateSearch.onClick = [this] {
        if (updateSearch)
            updateSearch();
    };
    btRegisterActivex.onClick = [this] {
        if (registerActivex)
            registerActivex();
    };
    Timer1.onTimer = [this] { Timer1Tick(); };
    Timer2.onTimer = [this] { Timer2Tick(); };
}

void LiveUpdateForm::CbSwClick() {
    int index = cbSw.ListIndex();
    if (index < 0) {
        state_.SelectedProductNumber = 0;
        return;
    }
    Label1.SetCaption("");
    state_.SelectedProductNumber =
        static_cast<int>(cbSw.Entries()[static_cast<std::size_t>(index)].data);
    LoadSettings();
}

// Cancelling the picker empties the box too, and so APP_PATH.
void LiveUpdateForm::BtDirBrowseClick() {
    tbAppPath.SetText(
        session().BrowseForFolder(this, "Átmeneti könyvtár kiválasztása feltöltéshez."));
}

void LiveUpdateForm::Timer1Tick() {
    StatusBar1.SetPanelText(
        0, "Státusz: " + (Inet1.StillExecuting() ? state_.StatusText : "Készenlét"));
}

void LiveUpdateForm::Timer2Tick() {
    if (state_.ElapsedSeconds < kElapsedSecondsMax)
        ++state_.ElapsedSeconds;
    StatusBar1.SetPanelText(1, ElapsedText(state_.ElapsedSeconds));
}

std::string ElapsedText(int seconds) {
    return "Eltelt idő:" + std::string(seconds >= 0 ? " " : "") + std::to_string(seconds) +
           " másodperc";
}

}  // namespace kvu
