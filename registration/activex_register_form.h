// ActivexRegisterForm: lists the COM components of the installed product and
// registers the ones the user leaves checked, reporting the results in one
// message box.
#pragma once

#include <array>
#include <span>
#include <string>

#include "decision/update_info.h"
#include "platform/windowing.h"
#include "registration/version_info.h"

namespace kvu {

class ActivexRegisterForm : public ui::Form {
  public:
    // logFolder: where the version reader's diagnostic log goes (the
    // application folder); programPath: the program's own file, whose version
    // the window shows.
    ActivexRegisterForm(ui::Session& session, std::string logFolder, std::string programPath);

    // The window's load: btOK disabled until a fill method ran, the columns,
    // the program's version.
    void Load();
    // Lists the components of folder and enables btOK; does not show the window.
    void ActiveXFillup(const std::string& folder);
    // Lists the components among the chosen updates (the records of the
    // update list, in order: {list.begin(), list.end()}); with none the window
    // is unloaded unseen, otherwise it is shown modally until the user closes it.
    void DownloadedActiveXFillUp(std::span<const clsUpdateInfo> updates);

    // The main window's registration button: a freshly loaded window with
    // every component of folder, shown modally over owner.
    static void ShowForFolder(ui::Form& owner, const std::string& folder, std::string logFolder,
                              std::string programPath);

    ui::ImageBox Image1;
    std::array<ui::Label, 2> lblCaption;
    ui::ListView Lv1;
    ui::CustomButton btOK;
    ui::CustomButton btCancel;

  private:
    void InitColumns();
    void ShowProgramVersion();
    void AddComponentRow(const std::string& fileName, const std::string& fullPath);
    void BtOKClick();

    FileVersionInfo versions_;
    std::string programPath_;
};

}  // namespace kvu
