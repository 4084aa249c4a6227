// The registration window's controls, their design values and its handlers.
#include "registration/activex_register_form.h"

#include <vector>

#include "registration/activex_register_pictures.h"
#include "registration/component_list.h"

namespace kvu {
namespace {

constexpr int kClientWidth = 10200;
constexpr int kClientHeight = 6000;

// The buttons' extent is stored in hundredths of a millimetre.
constexpr int TwipsFromHimetric(int himetric) {
    return (himetric * ui::kTwipsPerInch + 1270) / 2540;
}
constexpr int kButtonWidth = TwipsFromHimetric(2619);
constexpr int kButtonHeight = TwipsFromHimetric(688);
constexpr int kButtonTop = kClientHeight - kButtonHeight - 150;

struct ColumnDesign {
    const char* header;
    int width;
};
constexpr ColumnDesign kColumns[] = {
    {"Fájlnév", 2500}, {"Verzió", 1200},    {"Terméknév", 2000},   {"Cégnév", 2000},
    {"Leírás", 5000},  {"Copyright", 2000}, {"Teljes útvonal", 0},
};
// The hidden last column is where a row keeps its path.
constexpr int kPathColumn = 6;

// Major, minor and revision of a dotted file version: 1.5.23 of 1.5.23.0.
std::string ProgramVersionText(const std::string& fileVersion) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (parts.size() < 3) {
        const std::size_t dot = fileVersion.find('.', start);
        parts.push_back(fileVersion.substr(start, dot - start));
        if (parts.back().empty())
            parts.back() = "0";
        start = dot == std::string::npos ? fileVersion.size() : dot + 1;
    }
    return parts[0] + "." + parts[1] + "." + parts[2];
}

ui::CustomButton::Look CancelLook() {
    ui::CustomButton::Look look;
    look.pictureBack = ui::RgbColour(255, 255, 241);
    return look;
}

}  // namespace

ActivexRegisterForm::ActivexRegisterForm(ui::Session& session, std::string logFolder,
                                         std::string programPath)
    : ui::Form(session, "ActivexRegisterForm", "ActiveX komponens regisztráció", kClientWidth,
               kClientHeight),
      Image1(*this, "Image1", {120, 120, 1260, 1200}),
      lblCaption{ui::Label(*this, "lblCaption(0)", {1560, 240, 8520, 255}),
                 ui::Label(*this, "lblCaption(1)", {1560, 600, 8520, 495})},
      Lv1(*this, "Lv1", {120, 1440, 9960, kButtonTop - 1440 - 150}),
      btOK(*this, "btOK",
           {kClientWidth - 2 * kButtonWidth - 240, kButtonTop, kButtonWidth, kButtonHeight},
           "Regisztráció"),
      btCancel(*this, "btCancel",
               {kClientWidth - kButtonWidth - 120, kButtonTop, kButtonWidth, kButtonHeight},
               "Kilépés"),
      versions_(std::move(logFolder)),
      programPath_(std::move(programPath)) {
    Image1.SetPicture(ComponentsPicture());
    btOK.SetPicture(RegisterPicture(btOK.GetLook().pictureBack));
    btCancel.SetLook(CancelLook());
    btCancel.SetPicture(ExitPicture(btCancel.GetLook().pictureBack));
    Lv1.SetCheckBoxes(true);
    btOK.onClick = [this] { BtOKClick(); };
    btCancel.onClick = [this] { Unload(); };
}

void ActivexRegisterForm::Load() {
    btOK.SetEnabled(false);
    InitColumns();
    ShowProgramVersion();
}

void ActivexRegisterForm::InitColumns() {
    for (const ColumnDesign& column : kColumns)
        Lv1.AddColumn(column.header, column.width);
}

void ActivexRegisterForm::ShowProgramVersion() {
    lblCaption[0].SetCaption("Programverzió:  [" +
                             ProgramVersionText(versions_.GetFileVersion(programPath_)) + "]");
}

void ActivexRegisterForm::AddComponentRow(const std::string& fileName,
                                          const std::string& fullPath) {
    const int row = Lv1.AddRow(fileName);
    Lv1.SetCellText(row, 1, versions_.GetFileVersion(fullPath));
    Lv1.SetCellText(row, 2, versions_.GetProductName());
    Lv1.SetCellText(row, 3, versions_.GetCompanyName());
    Lv1.SetCellText(row, 4, versions_.GetFileDescription());
    Lv1.SetCellText(row, 5, versions_.GetLegalCopyright());
    Lv1.SetCellText(row, kPathColumn, fullPath);
    Lv1.SetChecked(row, true);
    // The program's visible windows keep repainting while the list fills.
    session().ProcessPendingEvents();
}

void ActivexRegisterForm::ActiveXFillup(const std::string& folder) {
    FindFolderComponents(
        folder, [this](const ComponentFile& file) { AddComponentRow(file.name, file.path); });
    lblCaption[1].SetCaption("Programútvonal: [" + FolderWithSeparator(folder) + "]");
    btOK.SetEnabled(true);
}

void ActivexRegisterForm::DownloadedActiveXFillUp(std::span<const clsUpdateInfo> updates) {
    FindDownloadedComponents(
        updates, [this](const ComponentFile& file) { AddComponentRow(file.name, file.path); });
    if (Lv1.RowCount() == 0) {
        Unload();
        return;
    }
    lblCaption[1].SetCaption("Frissített activex összetevők regisztrálása");
    btOK.SetEnabled(true);
    session().ShowModal(*this, nullptr);
}

void ActivexRegisterForm::ShowForFolder(ui::Form& owner, const std::string& folder,
                                        std::string logFolder, std::string programPath) {
    ActivexRegisterForm window(owner.session(), std::move(logFolder), std::move(programPath));
    window.Load();
    window.ActiveXFillup(folder);
    owner.session().ShowModal(window, &owner);
}

void ActivexRegisterForm::BtOKClick() {
    std::vector<std::string> checked;
    const int rows = Lv1.RowCount();
    for (int row = 0; row < rows; ++row) {
        if (Lv1.Checked(row))
            checked.push_back(Lv1.CellText(row, kPathColumn));
    }
    const std::string report = RegisterComponents(checked);
    if (!report.empty())
        session().MsgBox(report, ui::kMbOk + ui::kMbInformation,
                         "ActiveX komponens regisztráció eredménye");
    Unload();
}

}  // namespace kvu
