// CWnd on a system window handle: the window operations, the object link, and message delivery.
#include "platform/ui/CWnd.h"

#include <map>
#include <memory>
#include <vector>

#include "platform/core/CException.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CStatic.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/windows/WideText.h"
#include "platform/ui/windows/WndInternal.h"
#include "platform/ui/detail/UiBackend.h"

using namespace ui::detail;

// Nothing to keep beside the handle: the window property is the link.
struct WndLink
{
};

namespace {

constexpr const wchar_t* kObjectProperty = L"Zentrimo.CWnd";

// Objects FromHandle made for windows no CWnd was attached to; they live until their window is gone.
std::map<HWND, std::unique_ptr<CWnd>>& Wrappers()
{
    static std::map<HWND, std::unique_ptr<CWnd>> wrappers;
    return wrappers;
}

std::unique_ptr<CWnd> MakeWrapper(HWND hWnd)
{
    wchar_t className[64] = {};
    GetClassNameW(hWnd, className, 64);
    if (_wcsicmp(className, L"Button") == 0)
        return std::make_unique<CButton>();
    if (_wcsicmp(className, L"Edit") == 0)
        return std::make_unique<CEdit>();
    if (_wcsicmp(className, L"Static") == 0)
        return std::make_unique<CStatic>();
    if (_wcsicmp(className, WC_LISTVIEWW) == 0)
        return std::make_unique<CListCtrl>();
    return std::make_unique<CWnd>();
}

} // namespace

namespace ui::detail {

CWnd* AttachedObject(HWND hWnd)
{
    return hWnd ? static_cast<CWnd*>(GetPropW(hWnd, kObjectProperty)) : nullptr;
}

void DropDeadWrappers()
{
    auto& wrappers = Wrappers();
    for (auto it = wrappers.begin(); it != wrappers.end();) {
        if (!IsWindow(it->first)) {
            it->second->Detach();
            it = wrappers.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace ui::detail

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    Detach();
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd || !IsWindow(hWnd))
        return nullptr;
    if (CWnd* attached = AttachedObject(hWnd))
        return attached;
    DropDeadWrappers();
    std::unique_ptr<CWnd>& slot = Wrappers()[hWnd];
    slot = MakeWrapper(hWnd);
    slot->Attach(hWnd);
    return slot.get();
}

void CWnd::Attach(HWND hWnd)
{
    Detach();
    if (!hWnd || !IsWindow(hWnd))
        return;
    m_hWnd = hWnd;
    m_link = std::make_unique<WndLink>();
    SetPropW(hWnd, kObjectProperty, this);
}

void CWnd::Detach()
{
    if (m_hWnd && IsWindow(m_hWnd) && GetPropW(m_hWnd, kObjectProperty) == this)
        RemovePropW(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
    m_link.reset();
    m_pSystemMenu.reset();
}

int CWnd::GetDlgCtrlID() const
{
    return m_hWnd ? ::GetDlgCtrlID(m_hWnd) : 0;
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return m_hWnd ? FromHandle(::GetDlgItem(m_hWnd, nID)) : nullptr;
}

CWnd* CWnd::GetParent() const
{
    return m_hWnd ? FromHandle(::GetParent(m_hWnd)) : nullptr;
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return m_hWnd ? ::EnableWindow(m_hWnd, bEnable) : FALSE;
}

BOOL CWnd::IsWindowEnabled() const
{
    return m_hWnd ? ::IsWindowEnabled(m_hWnd) : FALSE;
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return m_hWnd ? ::ShowWindow(m_hWnd, nCmdShow) : FALSE;
}

BOOL CWnd::IsWindowVisible() const
{
    return m_hWnd ? ::IsWindowVisible(m_hWnd) : FALSE;
}

BOOL CWnd::IsIconic() const
{
    return m_hWnd ? ::IsIconic(m_hWnd) : FALSE;
}

void CWnd::SetWindowText(const std::string& text)
{
    if (m_hWnd)
        ::SetWindowTextW(m_hWnd, ToWide(text).c_str());
}

void CWnd::GetWindowText(std::string& text) const
{
    text = WindowText(m_hWnd);
}

std::string CWnd::GetWindowText() const
{
    return WindowText(m_hWnd);
}

void CWnd::GetWindowRect(LPRECT rect) const
{
    if (!m_hWnd || !::GetWindowRect(m_hWnd, rect))
        *rect = RECT{0, 0, 0, 0};
}

void CWnd::GetClientRect(LPRECT rect) const
{
    if (!m_hWnd || !::GetClientRect(m_hWnd, rect))
        *rect = RECT{0, 0, 0, 0};
}

void CWnd::ScreenToClient(LPPOINT point) const
{
    if (m_hWnd)
        ::ScreenToClient(m_hWnd, point);
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    if (m_hWnd)
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::ClientToScreen(LPPOINT point) const
{
    if (m_hWnd)
        ::ClientToScreen(m_hWnd, point);
}

void CWnd::ClientToScreen(LPRECT rect) const
{
    if (m_hWnd)
        MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    if (!m_hWnd)
        return;
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
    // A dialog erases the places of hidden or moved controls without clipping its other controls; one
    // moved onto such a place must paint itself again after that, not keep the pixels moved with it.
    if (bRepaint)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CWnd::MoveWindow(LPCRECT rect, BOOL bRepaint)
{
    MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, bRepaint);
}

BOOL CWnd::RedrawWindow(LPCRECT rectUpdate, void* region, UINT flags)
{
    return m_hWnd ? ::RedrawWindow(m_hWnd, rectUpdate, static_cast<HRGN>(region), flags) : FALSE;
}

void CWnd::Invalidate(BOOL bErase)
{
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, bErase);
}

void CWnd::UpdateWindow()
{
    if (m_hWnd)
        ::UpdateWindow(m_hWnd);
}

CWnd* CWnd::SetFocus()
{
    return m_hWnd ? FromHandle(::SetFocus(m_hWnd)) : nullptr;
}

CWnd* CWnd::GetFocus()
{
    return FromHandle(::GetFocus());
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    if (m_hWnd)
        ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    return m_hWnd ? ::IsDlgButtonChecked(m_hWnd, nIDButton) : 0;
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    if (!m_hWnd)
        return nullptr;
    return reinterpret_cast<HICON>(::SendMessageW(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL,
                                                  reinterpret_cast<LPARAM>(hIcon)));
}

HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    if (!m_hWnd)
        return nullptr;
    return reinterpret_cast<HICON>(::SendMessageW(m_hWnd, WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0));
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert)
{
    if (!m_hWnd || !(GetWindowLongW(m_hWnd, GWL_STYLE) & WS_SYSMENU))
        return nullptr;
    if (bRevert) {
        ::GetSystemMenu(m_hWnd, TRUE);
        m_pSystemMenu.reset();
        return nullptr;
    }
    HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
    if (!menu)
        return nullptr;
    if (!m_pSystemMenu)
        m_pSystemMenu = std::make_unique<CMenu>();
    ui::detail::AttachSystemMenu(*m_pSystemMenu, menu);
    return m_pSystemMenu.get();
}

int CWnd::MessageBox(const std::string& text, const char* caption, UINT nType)
{
    return ShowMessageBox(m_hWnd, text, caption, nType);
}

int CWnd::MessageBox(const std::string& text, const std::string& caption, UINT nType)
{
    return ShowMessageBox(m_hWnd, text, caption.c_str(), nType);
}

void CWnd::OnPaint()
{
    // Validates the window, as the system's default painting does.
    if (m_hWnd)
        ::DefWindowProcW(m_hWnd, WM_PAINT, 0, 0);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return m_hWnd ? ::DefWindowProcW(m_hWnd, message, wParam, lParam) : 0;
}
