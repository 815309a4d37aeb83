// Boxes owned by the main window, the proxy login dialog and the request notice.
#include "service/MainDlgServiceUi.h"

#include "app/CMainDlg.h"
#include "res/resource.h"
#include "service/CProxyLoginDlg.h"

void CMainDlgServiceUi::ShowMessage(const std::string& text, const char* caption, bool exclamation)
{
    m_dialog.MessageBox(text, caption, MB_OK | (exclamation ? MB_ICONEXCLAMATION : 0));
}

bool CMainDlgServiceUi::AskProxyCredentials(std::string& user, std::string& password)
{
    CProxyLoginDlg login;
    if (login.DoModal() != IDOK)
        return false;
    user = login.GetUser();
    password = login.GetPassword();
    return true;
}

void CMainDlgServiceUi::ShowNotice(const std::string& text)
{
    m_notice.m_strText = text;
    m_notice.Create(IDD_WAIT_NOTICE);
}

void CMainDlgServiceUi::HideNotice()
{
    m_notice.DestroyWindow();
}
