// The shell's folder picker behind the modal driver seam.
#include "platform/ui/ShellFolderPicker.h"

#include <cstring>
#include <optional>

#include "platform/ui/ModalDriver.h"
#include "platform/ui/windows/WideText.h"
#include "platform/ui/windows/WndInternal.h"
#include "platform/ui/detail/UiBackend.h"

using namespace ui::detail;

LPITEMIDLIST SHBrowseForFolder(BROWSEINFO* info)
{
    ui::FolderPickerCall call{info->hwndOwner, info->lpszTitle ? info->lpszTitle : "", info->ulFlags};
    if (ui::ModalDriver* driver = ui::GetModalDriver()) {
        const std::optional<std::string> chosen = driver->RunFolderPicker(call);
        if (!chosen)
            return nullptr;
        LPITEMIDLIST item = ILCreateFromPathW(ToWide(*chosen).c_str());
        if (item && info->pszDisplayName) {
            std::string name = chosen->substr(0, chosen->find_last_not_of('\\') + 1);
            name = name.substr(name.rfind('\\') + 1);
            strncpy(info->pszDisplayName, name.c_str(), MAX_PATH - 1);
            info->pszDisplayName[MAX_PATH - 1] = '\0';
        }
        return item;
    }
    const std::wstring title = ToWide(call.title);
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW wide{};
    wide.hwndOwner = info->hwndOwner ? info->hwndOwner : DefaultOwner();
    wide.pidlRoot = info->pidlRoot;
    wide.pszDisplayName = displayName;
    wide.lpszTitle = title.c_str();
    wide.ulFlags = info->ulFlags;
    LPITEMIDLIST item = SHBrowseForFolderW(&wide);
    if (item && info->pszDisplayName) {
        const std::string name = FromWide(displayName);
        strncpy(info->pszDisplayName, name.c_str(), MAX_PATH - 1);
        info->pszDisplayName[MAX_PATH - 1] = '\0';
    }
    return item;
}
