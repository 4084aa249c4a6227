// updateform: the modal window that lists every file an update search offers,
// one row per record with a check box, and hands back the user's confirmed
// choice in the records' Download flags.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "decision/update_info.h"
#include "platform/windowing.h"

namespace kvu {

// Receives one diagnostic line; the window leaves where it goes to its caller.
using ErrorLog = std::function<void(const std::string&)>;

class updateform : public ui::Form {
  public:
    // records: the update list, which must not grow or shrink while the
    // window is open; logError: where a row that cannot be loaded is reported
    // (the search writes it to the diagnostic log).
    updateform(ui::Session& session, std::span<clsUpdateInfo> records, ErrorLog logError);

    // The window's load, in this order: InstallConfirmed cleared, header
    // marks, columns, rows, then the stored position (a position that is not
    // sound opens the design size centred on owner).
    void Load(const ui::Form* owner);
    void Lv1Init();
    // One row per record of the list; sets each record's IsFileInUse and
    // Download (= UpdateRecommended), and the row's check box to match.
    void LoadRows();

    // The install button passed its test; the window's result.
    bool InstallConfirmed() const { return installConfirmed_; }

    // Label1 comes first: controls made earlier lie on top, and the title's
    // wide box would hide Label1's text.
    ui::Label Label1;
    ui::Label lbMegrendelő;
    ui::Shape shpTop;
    ui::ListView Lv1;
    ui::Shape shpBottom;
    ui::Frame frMégsem;
    ui::Label lbMégsem;
    ui::Label lbSKilépés;
    ui::Frame frVálaszt;
    ui::Label lbVálaszt;
    ui::Label lbsrögzít;
    ui::Label infocaption;
    ui::Timer Timer1;

  private:
    void WireEvents();
    void SetupHeaderIcons();
    void RestorePosition(const ui::Form* owner);
    void StorePosition();
    void Lv1ColumnClick(int column);
    void FormResize();
    // The indexes of the records whose rows are checked.
    std::vector<int> CheckedRecords() const;

    // update_form_selection.cpp
    void LbVálasztClick();
    void LbMégsemClick();
    void FormUnload();
    bool CheckSelectionNotInUse();
    void Timer1Tick();

    std::span<clsUpdateInfo> records_;
    ErrorLog logError_;
    bool installConfirmed_ = false;
    ui::Rect designBounds_;
    std::vector<int> rowRecord_;  // row number -> record index
};

// Loads the window over the update list, shows it modally owned by owner and
// returns when it is gone: the records' Download flags then hold the user's
// confirmed choice, or are all false. Returns InstallConfirmed. The search
// passes its list as {list.begin(), list.end()}.
bool ShowUpdateForm(ui::Form& owner, std::span<clsUpdateInfo> records, ErrorLog logError);

// Whether the mouse pointer is on the control's screen rectangle, its edges
// included.
bool IsCursorOver(const ui::Control& window);

}  // namespace kvu
