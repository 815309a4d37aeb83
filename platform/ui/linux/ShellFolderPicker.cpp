// The folder picker on Qt's directory dialog; paths handed back in Windows form.
#include "platform/ui/ShellFolderPicker.h"

#include <QFileDialog>
#include <cstring>

#include "platform/fs/WinPath.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/linux/UiInternal.h"
#include "platform/ui/detail/UiBackend.h"

using namespace ui::detail;

struct ITEMIDLIST
{
    std::string path; // Windows form
};

HRESULT CoInitialize(void*)
{
    return S_OK;
}

void CoUninitialize() {}

LPITEMIDLIST SHBrowseForFolder(BROWSEINFO* info)
{
    ui::FolderPickerCall call{info->hwndOwner, info->lpszTitle ? info->lpszTitle : "", info->ulFlags};
    std::optional<std::string> chosen;
    if (ui::ModalDriver* driver = ui::GetModalDriver()) {
        chosen = driver->RunFolderPicker(call);
    } else {
        QWidget* parent = info->hwndOwner ? ToWidget(info->hwndOwner) : DefaultOwner();
        const QString folder = QFileDialog::getExistingDirectory(
            parent, ToQt(call.title), QStringLiteral("/"), QFileDialog::ShowDirsOnly);
        if (!folder.isEmpty())
            chosen = winpath::ToWindows(std::filesystem::path(folder.toStdString()));
    }
    if (!chosen)
        return nullptr;
    if (info->pszDisplayName) {
        std::string name = chosen->substr(
            chosen->find_last_of('\\') == std::string::npos ? 0 : chosen->find_last_of('\\') + 1);
        if (name.empty())
            name = *chosen;
        name = name.substr(0, 259);
        std::memcpy(info->pszDisplayName, name.c_str(), name.size() + 1);
    }
    return new ITEMIDLIST{*chosen};
}

BOOL SHGetPathFromIDList(LPCITEMIDLIST item, char* path)
{
    path[0] = '\0';
    if (!item || item->path.empty() || item->path.size() > 259)
        return FALSE;
    std::memcpy(path, item->path.c_str(), item->path.size() + 1);
    return TRUE;
}

void CoTaskMemFree(void* block)
{
    delete static_cast<ITEMIDLIST*>(block);
}
