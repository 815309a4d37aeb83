// A window or control of the dialog layer: the Windows-style operations on a live widget.
#pragma once

#include <memory>
#include <string>

#include "platform/ui/CRect.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/WinTypes.h"

class CMenu;
struct WndLink;

// A CWnd either owns nothing and is attached to a widget (a control bound by DDX_Control, or a
// wrapper that GetDlgItem makes), or is a dialog that builds its widget from a template. When the
// widget goes away, every CWnd attached to it is detached; operations on a detached CWnd do nothing
// and return zero or empty values.
class CWnd
{
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The handle of the attached widget (null when detached) and the way back. FromHandle gives the
    // CWnd last attached to that widget, or a wrapper that lives as long as the widget.
    HWND GetSafeHwnd() const;
    operator HWND() const { return GetSafeHwnd(); }
    static CWnd* FromHandle(HWND hWnd);

    // Binds this object to a live window (DDX_Control, wrappers); Detach lets it go without
    // destroying the window.
    void Attach(HWND hWnd);
    void Detach();

    int GetDlgCtrlID() const;
    CWnd* GetDlgItem(int nID) const;
    CWnd* GetParent() const;

    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;

    // Sets the caption or text. For an edit box this always raises its EN_CHANGE notification,
    // synchronously, also when the text does not change.
    void SetWindowText(const std::string& text);
    void GetWindowText(std::string& text) const;
    std::string GetWindowText() const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int nID, const std::string& text);
    void GetDlgItemText(int nID, std::string& text) const;

    // Rectangles in pixels: the window rectangle in screen coordinates, the client rectangle from 0,0.
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    // Position relative to the parent's client area (a top-level window: the screen).
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL bRepaint = TRUE);
    BOOL RedrawWindow(LPCRECT rectUpdate = nullptr, void* region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void Invalidate(BOOL bErase = TRUE);
    void UpdateWindow();

    CWnd* SetFocus();
    static CWnd* GetFocus();

    // Check state of a button child (radio buttons).
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;

    // Window icons, large (title bar, task switcher) and small.
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;

    // The window's system menu: on this desktop offered as the window's context menu and on
    // Alt+Space. bRevert TRUE restores the default entries and returns null. Null for a window
    // without WS_SYSMENU.
    CMenu* GetSystemMenu(BOOL bRevert);

    // A modal message box owned by this window (see ui/MessageBox.h for the rules).
    int MessageBox(const std::string& text, const char* caption = nullptr, UINT nType = MB_OK);
    int MessageBox(const std::string& text, const std::string& caption, UINT nType = MB_OK);

    // Delivers a message through the window's message table, then the default processing. A
    // CException (or other standard exception) escaping a handler is reported in a message box,
    // as for every message the layer delivers, and the result is 0.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // Default processing of a system command: minimise, restore, move, close (close sends the
    // cancel command to a dialog). Handlers call it for commands they do not take.
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();

protected:
    virtual const ui::MessageMap* GetMessageMap() const;
    static const ui::MessageMap* GetThisMessageMap();
    // Runs the table handler for a message, if any; false when none took it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    HWND m_hWnd = nullptr;
    std::unique_ptr<WndLink> m_link;
    std::unique_ptr<CMenu> m_pSystemMenu;
};
