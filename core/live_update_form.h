// LiveUpdateForm: the updater's main window. Its start-up checks the
// connection, finds the temporary folder, fills the product selector (which
// loads that product's settings from kvu.ini) and reads restrict.txt; its
// handlers write the user's edits back to kvu.ini and keep the status bar
// current.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/installed_products.h"
#include "core/startup.h"
#include "core/updater_state.h"
#include "install/unzip_module.h"
#include "platform/internet_transfer.h"
#include "platform/windowing.h"

namespace kvu {

class LiveUpdateForm : public ui::Form, private UnzipHost {
  public:
    LiveUpdateForm(ui::Session& session, StartupDependencies deps);

    // The window's load: the start-up sequence. Without a connection it shows
    // its message and ends the program (session().ProgramEnded()).
    void Load();
    // Fills the product selector and selects its first entry, which loads that
    // product's settings. Returns the number of entries.
    int SwFillUp();
    // Loads the selected product's section of kvu.ini into the controls.
    void LoadSettings();
    // Unpacks the downloaded archive of the record at the 1-based position of
    // the update list over the installation; a failure appends a line to message.
    void UnZipAndCopyFile(int position, std::string& message);
    // Downloads and installs every chosen record of the update list in order,
    // stepping the progress bar once per record; failures append to message.
    void GetFiles(std::string& message);

    UpdaterState& state() { return state_; }
    const UpdaterState& state() const { return state_; }
    const StartupDependencies& dependencies() const { return deps_; }

    // What the two buttons start: the update search unless replaced; the
    // registration window as the program sets it (unset, nothing).
    std::function<void()> updateSearch;     // btUpdateSearch: the update search
    std::function<void()> registerActivex;  // btRegisterActivex: the registration window

    ui::Frame Frame1;
    std::array<ui::Label, 4> lblCaption;
    ui::ComboBox cbSw;
    ui::TextBox tbRepoFile;
    ui::TextBox tbAppPath;
    ui::Button btDirBrowse;
    ui::TextBox tbTempPath;
    ui::CheckBox chkNewer;
    ui::Label Label1;
    ui::Label infocaption;
    ui::ProgressBar ProgressBar1;
    ui::Button btUpdateSearch;
    ui::Button btRegisterActivex;
    ui::Button btExit;
    ui::StatusBar StatusBar1;
    ui::Timer Timer1;
    ui::Timer Timer2;
    // The HTTP client of the downloads; Timer1 shows the status while it runs.
    InternetTransfer Inet1;

  private:
    void WireEvents();
    // Runs one start-up step; an unexpected failure sets the fallback
    // repository URL and tries the step again, a few times at most.
    bool RunStartupStep(const std::function<void()>& step);

    void CbSwClick();
    void BtDirBrowseClick();
    void Timer1Tick();
    void Timer2Tick();

    // live_update_form_search.cpp
    void BtUpdateSearchClick();
    // The ends of a search before the installation run; the button stays disabled.
    void EndSearch(const std::string& caption, double progress);
    // live_update_form_install.cpp
    void RunInstallation(std::string& message);

    // What the extraction shows and asks.
    std::string InfoCaption() const override;
    void SetInfoCaption(const std::string& text) override;
    void ProcessPendingEvents() override;
    int MsgBox(const std::string& text, int style) override;
    std::string InputBox(const std::string& prompt) override;

    StartupDependencies deps_;
    UpdaterState state_;
    std::vector<InstalledProduct> products_;
    UnzipModule unzip_;
};

// "Eltelt idő:" with the seconds as the status bar shows them.
std::string ElapsedText(int seconds);

}  // namespace kvu
