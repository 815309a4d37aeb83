// The entries of a window's system menu.
#include "platform/ui/CMenu.h"

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const std::string& text)
{
    if (nFlags & MF_SEPARATOR)
        m_items.push_back({nFlags, 0, std::string()});
    else
        m_items.push_back({nFlags, static_cast<UINT>(nIDNewItem), text});
    return m_mirror ? m_mirror(m_items.back()) : TRUE;
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    if (nPos < 0 || nPos >= static_cast<int>(m_items.size()))
        return static_cast<UINT>(-1);
    return m_items[static_cast<size_t>(nPos)].id;
}

int CMenu::GetMenuString(UINT nIDItem, std::string& text, UINT nFlags) const
{
    text.clear();
    if (nFlags & MF_BYPOSITION) {
        if (nIDItem < m_items.size())
            text = m_items[nIDItem].text;
    } else {
        for (const Item& item : m_items) {
            if (!(item.flags & MF_SEPARATOR) && item.id == nIDItem) {
                text = item.text;
                break;
            }
        }
    }
    return static_cast<int>(text.size());
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    if (nFlags & MF_BYPOSITION)
        return nID < m_items.size() ? m_items[nID].flags : static_cast<UINT>(-1);
    for (const Item& item : m_items) {
        if (!(item.flags & MF_SEPARATOR) && item.id == nID)
            return item.flags;
    }
    return static_cast<UINT>(-1);
}
