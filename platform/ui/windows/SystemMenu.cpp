// A window's real system menu seen as CMenu entries.
#include <vector>

#include "platform/ui/CMenu.h"
#include "platform/ui/windows/WideText.h"
#include "platform/ui/windows/WndInternal.h"

void ui::detail::AttachSystemMenu(CMenu& menu, HMENU hMenu)
{
    std::vector<CMenu::Item> items;
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        if (!::GetMenuItemInfoW(hMenu, static_cast<UINT>(i), TRUE, &info))
            continue;
        if (info.fType & MFT_SEPARATOR) {
            items.push_back({MF_SEPARATOR, 0, std::string()});
            continue;
        }
        const UINT flags = MF_STRING | ((info.fState & MFS_GRAYED) ? MF_GRAYED : 0);
        items.push_back({flags, info.wID, ui::detail::FromWide(text)});
    }
    // Appended entries go to the real menu too.
    menu.Reset(std::move(items), [hMenu](const CMenu::Item& item) {
        return ::AppendMenuW(hMenu, item.flags, item.id, ui::detail::ToWide(item.text).c_str());
    });
}
