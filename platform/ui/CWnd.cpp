// What windows do the same on both systems: texts through the control, commands through the message tables.
#include "platform/ui/CWnd.h"

#include <exception>

#include "platform/core/CException.h"
#include "platform/ui/MessageBox.h"

namespace {

// Reports an exception that escaped a handler in a message box (text: the error's message).
void ReportEscapedError(const std::string& message)
{
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

HWND CWnd::GetSafeHwnd() const
{
    return m_hWnd;
}

int CWnd::GetWindowTextLength() const
{
    return static_cast<int>(GetWindowText().size());
}

void CWnd::SetDlgItemText(int nID, const std::string& text)
{
    if (CWnd* item = GetDlgItem(nID))
        item->SetWindowText(text);
}

void CWnd::GetDlgItemText(int nID, std::string& text) const
{
    CWnd* item = GetDlgItem(nID);
    text = item ? item->GetWindowText() : std::string();
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        LRESULT result = 0;
        if (!OnWndMsg(message, wParam, lParam, &result))
            result = DefWindowProc(message, wParam, lParam);
        return result;
    } catch (const CException& e) {
        ReportEscapedError(e.GetErrorMessage());
    } catch (const std::exception& e) {
        ReportEscapedError(e.what());
    }
    return 0;
}

void CWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    DefWindowProc(WM_SYSCOMMAND, nID, lParam);
}

const ui::MessageMap* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

const ui::MessageMap* CWnd::GetThisMessageMap()
{
    static const ui::MessageEntry entries[] = {{0, 0, 0, nullptr}};
    static const ui::MessageMap map = {nullptr, entries};
    return &map;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    UINT code = 0;
    UINT id = 0;
    if (message == WM_COMMAND) {
        code = HIWORD(wParam);
        id = LOWORD(wParam);
    } else if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        code = header->code;
        id = static_cast<UINT>(header->idFrom);
    }
    const ui::MessageEntry* entry = ui::FindMessageEntry(GetMessageMap(), message, code, id);
    if (!entry)
        return FALSE;
    *pResult = entry->call(*this, wParam, lParam);
    return TRUE;
}