// The system menu as a pop-up of the window, since the desktop's own window menu cannot be extended.
#include "platform/ui/linux/SystemMenu.h"

#include <QMenu>
#include <memory>

#include "platform/ui/CWnd.h"
#include "platform/ui/linux/UiInternal.h"
#include "platform/ui/WinStyles.h"

namespace ui {

std::vector<CMenu::Item> DefaultSystemMenu(DWORD windowStyle)
{
    std::vector<CMenu::Item> items;
    items.push_back({MF_STRING | MF_GRAYED, SC_RESTORE, "&Restore"});
    items.push_back({MF_STRING, SC_MOVE, "&Move"});
    if (windowStyle & WS_MINIMIZEBOX)
        items.push_back({MF_STRING, SC_MINIMIZE, "Mi&nimize"});
    items.push_back({MF_SEPARATOR, 0, std::string()});
    items.push_back({MF_STRING, SC_CLOSE, "&Close\tAlt+F4"});
    return items;
}

QMenu* BuildSystemMenuPopup(CWnd& window)
{
    CMenu* menu = window.GetSystemMenu(FALSE);
    if (!menu)
        return nullptr;
    auto* popup = new QMenu; // unparented: the caller owns it
    const bool minimised = window.IsIconic() != FALSE;
    for (const CMenu::Item& item : menu->Items()) {
        if (item.flags & MF_SEPARATOR) {
            popup->addSeparator();
            continue;
        }
        const std::string text = item.text.substr(0, item.text.find('\t'));
        QAction* action = popup->addAction(detail::ToQt(text));
        bool enabled = !(item.flags & MF_GRAYED);
        if (item.id == SC_RESTORE)
            enabled = minimised;
        else if (item.id == SC_MINIMIZE || item.id == SC_MOVE)
            enabled = !minimised;
        action->setEnabled(enabled);
        const UINT id = item.id;
        QObject::connect(action, &QAction::triggered, popup,
                         [&window, id] { window.SendMessage(WM_SYSCOMMAND, id, 0); });
    }
    return popup;
}

void PopUpSystemMenu(CWnd& window, QPoint screenPos)
{
    std::unique_ptr<QMenu> popup(BuildSystemMenuPopup(window));
    if (popup)
        popup->exec(screenPos);
}

} // namespace ui
