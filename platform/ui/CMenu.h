// A window's system menu: its default entries and the entries a program appends.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/WinTypes.h"

class CMenu
{
public:
    struct Item
    {
        UINT flags; // MF_STRING or MF_SEPARATOR, maybe MF_GRAYED
        UINT id;    // command id sent as WM_SYSCOMMAND; 0 for a separator
        std::string text;
    };

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const std::string& text = std::string());
    UINT GetMenuItemCount() const { return static_cast<UINT>(m_items.size()); }
    // Command id of the entry at a position; 0 for a separator, (UINT)-1 out of range.
    UINT GetMenuItemID(int nPos) const;
    int GetMenuString(UINT nIDItem, std::string& text, UINT nFlags) const;
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    const std::vector<Item>& Items() const { return m_items; }
    // Replaces the entries. Where they also live in a menu of the system's own, mirror puts each
    // appended entry there too and gives AppendMenu's result.
    void Reset(std::vector<Item> items, std::function<BOOL(const Item&)> mirror = {})
    {
        m_items = std::move(items);
        m_mirror = std::move(mirror);
    }

private:
    std::vector<Item> m_items;
    std::function<BOOL(const Item&)> m_mirror;
};
