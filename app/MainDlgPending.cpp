// Members of the main window whose work is still to be written; each does nothing yet.
#include "app/CMainDlg.h"

// OnScenarioWeb
void CMainDlg::OnScenarioWeb() {}

// OnScenarioOffline
void CMainDlg::OnScenarioOffline() {}

// OnDblClkNameList
void CMainDlg::OnDblClkNameList(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

// OnBrowseSave
void CMainDlg::OnBrowseSave() {}

// OnDownloadSave
void CMainDlg::OnDownloadSave() {}

// OnBrowseVelmora
void CMainDlg::OnBrowseVelmora() {}

// OnInstall
void CMainDlg::OnInstall() {}

// OnRequestNewName
void CMainDlg::OnRequestNewName() {}

// OnListen
void CMainDlg::OnListen() {}

// OnChangeSearchText
void CMainDlg::OnChangeSearchText() {}

// OnCancel
void CMainDlg::OnCancel()
{
    CDialog::OnCancel();
}

// LocateVelmora
std::string CMainDlg::LocateVelmora()
{
    return std::string();
}

// SearchForVelmora
std::string CMainDlg::SearchForVelmora(std::string)
{
    return std::string();
}

// ProbeConnection
bool CMainDlg::ProbeConnection()
{
    return false;
}

// FetchNameList
void CMainDlg::FetchNameList() {}

// ServerCall
std::string CMainDlg::ServerCall(std::string)
{
    return std::string();
}

// XmlValue
std::string CMainDlg::XmlValue(std::string, std::string, std::string, std::string)
{
    return "Value not found.";
}

// DownloadFile
bool CMainDlg::DownloadFile(std::string, std::string)
{
    return false;
}

// MatchListedName
void CMainDlg::MatchListedName() {}

// RequestPackageUrl
std::string CMainDlg::RequestPackageUrl()
{
    return "Value not found.";
}
