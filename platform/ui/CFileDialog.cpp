// The file-open picker's settings and result, the same on both systems; the modal driver answers it
// in tests, the system's own picker otherwise.
#include "platform/ui/CFileDialog.h"

#include "platform/ui/CWnd.h"
#include "platform/ui/ModalDriver.h"

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName,
                         DWORD dwFlags, const char* lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(lpszDefExt ? lpszDefExt : ""),
      m_strFileName(lpszFileName ? lpszFileName : ""), m_strFilter(lpszFilter ? lpszFilter : ""),
      m_pParentWnd(pParentWnd)
{
    m_ofn.Flags = dwFlags;
}

INT_PTR CFileDialog::DoModal()
{
    m_strPathName.clear();
    HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    ui::FileOpenCall call{owner,         m_ofn.lpstrInitialDir ? m_ofn.lpstrInitialDir : "",
                          m_strFilter,   m_strDefExt,
                          m_strFileName, m_ofn.Flags};
    ui::ModalDriver* driver = ui::GetModalDriver();
    const std::optional<std::string> chosen =
        driver ? driver->RunFileOpenPicker(call) : RunSystemPicker(call);
    if (!chosen || chosen->empty())
        return IDCANCEL;
    m_strPathName = *chosen;
    return IDOK;
}
