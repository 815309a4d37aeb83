// Message tables: (message, notification code, control id) mapped to member handlers of a window class.
#pragma once

#include "platform/ui/WinTypes.h"

class CWnd;

namespace ui {

// One row of a table. call receives the window the table belongs to (cast back to its class by the
// row) and the message's parameters; its result is the message's result.
struct MessageEntry
{
    UINT message;
    UINT code;
    UINT id;
    LRESULT (*call)(CWnd& window, WPARAM wParam, LPARAM lParam);
};

// A class's table and the way to its base class's table; rows end with a null call.
struct MessageMap
{
    const MessageMap* (*base)();
    const MessageEntry* entries;
};

// The first row of map or its bases that takes the message, or null.
const MessageEntry* FindMessageEntry(const MessageMap* map, UINT message, UINT code, UINT id);

} // namespace ui

// A class that has a table of its own declares it in its body and defines it in its .cpp:
//
//   BEGIN_MESSAGE_MAP(CFormDlg, CDialog)
//       ON_WM_SYSCOMMAND()
//       ON_BN_CLICKED(IDC_SEND, &CFormDlg::OnSend)
//       ON_NOTIFY(NM_DBLCLK, IDC_LIST, &CFormDlg::OnDblClkList)
//   END_MESSAGE_MAP()
//
// Handlers are checked against their signatures at compile time; rows are searched in table order,
// then in the base class's table.
#define DECLARE_MESSAGE_MAP()                                                                                \
protected:                                                                                                   \
    static const ::ui::MessageMap* GetThisMessageMap();                                                      \
    const ::ui::MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
    const ::ui::MessageMap* theClass::GetMessageMap() const                                                  \
    {                                                                                                        \
        return GetThisMessageMap();                                                                          \
    }                                                                                                        \
    const ::ui::MessageMap* theClass::GetThisMessageMap()                                                    \
    {                                                                                                        \
        using ThisClass [[maybe_unused]] = theClass;                                                         \
        using TheBaseClass = baseClass;                                                                      \
        static const ::ui::MessageEntry entries[] = {

#define END_MESSAGE_MAP()                                                                                    \
    {                                                                                                        \
        0, 0, 0, nullptr                                                                                     \
    }                                                                                                        \
    }                                                                                                        \
    ;                                                                                                        \
    static const ::ui::MessageMap map = {&TheBaseClass::GetThisMessageMap, entries};                         \
    return &map;                                                                                             \
    }

// void Handler()
#define ON_COMMAND(id, memberFxn)                                                                            \
    {WM_COMMAND, 0, static_cast<UINT>(id), [](CWnd& w, WPARAM, LPARAM) -> LRESULT {                          \
         (static_cast<ThisClass&>(w).*(memberFxn))();                                                        \
         return 0;                                                                                           \
     }},

// void Handler()
#define ON_CONTROL(code, id, memberFxn)                                                                      \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), [](CWnd& w, WPARAM, LPARAM) -> LRESULT {    \
         (static_cast<ThisClass&>(w).*(memberFxn))();                                                        \
         return 0;                                                                                           \
     }},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)

// void Handler(NMHDR* pNMHDR, LRESULT* pResult)
#define ON_NOTIFY(code, id, memberFxn)                                                                       \
    {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), [](CWnd& w, WPARAM, LPARAM l) -> LRESULT {   \
         LRESULT result = 0;                                                                                 \
         (static_cast<ThisClass&>(w).*(memberFxn))(reinterpret_cast<NMHDR*>(l), &result);                    \
         return result;                                                                                      \
     }},

// void OnSysCommand(UINT nID, LPARAM lParam)
#define ON_WM_SYSCOMMAND()                                                                                   \
    {WM_SYSCOMMAND, 0, 0, [](CWnd& w, WPARAM wp, LPARAM l) -> LRESULT {                                      \
         static_cast<ThisClass&>(w).OnSysCommand(static_cast<UINT>(wp), l);                                  \
         return 0;                                                                                           \
     }},

// void OnPaint()
#define ON_WM_PAINT()                                                                                        \
    {WM_PAINT, 0, 0, [](CWnd& w, WPARAM, LPARAM) -> LRESULT {                                                \
         static_cast<ThisClass&>(w).OnPaint();                                                               \
         return 0;                                                                                           \
     }},

// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON()                                                                                \
    {WM_QUERYDRAGICON, 0, 0, [](CWnd& w, WPARAM, LPARAM) -> LRESULT {                                        \
         return reinterpret_cast<LRESULT>(static_cast<ThisClass&>(w).OnQueryDragIcon());                     \
     }},
