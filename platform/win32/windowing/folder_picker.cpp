// The folder picker of the Win32 backend.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <memory>

#include "platform/win32/wide.h"
#include "platform/win32/windowing/form_window.h"
#include "platform/win32/windowing/win32_backend.h"

namespace kvu::ui::win32 {
namespace {

struct ItemListFreer {
    void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};
// The shell's item list of the chosen folder, freed on every way out.
using ItemList = std::unique_ptr<ITEMIDLIST, ItemListFreer>;

}  // namespace

std::string Win32Backend::BrowseForFolder(Form* owner, const std::string& title) {
    std::wstring caption = Utf8ToWide(title);
    wchar_t name[MAX_PATH] = {};
    BROWSEINFOW info{};
    info.hwndOwner =
        owner && owner->peer() ? static_cast<FormWindow*>(owner->peer())->hwnd() : nullptr;
    info.pidlRoot = nullptr;  // the desktop
    info.pszDisplayName = name;
    info.lpszTitle = caption.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    const ItemList chosen(SHBrowseForFolderW(&info));
    if (!chosen)
        return {};
    wchar_t path[MAX_PATH] = {};
    return SHGetPathFromIDListW(chosen.get(), path) ? WideToUtf8(path) : std::string();
}

}  // namespace kvu::ui::win32
