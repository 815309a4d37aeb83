// Boxes owned by the main window, the proxy login dialog, the window's notice and the archive picker.
#include "app/MainDlgUi.h"

#include "platform/ui/CFileDialog.h"
#include "platform/ui/CWnd.h"
#include "res/resource.h"
#include "service/CProxyLoginDlg.h"

void CMainDlgUi::ShowMessage(const std::string& text, const char* caption, bool exclamation)
{
    m_owner.MessageBox(text, caption, MB_OK | (exclamation ? MB_ICONEXCLAMATION : 0));
}

bool CMainDlgUi::AskProxyCredentials(std::string& user, std::string& password)
{
    CProxyLoginDlg login;
    if (login.DoModal() != IDOK)
        return false;
    user = login.GetUser();
    password = login.GetPassword();
    return true;
}

void CMainDlgUi::ShowNotice(const std::string& text)
{
    m_notice.m_strText = text;
    m_notice.Create(IDD_WAIT_NOTICE);
}

void CMainDlgUi::HideNotice()
{
    m_notice.DestroyWindow();
}

std::string CMainDlgUi::PickSavedArchive(const std::string& initialFolder)
{
    CFileDialog picker(TRUE, nullptr, nullptr, OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON,
                       "Velmora Name Files (zip)|VMRNames.zip|", &m_owner);
    picker.m_ofn.lpstrInitialDir = initialFolder.c_str();
    picker.DoModal();
    return picker.GetPathName();
}
